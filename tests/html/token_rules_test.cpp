#include "html/token_rules.h"
#include "html/tokenizer.h"
#include "html_test_support.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace html;
using htmltest::firstKept;
using htmltest::keptTags;

namespace {

TokenList tokenize(const QString &body) {
    TokenList tokens;
    EXPECT_TRUE(
        tokenizeBody(body, {QStringLiteral("F"), 1.2f, QStringLiteral("file:///C:/d/")}, tokens));
    return tokens;
}

const QString kTipStyle = QStringLiteral("font-family:'F';font-size:10pt;color:#804040;");

} // namespace

TEST(HtmlTokenRules, TooltipAnchorBecomesTitledSpan) {
    TokenList t = tokenize(QStringLiteral("<body><p><a href=\"#TP_x\">word</a></p></body>"));
    convertTooltipLinks(t, QStringLiteral("other\tno\rWORD\texplanation\r"), kTipStyle);
    EXPECT_EQ(keptTags(t), QStringLiteral("body div span val /span /div /body"));
    EXPECT_EQ(t[2].raw, QStringLiteral("<span>"));
    EXPECT_EQ(t[2].attributes, QStringLiteral("title=\"word : explanation\""));
    EXPECT_EQ(t[2].style, kTipStyle);
    EXPECT_EQ(t[4].raw, QStringLiteral("</span>"));
}

TEST(HtmlTokenRules, TooltipTextComesFromTheAddressWithoutATableLine) {
    TokenList t =
        tokenize(QStringLiteral("<body><p><a href=\"#TP_説明\"><span>word</span></a></p></body>"));
    // A line for a longer text that merely ends in the link text is not the link's line.
    convertTooltipLinks(t, QStringLiteral("keyword\tother\r"), kTipStyle);
    EXPECT_EQ(firstKept(t, QStringLiteral("span")).attributes,
              QStringLiteral("title=\"word : 説明\""));
    EXPECT_EQ(keptTags(t), QStringLiteral("body div span span val /span /span /div /body"));
}

TEST(HtmlTokenRules, EmptyAnchorsAreDropped) {
    TokenList t = tokenize(QStringLiteral(
        "<body><p><a href=\"#TG_1\"></a>text<a href=\"http://x.jp/\">x</a></p></body>"));
    convertTooltipLinks(t, QString(), kTipStyle);
    EXPECT_EQ(keptTags(t), QStringLiteral("body div val a val /a /div /body"));
}

TEST(HtmlTokenRules, AttributesIntoStyles) {
    TokenList t = tokenize(QStringLiteral(
        "<body><table><tr valign=\"top\"><td align=\"center\" "
        "bgcolor=\"#FFFF00\">x</td></tr></table>"
        "<p align=\"right\">r</p><ul type=\"disc\"><li type=\"square\">i</li></ul></body>"));
    moveAttributesIntoStyles(t);
    const HtmlToken td = firstKept(t, QStringLiteral("td"));
    EXPECT_EQ(td.style, QStringLiteral("text-align:center; background-color:#FFFF00;"));
    EXPECT_TRUE(td.attributes.isEmpty());
    EXPECT_EQ(firstKept(t, QStringLiteral("tr")).style, QStringLiteral("vertical-align:top;"));
    EXPECT_EQ(firstKept(t, QStringLiteral("div")).style, QStringLiteral("text-align:right;"));
    EXPECT_EQ(firstKept(t, QStringLiteral("ul")).style, QStringLiteral("list-style-type:disc;"));
    EXPECT_EQ(firstKept(t, QStringLiteral("li")).style, QStringLiteral("list-style-type:square;"));
}

TEST(HtmlTokenRules, EmptySpansAndBlocksAreDropped) {
    TokenList t = tokenize(QStringLiteral("<body>"
                                          "<p></p>"
                                          "<p>\u00A0</p>"
                                          "<p>?</p>"
                                          "<p>😀</p>"
                                          "<p><span style=\"font-size:9pt\"></span>x</p>"
                                          "<p><span></span></p>"
                                          "</body>"));
    dropEmptyElements(t);
    EXPECT_EQ(keptTags(t), QStringLiteral("body div val /div div val /div div val /div "
                                          "div /div /body"));
}

TEST(HtmlTokenRules, HeadingsFromIndentAndSize) {
    settings::UserStyleTable styles = htmltest::handStyles();
    styles.styles[settings::Heading1].size = 16;
    TokenList t = tokenize(QStringLiteral("<body>"
                                          "<p style=\"margin-left:12pt;font-size:16pt\">h1</p>"
                                          "<p style=\"margin-left:0pt;font-size:16pt\">div</p>"
                                          "<p style=\"margin-left: 8pt; font-size: 12.5pt\">h3</p>"
                                          "<p style=\"margin-left:6pt;font-size:11pt\">h5</p>"
                                          "<p style=\"margin-left:5.4pt;font-size:20pt\">div</p>"
                                          "<p style=\"margin-left:9pt;font-size:10pt\">div</p>"
                                          "</body>"));
    recogniseHeadings(t, styles);
    EXPECT_EQ(keptTags(t), QStringLiteral("body h1 val /h1 div val /div h3 val /h3 h5 val /h5 "
                                          "div val /div div val /div /body"));
    EXPECT_EQ(t[3].raw, QStringLiteral("</h1>"));
    EXPECT_EQ(t[9].raw, QStringLiteral("</h3>"));
    EXPECT_EQ(t[7].style, QStringLiteral("margin-left: 8pt; font-size: 12.5pt"));
}

TEST(HtmlTokenRules, HugeSizesAreClampedNotOverflowed) {
    settings::UserStyleTable styles = htmltest::handStyles();
    styles.styles[settings::Heading1].size = 16;
    const QString digits(40, u'9');
    TokenList t =
        tokenize(QStringLiteral("<body><p style=\"margin-left:12pt;font-size:%1pt\">h1</p>"
                                "<p style=\"margin-left:-%1pt;font-size:20pt\">div</p>"
                                "</body>")
                     .arg(digits));
    recogniseHeadings(t, styles);
    EXPECT_EQ(keptTags(t), QStringLiteral("body h1 val /h1 div val /div /body"));
}

TEST(HtmlTokenRules, HeadingScanEndsAtTheFirstClosingBlock) {
    // The nested block's closing tag ends the outer one's scan, so the outer closing tag stays.
    TokenList t = tokenize(QStringLiteral("<body><div style=\"margin-left:12pt;font-size:14pt\">"
                                          "<div>x</div></div></body>"));
    recogniseHeadings(t, htmltest::handStyles());
    EXPECT_EQ(keptTags(t), QStringLiteral("body h1 div val /h1 /div /body"));
}

TEST(HtmlTokenRules, LayoutLevels) {
    TokenList t = tokenize(QStringLiteral("<body><table><tr><td><p>x<a href=\"#a\">y</a><br><img "
                                          "src=\"i.png\"></p></td></tr></table></body>"));
    assignLevels(t);
    QStringList levels;
    for (const HtmlToken &token : t)
        levels << token.tag + u'=' + QString::number(token.level);
    EXPECT_EQ(levels.join(u' '),
              QStringLiteral("body=0 table=1 tr=2 td=3 div=1 val=-1 a=4 val=-1 /a=-1 br=-1 img=4 "
                             "/div=1 /td=-1 /tr=-1 /table=1 /body=0"));
}
