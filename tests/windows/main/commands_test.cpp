#include "keybar/ufky.h"
#include "main_fixture.h"
#include "platform/widgets/calendar.h"

#include <QSignalSpy>

using namespace mainwin;
using mainwintest::MainWindowTest;

TEST_F(MainWindowTest, FirstAndLastKeysJumpToTheStoredEnds) {
    fmTxt &w = open();
    w.keyBar()->keyPressed(1, 0);
    w.keyBar()->keyPressed(2, 0);
    EXPECT_EQ(w.CurKey(), diary::entryKey(QDate::currentDate())); // empty diary: nothing moves

    writeEntry(QDate(2024, 1, 15), QStringLiteral("一月"));
    writeEntry(QDate(2023, 5, 1), QStringLiteral("五月"));
    writeEntry(QDate(2023, 9, 9), QStringLiteral("九月"));
    w.pickDate(QDate(2023, 9, 20));

    EXPECT_TRUE(w.keyBar()->keyPressed(1, 0));
    EXPECT_EQ(w.CurKey(), QStringLiteral("230501"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("23/05/01"));
    EXPECT_EQ(w.calendar()->date(), QDate(2023, 5, 1));
    EXPECT_EQ(w.MonthKeys(), QStringLiteral("230501."));
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("五月")));

    EXPECT_TRUE(w.keyBar()->keyPressed(2, 0));
    EXPECT_EQ(w.CurKey(), QStringLiteral("240115"));
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("一月")));
}

TEST_F(MainWindowTest, YearBackKeysLandOnRealDates) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 15), QStringLiteral("今年"));

    EXPECT_TRUE(w.keyBar()->keyPressed(3, 0));
    EXPECT_EQ(w.CurKey(), QStringLiteral("230115"));
    EXPECT_EQ(w.calendar()->date(), QDate(2023, 1, 15));
    EXPECT_TRUE(editorText().trimmed().isEmpty());
    EXPECT_FALSE(diary::connection().load(QStringLiteral("230115")).has_value());

    w.fnMenu(DateMenu, 5);
    EXPECT_EQ(w.CurKey(), QStringLiteral("210115"));

    w.pickDate(QDate(2024, 2, 29));
    w.fnMenu(DateMenu, 4);
    EXPECT_EQ(w.CurKey(), QStringLiteral("230228"));

    w.pickDate(QDate(2000, 1, 15));
    w.keyBar()->keyPressed(3, 0);
    EXPECT_EQ(w.CurKey(), QStringLiteral("990115"));
    EXPECT_EQ(w.calendar()->date(), QDate(1999, 1, 15));

    w.keyBar()->keyPressed(4, 0);
    EXPECT_EQ(w.CurKey(), diary::entryKey(QDate::currentDate()));
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

TEST_F(MainWindowTest, SearchTakesTheSelectionOrAsks) {
    fmTxt &w = open();
    w.pickDate(QDate(2024, 1, 15));
    type(QStringLiteral("猫と犬"));
    editor().surface().setSelStart(0);
    editor().surface().setSelLength(1);
    ASSERT_EQ(editor().SelTxt(), QStringLiteral("猫"));
    EXPECT_TRUE(w.keyBar()->keyPressed(5, 0));
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_EQ(listing.calls, QStringList{QStringLiteral("word:猫")});

    listing.calls.clear();
    editor().surface().setSelLength(0);
    dialogs->inputs.enqueue(QStringLiteral("犬"));
    dialogs->inputs.enqueue(QString());
    dialogs->inputs.enqueue(QStringLiteral(""));
    w.menus().entry(ReferenceMenu, 0)->trigger();
    w.fnMenu(ReferenceMenu, 0);
    w.fnMenu(ReferenceMenu, 0);
    ASSERT_EQ(dialogs->shown.size(), 3);
    EXPECT_EQ(dialogs->shown.at(0).kind, QStringLiteral("input"));
    EXPECT_EQ(dialogs->shown.at(0).text, QStringLiteral("検索文字を指定して下さい"));
    EXPECT_EQ(listing.calls, QStringList{QStringLiteral("word:犬")});
}

TEST_F(MainWindowTest, RecentListsUseTheMenuCaptionAndShiftedKey) {
    fmTxt &w = open();
    w.pickDate(QDate(2024, 2, 29));
    w.keyBar()->keyPressed(6, 0);
    w.menus().entry(ReferenceMenu, 2)->trigger();
    w.keyBar()->keyPressed(7, 0);
    w.keyBar()->keyPressed(8, 0);
    EXPECT_EQ(listing.calls, (QStringList{QStringLiteral("date:最近の日記:240229"),
                                          QStringLiteral("date:最近の日記:240229"),
                                          QStringLiteral("date:去年の今頃:230228"),
                                          QStringLiteral("date:おととしの今頃:220228")}));
}

TEST_F(MainWindowTest, KeysCarryTheirCaptionsAndFollowTheMenus) {
    fmTxt &w = open();
    const keybar::KeyRow &row = w.keyBar()->keyRow();
    EXPECT_EQ(row.key(QStringLiteral("F1"))->caption, QStringLiteral("F1 最初"));
    EXPECT_EQ(row.key(QStringLiteral("F5"))->tooltip,
              QStringLiteral("指定文字で全文検索を行います"));
    EXPECT_EQ(row.key(QStringLiteral("F10"))->caption, QStringLiteral("F10 ﾌﾟﾚﾋﾞｭｰ"));
    EXPECT_EQ(row.key(QStringLiteral("F12"))->tooltip,
              QStringLiteral("現在の日誌を別形式で保存します"));
    EXPECT_EQ(w.keyBar()->keyMap(),
              QStringLiteral("F1=A0,F2=A1,F3=A4,F4=A3,F5=90,F6=92,F7=93,F8=94,F9=25,F10=20,"
                             "F11=21,F12=22,"));
    EXPECT_TRUE(row.key(QStringLiteral("F1"))->enabled);
    EXPECT_EQ(row.key(QStringLiteral("F10"))->enabled,
              w.menus().entry(OperationMenu, 0)->isEnabled());
}
