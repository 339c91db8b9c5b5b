#include "html/text_rules.h"
#include "html/yhtm.h"

#include <gtest/gtest.h>

using namespace html;

TEST(HtmlTextRules, TextBetweenMarkers) {
    EXPECT_EQ(textBetween(QStringLiteral("a href=\"x.htm\" b"), QStringLiteral("HREF=\""),
                          QStringLiteral("\"")),
              QStringLiteral("x.htm"));
    EXPECT_EQ(textBetween(QStringLiteral("margin-left:12"), QStringLiteral("margin-left:"),
                          QStringLiteral("pt")),
              QStringLiteral("12"));
    EXPECT_EQ(textBetween(QStringLiteral("abc"), QString(), QStringLiteral("c")),
              QStringLiteral("ab"));
    EXPECT_TRUE(
        textBetween(QStringLiteral("abc"), QStringLiteral("x"), QStringLiteral("c")).isEmpty());
}

TEST(HtmlTextRules, RemovesDeclarationsAndAttributes) {
    EXPECT_EQ(removeItem(QStringLiteral("font-size:10pt;color:#0000ff"), QStringLiteral("color")),
              QStringLiteral("font-size:10pt;"));
    EXPECT_EQ(removeItem(QStringLiteral("font-size:10pt"), QStringLiteral("color")),
              QStringLiteral("font-size:10pt"));
    EXPECT_EQ(removeItem(QStringLiteral("src=\"a.png\" title=\"x y\" width=\"3\""),
                         QStringLiteral("title")),
              QStringLiteral("src=\"a.png\" width=\"3\""));
    EXPECT_EQ(removeItem(QString(), QStringLiteral("color")), QString());
}

TEST(HtmlTextRules, AttributeBecomesDeclaration) {
    QString attributes = QStringLiteral("align=\"center\" bgcolor= \"#FFFF00\"");
    QString style;
    attributeToDeclaration(attributes, style, QStringLiteral("align"),
                           QStringLiteral("text-align"));
    attributeToDeclaration(attributes, style, QStringLiteral("valign"),
                           QStringLiteral("vertical-align"));
    attributeToDeclaration(attributes, style, QStringLiteral("bgcolor"),
                           QStringLiteral("background-color"));
    EXPECT_EQ(style, QStringLiteral("text-align:center; background-color:#FFFF00;"));
    EXPECT_TRUE(attributes.isEmpty());

    attributes = QStringLiteral("valign=\"top\" width=\"50\"");
    style = QStringLiteral("font-size:9pt;");
    attributeToDeclaration(attributes, style, QStringLiteral("align"),
                           QStringLiteral("text-align"));
    EXPECT_EQ(attributes, QStringLiteral("valign=\"top\" width=\"50\""));
    EXPECT_EQ(style, QStringLiteral("font-size:9pt;"));
}

TEST(HtmlTextRules, ColourIsWrittenRedGreenBlue) {
    EXPECT_EQ(colourText(0x0F), QStringLiteral("0F0000"));
    EXPECT_EQ(colourText(0), QStringLiteral("000000"));
    EXPECT_EQ(colourText(0xFF8080), QStringLiteral("8080FF"));
    EXPECT_EQ(colourText(0x404080), QStringLiteral("804040"));
    EXPECT_EQ(colourText(5266053), QStringLiteral("855A50"));
}

TEST(HtmlTextRules, TagPageFileNames) {
    EXPECT_EQ(yHtm::HsFName(QStringLiteral("7")), QStringLiteral("007.htm"));
    EXPECT_EQ(yHtm::HsFName(QStringLiteral(" 5 ")), QStringLiteral("005.htm"));
    EXPECT_EQ(yHtm::HsFName(QString()), QStringLiteral("000.htm"));
    EXPECT_EQ(yHtm::HsFName(QStringLiteral("1234")), QStringLiteral("1234.htm"));
    EXPECT_EQ(yHtm::HsFName(QStringLiteral("12.HTML")), QStringLiteral("12.HTML"));
    EXPECT_EQ(yHtm::HsFName(QStringLiteral("diary.Htm")), QStringLiteral("diary.Htm"));
}

TEST(HtmlTextRules, LeadingNumbers) {
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("10.5")), 10.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("12px;font-size:16")), 12.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QString()), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("x12")), 0.0);
}

TEST(HtmlTextRules, BlankParagraphTextUsesCodePage932) {
    EXPECT_TRUE(isBlankParagraphText(QString()));
    EXPECT_TRUE(isBlankParagraphText(QString(QChar(0xA0))));
    EXPECT_TRUE(isBlankParagraphText(QString(QChar(0xA0)) + u' ' + QChar(0xA0)));
    // Text code page 932 cannot write, or a real question mark, is content.
    EXPECT_FALSE(isBlankParagraphText(QStringLiteral("?")));
    EXPECT_FALSE(isBlankParagraphText(QStringLiteral("😀 いい日")));
    EXPECT_FALSE(isBlankParagraphText(QStringLiteral("Übermorgen")));
    EXPECT_FALSE(isBlankParagraphText(QString(QChar(0x2177))));
    EXPECT_FALSE(isBlankParagraphText(QStringLiteral("\t")));
}
