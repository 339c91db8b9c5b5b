#include "html/converter.h"
#include "html/link_address.h"
#include "html/tokenizer.h"
#include "html_test_support.h"
#include "settings/user_styles.h"

#include <gtest/gtest.h>

using namespace html;
using htmltest::firstKept;
using htmltest::keptTags;

namespace {

TokenList tokenize(const QString &body, float factor = 1.2f,
                   const QString &base = QStringLiteral("file:///C:/a/b/")) {
    TokenList tokens;
    EXPECT_TRUE(tokenizeBody(body, {QStringLiteral("ＭＳ Ｐゴシック"), factor, base}, tokens));
    return tokens;
}

QString linkOf(const QString &attributes, const QString &base = QStringLiteral("file:///C:/a/b/")) {
    return rewriteLinkAttributes(attributes, base);
}

} // namespace

TEST(HtmlTokenizer, ParagraphBecomesBlockWithoutDefaultDeclarations) {
    const TokenList t = tokenize(QStringLiteral(
        "<body>\r\n<p "
        "style=\"margin-left:0pt;text-indent:0pt;font-size:10.5pt\">今日は晴れ</p>\r\n</body>"));
    EXPECT_EQ(keptTags(t), QStringLiteral("body div val /div /body"));
    EXPECT_EQ(t[1].style, QStringLiteral("font-size:10.5pt"));
    EXPECT_EQ(t[1].kind, 1);
    EXPECT_EQ(t[2].raw, QStringLiteral("今日は晴れ"));
    EXPECT_EQ(t[3].raw, QStringLiteral("</div>"));
    EXPECT_EQ(t[3].kind, -1);
}

TEST(HtmlTokenizer, LineBreaksOfTheFileAreNotText) {
    const TokenList crlf = tokenize(QStringLiteral("<body>\r\n<p>a</p>\r\n</body>"));
    const TokenList lf = tokenize(QStringLiteral("<body>\n<p>a<br />b</p>\n</body>"));
    EXPECT_EQ(keptTags(crlf), QStringLiteral("body div val /div /body"));
    EXPECT_EQ(keptTags(lf), QStringLiteral("body div val br val /div /body"));
    EXPECT_EQ(lf[3].raw, QStringLiteral("<br>"));
}

TEST(HtmlTokenizer, LineHeightOfTheUserFactorIsDropped) {
    const QString body =
        QStringLiteral("<body><p style=\"line-height:114%;font-size:10pt\">a</p>"
                       "<p style=\"line-height:115%;font-size:10pt\">b</p>"
                       "<p style=\"line-height:100%;font-size:10pt\">c</p></body>");
    const TokenList t = tokenize(body, 1.15f);
    EXPECT_EQ(t[1].style, QStringLiteral("font-size:10pt"));
    EXPECT_EQ(t[4].style, QStringLiteral("line-height:115%;font-size:10pt"));
    EXPECT_EQ(t[7].style, QStringLiteral("font-size:10pt"));
    const TokenList half = tokenize(
        QStringLiteral("<body><p style=\"line-height:150%;font-size:10pt\">a</p></body>"), 1.5f);
    EXPECT_EQ(half[1].style, QStringLiteral("font-size:10pt"));
}

TEST(HtmlTokenizer, TopLevelElementsTakeTheBodyDeclarations) {
    const TokenList t = tokenize(QStringLiteral(
        "<body "
        "style=\"font-family:'Arial';font-size:10pt;line-height:130%;background-color:#ffffff\">"
        "<p style=\"font-size:12pt\">a</p>"
        "<table><tr><td><p style=\"margin-left:3pt\">b</p></td></tr></table></body>"));
    EXPECT_TRUE(t[0].style.isEmpty());
    EXPECT_EQ(t[1].style, QStringLiteral("font-size:12pt;font-family:'ＭＳ Ｐゴシック';"));
    EXPECT_EQ(firstKept(t, QStringLiteral("table")).style,
              QStringLiteral("font-family:'ＭＳ Ｐゴシック';font-size:10pt;"));
    EXPECT_EQ(t[7].tag, QStringLiteral("div"));
    EXPECT_EQ(t[7].style, QStringLiteral("margin-left:3pt"));
}

TEST(HtmlTokenizer, TagRules) {
    const TokenList t = tokenize(QStringLiteral(
        "<body><table cellspacing=\"0\" cellpadding=\"0\" cols=\"2\" border=\"1\">"
        "<tr><td>x</td></tr></table>"
        "<img src=\"p_images/a.png\" title=\"pic\" style=\"width:120pt\" width=\"160\" />"
        "<a href=\"http://example.com/\" target=\"_blank\" "
        "style=\"color:#0000ff;font-size:9pt\">w</a>"
        "</body>"));
    EXPECT_EQ(firstKept(t, QStringLiteral("table")).attributes.trimmed(),
              QStringLiteral("border=\"1\""));
    const HtmlToken img = firstKept(t, QStringLiteral("img"));
    EXPECT_EQ(img.kind, 0);
    EXPECT_EQ(img.attributes, QStringLiteral("src=\"p_images/a.png\" width=\"160\""));
    EXPECT_EQ(img.style, QStringLiteral("width:120pt"));
    const HtmlToken a = firstKept(t, QStringLiteral("a"));
    EXPECT_EQ(a.style, QStringLiteral("font-size:9pt;"));
    EXPECT_EQ(a.attributes, QStringLiteral("href=\"http://example.com/\" target=\"_blank\""));
}

TEST(HtmlTokenizer, FontsAndFullWidthSpaces) {
    const TokenList t = tokenize(QStringLiteral(
        "<body><p><span style=\"font-family:'Arial'\">\u3000字下げ</span></p></body>"));
    EXPECT_EQ(t[2].style, QStringLiteral("font-family:'ＭＳ Ｐゴシック'"));
    EXPECT_EQ(t[3].raw, QStringLiteral("\u2177字下げ"));
}

TEST(HtmlTokenizer, HighlightedParagraphIsRewritten) {
    const QString text = QStringLiteral("\r<p "
                                        "style=\"margin-left:6pt;background-color:#FFFF00;Font-"
                                        "Size:10pt\">\r\r<b>\r注意\r</b>\r\r</p>\r");
    EXPECT_EQ(
        rewriteHighlightedParagraphs(text),
        QStringLiteral("\r<p style=\"margin-left:6pt;\">\r\n<span style=\"background-color:#ffff00;"
                       "font-size:10pt;\">\r\n<b>注意</b>\r\n</span>\r\n</p>\r"));

    const TokenList t = tokenize(QStringLiteral(
        "<body><p style=\"margin-left:6pt;background-color:#FFFF00\">注意</p><p>次</p></body>"));
    EXPECT_EQ(keptTags(t), QStringLiteral("body div val val val val div val /div /body"));
    EXPECT_EQ(t[1].style, QStringLiteral("margin-left:6pt;"));
    EXPECT_EQ(t[2].raw, QStringLiteral("\n<span style=\"background-color:#ffff00;\">"));
    EXPECT_EQ(t[3].raw, QStringLiteral("\n注意"));
    EXPECT_EQ(t[5].raw, QStringLiteral("\n</p>"));
}

TEST(HtmlTokenizer, OnlyTheParagraphsOwnStyleMarksItHighlighted) {
    const QString text =
        QStringLiteral("\r<p>\rbackground-color は背景色\r</p>\r"
                       "\r<p style=\"font-size:9pt\">\r\r<span "
                       "style=\"background-color:#00ff00\">\rx\r</span>\r\r</p>\r");
    EXPECT_EQ(rewriteHighlightedParagraphs(text), text);
}

TEST(HtmlTokenizer, TokenCountIsLimited) {
    TokenList tokens;
    const TokenizerContext context{QStringLiteral("F"), 1.2f, QString()};
    QString body = QStringLiteral("<body>") + QStringLiteral("<br>").repeated(kMaxTokens - 1);
    EXPECT_TRUE(tokenizeBody(body, context, tokens));
    EXPECT_EQ(tokens.size(), size_t(kMaxTokens));
    body += QStringLiteral("<br>");
    EXPECT_FALSE(tokenizeBody(body, context, tokens));
}

TEST(HtmlLinks, TagLinksPointToTheirPages) {
    EXPECT_EQ(linkOf(QStringLiteral("href=\"#TG_x_5\" name=\"n\"")),
              QStringLiteral("href=\"005.htm\""));
    EXPECT_EQ(linkOf(QStringLiteral("href=\"#TG_12.HTML\"")), QStringLiteral("href=\"12.HTML\""));
}

TEST(HtmlLinks, FileAndRelativeAddresses) {
    EXPECT_EQ(linkOf(QStringLiteral("href=\"../other/page.htm\"")),
              QStringLiteral("href=\"C:/a/other/page.htm\""));
    EXPECT_EQ(linkOf(QStringLiteral("href=\"page.htm\" target=\"x\"")),
              QStringLiteral("href=\"C:/a/b/page.htm\""));
    EXPECT_EQ(linkOf(QStringLiteral("href=\"../../../x.htm\"")),
              QStringLiteral("href=\"C:/x.htm\""));
    EXPECT_EQ(linkOf(QStringLiteral("href=\"FILE:///D:/docs/a.pdf\"")),
              QStringLiteral("href=\"D:/docs/a.pdf\""));
    EXPECT_EQ(linkOf(QStringLiteral("href=\"../p.htm\""), QStringLiteral("file:///home/u/diary/")),
              QStringLiteral("href=\"/home/u/p.htm\""));
    EXPECT_EQ(linkOf(QStringLiteral("href=\"file:///home/u/a.txt\"")),
              QStringLiteral("href=\"/home/u/a.txt\""));
    EXPECT_EQ(linkOf(QStringLiteral("href=\"p.htm\" id=\"1\""), QString()),
              QStringLiteral("href=\"p.htm\""));
}

TEST(HtmlLinks, AddressesWithTheirOwnSchemeStay) {
    for (const char *attributes : {"href=\"http://example.com/a\" target=\"_blank\"",
                                   "href=\"https://example.com/a\" target=\"_blank\"",
                                   "href=\"mailto:me@example.com\"", "href=\"ftp://example.com/f\"",
                                   "href=\"#top\"", "href=\"#TP_説明\"", "name=\"anchor\""}) {
        EXPECT_EQ(linkOf(QString::fromUtf8(attributes)), QString::fromUtf8(attributes))
            << attributes;
    }
}

TEST(HtmlLinks, ScriptAddressesAreDroppedHowEverTheyAreSpelt) {
    for (const char *attributes :
         {"href=\"javascript:alert(1)\"", "href=\"JavaScript:alert('http://x')\"",
          "href=\" java&#x09;script:alert(1)\" title=\"t\"", "href=\"&#106;avascript:alert(1)\"",
          "href=\"vbscript:msgbox\"", "href=\"data:text/html;base64,PHNjcmlwdD4=\""}) {
        EXPECT_EQ(linkOf(QString::fromUtf8(attributes)), QString()) << attributes;
    }
    const ConvertedPage converted =
        convertPage(htmltest::exportedPage(QStringLiteral(
                        "<body><p><a href=\"javascript:alert(1)\">押す</a></p></body>")),
                    {QStringLiteral("/tmp/p.htm"), {}, QStringLiteral("p")},
                    settings::UserStyleTable::defaults());
    ASSERT_TRUE(converted.status.ok());
    EXPECT_FALSE(converted.page().contains(QLatin1String("javascript"), Qt::CaseInsensitive));
    EXPECT_TRUE(converted.page().contains(QStringLiteral("押す")));
}
