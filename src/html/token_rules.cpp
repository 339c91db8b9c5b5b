#include "html/token_rules.h"

#include "html/text_rules.h"
#include "settings/user_styles.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace html {
namespace {

bool is(const HtmlToken &t, const char *tag) {
    return t.tag == QLatin1String(tag);
}

// Index of the next kept token after i with the given tag, or -1.
qsizetype nextKept(const TokenList &tokens, qsizetype i, const char *tag) {
    for (qsizetype j = i + 1; j < qsizetype(tokens.size()); ++j) {
        if (!tokens[j].dropped && is(tokens[j], tag))
            return j;
    }
    return -1;
}

// Link text (lower case) to tooltip; the first line for a text wins.
QHash<QString, QString> tooltipLines(const QString &table) {
    QHash<QString, QString> lines;
    for (const QString &line : table.split(u'\r')) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0)
            continue;
        const QString key = line.left(tab).toLower();
        if (!lines.contains(key))
            lines.insert(key, line.mid(tab + 1));
    }
    return lines;
}

// A style from a document may carry any number of digits: clamp before the conversion to int.
int wholePoints(const QString &style, const QString &name) {
    constexpr double Limit = 1e6;
    const double points = leadingNumber(textBetween(style, name, QStringLiteral("pt")));
    return int(std::nearbyint(std::clamp(points, -Limit, Limit)));
}

} // namespace

void convertTooltipLinks(TokenList &tokens, const QString &tooltipTable,
                         const QString &tooltipStyle) {
    const QHash<QString, QString> table = tooltipLines(tooltipTable);
    const qsizetype count = qsizetype(tokens.size());
    for (qsizetype i = 0; i < count; ++i) {
        HtmlToken &anchor = tokens[i];
        if (anchor.dropped || !is(anchor, "a"))
            continue;
        if (i + 1 < count && is(tokens[i + 1], "/a")) {
            anchor.dropped = true;
            tokens[i + 1].dropped = true;
            continue;
        }
        if (!anchor.attributes.contains(QLatin1String("href=\"#TP_"), Qt::CaseInsensitive))
            continue;
        const qsizetype textAt = nextKept(tokens, i, "val");
        if (textAt < 0)
            return;
        const QString linkText = tokens[textAt].raw;
        QString tooltip =
            textBetween(anchor.attributes, QStringLiteral("#TP_"), QStringLiteral("\""));
        const auto line = table.constFind(linkText.toLower());
        if (line != table.constEnd())
            tooltip = line.value();
        anchor.tag = QStringLiteral("span");
        anchor.raw = QStringLiteral("<span>");
        anchor.attributes =
            QLatin1String("title=\"") + linkText + QLatin1String(" : ") + tooltip + u'"';
        anchor.style = tooltipStyle;
        const qsizetype closeAt = nextKept(tokens, textAt, "/a");
        if (closeAt < 0)
            return;
        tokens[closeAt].tag = QStringLiteral("/span");
        tokens[closeAt].raw = QStringLiteral("</span>");
    }
}

void moveAttributesIntoStyles(TokenList &tokens) {
    for (HtmlToken &t : tokens) {
        if (is(t, "div")) {
            attributeToDeclaration(t.attributes, t.style, QStringLiteral("align"),
                                   QStringLiteral("text-align"));
        } else if (is(t, "tr") || is(t, "td")) {
            attributeToDeclaration(t.attributes, t.style, QStringLiteral("align"),
                                   QStringLiteral("text-align"));
            attributeToDeclaration(t.attributes, t.style, QStringLiteral("valign"),
                                   QStringLiteral("vertical-align"));
            attributeToDeclaration(t.attributes, t.style, QStringLiteral("bgcolor"),
                                   QStringLiteral("background-color"));
        } else if (is(t, "ul") || is(t, "li")) {
            attributeToDeclaration(t.attributes, t.style, QStringLiteral("type"),
                                   QStringLiteral("list-style-type"));
        }
    }
}

void dropEmptyElements(TokenList &tokens) {
    const qsizetype count = qsizetype(tokens.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (tokens[i].dropped || !is(tokens[i], "span"))
            continue;
        qsizetype next = i + 1;
        while (next < count && tokens[next].dropped)
            ++next;
        if (next < count && is(tokens[next], "/span")) {
            tokens[i].dropped = true;
            tokens[next].dropped = true;
        }
    }
    for (qsizetype i = 0; i + 1 < count; ++i) {
        if (tokens[i].dropped || !is(tokens[i], "div"))
            continue;
        HtmlToken &next = tokens[i + 1];
        if (is(next, "/div")) {
            tokens[i].dropped = next.dropped = true;
        } else if (is(next, "val") && i + 2 < count && is(tokens[i + 2], "/div") &&
                   isBlankParagraphText(next.raw)) {
            tokens[i].dropped = next.dropped = tokens[i + 2].dropped = true;
        }
    }
}

void recogniseHeadings(TokenList &tokens, const settings::UserStyleTable &styles) {
    const int h1 = styles.styles[settings::Heading1].size;
    const int h2 = styles.styles[settings::Heading2].size;
    const int h3 = styles.styles[settings::Heading3].size;
    const qsizetype count = qsizetype(tokens.size());
    for (qsizetype i = 0; i < count; ++i) {
        HtmlToken &t = tokens[i];
        if (t.dropped || !is(t, "div"))
            continue;
        // Spaces go only for reading the values; the style keeps font names such as
        // 'ＭＳ Ｐゴシック' intact.
        const QString compact = QString(t.style).remove(u' ');
        const int indent = wholePoints(compact, QStringLiteral("margin-left:"));
        const int size = wholePoints(compact, QStringLiteral("font-size:"));
        int level = 0;
        if (indent >= 6)
            level = size >= h1 ? 1 : size >= h2 ? 2 : size >= h3 ? 3 : 0;
        const QString heading = level ? u'h' + QString::number(level * 2 - 1) : QString();
        if (level)
            t.tag = heading;
        qsizetype close = i + 1;
        while (close < count && !is(tokens[close], "/div"))
            ++close;
        if (close == count)
            break;
        if (level) {
            tokens[close].tag = u'/' + heading;
            tokens[close].raw = QLatin1String("</") + heading + u'>';
        }
        i = close;
    }
}

void assignLevels(TokenList &tokens) {
    static const QHash<QString, qint16> levels = {
        {QStringLiteral("body"), 0},   {QStringLiteral("html"), 0},  {QStringLiteral("/body"), 0},
        {QStringLiteral("/html"), 0},  {QStringLiteral("table"), 1}, {QStringLiteral("div"), 1},
        {QStringLiteral("/table"), 1}, {QStringLiteral("/div"), 1},  {QStringLiteral("tr"), 2},
        {QStringLiteral("ol"), 2},     {QStringLiteral("ul"), 2},    {QStringLiteral("/ol"), 2},
        {QStringLiteral("/ul"), 2},    {QStringLiteral("h1"), 2},    {QStringLiteral("h3"), 2},
        {QStringLiteral("h5"), 2},     {QStringLiteral("td"), 3},    {QStringLiteral("li"), 3},
        {QStringLiteral("a"), 4},      {QStringLiteral("img"), 4},   {QStringLiteral("span"), 4},
    };
    for (HtmlToken &t : tokens) {
        if (!t.dropped)
            t.level = levels.value(t.tag, -1);
    }
}

} // namespace html
