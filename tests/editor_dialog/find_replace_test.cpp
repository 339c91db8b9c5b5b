#include "editor_dialog/find_replace.h"
#include "editor_dialog/text_conversion.h"
#include "platform/text/text_surface.h"

#include <gtest/gtest.h>

using editor_dialog::FindReplace;
using platform::TextSurface;

namespace {

class FindReplaceTest : public ::testing::Test {
protected:
    void write(const QString &text) {
        surface.select(0, -1);
        surface.setSelText(text);
        surface.setSelStart(0);
        surface.setSelLength(0);
    }
    TextSurface surface;
    FindReplace finder{surface};
};

} // namespace

TEST_F(FindReplaceTest, FindFromStartBackwardsAndForwards) {
    write(QStringLiteral("日記の日記とNikki と nikki"));
    surface.setSelStart(8);
    EXPECT_EQ(finder.findFromStart(QStringLiteral("日記"), false), 0);
    EXPECT_EQ(surface.selText(), QStringLiteral("日記"));
    EXPECT_EQ(finder.lastPosition(), 0);
    EXPECT_EQ(finder.lastText(), QStringLiteral("日記"));
    // Forwards goes on after the found text, not onto it again.
    EXPECT_EQ(finder.findForward(QStringLiteral("日記"), false), 3);
    EXPECT_EQ(finder.findForward(QStringLiteral("日記"), false), -1);
    EXPECT_EQ(finder.lastPosition(), 3); // a miss keeps the last hit
    EXPECT_EQ(finder.findBackward(QStringLiteral("日記"), false), 0);
    EXPECT_EQ(finder.findBackward(QStringLiteral("日記"), false), -1);
}

TEST_F(FindReplaceTest, CaseOption) {
    write(QStringLiteral("日記の日記とNikki と nikki"));
    EXPECT_EQ(finder.findFromStart(QStringLiteral("nikki"), false), 6);
    EXPECT_EQ(finder.findFromStart(QStringLiteral("nikki"), true), 14);
    surface.setSelStart(int(surface.textLength()));
    EXPECT_EQ(finder.findBackward(QStringLiteral("NIKKI"), false), 14);
    EXPECT_EQ(finder.findBackward(QStringLiteral("NIKKI"), true), -1);
}

TEST_F(FindReplaceTest, ReplaceOneAtATime) {
    write(QStringLiteral("今日は晴れ、明日も晴れ"));
    // Nothing found yet and no selection: nothing is replaced, the next one is found.
    EXPECT_FALSE(finder.replace(QStringLiteral("晴れ"), QStringLiteral("雨"), false));
    EXPECT_EQ(surface.selText(), QStringLiteral("晴れ"));
    EXPECT_TRUE(finder.replace(QStringLiteral("晴れ"), QStringLiteral("雨"), false));
    EXPECT_EQ(surface.text(), QStringLiteral("今日は雨、明日も晴れ"));
    EXPECT_EQ(surface.selStart(), 8); // the next one is selected
    EXPECT_TRUE(finder.replace(QStringLiteral("晴れ"), QStringLiteral("雨"), false));
    EXPECT_EQ(surface.text(), QStringLiteral("今日は雨、明日も雨"));
    EXPECT_FALSE(finder.replace(QStringLiteral("晴れ"), QStringLiteral("雨"), false));
}

TEST_F(FindReplaceTest, ReplaceAllIsOneUndoStep) {
    write(QStringLiteral("猫と猫と犬と猫"));
    EXPECT_EQ(finder.replaceAll(QStringLiteral("猫"), QStringLiteral("ねこ"), false), 3);
    EXPECT_EQ(surface.text(), QStringLiteral("ねことねこと犬とねこ"));
    ASSERT_TRUE(surface.canUndo());
    surface.undo();
    EXPECT_EQ(surface.text(), QStringLiteral("猫と猫と犬と猫"));
}

TEST_F(FindReplaceTest, ReplaceAllEndsWithEmptyOrSelfContainingTexts) {
    write(QStringLiteral("春の春"));
    EXPECT_EQ(finder.replaceAll(QString(), QStringLiteral("夏"), false), 0);
    EXPECT_EQ(surface.text(), QStringLiteral("春の春"));
    // The replacement contains the text: each occurrence is replaced once.
    EXPECT_EQ(finder.replaceAll(QStringLiteral("春"), QStringLiteral("春春"), false), 2);
    EXPECT_EQ(surface.text(), QStringLiteral("春春の春春"));
    // Case-blind with a replacement that is the text in other case.
    write(QStringLiteral("abc ABC"));
    EXPECT_EQ(finder.replaceAll(QStringLiteral("abc"), QStringLiteral("ABC"), false), 2);
    EXPECT_EQ(surface.text(), QStringLiteral("ABC ABC"));
    // An empty replacement deletes every occurrence.
    EXPECT_EQ(finder.replaceAll(QStringLiteral("ABC"), QString(), true), 2);
    EXPECT_EQ(surface.text(), QStringLiteral(" "));
}

TEST(TextConversion, WidthKanaAndCase) {
    using editor_dialog::Conversion;
    using editor_dialog::convertText;
    EXPECT_EQ(convertText(QStringLiteral("ｶﾞ"), Conversion::FullWidth), QStringLiteral("ガ"));
    EXPECT_EQ(convertText(QStringLiteral("ガ"), Conversion::HalfWidth), QStringLiteral("ｶﾞ"));
    EXPECT_EQ(convertText(QStringLiteral("ひらがな"), Conversion::HalfWidth),
              QStringLiteral("ﾋﾗｶﾞﾅ"));
    EXPECT_EQ(convertText(QStringLiteral("abc 1"), Conversion::FullWidth),
              QStringLiteral("ａｂｃ　１"));
    EXPECT_EQ(convertText(QStringLiteral("ａｂｃ"), Conversion::HalfWidth), QStringLiteral("abc"));
    EXPECT_EQ(convertText(QStringLiteral("abc"), Conversion::Upper), QStringLiteral("ABC"));
    EXPECT_EQ(convertText(QStringLiteral("ABC日記"), Conversion::Lower), QStringLiteral("abc日記"));
    EXPECT_EQ(convertText(QStringLiteral("hello WORLD"), Conversion::Proper),
              QStringLiteral("Hello World"));
}
