#include "html/page_writer.h"

#include "html/text_rules.h"
#include "settings/user_styles.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace html {
namespace {

const QLatin1String kCrLf("\r\n");

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

// Names after which a forced closing tag starts a new line (a plain substring test).
const QLatin1String kBlockNames(".h1.h3.h5.p.ol.ul.table.tr.td.div.body.html");

bool endsWithName(const QString &stack, const QString &name) {
    return stack.endsWith(u'.' + name, Qt::CaseInsensitive);
}

QString popName(QString &stack) {
    const qsizetype dot = stack.lastIndexOf(u'.');
    const QString name = stack.mid(dot + 1);
    stack.truncate(qMax<qsizetype>(dot, 0));
    return name;
}

bool endsWithLineBreak(const QString &out) {
    qsizetype end = out.size();
    while (end > 0 && out.at(end - 1) == u' ')
        --end;
    return end >= 2 && out.at(end - 2) == u'\r' && out.at(end - 1) == u'\n';
}

QString openingMarkup(const HtmlToken &t, const QString &name) {
    QString markup = u'<' + name + u' ' + t.attributes;
    if (!t.cls.isEmpty())
        markup = trimSpaces(markup) + QLatin1String(" class=\"") + t.cls + u'"';
    markup = trimSpaces(markup) + u'>';
    return halveDoubleSpaces(markup);
}

QString fontDeclarations(const settings::UserStyle &s) {
    return QLatin1String("font-family:'") + s.fontName + QLatin1String("';font-size:") +
           QString::number(s.size) + QLatin1String("pt;");
}

QString headingDeclarations(const settings::UserStyle &s, const char *margins) {
    return QLatin1String("margin: ") + QLatin1String(margins) + QLatin1String(";font-family:'") +
           s.fontName + QLatin1String("';font-size:") + QString::number(s.size) +
           QLatin1String("pt;color:#") + colourText(s.textColor) + u';';
}

QString bodyDeclarations(const settings::UserStyleTable &styles) {
    const settings::UserStyle &body = styles.styles[settings::Body];
    const int percent = int(std::nearbyint(double(styles.lineSpacingFactor) * 100.0));
    const char *keyword = body.size >= 14 ? "large" : body.size >= 12 ? "medium" : "small";
    return QLatin1String("padding-left: 10px;line-height:") + QString::number(percent) +
           QLatin1String("%;font-family:'") + body.fontName + QLatin1String("';font-size:") +
           QLatin1String(keyword) + QLatin1String(";color:#") + colourText(body.textColor) +
           QLatin1String(";margin: 0px; ");
}

} // namespace

std::vector<ClassRule> generateClasses(TokenList &tokens) {
    std::vector<ClassRule> rules;
    QHash<QString, int> numberOf; // lower-case "selector TAB declarations"
    QHash<QString, int> usedPerSelector;
    for (HtmlToken &t : tokens) {
        if (t.dropped || (t.tag != QLatin1String("img") && t.kind != 1))
            continue;
        if (trimSpaces(t.style).isEmpty())
            continue;
        while (t.style.contains(QLatin1String("  ")))
            t.style.replace(QLatin1String("  "), QLatin1String(" "));
        const QString prefix = t.tag.left(2);
        const QString selector = t.tag + u'.' + prefix;
        const QString key = (selector + u'\t' + t.style).toLower();
        int number = numberOf.value(key);
        if (number == 0) {
            number = ++usedPerSelector[selector];
            numberOf.insert(key, number);
            rules.push_back({number, selector, t.style});
        }
        t.cls = prefix + twoDigits(number);
    }
    return rules;
}

QString serializeBody(const TokenList &tokens) {
    QString out;
    QString stack = QStringLiteral(".html");
    for (const HtmlToken &t : tokens) {
        if (t.dropped)
            continue;
        const QString name = QString(t.tag).remove(u'/');
        QString markup;
        if (t.tag == QLatin1String("img") || t.kind == 1) {
            if (name != QLatin1String("img"))
                stack += u'.' + name;
            markup = openingMarkup(t, name);
        } else if (t.kind == -1) {
            if (endsWithName(stack, name)) {
                popName(stack);
            } else {
                while (!stack.isEmpty()) {
                    const QString inner = popName(stack);
                    out += QLatin1String("</") + inner + u'>';
                    if (QString(kBlockNames).contains(inner))
                        out += kCrLf;
                    if (endsWithName(stack, name)) {
                        popName(stack);
                        break;
                    }
                }
            }
            markup = t.raw;
        } else {
            markup = t.raw;
        }
        if (t.level >= 0) {
            if (!endsWithLineBreak(out))
                out += kCrLf;
            out += QString(2 * t.level, u' ');
        }
        out += markup;
    }
    return out;
}

QString linkStyle(const settings::UserStyleTable &styles) {
    return fontDeclarations(styles.styles[settings::Body]) + QLatin1String("color:#") +
           colourText(0xFF8080) + u';';
}

QString tooltipStyle(const settings::UserStyleTable &styles) {
    return fontDeclarations(styles.styles[settings::Body]) + QLatin1String("color:#") +
           colourText(0x404080) + u';';
}

QString styleBlock(const settings::UserStyleTable &styles, std::vector<ClassRule> rules) {
    const auto &s = styles.styles;
    QString block =
        QLatin1String("<style type=\"text/css\">|") + QLatin1String("    body {") +
        bodyDeclarations(styles) + QLatin1String("background-color: #FFFFFF;}|") +
        QLatin1String("    a {") + linkStyle(styles) + QLatin1String("}|") +
        QLatin1String("    a:link {text-decoration:underline;}|") +
        QLatin1String("    a:visited {color:#5689bf;text-decoration:underline;}|") +
        QLatin1String("    a:active {color:#009E7B;text-decoration:none;}|") +
        QLatin1String(
            "    a:hover {color:white;background-color:#666633;text-decoration:underline;}|") +
        QLatin1String("    h1 {") + headingDeclarations(s[settings::Heading1], "7px 0px 6px 8px") +
        QLatin1String("}|") + QLatin1String("    h3 {") +
        headingDeclarations(s[settings::Heading2], "5px 0px 4px 8px") + QLatin1String("}|") +
        QLatin1String("    h5 {") + headingDeclarations(s[settings::Heading3], "3px 0px 2px 8px") +
        QLatin1String("}|") + QLatin1String("    div {margin: 4px 0px 2px 0px;}|") +
        QLatin1String("    table {border-collapse:collapse;}|") +
        QLatin1String("    tr {text-align:left;vertical-align:top;}|") +
        QLatin1String("    td {padding:3px;}|") +
        QLatin1String("    li {margin:4px 0px 2px 0px;}|") +
        QLatin1String("    img {border:0px;}|");

    std::sort(rules.begin(), rules.end(), [](const ClassRule &a, const ClassRule &b) {
        const int bySelector = QString::compare(a.selector, b.selector);
        return bySelector != 0 ? bySelector < 0 : a.number < b.number;
    });
    for (const ClassRule &rule : rules) {
        if (rule.declarations.isEmpty())
            continue;
        block += QLatin1String("    ") + rule.selector + twoDigits(rule.number) +
                 QLatin1String(" {") + trimSpaces(rule.declarations) + u'}' + kCrLf;
    }
    block += QLatin1String("</style>|");
    // The block is assembled with "|" as its line separator; one inside a font name goes too.
    return block.replace(u'|', kCrLf);
}

QString pageHead(const QString &styleBlock, const QString &title) {
    return QLatin1String("<!DOCTYPE html PUBLIC '-//W3C//DTD HTML 4.01 Transitional//EN' "
                         "'http://www.w3.org/TR/html4/loose.dtd'>") +
           kCrLf + QLatin1String("<html>") + kCrLf + QLatin1String("<head>") + kCrLf +
           QLatin1String("<meta http-equiv='Content-Type' content='text/html; charset=UTF-8'>") +
           kCrLf + styleBlock + QLatin1String("<title>") + title + QLatin1String("</title>") +
           kCrLf + QLatin1String("</head>");
}

} // namespace html
