#include "html/text_rules.h"

#include <QRegularExpression>
#include <QStringEncoder>
#include <QStringList>

namespace html {

QString trimSpaces(const QString &text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    if (start == 0 && end == text.size())
        return text;
    return text.mid(start, end - start);
}

QString halveDoubleSpaces(const QString &text) {
    if (!text.contains(QLatin1String("  ")))
        return text;
    QString out = text;
    out.replace(QLatin1String("  "), QLatin1String(" "));
    return out;
}

QString textBetween(const QString &text, const QString &a, const QString &b) {
    // The end marker is treated as if appended when the text does not already end with it.
    const QString whole = text.endsWith(b) ? text : text + b;
    qsizetype start = 0;
    if (!a.isEmpty()) {
        start = whole.indexOf(a, 0, Qt::CaseInsensitive);
        if (start < 0)
            return {};
        start += a.size();
    }
    qsizetype end = whole.indexOf(b, start, Qt::CaseInsensitive);
    if (end < 0)
        end = whole.size();
    return whole.mid(start, end - start);
}

QString removeItem(const QString &text, const QString &name) {
    QString out = text;
    if (out.contains(u'"')) {
        const QString key = name + QLatin1String("=\"");
        const qsizetype at = out.indexOf(key, 0, Qt::CaseInsensitive);
        if (at < 0)
            return out;
        qsizetype close = out.indexOf(u'"', at + key.size());
        close = close < 0 ? out.size() : close + 1;
        out.remove(at, close - at);
        return halveDoubleSpaces(out);
    }
    if (out.isEmpty())
        return out;
    const QString key = name + u':';
    const qsizetype at = out.indexOf(key, 0, Qt::CaseInsensitive);
    if (at < 0)
        return out;
    if (!out.endsWith(u';'))
        out += u';';
    const qsizetype semicolon = out.indexOf(u';', at + key.size());
    out.remove(at, semicolon + 1 - at);
    return halveDoubleSpaces(out);
}

void attributeToDeclaration(QString &attributes, QString &style, const QString &attrName,
                            const QString &property) {
    attributes.replace(QLatin1String("= "), QLatin1String("="));
    attributes = trimSpaces(attributes);
    style = trimSpaces(style);
    if (!attributes.contains(attrName, Qt::CaseInsensitive))
        return;
    QString kept;
    const QStringList pieces = attributes.split(u' ');
    for (const QString &piece : pieces) {
        const QString p = trimSpaces(piece);
        if (p.left(attrName.size()).compare(attrName, Qt::CaseInsensitive) == 0) {
            QString value = p.mid(p.indexOf(u'=') + 1);
            value.remove(u'"');
            style += u' ' + property + u':' + value + QLatin1String("; ");
        } else {
            kept += p + u' ';
        }
    }
    attributes = trimSpaces(kept);
    style = trimSpaces(style);
}

QString colourText(qint32 value) {
    const QString hex = QString::number(quint32(value), 16).toUpper();
    const QString bgr = hex.rightJustified(6, u'0').right(6);
    return bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.left(2);
}

double leadingNumber(const QString &text) {
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    const QRegularExpressionMatch m = number.match(text);
    return m.hasMatch() ? m.captured(0).trimmed().toDouble() : 0.0;
}

QString pageFileName(const QString &name) {
    QString out = trimSpaces(name);
    if (out.size() < 3)
        out = out.rightJustified(3, u'0');
    if (!out.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) &&
        !out.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        out += QLatin1String(".htm");
    return out;
}

namespace {

// Code page 932 writes a character it lacks as "?" (code 63).
bool readsQuestionMark(QChar c) {
    if (c == u'?')
        return true;
    QStringEncoder encoder("windows-31j");
    if (!encoder.isValid())
        return c.unicode() > 0x7F && c.unicode() < 0x100 && c.isSpace();
    const QByteArray bytes = encoder.encode(QStringView(&c, 1));
    return encoder.hasError() || bytes == "?";
}

} // namespace

bool isBlankParagraphText(const QString &text) {
    const QString t = trimSpaces(text);
    for (QChar c : t) {
        if (!c.isSpace() || (c != u' ' && !readsQuestionMark(c)))
            return false;
    }
    return true;
}

} // namespace html
