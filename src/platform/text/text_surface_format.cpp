#include "platform/text/text_surface.h"

#include "platform/text/text_lists.h"
#include "platform/text/text_surface_util.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace platform {

using surfaceutil::fromBgr;
using surfaceutil::toBgr;

namespace {

int twips(qreal pixels) {
    return qRound(pixels * 15.0);
}

qreal pixels(int twips) {
    return twips / 15.0;
}

} // namespace

// The format of the first selected character, or the typing format without a selection.
QTextCharFormat TextSurface::readCharFormat() const {
    if (!cur().hasSelection())
        return cur().charFormat();
    QTextCursor probe(doc());
    probe.setPosition(cur().selectionStart() + 1);
    return probe.charFormat();
}

void TextSurface::mergeChar(const QTextCharFormat &format) {
    EditGuard guard(this);
    cur().mergeCharFormat(format);
}

void TextSurface::mergeBlock(const QTextBlockFormat &format) {
    EditGuard guard(this);
    cur().mergeBlockFormat(format);
}

QString TextSurface::fontName() const {
    const QTextCharFormat format = readCharFormat();
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        return families.first();
    const QString family = format.property(QTextFormat::FontFamily).toString();
    return family.isEmpty() ? doc()->defaultFont().family() : family;
}

void TextSurface::setFontName(const QString &name) {
    QTextCharFormat format;
    format.setFontFamilies({name});
    mergeChar(format);
}

double TextSurface::fontSize() const {
    const double size = readCharFormat().fontPointSize();
    return size > 0 ? size : doc()->defaultFont().pointSizeF();
}

void TextSurface::setFontSize(double points) {
    if (points <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeChar(format);
}

bool TextSurface::bold() const {
    return readCharFormat().fontWeight() >= QFont::Bold;
}

void TextSurface::setBold(bool on) {
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeChar(format);
}

bool TextSurface::italic() const {
    return readCharFormat().fontItalic();
}

void TextSurface::setItalic(bool on) {
    QTextCharFormat format;
    format.setFontItalic(on);
    mergeChar(format);
}

bool TextSurface::underline() const {
    return readCharFormat().fontUnderline();
}

void TextSurface::setUnderline(bool on) {
    QTextCharFormat format;
    format.setFontUnderline(on);
    mergeChar(format);
}

bool TextSurface::strikeout() const {
    return readCharFormat().fontStrikeOut();
}

void TextSurface::setStrikeout(bool on) {
    QTextCharFormat format;
    format.setFontStrikeOut(on);
    mergeChar(format);
}

int TextSurface::textColor() const {
    const QTextCharFormat format = readCharFormat();
    return format.hasProperty(QTextFormat::ForegroundBrush) ? toBgr(format.foreground().color())
                                                            : 0;
}

void TextSurface::setTextColor(int color) {
    QTextCharFormat format;
    format.setForeground(fromBgr(color));
    mergeChar(format);
}

int TextSurface::backColor() const {
    const QTextCharFormat format = readCharFormat();
    if (!format.hasProperty(QTextFormat::BackgroundBrush) ||
        format.background().style() == Qt::NoBrush)
        return 0xFFFFFF;
    return toBgr(format.background().color());
}

void TextSurface::setBackColor(int color) {
    QTextCharFormat format;
    format.setBackground(fromBgr(color));
    mergeChar(format);
}

// --- Paragraphs -----------------------------------------------------------------------------

namespace {

QTextBlockFormat blockAt(const QTextDocument *document, int position) {
    return document->findBlock(position).blockFormat();
}

} // namespace

int TextSurface::alignment() const {
    const Qt::Alignment a = blockAt(doc(), cur().selectionStart()).alignment();
    if (a & Qt::AlignRight)
        return AlignRight;
    if (a & Qt::AlignHCenter)
        return AlignCenter;
    if (a & Qt::AlignJustify)
        return AlignJustify;
    return AlignLeft;
}

void TextSurface::setAlignment(int alignment) {
    QTextBlockFormat format;
    switch (alignment) {
    case AlignRight:
        format.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        break;
    case AlignCenter:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case AlignJustify:
        format.setAlignment(Qt::AlignJustify);
        break;
    default:
        format.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    }
    mergeBlock(format);
}

int TextSurface::leftIndent() const {
    return twips(blockAt(doc(), cur().selectionStart()).leftMargin());
}

void TextSurface::setLeftIndent(int value) {
    QTextBlockFormat format;
    format.setLeftMargin(pixels(value));
    mergeBlock(format);
}

int TextSurface::rightIndent() const {
    return twips(blockAt(doc(), cur().selectionStart()).rightMargin());
}

void TextSurface::setRightIndent(int value) {
    QTextBlockFormat format;
    format.setRightMargin(pixels(value));
    mergeBlock(format);
}

int TextSurface::firstLineIndent() const {
    return twips(blockAt(doc(), cur().selectionStart()).textIndent());
}

void TextSurface::setFirstLineIndent(int value) {
    QTextBlockFormat format;
    format.setTextIndent(pixels(value));
    mergeBlock(format);
}

int TextSurface::indentD() const {
    return blockAt(doc(), cur().selectionStart()).intProperty(TextProp::IndentD);
}

void TextSurface::setIndentD(int value) {
    QTextBlockFormat format;
    format.setProperty(TextProp::IndentD, value);
    mergeBlock(format);
}

int TextSurface::indentE() const {
    return blockAt(doc(), cur().selectionStart()).intProperty(TextProp::IndentE);
}

void TextSurface::setIndentE(int value) {
    QTextBlockFormat format;
    format.setProperty(TextProp::IndentE, value);
    mergeBlock(format);
}

int TextSurface::spaceBefore() const {
    return twips(blockAt(doc(), cur().selectionStart()).topMargin());
}

void TextSurface::setSpaceBefore(int value) {
    QTextBlockFormat format;
    format.setTopMargin(pixels(value));
    mergeBlock(format);
}

int TextSurface::spaceAfter() const {
    return twips(blockAt(doc(), cur().selectionStart()).bottomMargin());
}

void TextSurface::setSpaceAfter(int value) {
    QTextBlockFormat format;
    format.setBottomMargin(pixels(value));
    mergeBlock(format);
}

int TextSurface::lineSpacing() const {
    const QTextBlockFormat format = blockAt(doc(), cur().selectionStart());
    if (format.hasProperty(TextProp::LineSpacing))
        return format.intProperty(TextProp::LineSpacing);
    if (format.lineHeightType() == QTextBlockFormat::ProportionalHeight &&
        qRound(format.lineHeight()) != 100)
        return qRound(format.lineHeight());
    return AutomaticLineSpacing;
}

void TextSurface::setLineSpacing(int value) {
    QTextBlockFormat format;
    format.setProperty(TextProp::LineSpacing, value);
    if (lineAmount() <= 0) {
        const int percent = value <= 0 || value == AutomaticLineSpacing ? 100 : value;
        format.setLineHeight(percent, QTextBlockFormat::ProportionalHeight);
    }
    mergeBlock(format);
}

int TextSurface::lineAmount() const {
    return blockAt(doc(), cur().selectionStart()).intProperty(TextProp::LineAmount);
}

// A line amount is the minimum line pitch; it takes precedence over the percentage.
void TextSurface::setLineAmount(int value) {
    QTextBlockFormat format;
    format.setProperty(TextProp::LineAmount, qMax(0, value));
    if (value > 0) {
        format.setLineHeight(pixels(value), QTextBlockFormat::MinimumHeight);
    } else {
        const int spacing = lineSpacing();
        format.setLineHeight(spacing == AutomaticLineSpacing ? 100 : spacing,
                             QTextBlockFormat::ProportionalHeight);
    }
    mergeBlock(format);
}

int TextSurface::listState() const {
    QTextList *list = doc()->findBlock(cur().selectionStart()).textList();
    if (!list)
        return NoList;
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return BulletList;
    default:
        return NumberedList;
    }
}

void TextSurface::setListState(int state) {
    EditGuard guard(this);
    QTextCursor &c = cur();
    c.beginEditBlock();
    if (state == BulletList || state == NumberedList) {
        const auto style =
            state == BulletList ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal;
        QTextList *list = doc()->findBlock(c.selectionStart()).textList();
        if (list) {
            QTextListFormat format = list->format();
            format.setStyle(style);
            list->setFormat(format);
        } else {
            QTextCursor first(doc());
            first.setPosition(c.selectionStart());
            list = first.createList(style);
        }
        // Every paragraph the selection touches joins the list.
        for (QTextBlock block = doc()->findBlock(c.selectionStart()).next();
             block.isValid() && block.position() <= c.selectionEnd() && c.hasSelection();
             block = block.next())
            if (block.textList() != list)
                list->add(block);
        updateOwnLabels(list);
    } else {
        const int end = c.selectionEnd();
        for (QTextBlock block = doc()->findBlock(c.selectionStart()); block.isValid();
             block = block.next()) {
            if (QTextList *list = block.textList()) {
                list->remove(block);
                QTextCursor b(block);
                QTextBlockFormat format = block.blockFormat();
                format.setIndent(0);
                format.setObjectIndex(-1);
                b.setBlockFormat(format);
            }
            if (block.position() + block.length() > end)
                break;
        }
    }
    c.endEditBlock();
}

} // namespace platform
