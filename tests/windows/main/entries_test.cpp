#include "main_fixture.h"
#include "platform/widgets/calendar.h"
#include "platform/widgets/grid.h"

#include <QSignalSpy>

using namespace mainwin;
using mainwintest::MainWindowTest;
using platform::Answer;

TEST_F(MainWindowTest, F9StoresTheEntryAndSelectsItsRow) {
    fmTxt &w = open();
    w.pickDate(QDate(2024, 1, 3));
    writeEntry(QDate(2024, 1, 15), QStringLiteral("雪の日\n二行目"));
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_FALSE(editor().bDcEdt());

    const auto row = diary::connection().load(QStringLiteral("240115"));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->summary, QStringLiteral("雪の日"));
    EXPECT_FALSE(row->document.isEmpty());

    ASSERT_EQ(w.monthList()->rowCount(), 1);
    EXPECT_EQ(w.monthList()->cellText(1, 1), QStringLiteral("24/01/15"));
    EXPECT_EQ(w.monthList()->cellText(2, 1), QStringLiteral("雪の日"));
    EXPECT_EQ(w.monthList()->selectedRow(), 1);
    EXPECT_EQ(w.MonthKeys(), QStringLiteral("240115."));
    EXPECT_TRUE(w.calendar()->isBold(QDate(2024, 1, 15)));
    EXPECT_FALSE(w.calendar()->isBold(QDate(2024, 1, 3)));

    // A second, earlier entry goes before it; the saved one is the selected row.
    writeEntry(QDate(2024, 1, 2), QStringLiteral("初詣"));
    ASSERT_EQ(w.monthList()->rowCount(), 2);
    EXPECT_EQ(w.MonthKeys(), QStringLiteral("240102.240115."));
    EXPECT_EQ(w.monthList()->selectedRow(), 1);

    // Coming back shows the stored document.
    w.pickDate(QDate(2024, 1, 15));
    EXPECT_EQ(w.monthList()->selectedRow(), 2);
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("雪の日")));
    EXPECT_FALSE(editor().bDcEdt());
}

TEST_F(MainWindowTest, UpdateEntryAndKeyFollowTheEditedState) {
    fmTxt &w = open();
    w.pickDate(QDate(2024, 1, 15));
    QAction *update = w.menus().entry(OperationMenu, 5);
    EXPECT_FALSE(update->isEnabled());
    EXPECT_FALSE(w.keyBar()->keyRow().key(QStringLiteral("F9"))->enabled);
    type(QStringLiteral("メモ"));
    EXPECT_TRUE(update->isEnabled());
    EXPECT_TRUE(w.keyBar()->keyRow().key(QStringLiteral("F9"))->enabled);
    EXPECT_TRUE(w.keyBar()->keyPressed(9, 0));
    EXPECT_FALSE(update->isEnabled());
    EXPECT_FALSE(w.keyBar()->keyRow().key(QStringLiteral("F9"))->enabled);
    EXPECT_TRUE(diary::connection().load(QStringLiteral("240115")).has_value());
}

TEST_F(MainWindowTest, CancelledSaveQuestionKeepsTheOldDate) {
    fmTxt &w = open();
    w.pickDate(QDate(2024, 1, 15));
    type(QStringLiteral("書きかけ"));

    dialogs->answers.enqueue(Answer::Cancel);
    w.pickDate(QDate(2024, 2, 20));
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("現在の文書を保存しますか")});
    EXPECT_EQ(w.windowTitle(), QStringLiteral("24/01/15"));
    EXPECT_EQ(w.CurKey(), QStringLiteral("240115"));
    EXPECT_TRUE(editor().bDcEdt());
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("書きかけ")));
    EXPECT_EQ(w.calendar()->date(), QDate(2024, 2, 20));
    EXPECT_FALSE(diary::connection().load(QStringLiteral("240115")).has_value());

    // Yes writes the document under the date it belongs to, then moves on.
    dialogs->answers.enqueue(Answer::Yes);
    w.pickDate(QDate(2024, 2, 21));
    const auto row = diary::connection().load(QStringLiteral("240115"));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->summary, QStringLiteral("書きかけ"));
    EXPECT_FALSE(diary::connection().load(QStringLiteral("240220")).has_value());
    EXPECT_EQ(w.CurKey(), QStringLiteral("240221"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("24/02/21"));
    EXPECT_TRUE(editorText().trimmed().isEmpty());
}

TEST_F(MainWindowTest, MonthListRowsOpenTheirDates) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 5), QStringLiteral("五日"));
    writeEntry(QDate(2024, 1, 9), QStringLiteral("九日"));
    w.pickDate(QDate(2024, 1, 20));

    emit w.monthList()->cellClicked(2, 1);
    EXPECT_EQ(w.CurKey(), QStringLiteral("240105"));
    EXPECT_EQ(w.calendar()->date(), QDate(2024, 1, 5));
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("五日")));

    emit w.monthList()->enterPressed(2);
    EXPECT_EQ(w.CurKey(), QStringLiteral("240109"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("24/01/09"));
}

TEST_F(MainWindowTest, MonthListFollowsTheShownDateOnOneLine) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 5), QStringLiteral("一行目\v続き\n本文"));
    writeEntry(QDate(2024, 1, 9), QStringLiteral("九日"));
    EXPECT_EQ(w.monthList()->cellText(2, 1), QStringLiteral("一行目 続き"));

    w.pickDate(QDate(2024, 1, 5));
    EXPECT_EQ(w.monthList()->activeRow(), 1);
    w.pickDate(QDate(2024, 1, 9));
    EXPECT_EQ(w.monthList()->activeRow(), 2);
    w.pickDate(QDate(2024, 1, 20));
    EXPECT_EQ(w.monthList()->activeRow(), 0) << "no entry, no highlighted row";
    EXPECT_EQ(w.monthList()->selectedRow(), 0);
}

TEST_F(MainWindowTest, DeleteOpensTheActiveRowOrTheCalendarDate) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 5), QStringLiteral("五日"));
    writeEntry(QDate(2024, 1, 9), QStringLiteral("九日"));
    writeEntry(QDate(2023, 12, 31), QStringLiteral("大晦日"));

    w.pickDate(QDate(2024, 1, 5));
    dialogs->shown.clear();
    w.fnMenu(OperationMenu, 7);
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("この日の日記を削除しますか")});
    EXPECT_FALSE(diary::connection().load(QStringLiteral("240105")).has_value());
    EXPECT_EQ(w.MonthKeys(), QStringLiteral("240109."));
    EXPECT_EQ(w.CurKey(), QStringLiteral("240109"));
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("九日")));
    EXPECT_FALSE(w.calendar()->isBold(QDate(2024, 1, 5)));

    // The month's last entry: its row is gone, so the calendar's date is loaded again.
    w.fnMenu(OperationMenu, 7);
    EXPECT_EQ(w.monthList()->rowCount(), 0);
    EXPECT_EQ(w.CurKey(), QStringLiteral("240109"));
    EXPECT_EQ(w.calendar()->date(), QDate(2024, 1, 9));
    EXPECT_TRUE(editorText().trimmed().isEmpty());
    EXPECT_TRUE(diary::connection().load(QStringLiteral("231231")).has_value());
}

TEST_F(MainWindowTest, EveryShownMonthMarksItsEntryDays) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 20), QStringLiteral("一月"));
    writeEntry(QDate(2024, 2, 3), QStringLiteral("二月"));
    writeEntry(QDate(2024, 3, 9), QStringLiteral("三月"));
    w.pickDate(QDate(2024, 2, 10));
    w.calendar()->setFirstVisibleMonth(QDate(2024, 1, 1));
    EXPECT_TRUE(w.calendar()->isBold(QDate(2024, 1, 20)));
    EXPECT_TRUE(w.calendar()->isBold(QDate(2024, 2, 3)));
    EXPECT_FALSE(w.calendar()->isBold(QDate(2024, 2, 10)));
    w.calendar()->setFirstVisibleMonth(QDate(2024, 2, 1));
    EXPECT_TRUE(w.calendar()->isBold(QDate(2024, 3, 9)));
    // Scrolling alone leaves the month list on the picked date's month.
    EXPECT_EQ(w.MonthKeys(), QStringLiteral("240203."));
}

TEST_F(MainWindowTest, FailedSaveKeepsTheDocumentChangedAndTheDate) {
    fmTxt &w = open();
    w.pickDate(QDate(2024, 1, 15));
    type(QStringLiteral("大事なこと"));
    diary::DbClose();

    w.fnMenu(OperationMenu, 5);
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("日誌を保存できませんでした")});
    EXPECT_TRUE(editor().bDcEdt());
    EXPECT_TRUE(w.menus().entry(OperationMenu, 5)->isEnabled());

    // Yes to the save question fails too: the editor stays on the date it belongs to.
    dialogs->answers.enqueue(Answer::Yes);
    w.pickDate(QDate(2024, 1, 16));
    EXPECT_EQ(w.CurKey(), QStringLiteral("240115"));
    EXPECT_TRUE(editor().bDcEdt());
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("大事なこと")));

    dialogs->answers.enqueue(Answer::Yes);
    bool cancel = false;
    w.CloseMain(cancel);
    EXPECT_TRUE(cancel);

    ASSERT_TRUE(diary::DbOpen(userDir, tplDir));
    w.fnMenu(OperationMenu, 5);
    EXPECT_FALSE(editor().bDcEdt());
    EXPECT_TRUE(diary::connection().load(QStringLiteral("240115")).has_value());
}
