// User styles on a bare text surface: classification, applying, paragraph boundaries, indent,
// headers and footers, tidying.
#include "editor/styles/header_footer.h"
#include "editor/styles/indent.h"
#include "editor/styles/paragraph_rewrite.h"
#include "editor/styles/style_apply.h"
#include "editor/styles/styles.h"
#include "editor/styles/tidy.h"
#include "platform/text/text_surface.h"
#include "scripted_dialogs.h"

#include <QTextDocument>
#include <gtest/gtest.h>

using namespace editor;
using platform::TextSurface;

namespace {

const QChar kEnd(10);
const QChar kBreak(11);

class StylesTest : public ::testing::Test {
protected:
    void write(const QString &text) {
        surface.resetContents();
        surface.setSelText(text);
    }
    bool apply(int style, int type = 0, bool quiet = false) {
        return applyUserStyle(StyleTarget{surface, table, type, {}, {}, {}}, style, quiet);
    }
    QByteArray bytes() { return surface.saveToMemory(TextSurface::Internal); }
    // The character format of the character at position.
    double sizeAt(int position) {
        surface.select(position, 1);
        return surface.fontSize();
    }
    int colourAt(int position) {
        surface.select(position, 1);
        return surface.textColor();
    }

    TextSurface surface;
    settings::UserStyleTable table = settings::UserStyleTable::defaults();
    testsupport::ScriptedDialogsGuard dialogs;
};

} // namespace

TEST_F(StylesTest, ClassificationDefaultsAndMatches) {
    write(QStringLiteral("何か"));
    surface.select(0, 2);
    surface.setFontName(QStringLiteral("IPAMincho"));
    surface.setSelStart(1);
    EXPECT_EQ(classifyStyle(surface, table), 3);
    surface.select(0, 0);
    surface.setLeftIndent(300);
    surface.setSelStart(1);
    EXPECT_EQ(classifyStyle(surface, table), 2);

    write(QStringLiteral("強調文\n見出し"));
    surface.select(0, 3);
    apply(settings::Emphasis);
    surface.setSelStart(1);
    EXPECT_EQ(classifyStyle(surface, table), settings::Emphasis);
    surface.select(4, 3);
    apply(settings::Heading2, 1);
    surface.setSelStart(5);
    EXPECT_EQ(classifyStyle(surface, table), settings::Heading2);
    EXPECT_TRUE(caretInHeading(surface, table));
}

TEST_F(StylesTest, DiaryEditorAppliesBodyStylesButNoHeadings) {
    write(QStringLiteral("一行目の文"));
    const QByteArray before = bytes();
    for (int heading : {0, 1, 2}) {
        surface.select(0, 5);
        EXPECT_FALSE(apply(heading));
        EXPECT_EQ(bytes(), before);
    }
    EXPECT_TRUE(dialogs->shown.isEmpty());

    for (int style : {settings::Body, settings::Emphasis, settings::Supplement}) {
        surface.select(0, 5);
        EXPECT_TRUE(apply(style));
        const settings::UserStyle &s = table.styles[std::size_t(style)];
        EXPECT_EQ(sizeAt(2), s.size) << style;
        EXPECT_EQ(colourAt(2), s.textColor) << style;
        EXPECT_EQ(surface.fontName(), s.fontName);
    }
    surface.setSelStart(1);
    EXPECT_EQ(surface.leftIndent(), table.styles[settings::Body].leftIndent);
    EXPECT_EQ(surface.lineAmount(), 240); // 10 points × 20 × 1.2
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

TEST_F(StylesTest, HeadingMidLineIsolatesThatLine) {
    write(QStringLiteral("一行目") + kBreak + QStringLiteral("二行目の文") + kBreak +
          QStringLiteral("三行目"));
    surface.setSelStart(6); // inside 二行目の文
    ASSERT_TRUE(apply(settings::Heading1, 1));
    EXPECT_EQ(surface.text(), QStringLiteral("一行目") + kEnd + QStringLiteral("二行目の文") +
                                  kEnd + QStringLiteral("三行目"));
    EXPECT_EQ(surface.selStart(), 9);
    EXPECT_EQ(surface.selLength(), 0);
    EXPECT_EQ(sizeAt(4), 14);
    EXPECT_EQ(sizeAt(0), sizeAt(11));
    EXPECT_NE(sizeAt(0), 14);
    surface.setSelStart(5);
    EXPECT_EQ(surface.leftIndent(), 160);
    surface.setSelStart(11);
    EXPECT_EQ(surface.leftIndent(), 0);
}

TEST_F(StylesTest, HeadingOnTheLastLineAppendsAParagraphEnd) {
    write(QStringLiteral("一行目") + kEnd + QStringLiteral("最後の行"));
    surface.setSelStart(6);
    ASSERT_TRUE(apply(settings::Heading3, 1));
    EXPECT_EQ(surface.text(), QStringLiteral("一行目") + kEnd + QStringLiteral("最後の行") + kEnd);
    EXPECT_EQ(surface.selStart(), 8);
    EXPECT_EQ(sizeAt(5), 11);
}

TEST_F(StylesTest, HeadingSelectionStartingAtALineMakesItsOwnParagraph) {
    write(QStringLiteral("前") + kBreak + QStringLiteral("見出し") + kBreak + QStringLiteral("後"));
    surface.select(2, 3);
    ASSERT_TRUE(apply(settings::Heading1, 1));
    EXPECT_EQ(surface.text(),
              QStringLiteral("前") + kEnd + QStringLiteral("見出し") + kEnd + QStringLiteral("後"));
    // The caret's line is isolated as well: the caret ends at its end.
    EXPECT_EQ(surface.selStart(), 5);
    EXPECT_EQ(surface.selLength(), 0);
    EXPECT_EQ(sizeAt(3), 14);
    EXPECT_NE(sizeAt(6), 14);
}

TEST_F(StylesTest, BodyStyleJoinsSelectedParagraphs) {
    write(QStringLiteral("一つ目\n二つ目\n三つ目"));
    surface.select(0, 11);
    ASSERT_TRUE(apply(settings::Body));
    EXPECT_EQ(surface.text(), QStringLiteral("一つ目") + kBreak + QStringLiteral("二つ目") +
                                  kBreak + QStringLiteral("三つ目"));
    EXPECT_EQ(surface.selStart(), 0);
    EXPECT_EQ(surface.selLength(), 11);

    // Paragraphs next to a list keep their ends, and quietly nothing is rewritten.
    write(QStringLiteral("普通一\n普通二\n項目"));
    surface.select(8, 1);
    surface.setListState(TextSurface::BulletList);
    surface.select(0, 10);
    apply(settings::Body);
    EXPECT_EQ(surface.text(), QStringLiteral("普通一") + kBreak + QStringLiteral("普通二\n項目"));
    surface.setSelStart(9);
    EXPECT_EQ(surface.listState(), TextSurface::BulletList);
    write(QStringLiteral("一\n二"));
    surface.select(0, 3);
    apply(settings::Body, 0, true);
    EXPECT_EQ(surface.text(), QStringLiteral("一\n二"));
}

TEST_F(StylesTest, NothingSelectedChangesOnlyTheTypingFormat) {
    write(QStringLiteral("本文です"));
    const QString text = surface.text();
    const int colour = colourAt(1);
    surface.setSelStart(2);
    ASSERT_TRUE(apply(settings::Emphasis));
    EXPECT_EQ(surface.text(), text);
    EXPECT_EQ(surface.selStart(), 2);
    EXPECT_EQ(surface.selLength(), 0);
    EXPECT_EQ(surface.textColor(), table.styles[settings::Emphasis].textColor);
    surface.setSelText(QStringLiteral("赤"));
    EXPECT_EQ(colourAt(2), table.styles[settings::Emphasis].textColor);
    EXPECT_EQ(colourAt(1), colour);
    EXPECT_EQ(colourAt(3), colour);

    // On an empty paragraph the format waits there for a caret that comes back.
    write(QStringLiteral("前\n\n後"));
    surface.setSelStart(2);
    ASSERT_TRUE(apply(settings::Supplement));
    EXPECT_EQ(surface.text(), QStringLiteral("前\n\n後"));
    surface.setSelStart(0);
    surface.setSelStart(2);
    EXPECT_EQ(surface.textColor(), table.styles[settings::Supplement].textColor);
}

TEST_F(StylesTest, LinksKeepTheirColourAndUnderline) {
    write(QStringLiteral("前の文"));
    const int id = surface.insertField(QStringLiteral("リンク"));
    surface.setFieldData(QStringLiteral("https://example.org/"), id);
    surface.setFieldLinkKind(1, id);
    surface.setSelText(QStringLiteral("後の文"));
    surface.select(0, surface.textLength());
    ASSERT_TRUE(apply(settings::Emphasis));
    EXPECT_EQ(colourAt(4), 0xff8080);
    surface.select(4, 1);
    EXPECT_TRUE(surface.underline());
    EXPECT_EQ(colourAt(0), table.styles[settings::Emphasis].textColor);
    surface.select(0, 1);
    EXPECT_FALSE(surface.underline());
    EXPECT_EQ(colourAt(7), table.styles[settings::Emphasis].textColor);
}

TEST_F(StylesTest, HeadingRefusedForAList) {
    write(QStringLiteral("項目"));
    surface.select(0, 2);
    surface.setListState(TextSurface::NumberedList);
    const QByteArray before = bytes();
    surface.setSelStart(1);
    EXPECT_FALSE(apply(settings::Heading1, 1));
    EXPECT_EQ(dialogs->messages(),
              QStringList{QStringLiteral("ﾘｽﾄを含む範囲に対しては､見出しのｽﾀｲﾙは設定できません")});
    EXPECT_FALSE(apply(settings::Heading1, 1, true));
    EXPECT_EQ(dialogs->messages().size(), 1);
    EXPECT_EQ(bytes(), before);
}

TEST_F(StylesTest, ColourMarksUseBodyParagraphs) {
    write(QStringLiteral("印"));
    surface.select(0, 1);
    apply(6);
    EXPECT_EQ(colourAt(0), colourMarkColour(6));
    EXPECT_EQ(sizeAt(0), table.styles[6].size);
    surface.select(0, 1);
    apply(8);
    EXPECT_EQ(colourAt(0), colourMarkColour(8));
    EXPECT_EQ(sizeAt(0), table.styles[settings::Body].size);
}

TEST_F(StylesTest, RewriteAndIsolateAroundBreaks) {
    write(QStringLiteral("あ") + kBreak + QStringLiteral("い") + kBreak + QStringLiteral("う"));
    surface.select(2, 1);
    EXPECT_FALSE(rewriteBoundaries(surface, true, BreakDirection::BreaksToEnds));
    EXPECT_EQ(surface.text(), QStringLiteral("あ\nい\nう"));
    surface.select(1, 3);
    EXPECT_TRUE(rewriteBoundaries(surface, true, BreakDirection::EndsToBreaks));
    EXPECT_EQ(surface.text(), QStringLiteral("あ") + kBreak + QStringLiteral("い\nう"));

    // A page break ends the line before it and stays outside the isolated line.
    write(QStringLiteral("前") + QChar(12) + QStringLiteral("後ろ") + QChar(12) +
          QStringLiteral("次"));
    ASSERT_EQ(surface.charAt(1), QChar(12));
    EXPECT_EQ(isolateLine(surface, 3), 4);
    EXPECT_EQ(surface.selText(), QStringLiteral("後ろ"));
    EXPECT_EQ(surface.textLength(), 6);
}

TEST_F(StylesTest, IndentByCharacters) {
    EXPECT_EQ(indentUnit(table), 200);
    write(QStringLiteral("段落の文"));
    surface.select(0, 2);
    ASSERT_TRUE(indentParagraph(surface, table, 0, 0));
    ASSERT_TRUE(indentParagraph(surface, table, 0, 0));
    EXPECT_EQ(surface.leftIndent(), 400);

    dialogs->inputs.enqueue(QStringLiteral("0"));
    ASSERT_TRUE(indentParagraph(surface, table, 0, 1));
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown.at(0).kind, QStringLiteral("input"));
    EXPECT_EQ(dialogs->shown.at(0).text, QStringLiteral("左ｲﾝﾃﾞﾝﾄの文字数を指定して下さい"));
    EXPECT_EQ(dialogs->shown.at(0).title, QStringLiteral("字下げ(字上げ)"));
    EXPECT_EQ(surface.leftIndent(), 0);

    dialogs->inputs.enqueue(QStringLiteral("1.5"));
    ASSERT_TRUE(indentParagraph(surface, table, 0, 1));
    EXPECT_EQ(surface.leftIndent(), 300);
    const QByteArray before = bytes();
    dialogs->inputs.enqueue(QString());
    EXPECT_FALSE(indentParagraph(surface, table, 0, 1));
    dialogs->inputs.enqueue(QStringLiteral("たくさん"));
    EXPECT_FALSE(indentParagraph(surface, table, 0, 1));
    EXPECT_EQ(bytes(), before);
}

TEST_F(StylesTest, IndentRefusals) {
    write(QStringLiteral("一\n二"));
    surface.setSelStart(1);
    EXPECT_FALSE(indentParagraph(surface, table, 0, 0));
    surface.select(0, 3);
    EXPECT_FALSE(indentParagraph(surface, table, 2, 0));
    EXPECT_EQ(surface.text(), QStringLiteral("一\n二"));
    // The diary editor joins the paragraphs first.
    EXPECT_TRUE(indentParagraph(surface, table, 0, 0));
    // The selection reached the end of the text, which now ends its paragraph.
    EXPECT_EQ(surface.text(), QStringLiteral("一") + kBreak + QStringLiteral("二\n"));

    write(QStringLiteral("見出し"));
    surface.select(0, 3);
    surface.setFontSize(14);
    surface.setLeftIndent(160);
    EXPECT_FALSE(indentParagraph(surface, table, 0, 0));
    EXPECT_EQ(surface.leftIndent(), 160);
    EXPECT_EQ(
        dialogs->messages(),
        (QStringList{QStringLiteral("範囲が指定されていません"),
                     QStringLiteral("複数の段落にまたがっています"),
                     QStringLiteral("見出し部には、設定できません (Htmではｽﾀｲﾙｼｰﾄで設定します)")}));
}

TEST_F(StylesTest, HeaderAndFooterBits) {
    write(QStringLiteral("本文"));
    surface.setSelStart(1);
    EXPECT_TRUE(switchHeaderFooter(surface, table, 1));
    EXPECT_FALSE(switchHeaderFooter(surface, table, 1));
    EXPECT_EQ(surface.headerFooterBits(), 1);
    EXPECT_EQ(surface.areaDocument(1)->toPlainText(), QStringLiteral("Header"));
    EXPECT_EQ(surface.activeArea(), 0);
    EXPECT_EQ(surface.selStart(), 1);

    EXPECT_TRUE(switchHeaderFooter(surface, table, 8));
    EXPECT_EQ(surface.headerFooterBits(), 9);
    ASSERT_TRUE(surface.setActiveArea(8));
    EXPECT_EQ(surface.text(), QStringLiteral("Footer"));
    surface.select(0, 6);
    EXPECT_EQ(surface.alignment(), table.styles[settings::Footer].alignment);
    EXPECT_EQ(surface.fontSize(), 9);
    EXPECT_EQ(surface.textColor(), table.styles[settings::Footer].textColor);
    surface.setActiveArea(0);

    EXPECT_TRUE(switchHeaderFooter(surface, table, -1));
    EXPECT_FALSE(switchHeaderFooter(surface, table, -1));
    EXPECT_EQ(surface.headerFooterBits(), 8);
    EXPECT_FALSE(switchHeaderFooter(surface, table, 3));
    EXPECT_EQ(surface.text(), QStringLiteral("本文"));
}

TEST_F(StylesTest, TidyJoinsAlikeParagraphsAndTrimsTheEnd) {
    write(QStringLiteral("見出し\n一つ目\n二つ目\n\n　\n"));
    surface.select(0, 3);
    surface.setLeftIndent(160);
    EXPECT_TRUE(tidyText(surface));
    EXPECT_EQ(surface.text(), QStringLiteral("見出し\n一つ目") + kBreak + QStringLiteral("二つ目"));
    EXPECT_FALSE(tidyText(surface));
}
