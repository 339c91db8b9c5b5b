#include "editor/commands.h"
#include "scripted_dialogs.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(EditorCommands, ZoomSteps) {
    EXPECT_EQ(zoomFor(100, QStringLiteral("縮小")), 80);
    EXPECT_EQ(zoomFor(100, QStringLiteral("拡大")), 120);
    EXPECT_EQ(zoomFor(20, QStringLiteral("縮小")), 0); // no bounds of its own
    EXPECT_EQ(zoomFor(100, QStringLiteral("50")), 50);
    EXPECT_EQ(zoomFor(100, QStringLiteral("999")), 999);
    EXPECT_FALSE(zoomFor(100, QStringLiteral("1000")));
    EXPECT_FALSE(zoomFor(100, QStringLiteral("10")));
    EXPECT_FALSE(zoomFor(100, QStringLiteral("0")));
    EXPECT_FALSE(zoomFor(100, QStringLiteral("abc")));
}

TEST(EditorCommands, BarToggleArguments) {
    const BarToggle all = barToggleFor(7);
    EXPECT_TRUE(all.valid && all.show && all.rulers && all.bands[0] && all.bands[3]);
    const BarToggle none = barToggleFor(-8);
    EXPECT_TRUE(none.valid && !none.show && none.rulers && none.bands[1]);
    const BarToggle colour = barToggleFor(-2);
    EXPECT_TRUE(colour.valid && !colour.show && colour.bands[1] && !colour.bands[0] &&
                !colour.rulers);
    const BarToggle rulers = barToggleFor(5);
    EXPECT_TRUE(rulers.valid && rulers.show && rulers.rulers && !rulers.bands[0]);
    EXPECT_FALSE(barToggleFor(6).valid);
    EXPECT_FALSE(barToggleFor(0).valid);
}

TEST(EditorCommands, CaptionLookup) {
    testsupport::ScriptedDialogsGuard dialogs;
    EXPECT_EQ(commandForCaption(QStringLiteral("ﾌｫﾝﾄ(&F)"), {})->code, 61);
    EXPECT_EQ(commandForCaption(QStringLiteral("貼り付け"), {})->code, 15);
    EXPECT_EQ(commandForCaption(QStringLiteral("画像"), 3)->code, 33);
    EXPECT_EQ(commandForCaption(QStringLiteral("画像"), 4)->code, 34);
    EXPECT_EQ(commandForCaption(QStringLiteral("画像 WMF形式"), {})->code, 35);
    const auto remove = commandForCaption(QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸの削除"), {});
    EXPECT_EQ(remove->code, 50);
    EXPECT_EQ(remove->argument.toInt(), 2);
    EXPECT_EQ(commandForCaption(QStringLiteral("ﾀｸﾞの修正"), {})->argument.toInt(), 1);
    EXPECT_EQ(commandForCaption(QStringLiteral("dxml参照"), {})->argument.toInt(), 0);
    EXPECT_EQ(commandForCaption(QStringLiteral("文字数を指定して字下げ"), {})->argument.toInt(), 1);
    const auto style = commandForCaption(QStringLiteral("ｽﾀｲﾙ"), 4);
    EXPECT_EQ(style->code, 60);
    EXPECT_EQ(style->argument.toInt(), 4);
    EXPECT_EQ(
        commandForCaption(QStringLiteral("表挿入"), QStringLiteral("左"))->argument.toString(),
        QStringLiteral("左"));
    EXPECT_FALSE(commandForCaption(QStringLiteral("何か"), {}));

    dialogs->answers.enqueue(platform::Answer::Cancel);
    EXPECT_FALSE(commandForCaption(QStringLiteral("初期化"), {}));
    dialogs->answers.enqueue(platform::Answer::Ok);
    EXPECT_EQ(commandForCaption(QStringLiteral("初期化"), {})->code, 2);
    ASSERT_EQ(dialogs->messages().size(), 2);
    EXPECT_EQ(dialogs->messages().at(0), QStringLiteral("文書全体を初期化して良いですか"));
    EXPECT_EQ(dialogs->shown.at(0).buttons, platform::Buttons::OkCancel);
}

TEST(EditorCommands, RepeatEntry) {
    RepeatEntry entry;
    EXPECT_EQ(entry.caption(), QStringLiteral("やり直し(&R)"));
    EXPECT_EQ(entry.choose(QStringLiteral("ﾌｫﾝﾄ(&F)"), {})->code, 61);
    EXPECT_EQ(entry.caption(),
              QStringLiteral("繰り返し(&R)") + QChar(0x3000) + QStringLiteral("ﾌｫﾝﾄ"));
    EXPECT_EQ(entry.choose(entry.caption(), {})->code, 61);
    EXPECT_TRUE(entry.isRepeat());
    EXPECT_EQ(entry.repeat()->code, 61);

    entry.choose(QStringLiteral("元に戻す(&U)"), {});
    EXPECT_EQ(entry.caption(), QStringLiteral("やり直し(&R)"));
    EXPECT_FALSE(entry.repeat());
    EXPECT_EQ(entry.choose(entry.caption(), {})->code, 12);
    EXPECT_EQ(entry.caption(), QStringLiteral("やり直しできません"));

    entry.choose(QStringLiteral("ｽﾀｲﾙ"), 3);
    EXPECT_EQ(entry.repeat()->argument.toInt(), 3);
    EXPECT_EQ(entry.repeat(5)->argument.toInt(), 5);
}

TEST(EditorCommands, DispatchSets) {
    for (int code : {10, 15, 23, 24, 30, 32, 33, 40, 41, 50, 51, 53, 55, 60, 71})
        EXPECT_TRUE(takesSnapshot(code)) << code;
    EXPECT_FALSE(takesSnapshot(54));
    EXPECT_TRUE(closesInputMethod(63));
    EXPECT_TRUE(closesInputMethod(66));
    EXPECT_FALSE(closesInputMethod(67));
    EXPECT_TRUE(alwaysChanges(82));
    EXPECT_FALSE(alwaysChanges(61));
    EXPECT_TRUE(changesWhenReported(61));
    EXPECT_TRUE(changesWhenReported(85));
    EXPECT_FALSE(changesWhenReported(25));
    EXPECT_FALSE(alwaysChanges(31));
}

TEST(EditorCommands, ToolbarKeysByEditorType) {
    ToolbarState state;
    state.documentExists = true;
    state.saveAllowed = true;
    for (const char *key : {"New", "Open"}) {
        EXPECT_FALSE(toolbarKeyState(QString::fromLatin1(key), 0, state).visible);
        EXPECT_FALSE(toolbarKeyState(QString::fromLatin1(key), -1, state).visible);
        EXPECT_TRUE(toolbarKeyState(QString::fromLatin1(key), 1, state).visible);
    }
    EXPECT_FALSE(toolbarKeyState(QStringLiteral("Save"), -1, state).visible);
    EXPECT_TRUE(toolbarKeyState(QStringLiteral("Save"), 0, state).enabled);
    state.documentExists = false;
    EXPECT_FALSE(toolbarKeyState(QStringLiteral("New"), 1, state).enabled);
    EXPECT_FALSE(toolbarKeyState(QStringLiteral("Print"), 0, state).enabled);
    EXPECT_FALSE(toolbarKeyState(QStringLiteral("Undo"), 0, state).enabled);
}
