#include "windows/search/listing.h"

#include "diary/keys.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace searchwin {

namespace {

const QString HeadingMark = QStringLiteral("■");
const QString HeadingEnd = QStringLiteral("_");

QTextCharFormat plainFormat(const QColor &colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontWeight(QFont::Normal);
    format.setFontUnderline(false);
    return format;
}

// Stored texts carry CR LF and vertical-tab line breaks; the document wants its own separators.
QString documentText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    text.replace(QChar(11), QChar::LineSeparator);
    return text;
}

void appendMatched(QTextCursor &cursor, const QString &text, const QString &word,
                   const QColor &colour) {
    const QTextCharFormat plain = plainFormat(colour);
    const qsizetype at = word.isEmpty() ? -1 : text.indexOf(word, 0, Qt::CaseInsensitive);
    if (at < 0) {
        cursor.insertText(text, plain);
        return;
    }
    cursor.insertText(text.left(at), plain);
    QTextCharFormat match = plain;
    match.setForeground(MatchColour);
    match.setFontUnderline(true);
    cursor.insertText(word, match);
    const QString rest = text.mid(at + word.size());
    if (!rest.isEmpty())
        cursor.insertText(rest, plain);
}

} // namespace

void buildListing(QTextDocument &doc, const QList<diary::DiaryRow> &rows, const QString &word) {
    doc.clear();
    QTextCursor cursor(&doc);
    QTextCharFormat heading = plainFormat(HeadingColour);
    heading.setFontWeight(QFont::Bold);
    cursor.beginEditBlock();
    for (const diary::DiaryRow &row : rows) {
        cursor.insertText(HeadingMark + diary::displayKey(row.key) + HeadingEnd, heading);
        cursor.insertText(QStringLiteral("  "), plainFormat(SummaryColour));
        appendMatched(cursor, diary::oneLine(row.summary), word, SummaryColour);
        cursor.insertText(QStringLiteral("\n"), plainFormat(SummaryColour));
        appendMatched(cursor, documentText(row.text), word, TextColour);
        cursor.insertText(QStringLiteral("\n\n"), plainFormat(TextColour));
    }
    cursor.endEditBlock();
}

QString headingKeyAt(const QTextDocument &doc, int pos) {
    for (const int at : {pos, pos - 1}) {
        if (at < 0)
            continue;
        const QTextBlock block = doc.findBlock(at);
        // The block's last position is its separator, not a character of the heading.
        if (!block.isValid() || at >= block.position() + block.length() - 1)
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (at < fragment.position() || at >= fragment.position() + fragment.length())
                continue;
            const QString text = fragment.text();
            if (fragment.charFormat().fontWeight() < QFont::Bold || !text.startsWith(HeadingMark) ||
                !text.endsWith(HeadingEnd))
                break;
            QString key =
                text.mid(HeadingMark.size(), text.size() - HeadingMark.size() - HeadingEnd.size());
            key.remove(QChar(u'/'));
            return key;
        }
    }
    return {};
}

QRect listingPlacement(const QRect &mainWindow, const QRect &editorArea, const QMargins &frame,
                       const QRect &screen) {
    QRect outside(mainWindow.left() + editorArea.left(), mainWindow.top(), editorArea.width(),
                  mainWindow.height());
    if (screen.isValid()) {
        outside.setSize(outside.size().boundedTo(screen.size()));
        outside.moveLeft(
            qBound(screen.left(), outside.left(), screen.right() - outside.width() + 1));
        outside.moveTop(
            qBound(screen.top(), outside.top(), screen.bottom() - outside.height() + 1));
    }
    return outside - frame;
}

} // namespace searchwin
