#include "diary/backup.h"
#include "diary/backup_runner.h"
#include "keybar/ufky.h"
#include "main_fixture.h"
#include "recording_shell.h"
#include "windows/backup/backup_window.h"
#include "windows/export/export_dialog.h"

#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace mainwin;
using mainwintest::MainWindowTest;
using platform::Answer;

namespace {

void waitFor(diary::backup::Runner &runner) {
    runner.wait();
    QCoreApplication::processEvents();
}

} // namespace

TEST_F(MainWindowTest, BackupEntrySitsAboveExitAndTheDailyCopyShowsOnTheKeyBar) {
    fmTxt &w = open();
    const QList<QAction *> actions = w.menus().operation->actions();
    const qsizetype exit = actions.indexOf(w.menus().entry(OperationMenu, 11));
    ASSERT_GE(exit, 3);
    // Then "日記の書き出し..." and the separator above "終了(&X)".
    EXPECT_EQ(actions.at(exit - 3), w.menus().backup);
    EXPECT_EQ(actions.at(exit - 2), w.menus().exportDiary);
    EXPECT_EQ(w.menus().backup->text(), QStringLiteral("ﾊﾞｯｸｱｯﾌﾟと復元..."));

    writeEntry(QDate(2024, 1, 15), QStringLiteral("一月の日記"));
    QSignalSpy progress(w.backups(), &diary::backup::Runner::progress);
    w.startDailyBackup(QDate(2025, 2, 1));
    waitFor(*w.backups());
    EXPECT_GT(progress.count(), 0);
    EXPECT_FALSE(w.keyBar()->progressBar()->isVisible());
    const QString copy = QDir(diary::backup::folder(userDir))
                             .filePath(diary::backup::dailyFileName(QDate(2025, 2, 1)));
    EXPECT_EQ(diary::backup::inspect(copy).entries, 1);
    EXPECT_TRUE(dialogs->messages().isEmpty());
}

TEST_F(MainWindowTest, RestoreFromTheWindowBringsTheEntryBackIntoTheMainWindow) {
    testsupport::RecordingShellGuard shell;
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 15), QStringLiteral("消える前の日記"));
    ASSERT_TRUE(diary::backup::runDaily(userDir, QDate(2024, 1, 16)).ok);
    dialogs->answers.enqueue(Answer::Yes);
    w.fnMenu(OperationMenu, 7); // delete the entry
    ASSERT_FALSE(diary::connection().load(QStringLiteral("240115")).has_value());

    w.menus().backup->trigger();
    backupwin::BackupWindow &b = *w.backupWindow();
    EXPECT_TRUE(b.isVisible());
    ASSERT_EQ(b.list()->topLevelItemCount(), 1);
    const QTreeWidgetItem *row = b.list()->topLevelItem(0);
    EXPECT_EQ(row->text(1), QStringLiteral("1"));
    EXPECT_EQ(row->text(2), QStringLiteral("2024/01/15"));
    EXPECT_EQ(row->text(3), QStringLiteral("2024/01/15"));

    b.folderButton()->click();
    EXPECT_EQ(shell->opened, QStringList{diary::backup::folder(userDir)});

    dialogs->shown.clear();
    dialogs->answers.enqueue(Answer::Yes);
    b.restoreButton()->click();
    ASSERT_EQ(dialogs->messages().size(), 2);
    EXPECT_TRUE(dialogs->messages().at(0).endsWith(
        QStringLiteral("現在の日記は先にﾊﾞｯｸｱｯﾌﾟします。よろしいですか？")));
    EXPECT_EQ(dialogs->messages().at(1), QStringLiteral("日記を復元しました。"));
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("消える前の日記")));
    EXPECT_TRUE(w.MonthKeys().contains(QStringLiteral("240115")));
    // The copy taken before the restore is listed beside the one restored.
    EXPECT_EQ(b.list()->topLevelItemCount(), 2);

    // "Back up now" adds a copy through the worker.
    QSignalSpy finished(w.backups(), &diary::backup::Runner::finished);
    b.nowButton()->click();
    ASSERT_TRUE(finished.wait(10000));
    QCoreApplication::processEvents();
    EXPECT_GE(b.list()->topLevelItemCount(), 2);
}

TEST_F(MainWindowTest, CorruptedCopyIsRefusedByTheWindow) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 15), QStringLiteral("残る日記"));
    const diary::backup::Result copy = diary::backup::runDaily(userDir, QDate(2024, 1, 16));
    ASSERT_TRUE(copy.ok);
    {
        QFile f(copy.path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(100);
        f.write(QByteArray(int(f.size()) - 100, '\x11'));
    }
    backupwin::BackupWindow &b = *w.backupWindow();
    b.refresh();
    ASSERT_EQ(b.list()->topLevelItemCount(), 1);
    EXPECT_EQ(b.list()->topLevelItem(0)->text(1), QStringLiteral("(壊れています)"));
    dialogs->shown.clear();
    dialogs->answers.enqueue(Answer::Yes);
    b.restoreButton()->click();
    ASSERT_EQ(dialogs->messages().size(), 2);
    EXPECT_TRUE(dialogs->messages().at(1).startsWith(
        QStringLiteral("このﾊﾞｯｸｱｯﾌﾟは壊れているため、復元できません。")));
    EXPECT_TRUE(diary::connection().load(QStringLiteral("240115")).has_value());
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("残る日記")));
}

TEST_F(MainWindowTest, ExportDialogWritesTheChosenRangeOrNothingWhenCancelled) {
    fmTxt &w = open();
    const QList<QAction *> actions = w.menus().operation->actions();
    EXPECT_EQ(actions.indexOf(w.menus().exportDiary), actions.indexOf(w.menus().backup) + 1);
    EXPECT_EQ(w.menus().exportDiary->text(), QStringLiteral("日記の書き出し..."));
    writeEntry(QDate(2024, 1, 15), QStringLiteral("一月"));
    writeEntry(QDate(2024, 3, 3), QStringLiteral("三月"));
    writeEntry(QDate(2025, 1, 1), QStringLiteral("翌年"));

    w.menus().exportDiary->trigger();
    exportwin::ExportDialog &d = *w.exportDialog();
    EXPECT_TRUE(d.isVisible());
    d.setForm(diaryexport::Form::PlainText);
    d.setYear(2024);
    const QString target = dir.filePath(QStringLiteral("2024.txt"));
    dialogs->files.enqueue({true, target, 1});
    d.browse();
    EXPECT_EQ(d.request().target, target);
    EXPECT_EQ(d.request().range.from, QDate(2024, 1, 1));
    dialogs->shown.clear();
    const diaryexport::Result r = d.run([](int, int) { return true; });
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.entries, 2);
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("2 日分の日記を書き出しました。")});

    d.setPeriod(QDate(2024, 3, 1), QDate(2025, 1, 1));
    d.setForm(diaryexport::Form::PdfBook);
    EXPECT_TRUE(d.request().target.endsWith(QStringLiteral("日記.pdf")));
    d.setTarget(dir.filePath(QStringLiteral("book.pdf")));
    const diaryexport::Result c = d.run([](int done, int) { return done < 1; });
    EXPECT_TRUE(c.cancelled);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("book.pdf"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("book.pdf.part"))));
    EXPECT_EQ(dialogs->messages().last(), QStringLiteral("書き出しを中止しました。"));
}
