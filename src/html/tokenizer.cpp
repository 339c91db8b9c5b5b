#include "html/tokenizer.h"

#include "html/link_address.h"
#include "html/text_rules.h"

#include <QStringList>
#include <cmath>

namespace html {
namespace {

const QChar kFullWidthSpace(0x3000);
const QChar kFullWidthStandIn(0x2177);

// The exported file ends its lines with CR LF or, written here, with LF alone; both are
// line breaks of the file and not text.
QString withoutLineBreaks(const QString &text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar *o = out.data();
    const QChar *c = text.constData();
    const QChar *end = c + text.size();
    for (; c != end; ++c) {
        if (*c == u'\r' && c + 1 != end && c[1] == u'\n') {
            ++c;
            continue;
        }
        if (*c != u'\n')
            *o++ = *c;
    }
    out.truncate(o - out.constData());
    return out;
}

// Every tag on a line of its own.
QString tagsOnOwnLines(const QString &text) {
    qsizetype marks = 0;
    for (QChar c : text)
        marks += (c == u'<' || c == u'>');
    QString out(text.size() + marks, Qt::Uninitialized);
    QChar *o = out.data();
    for (QChar c : text) {
        if (c == u'<')
            *o++ = u'\r';
        *o++ = c;
        if (c == u'>')
            *o++ = u'\r';
    }
    return out;
}

QString rewriteParagraph(const QString &paragraph) {
    QString content = textBetween(paragraph, QStringLiteral("\">"), QStringLiteral("</p>"));
    content.remove(u'\r');
    const QString declarations =
        textBetween(paragraph, QStringLiteral("style=\""), QStringLiteral("\""));
    QString blockList;
    QString spanList;
    for (const QString &d : declarations.split(u';')) {
        if (d.isEmpty())
            continue;
        const QString lower = d.toLower();
        if (lower.contains(QLatin1String("text-align")) ||
            lower.contains(QLatin1String("margin-")) ||
            lower.contains(QLatin1String("line-height")))
            blockList += lower + u';';
        else
            spanList += lower + u';';
    }
    QString out = QLatin1String("<p style=^") + blockList + QLatin1String("^>|<span style=^") +
                  spanList + QLatin1String("^>|") + content + QLatin1String("|</span>|</p>");
    out.replace(u'^', u'"');
    out.replace(QLatin1String("|"), QLatin1String("\r\n"));
    return out;
}

// Cuts a tag or text piece into the token fields.
void parsePiece(HtmlToken &t) {
    const QString &piece = t.raw;
    if (piece.startsWith(QLatin1String("</"))) {
        t.kind = -1;
        t.tag = u'/' + textBetween(piece, QStringLiteral("</"), QStringLiteral(" ")).remove(u'>');
        return;
    }
    if (!piece.startsWith(u'<')) {
        t.tag = QStringLiteral("val");
        t.kind = 0;
        return;
    }
    t.tag = textBetween(piece, QStringLiteral("<"), QStringLiteral(" ")).remove(u'>');
    t.kind = (t.tag == QLatin1String("br") || t.tag == QLatin1String("img")) ? 0 : 1;
    const qsizetype space = piece.indexOf(u' ');
    if (space < 0)
        return;
    QString attributes = piece.mid(space + 1);
    if (!attributes.endsWith(u'"'))
        attributes.chop(1);
    const qsizetype styleAt = attributes.indexOf(QLatin1String("style="), 0, Qt::CaseInsensitive);
    if (styleAt >= 0) {
        qsizetype close = attributes.indexOf(u'"', styleAt + 7);
        if (close < 0)
            close = attributes.size();
        t.style = trimSpaces(attributes.mid(styleAt + 7, close - styleAt - 7));
        QString after = attributes.mid(close + 1);
        while (after.startsWith(u' '))
            after.remove(0, 1);
        attributes = trimSpaces(attributes.left(styleAt) + after);
    }
    if (t.tag == QLatin1String("img")) {
        attributes = trimSpaces(attributes);
        if (attributes.endsWith(u'/'))
            attributes = trimSpaces(attributes.chopped(1));
    }
    t.attributes = attributes;
}

// Declarations the exporter writes for values that are the defaults anyway.
QString withoutDefaults(const QString &style, const QString &lineHeight) {
    static const QLatin1String defaults[] = {
        QLatin1String("text-indent:0pt;"),  QLatin1String("margin-left:0pt;"),
        QLatin1String("margin-top:0pt;"),   QLatin1String("margin-bottom:0pt;"),
        QLatin1String("margin-right:0pt;"), QLatin1String("line-height:100%;")};
    QString out = style;
    for (const QLatin1String &d : defaults)
        out.remove(d);
    out.remove(lineHeight);
    return trimSpaces(halveDoubleSpaces(out));
}

// A top-level element takes the body's declarations it does not set itself.
void inheritBodyStyle(HtmlToken &t, const QString &bodyStyle) {
    for (const QString &piece : bodyStyle.split(u';')) {
        const qsizetype colon = piece.indexOf(u':');
        if (colon < 0)
            continue;
        const QString name = trimSpaces(piece.left(colon));
        if (name.isEmpty() || name.toLower() == QLatin1String("line-height") ||
            t.style.contains(name, Qt::CaseInsensitive))
            continue;
        if (!t.style.isEmpty() && !t.style.endsWith(u';'))
            t.style += u';';
        t.style += trimSpaces(piece) + u';';
    }
}

void applyTagRules(HtmlToken &t, QString &bodyStyle, const QString &baseAddress) {
    if (t.tag == QLatin1String("a")) {
        t.style = removeItem(t.style, QStringLiteral("color"));
        t.attributes = rewriteLinkAttributes(t.attributes, baseAddress);
    } else if (t.tag == QLatin1String("body")) {
        bodyStyle = removeItem(t.style, QStringLiteral("background-color"));
        t.style.clear();
    } else if (t.tag == QLatin1String("img")) {
        t.attributes = removeItem(t.attributes, QStringLiteral("title"));
    } else if (t.tag == QLatin1String("table")) {
        t.attributes.replace(QLatin1String("cellspacing=\"0\""), QString(), Qt::CaseInsensitive);
        t.attributes.replace(QLatin1String("cellpadding=\"0\""), QString(), Qt::CaseInsensitive);
        t.attributes = removeItem(trimSpaces(t.attributes), QStringLiteral("cols"));
    } else if (t.tag == QLatin1String("p")) {
        t.tag = QStringLiteral("div");
    } else if (t.tag == QLatin1String("/p")) {
        t.tag = QStringLiteral("/div");
        t.raw = QStringLiteral("</div>");
    }
}

} // namespace

QString rewriteHighlightedParagraphs(const QString &text) {
    const QLatin1String marker("background-color");
    QString out;
    qsizetype copied = 0;      // text before this index is already in out
    qsizetype knownClose = -1; // a "</p>" found at or after the last paragraph start
    qsizetype from = 0;
    qsizetype scanned = 0; // the last "<" before this index is lastOpen
    qsizetype lastOpen = -1;
    while (true) {
        const qsizetype hit = text.indexOf(marker, from, Qt::CaseInsensitive);
        if (hit < 0)
            break;
        from = hit + 1;
        for (; scanned < hit; ++scanned) {
            if (text.at(scanned) == u'<')
                lastOpen = scanned;
        }
        const qsizetype open = lastOpen;
        if (open < copied || !QStringView(text).mid(open).startsWith(QLatin1String("<p")))
            continue;
        // Only the paragraph's own style counts, not text or inner tags mentioning the word.
        const qsizetype tagEnd = text.indexOf(u'>', open);
        if (tagEnd >= 0 && tagEnd < hit)
            continue;
        if (knownClose < open) {
            knownClose = text.indexOf(QLatin1String("</p>"), open);
            if (knownClose < 0)
                break;
        }
        const qsizetype end = knownClose + 4;
        out += QStringView(text).mid(copied, open - copied);
        out += rewriteParagraph(text.mid(open, end - open));
        copied = end;
        from = end + 4;
    }
    if (copied == 0)
        return text;
    out += QStringView(text).mid(copied);
    return out;
}

bool tokenizeBody(const QString &body, const TokenizerContext &context, TokenList &tokens) {
    QString text = body;
    text.replace(QLatin1String("<br />"), QLatin1String("<br>"));
    text = tagsOnOwnLines(withoutLineBreaks(text));
    text.replace(QLatin1String("'Arial'"), u'\'' + context.bodyFont + u'\'');
    text.replace(kFullWidthSpace, kFullWidthStandIn);
    text = rewriteHighlightedParagraphs(text);

    // The exported value keeps single precision, so 1.15 reads 114 here.
    const int percent = int(std::floor(double(context.lineSpacingFactor) * 100.0));
    const QString lineHeight =
        QLatin1String("line-height:") + QString::number(percent) + QLatin1String("%;");

    tokens.clear();
    tokens.reserve(size_t(qMin<qsizetype>(text.count(u'\r') + 1, kMaxTokens)));
    QString bodyStyle;
    int depth = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\r', start);
        if (end < 0)
            end = text.size();
        const QString piece = trimSpaces(text.mid(start, end - start));
        start = end + 1;
        if (piece.isEmpty())
            continue;
        if (tokens.size() >= size_t(kMaxTokens))
            return false;
        HtmlToken &t = tokens.emplace_back();
        t.raw = piece;
        parsePiece(t);
        t.style = withoutDefaults(t.style, lineHeight);
        depth += t.kind;
        if (t.kind == 1 && depth == 2)
            inheritBodyStyle(t, bodyStyle);
        applyTagRules(t, bodyStyle, context.baseAddress);
    }
    return true;
}

} // namespace html
