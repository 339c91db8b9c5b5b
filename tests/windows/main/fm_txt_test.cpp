#include "keybar/ufky.h"
#include "main_fixture.h"
#include "platform/widgets/calendar.h"
#include "platform/widgets/grid.h"
#include "windows/main/win_pos.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

using namespace mainwin;
using mainwintest::MainWindowTest;
using platform::Answer;

namespace {

QStringList captions(const QMenu *menu) {
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndIndices) {
    fmTxt w(ini());
    const MainMenus &m = w.menus();
    QStringList bar;
    for (const QAction *a : w.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"操作(&F)", "参照(&L)", "日付(&D)", "設定"}));
    EXPECT_EQ(captions(m.operation), (QStringList{"ﾍﾟｰｼﾞﾋﾞｭｰ", "印刷", "保存", "-", "更新(&U)", "-",
                                                  "削除(&D)", "-", "ﾃﾞｰﾀｰ(&B)", "ﾊﾞｯｸｱｯﾌﾟと復元...",
                                                  "日記の書き出し...", "-", "終了(&X)"}));
    EXPECT_EQ(captions(m.entry(OperationMenu, 9)->menu()), QStringList{"ﾃﾞｰﾀｰﾍﾞｰｽの最適化"});
    EXPECT_EQ(captions(m.reference),
              (QStringList{"検索(&F)", "-", "最近の日記(&D)", "去年の今頃", "おととしの今頃"}));
    EXPECT_EQ(captions(m.date), (QStringList{"登録されている最初の日", "登録されている最後の日",
                                             "-", "本日", "去年の同日付", "おととしの同日付"}));
    EXPECT_EQ(captions(m.options), (QStringList{"ﾌｧﾝｸｼｮﾝｷｰを表示", "ｶﾚﾝﾀﾞｰの列数"}));
    EXPECT_EQ(captions(m.options->actions().at(1)->menu()), (QStringList{"１列", "２列", "３列"}));

    EXPECT_EQ(m.entry(OperationMenu, 5)->text(), QStringLiteral("更新(&U)"));
    EXPECT_EQ(m.entry(OperationMenu, 3), nullptr);
    EXPECT_EQ(m.entry(ReferenceMenu, 4)->text(), QStringLiteral("おととしの今頃"));
    EXPECT_EQ(m.entry(DateMenu, 3)->text(), QStringLiteral("本日"));
    // The key bar's view of the menus: numbered arrays without separators, 1 the menu bar.
    EXPECT_EQ(w.menuEntry(2, 4), nullptr);
    EXPECT_EQ(w.menuEntry(10, 3), m.entry(DateMenu, 3));
    EXPECT_EQ(w.menuEntry(1, 2), m.date->menuAction());
    EXPECT_TRUE(m.showFkeys->isCheckable());
}

TEST_F(MainWindowTest, FirstRunLaysOutTwoMonthsAndTheKeyBar) {
    fmTxt &w = open();
    EXPECT_EQ(w.calendar()->monthColumns(), 2);
    EXPECT_TRUE(w.menus().calCols[1]->isChecked());
    EXPECT_TRUE(w.fkeyBarShown());
    EXPECT_TRUE(w.menus().showFkeys->isChecked());
    EXPECT_EQ(w.windowTitle(), QDate::currentDate().toString(QStringLiteral("yy/MM/dd")));
    EXPECT_EQ(w.CurKey(), diary::entryKey(QDate::currentDate()));

    w.show();
    w.resize(900, 700);
    const QRect cal = static_cast<QWidget *>(w.calendar())->geometry();
    const QRect list = w.monthList()->geometry();
    const QRect edit = w.editorControl()->geometry();
    const QRect keys = w.keyBar()->geometry();
    EXPECT_EQ(cal.topLeft(), QPoint(0, 0));
    EXPECT_EQ(list.top(), cal.bottom() + 1);
    EXPECT_EQ(list.width(), cal.width());
    EXPECT_GT(edit.left(), cal.right());
    EXPECT_EQ(edit.right(), w.centralWidget()->width() - 1);
    EXPECT_EQ(keys.top(), edit.bottom() + 1);
    EXPECT_EQ(keys.bottom(), w.centralWidget()->height() - 1);

    // Hiding the key bar gives its height to the list and the editor.
    w.menus().showFkeys->trigger();
    EXPECT_FALSE(w.keyBar()->isVisible());
    EXPECT_EQ(w.monthList()->height(), list.height() + keys.height());
    EXPECT_EQ(w.editorControl()->height(), edit.height() + keys.height());
    EXPECT_FALSE(readFkeyShown(ini()));

    // The window never gets smaller than the calendar over the key bar.
    w.menus().showFkeys->trigger();
    w.menus().calCols[2]->trigger();
    w.resize(50, 50);
    EXPECT_GE(w.centralWidget()->width(), w.calendar()->naturalSize().width());
    EXPECT_GE(w.centralWidget()->height(),
              w.calendar()->naturalSize().height() + w.keyBar()->height());
    EXPECT_GE(w.monthList()->height(), 0);
}

TEST_F(MainWindowTest, PositionAndOptionsAreRestoredAndStored) {
    writeWinPos(ini(), {1500, 3000, 12000, 9000});
    storeCalColsIndex(ini(), 2);
    storeFkeyShown(ini(), false);
    fmTxt &w = open();
    const int dpi = w.logicalDpiX();
    EXPECT_EQ(w.pos(), QPoint(pixelsFromTwips(1500, dpi), pixelsFromTwips(3000, dpi)));
    EXPECT_EQ(w.size(), QSize(pixelsFromTwips(12000, dpi), pixelsFromTwips(9000, dpi)));
    EXPECT_EQ(w.calendar()->monthColumns(), 3);
    EXPECT_TRUE(w.menus().calCols[2]->isChecked());
    EXPECT_FALSE(w.fkeyBarShown());
    EXPECT_FALSE(w.menus().showFkeys->isChecked());

    w.menus().calCols[0]->trigger();
    EXPECT_EQ(readCalColsIndex(ini()), 0);
    EXPECT_EQ(w.calendar()->monthColumns(), 1);
    EXPECT_EQ(w.monthList()->scrollBars(), 3);
    EXPECT_FALSE(w.menus().calCols[2]->isChecked());

    w.move(-pixelsFromTwips(600, dpi), pixelsFromTwips(1500, dpi));
    w.SaveWinPos();
    const WinRect stored = readWinPos(ini());
    EXPECT_EQ(stored.left, 0);
    EXPECT_EQ(stored.top, 1500);
    EXPECT_EQ(stored.width, 12000 - 600);
}

TEST_F(MainWindowTest, CancelledCloseKeepsRunningAndWritesNothing) {
    fmTxt &w = open();
    w.show();
    QSignalSpy shutdown(&w, &fmTxt::shutdownRequested);
    w.pickDate(QDate(2024, 1, 15));
    type(QStringLiteral("未保存"));

    dialogs->answers.enqueue(Answer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("現在の文書を保存しますか")});
    EXPECT_EQ(shutdown.count(), 0);
    // Start-up leaves an empty file; only an agreed close writes it.
    EXPECT_EQ(QFileInfo(userDir + QStringLiteral("User.xml")).size(), 0);
    EXPECT_EQ(w.CurKey(), QStringLiteral("240115"));
    EXPECT_TRUE(diary::connection().isOpen());

    // "終了(&X)" asks the same; Yes stores the entry, then the program shuts down.
    dialogs->answers.enqueue(Answer::Yes);
    w.menus().entry(OperationMenu, 11)->trigger();
    EXPECT_EQ(shutdown.count(), 1);
    EXPECT_GT(QFileInfo(userDir + QStringLiteral("User.xml")).size(), 0);
    EXPECT_TRUE(w.CurKey().isEmpty());
    EXPECT_FALSE(diary::connection().isOpen());
    ASSERT_TRUE(diary::DbOpen(userDir, tplDir));
    EXPECT_TRUE(diary::connection().load(QStringLiteral("240115")).has_value());

    w.close();
    EXPECT_EQ(shutdown.count(), 1);
}

TEST_F(MainWindowTest, UnreadableDiaryStopsTheLoad) {
    QFile file(userDir + QStringLiteral("dbJvo.mdb"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a diary at all, but not empty either");
    file.close();

    fmTxt w(ini());
    EXPECT_FALSE(w.LoadStep(userDir, tplDir));
    EXPECT_FALSE(dialogs->messages().isEmpty());
    EXPECT_TRUE(w.CurKey().isEmpty());
    EXPECT_FALSE(w.menus().entry(DateMenu, 0)->isEnabled());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a diary at all, but not empty either"));
}

TEST_F(MainWindowTest, CompactionFromTheMenuKeepsTheEntries) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 3, 1), QStringLiteral("三月"));
    writeEntry(QDate(2024, 3, 2), QStringLiteral("消す"));
    w.fnMenu(OperationMenu, 7);
    w.menus().compact->trigger();
    EXPECT_TRUE(diary::connection().isOpen());
    EXPECT_TRUE(diary::connection().load(QStringLiteral("240301")).has_value());
    EXPECT_FALSE(diary::connection().load(QStringLiteral("240302")).has_value());
    // Only the delete question: compaction itself says nothing.
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("この日の日記を削除しますか")});
}
