#include "html/page_writer.h"
#include "html_test_support.h"

#include <gtest/gtest.h>

using namespace html;

namespace {

HtmlToken token(const char *tag, qint16 kind, const char *raw, qint16 level, const char *style = "",
                const char *attributes = "") {
    HtmlToken t;
    t.tag = QString::fromUtf8(tag);
    t.kind = kind;
    t.raw = QString::fromUtf8(raw);
    t.level = level;
    t.style = QString::fromUtf8(style);
    t.attributes = QString::fromUtf8(attributes);
    return t;
}

QString ruleLines(const QString &block) {
    const QString lastFixed = QStringLiteral("    img {border:0px;}\r\n");
    return block.mid(block.indexOf(lastFixed) + lastFixed.size());
}

} // namespace

TEST(HtmlPageWriter, EqualStylesShareAClass) {
    TokenList t = {
        token("div", 1, "<div>", 1, "font-size:10pt;"),
        token("div", 1, "<div>", 1, "FONT-SIZE:10pt;"),
        token("div", 1, "<div>", 1, "font-size:10pt;  color:#ff0000;"),
        token("span", 1, "<span>", 4, "font-size:10pt;"),
        token("img", 0, "<img>", 4, "width:10pt"),
        token("div", 1, "<div>", 1, " "),
        token("/div", -1, "</div>", 1, "font-size:10pt;"),
    };
    t.push_back(token("div", 1, "<div>", 1, "font-size:10pt;"));
    t.back().dropped = true;
    const std::vector<ClassRule> rules = generateClasses(t);
    EXPECT_EQ(t[0].cls, QStringLiteral("di01"));
    EXPECT_EQ(t[1].cls, QStringLiteral("di01"));
    EXPECT_EQ(t[2].cls, QStringLiteral("di02"));
    EXPECT_EQ(t[2].style, QStringLiteral("font-size:10pt; color:#ff0000;"));
    EXPECT_EQ(t[3].cls, QStringLiteral("sp01"));
    EXPECT_EQ(t[4].cls, QStringLiteral("im01"));
    EXPECT_TRUE(t[5].cls.isEmpty());
    EXPECT_TRUE(t[6].cls.isEmpty());
    EXPECT_TRUE(t[7].cls.isEmpty());
    ASSERT_EQ(rules.size(), 4u);

    const QString block = styleBlock(htmltest::handStyles(), rules);
    EXPECT_EQ(ruleLines(block), QStringLiteral("    div.di01 {font-size:10pt;}\r\n"
                                               "    div.di02 {font-size:10pt; color:#ff0000;}\r\n"
                                               "    img.im01 {width:10pt}\r\n"
                                               "    span.sp01 {font-size:10pt;}\r\n"
                                               "</style>\r\n"));
}

TEST(HtmlPageWriter, ClassNumbersKeepTwoDigitsAndGrow) {
    TokenList t;
    for (int i = 0; i < 12; ++i)
        t.push_back(token("a", 1, "<a>", 4,
                          QStringLiteral("font-size:%1pt;").arg(i + 1).toUtf8().constData()));
    const std::vector<ClassRule> rules = generateClasses(t);
    EXPECT_EQ(t[0].cls, QStringLiteral("a01"));
    EXPECT_EQ(t[11].cls, QStringLiteral("a12"));
    const QString lines = ruleLines(styleBlock(htmltest::handStyles(), rules));
    EXPECT_TRUE(lines.startsWith(QStringLiteral("    a.a01 {font-size:1pt;}\r\n    a.a02 {")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("    a.a09 {font-size:9pt;}\r\n    a.a10 {font-size:10pt;}")));
}

TEST(HtmlPageWriter, BodyRuleFollowsTheUserStyles) {
    settings::UserStyleTable styles = htmltest::handStyles();
    styles.lineSpacingFactor = 1.15f;
    const QString body = QStringLiteral(
        "    body {padding-left: 10px;line-height:115%;font-family:'ＭＳ Ｐゴシック';"
        "font-size:small;color:#000000;margin: 0px; background-color: #FFFFFF;}\r\n");
    EXPECT_TRUE(styleBlock(styles, {}).contains(body));
    styles.lineSpacingFactor = 1.5f;
    styles.styles[settings::Body].textColor = 0x0F;
    for (auto [size, keyword] :
         {std::pair{11, "small"}, {12, "medium"}, {13, "medium"}, {14, "large"}}) {
        styles.styles[settings::Body].size = qint16(size);
        const QString block = styleBlock(styles, {});
        EXPECT_TRUE(block.contains(
            QStringLiteral("line-height:150%;font-family:'ＭＳ Ｐゴシック';font-size:") +
            QLatin1String(keyword) + QStringLiteral(";color:#0F0000;")))
            << size;
        EXPECT_TRUE(block.contains(
            QStringLiteral(
                "    a {font-family:'ＭＳ Ｐゴシック';font-size:%1pt;color:#8080FF;}\r\n")
                .arg(size)));
    }
}

TEST(HtmlPageWriter, FixedRulesAndHead) {
    const QString block = styleBlock(htmltest::handStyles(), {});
    EXPECT_TRUE(block.startsWith(QStringLiteral("<style type=\"text/css\">\r\n    body {")));
    EXPECT_TRUE(block.contains(QStringLiteral("    h1 {margin: 7px 0px 6px 8px;font-family:'ＭＳ "
                                              "Ｐゴシック';font-size:14pt;color:#855A50;}\r\n"
                                              "    h3 {margin: 5px 0px 4px 8px;font-family:'ＭＳ "
                                              "Ｐゴシック';font-size:12pt;color:#54684D;}\r\n"
                                              "    h5 {margin: 3px 0px 2px 8px;font-family:'ＭＳ "
                                              "Ｐゴシック';font-size:11pt;color:#3A3F56;}\r\n"
                                              "    div {margin: 4px 0px 2px 0px;}\r\n")));
    EXPECT_TRUE(block.endsWith(QStringLiteral("    img {border:0px;}\r\n</style>\r\n")));

    const QString head = pageHead(QStringLiteral("<style>\r\n"), QStringLiteral("日記 <b>1日</b>"));
    EXPECT_EQ(head, QStringLiteral(
                        "<!DOCTYPE html PUBLIC '-//W3C//DTD HTML 4.01 Transitional//EN' "
                        "'http://www.w3.org/TR/html4/loose.dtd'>\r\n<html>\r\n<head>\r\n"
                        "<meta http-equiv='Content-Type' content='text/html; charset=UTF-8'>\r\n"
                        "<style>\r\n<title>日記 <b>1日</b></title>\r\n</head>"));
}

TEST(HtmlPageWriter, SerialisesWithIndentAndClasses) {
    TokenList t = {
        token("body", 1, "<body>", 0),
        token("div", 1, "<div>", 1, "", "title=\"a  b\""),
        token("val", 0, "text", -1),
        token("br", 0, "<br>", -1),
        token("img", 0, "<img src=\"x\">", 4, "", "src=\"x\" "),
        token("/div", -1, "</div>", 1),
        token("/body", -1, "</body>", 0),
        token("/html", -1, "</html>", 0),
    };
    t[1].cls = QStringLiteral("di01");
    EXPECT_EQ(serializeBody(t),
              QStringLiteral("\r\n<body>\r\n  <div title=\"a b\" class=\"di01\">text<br>"
                             "\r\n        <img src=\"x\">\r\n  </div>\r\n</body>\r\n</html>"));
}

TEST(HtmlPageWriter, MismatchedClosingTagClosesInnerElements) {
    TokenList t = {
        token("body", 1, "<body>", 0),    token("div", 1, "<div>", 1),
        token("span", 1, "<span>", 4),    token("b", 1, "<b>", -1),
        token("val", 0, "x", -1),         token("/div", -1, "</div>", 1),
        token("/body", -1, "</body>", 0),
    };
    EXPECT_EQ(
        serializeBody(t),
        QStringLiteral("\r\n<body>\r\n  <div>\r\n        <span><b>x</b>\r\n</span>\r\n  </div>"
                       "\r\n</body>"));
}
