#include "test_host.h"

#include "keybar/key_bindings.h"
#include "keybar/key_row.h"

#include <gtest/gtest.h>

using namespace keybar;

namespace {

struct Bindings : ::testing::Test {
    explicit Bindings(const QString &hostName = QStringLiteral("fmTxt")) : host(hostName) {
        bindings.cOn(&host, true);
    }
    void registerMainKeys() {
        for (const KeyRegistration &k : kMainKeys)
            bindings.cKey(QString::fromUtf8(k.key), k.menu, k.index, QString::fromUtf8(k.caption),
                          QString::fromUtf8(k.tooltip));
    }
    bool enabled(const char *key) const { return row.key(QString::fromLatin1(key))->enabled; }

    TestHost host;
    KeyRow row;
    KeyBindings bindings{row};
};

struct PreviewBindings : Bindings {
    PreviewBindings() : Bindings(QStringLiteral("sbTvw")) {}
};

} // namespace

TEST_F(Bindings, MainWindowRegistrationBindsEveryKey) {
    registerMainKeys();
    EXPECT_EQ(bindings.keyMap(), QStringLiteral("F1=A0,F2=A1,F3=A4,F4=A3,F5=90,F6=92,F7=93,F8=94,"
                                                "F9=25,F10=20,F11=21,F12=22,"));
    EXPECT_EQ(row.layoutText(), QStringLiteral("4|4|4"));
    EXPECT_EQ(row.key(QStringLiteral("F1"))->caption, QStringLiteral("F1 最初"));
    EXPECT_EQ(row.key(QStringLiteral("F10"))->caption, QStringLiteral("F10 ﾌﾟﾚﾋﾞｭｰ"));
    EXPECT_EQ(row.key(QStringLiteral("F12"))->tooltip,
              QStringLiteral("現在の日誌を別形式で保存します"));
    EXPECT_TRUE(row.key(QStringLiteral("C1"))->caption.isEmpty());
}

TEST_F(Bindings, EmptyTooltipTakesTheEntryCaptionUpToParenthesis) {
    bindings.cKey(QStringLiteral("F5"), 9, 0, QStringLiteral("検索"), QString());
    EXPECT_EQ(row.key(QStringLiteral("F5"))->tooltip, QStringLiteral("検索"));
    bindings.cKey(QStringLiteral("F6"), 10, 3, QStringLiteral("本日"), QString());
    EXPECT_EQ(row.key(QStringLiteral("F6"))->tooltip, QStringLiteral("本日"));
}

TEST_F(Bindings, BindingAKeyAgainKeepsOneNewerEntry) {
    bindings.cKey(QStringLiteral("F1"), 10, 0, QStringLiteral("最初"), QStringLiteral("a"));
    bindings.cKey(QStringLiteral("F10"), 2, 0, QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"), QStringLiteral("b"));
    bindings.cKey(QStringLiteral("F1"), 10, 1, QStringLiteral("最後"), QStringLiteral("c"));
    EXPECT_EQ(bindings.keyMap(), QStringLiteral("F10=20,F1=A1,"));
    EXPECT_EQ(row.key(QStringLiteral("F1"))->caption, QStringLiteral("F1 最後"));
}

TEST_F(Bindings, MissingEntriesAndSeparatorsAreNeverBound) {
    bindings.cKey(QStringLiteral("F1"), 2, 4, QStringLiteral("x"), QStringLiteral("x"));
    bindings.cKey(QStringLiteral("F2"), 2, 3, QStringLiteral("x"), QStringLiteral("x"));
    bindings.cKey(QStringLiteral("F3"), 17, 0, QStringLiteral("x"), QStringLiteral("x"));
    bindings.cKey(QStringLiteral("F4"), 0, 0, QStringLiteral("x"), QStringLiteral("x"));
    EXPECT_TRUE(bindings.keyMap().isEmpty());
    EXPECT_TRUE(row.key(QStringLiteral("F1"))->caption.isEmpty());

    bindings.SetEnb(2, QStringLiteral("4"), false, false);
    EXPECT_TRUE(host.action(2, 4)->isEnabled());
}

TEST_F(Bindings, EmptyCaptionClearsTheKeyButStillBinds) {
    bindings.cKey(QStringLiteral("F3"), 10, 4, QStringLiteral("去年"), QStringLiteral("tip"));
    bindings.cKey(QStringLiteral("F3"), 10, 4, QString(), QStringLiteral("tip"));
    EXPECT_TRUE(row.key(QStringLiteral("F3"))->caption.isEmpty());
    EXPECT_TRUE(row.key(QStringLiteral("F3"))->tooltip.isEmpty());
    EXPECT_EQ(bindings.keyMap(), QStringLiteral("F3=A4,"));
}

TEST_F(Bindings, CaptionChangeReachesTheBoundEntry) {
    bindings.cKey(QStringLiteral("F9"), 2, 5, QStringLiteral("更新"), QString());
    bindings.cCap(QStringLiteral("F9"), QStringLiteral("登録"));
    EXPECT_EQ(row.key(QStringLiteral("F9"))->caption, QStringLiteral("F9 登録"));
    EXPECT_EQ(host.action(2, 5)->text(), QStringLiteral("登録"));

    bindings.cCap(QStringLiteral("F2"), QStringLiteral("未登録"));
    EXPECT_EQ(row.key(QStringLiteral("F2"))->caption, QStringLiteral("F2 未登録"));
}

TEST_F(Bindings, KeysFollowTheirMenuEntries) {
    registerMainKeys();
    host.action(2, 5)->setEnabled(false);
    host.action(9, 3)->setEnabled(false);
    bindings.SetEnbByMenu();
    EXPECT_FALSE(enabled("F9"));
    EXPECT_FALSE(enabled("F7"));
    EXPECT_TRUE(enabled("F10"));

    host.action(2, 5)->setEnabled(true);
    bindings.SetEnbByMenu();
    EXPECT_TRUE(enabled("F9"));
    EXPECT_FALSE(enabled("F7"));
}

TEST_F(Bindings, FollowingStopsAtAKeyTheRowDoesNotHave) {
    bindings.cKey(QStringLiteral("F1"), 10, 0, QStringLiteral("最初"), QString());
    bindings.cKey(QStringLiteral("F13"), 10, 1, QStringLiteral("x"), QString());
    bindings.cKey(QStringLiteral("F2"), 10, 1, QStringLiteral("最後"), QString());
    EXPECT_EQ(bindings.keyMap(), QStringLiteral("F1=A0,F13=A1,F2=A1,"));
    host.action(10, 0)->setEnabled(false);
    host.action(10, 1)->setEnabled(false);
    bindings.SetEnbByMenu();
    EXPECT_FALSE(enabled("F1"));
    EXPECT_TRUE(enabled("F2"));
}

TEST_F(PreviewBindings, DisablingATopLevelMenuDisablesTheKeysBelowIt) {
    bindings.cKey(QStringLiteral("F9"), 2, 5, QStringLiteral("更新"), QString());
    bindings.cKey(QStringLiteral("F10"), 2, 0, QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"), QString());
    bindings.cKyS();
    EXPECT_EQ(bindings.parentMap(), QStringLiteral("10=F10,/"));

    bindings.SetEnb(1, QStringLiteral("0"), false, false);
    EXPECT_FALSE(host.action(1, 0)->isEnabled());
    EXPECT_FALSE(enabled("F10"));
    EXPECT_TRUE(enabled("F9"));

    bindings.SetEnb(1, QStringLiteral("0"), true, false);
    EXPECT_TRUE(enabled("F10"));
}

TEST_F(Bindings, WithoutNotationOnlyDirectlyBoundKeysChange) {
    registerMainKeys();
    bindings.cKyS();
    EXPECT_TRUE(bindings.parentMap().isEmpty());

    bindings.SetEnb(1, QStringLiteral("0"), false, false);
    EXPECT_TRUE(enabled("F10"));
    bindings.SetEnb(2, QStringLiteral("0.1.3.4"), false, false);
    EXPECT_FALSE(host.action(2, 0)->isEnabled());
    EXPECT_FALSE(enabled("F10"));
    EXPECT_FALSE(enabled("F11"));
    EXPECT_TRUE(enabled("F12"));
    EXPECT_TRUE(host.action(2, 4)->isEnabled());
}

TEST_F(Bindings, VisibilityFlagShowsOrHidesTheEntryAndSetsItsKey) {
    registerMainKeys();
    bindings.SetEnb(2, QStringLiteral("5"), false, true);
    EXPECT_FALSE(host.action(2, 5)->isVisible());
    EXPECT_FALSE(enabled("F9"));

    // A hidden entry's own enabled state is left alone; its key still follows the flag.
    bindings.SetEnb(2, QStringLiteral("5"), false, false);
    bindings.SetEnb(2, QStringLiteral("5"), true, true);
    EXPECT_TRUE(host.action(2, 5)->isVisible());
    EXPECT_TRUE(host.action(2, 5)->isEnabled());
    EXPECT_TRUE(enabled("F9"));

    // A hidden entry cannot be chosen, so its key follows it as disabled.
    host.action(2, 5)->setVisible(false);
    bindings.SetEnbByMenu();
    EXPECT_FALSE(enabled("F9"));
}

TEST_F(Bindings, KeyListsAreReadInFullAndUpperCase) {
    bindings.SetEnbKy(QStringLiteral("f1,F10,C3,F99,,"), false);
    EXPECT_FALSE(enabled("F1"));
    EXPECT_FALSE(enabled("F10"));
    EXPECT_FALSE(enabled("C3"));
    EXPECT_TRUE(enabled("F11"));
    EXPECT_TRUE(enabled("C1"));
}

TEST_F(Bindings, PressRunsOnlyBoundEnabledKeysOfTheShownSet) {
    registerMainKeys();
    const KeyBindings::Press f5 = bindings.press(5, 0);
    EXPECT_TRUE(f5.bound);
    ASSERT_TRUE(f5.command.has_value());
    EXPECT_EQ(*f5.command, (MenuRef{9, 0}));
    EXPECT_EQ(*bindings.press(12, 1).command, (MenuRef{2, 2}));

    const KeyBindings::Press ctrl = bindings.press(5, 2);
    EXPECT_FALSE(ctrl.bound);
    EXPECT_FALSE(ctrl.command.has_value());

    bindings.SetEnbKy(QStringLiteral("F9"), false);
    const KeyBindings::Press disabled = bindings.press(9, 0);
    EXPECT_TRUE(disabled.bound);
    EXPECT_FALSE(disabled.command.has_value());

    bindings.cOff();
    EXPECT_FALSE(bindings.press(5, 0).bound);
}
