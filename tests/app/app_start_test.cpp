#include "app/app_start.h"
#include "app/single_instance.h"
#include "app/translations.h"
#include "diary/connection.h"
#include "diary/keys.h"
#include "editor/interface.h"
#include "permissions_bind.h"
#include "platform/text/text_surface.h"
#include "platform/widgets/grid.h"
#include "recording_shell.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"
#include "settings/cp932.h"
#include "windows/entry_edit/sbedt.h"
#include "windows/main/fm_txt.h"
#include "windows/search/sbfnd.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AppStartTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    testsupport::ScriptedDialogsGuard dialogs;
    testsupport::RecordingShellGuard shell;
    QString exe, userDir;

    void SetUp() override {
        const QString bin = tmp.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        exe = bin + QStringLiteral("/drJvo_dv");
        QFile ini(bin + QStringLiteral("/UserData.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("%usr%");
        ini.close();
        // The empty diary the program copies on first use.
        QDir().mkpath(bin + QStringLiteral("/apData"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(DRJVO_TEMPLATE_DIR "/dbJvo.mdb"),
                                bin + QStringLiteral("/apData/dbJvo.mdb")));
        shell->folders.insert(26, tmp.filePath(QStringLiteral("data")) + u'/');
        userDir = tmp.filePath(QStringLiteral("data/Brenvik/drJvo")) + u'/';
    }
    void TearDown() override {
        if (appshell::mainWindow())
            appshell::mainWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QByteArray readBytes(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(AppStartTest, FirstRunCreatesTheFoldersAndWritesSettingsOnlyAtShutdown) {
    ASSERT_TRUE(appshell::AppStart(exe));
    const settings::AppValues &app = settings::appValues();
    EXPECT_TRUE(app.appRunning);
    EXPECT_EQ(app.exeBase, QStringLiteral("drJvo"));
    EXPECT_EQ(app.appDir, tmp.filePath(QStringLiteral("bin")) + u'/');
    EXPECT_EQ(app.tplDir, app.appDir + QStringLiteral("apData/"));
    EXPECT_EQ(app.userDir, userDir);
    EXPECT_EQ(app.wrkDir, userDir + QStringLiteral("Wrk/"));
    EXPECT_TRUE(QFileInfo(app.wrkDir).isDir());
    EXPECT_EQ(QFileInfo(userDir).permissions() & 0x0077, 0);
    EXPECT_TRUE(QFileInfo::exists(userDir + QStringLiteral("User.xml")));
    EXPECT_EQ(readBytes(userDir + QStringLiteral("User.xml")), QByteArray());
    EXPECT_TRUE(dialogs->messages().isEmpty());
    ASSERT_NE(appshell::mainWindow(), nullptr);
    EXPECT_TRUE(appshell::mainWindow()->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    appshell::mainWindow()->close();
    EXPECT_FALSE(app.appRunning);
    const QString xml = settings::decodeCp932(readBytes(userDir + QStringLiteral("User.xml")));
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml version='1.0' encoding='Shift-JIS' ?>\r\n")));
    for (const char *key : {"<LEFT>", "<TOP>", "<WIDTH>", "<HEIGHT>"})
        EXPECT_TRUE(xml.contains(QLatin1String(key))) << key;
    EXPECT_TRUE(xml.contains(QStringLiteral("   <位置>\r\n")));
    EXPECT_TRUE(xml.endsWith(QStringLiteral("</運用>")));
}

TEST_F(AppStartTest, SecondCopyIsTurnedAwayAndTheFirstKeepsItsSettings) {
    QDir().mkpath(userDir);
    appshell::SingleInstance first;
    ASSERT_TRUE(first.acquire(userDir, QStringLiteral("drJvo")));

    EXPECT_FALSE(appshell::AppStart(exe));
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_TRUE(
        dialogs->messages().at(0).startsWith(QStringLiteral("この日記は既に開かれています")));
    EXPECT_FALSE(settings::appValues().appRunning);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(QFileInfo::exists(userDir + QStringLiteral("User.xml")));
}

TEST_F(AppStartTest, FailedStartsEndWithAFailureStatus) {
    QDir().mkpath(userDir);
    {
        appshell::SingleInstance first;
        ASSERT_TRUE(first.acquire(userDir, QStringLiteral("drJvo")));
        EXPECT_NE(appshell::AppRun(exe), 0) << "second copy";
    }
    QFile db(userDir + QStringLiteral("dbJvo.mdb"));
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.write("not a diary");
    db.close();
    EXPECT_NE(appshell::AppRun(exe), 0) << "unreadable diary";
    EXPECT_EQ(dialogs->messages().size(), 2);
}

TEST(QtTranslations, StandardButtonsSpeakJapanese) {
    ASSERT_TRUE(appshell::installQtTranslations());
    QMessageBox box(QMessageBox::Question, QStringLiteral("drJvo"), QStringLiteral("保存しますか?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));
}

TEST_F(AppStartTest, LockLeftByACrashedCopyIsTakenOver) {
    QDir().mkpath(userDir);
    const QString lockPath = userDir + QStringLiteral("drJvo.lock");
    QByteArray contents;
    {
        QLockFile lock(lockPath);
        ASSERT_TRUE(lock.tryLock(0));
        contents = readBytes(lockPath);
        lock.unlock();
    }
    // The lock of a process that has ended, as a crash leaves it.
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    contents.replace(0, contents.indexOf('\n'), QByteArray::number(deadPid));
    QFile stale(lockPath);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(contents);
    stale.close();

    ASSERT_TRUE(appshell::AppStart(exe));
    EXPECT_TRUE(dialogs->messages().isEmpty());
}

TEST_F(AppStartTest, UnreadableDiaryEndsTheStart) {
    QDir().mkpath(userDir);
    QFile db(userDir + QStringLiteral("dbJvo.mdb"));
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.write("not a diary");
    db.close();

    EXPECT_FALSE(appshell::AppStart(exe));
    EXPECT_FALSE(dialogs->messages().isEmpty());
    EXPECT_EQ(appshell::mainWindow(), nullptr);
    EXPECT_FALSE(settings::appValues().appRunning);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(readBytes(userDir + QStringLiteral("dbJvo.mdb")), QByteArray("not a diary"));
    // The lock is given back: a later start may try again.
    appshell::SingleInstance next;
    EXPECT_TRUE(next.acquire(userDir, QStringLiteral("drJvo")));
}

TEST_F(AppStartTest, ReferenceCommandsOpenTheListingAndItsDatesTheEditWindow) {
    ASSERT_TRUE(appshell::AppStart(exe));
    mainwin::fmTxt *main = appshell::mainWindow();
    main->fnMenu(mainwin::ReferenceMenu, 2);
    searchwin::sbFnd &listing = searchwin::sbFnd::instance();
    EXPECT_TRUE(listing.isVisible());
    EXPECT_EQ(listing.windowTitle(), QStringLiteral("最近の日記"));

    emit listing.entryRequested(QStringLiteral("240115"));
    EXPECT_EQ(entryedit::sbEdt::instance().EditKey(), QStringLiteral("240115"));
    EXPECT_TRUE(entryedit::sbEdt::instance().isVisible());

    // Saving today's entry there shows its title in the main window's month list.
    const QString today = diary::entryKey(QDate::currentDate());
    emit listing.entryRequested(today);
    entryedit::sbEdt &edit = entryedit::sbEdt::instance();
    edit.uTxm().setTitle(QStringLiteral("編集窓で付けた題"));
    edit.uTxm().surface().setSelText(QStringLiteral("本文"));
    ASSERT_TRUE(edit.saveEntry());
    const platform::Grid *list = main->monthList();
    ASSERT_GE(list->rowCount(), 1);
    bool shown = false;
    for (int row = 1; row <= list->rowCount(); ++row)
        shown = shown || list->cellText(2, row) == QStringLiteral("編集窓で付けた題");
    EXPECT_TRUE(shown);
    main->close();
    searchwin::sbFnd::releaseInstance();
    entryedit::sbEdt::releaseInstance();
}

// The edit window is asked first when the program closes: Cancel there keeps everything open,
// Yes saves into the still open diary.
TEST_F(AppStartTest, ClosingAsksTheEditWindowWhileTheDiaryIsOpen) {
    ASSERT_TRUE(appshell::AppStart(exe));
    mainwin::fmTxt *main = appshell::mainWindow();
    entryedit::sbEdt &edit = entryedit::sbEdt::instance();
    ASSERT_TRUE(edit.ActDc(QStringLiteral("240115")));
    edit.uTxm().surface().setSelText(QStringLiteral("編集中の文"));
    ASSERT_TRUE(edit.uTxm().bDcEdt());

    dialogs->answers.enqueue(platform::Answer::Cancel);
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(edit.isVisible());
    EXPECT_TRUE(settings::appValues().appRunning);

    dialogs->answers.enqueue(platform::Answer::Yes); // the edit window's question
    EXPECT_TRUE(main->close());
    EXPECT_FALSE(edit.isVisible());
    // The entry reached the diary before it closed.
    ASSERT_TRUE(diary::DbOpen(userDir, QString()));
    const auto row = diary::connection().load(QStringLiteral("240115"));
    ASSERT_TRUE(row.has_value());
    EXPECT_TRUE(row->text.contains(QStringLiteral("編集中の文")));
    diary::DbClose();
    searchwin::sbFnd::releaseInstance();
    entryedit::sbEdt::releaseInstance();
}

TEST(SingleInstance, OneHolderPerFolder) {
    QTemporaryDir dir;
    appshell::SingleInstance a, b;
    ASSERT_TRUE(a.acquire(dir.path(), QStringLiteral("drJvo")));
    EXPECT_FALSE(b.acquire(dir.path(), QStringLiteral("drJvo")));
    EXPECT_TRUE(b.acquire(dir.path(), QStringLiteral("other")));
    a.release();
    EXPECT_TRUE(b.acquire(dir.path(), QStringLiteral("drJvo")));
}

namespace {

QFileDevice::Permissions modeOf(const QString &path) {
    return QFileInfo(path).permissions() &
           (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
            QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

constexpr QFileDevice::Permissions kPrivateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kPrivateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions kReadOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner;

} // namespace

TEST_F(AppStartTest, DiaryFilesAreReadableByTheirOwnerOnly) {
    ASSERT_TRUE(appshell::AppStart(exe));
    EXPECT_EQ(modeOf(userDir), kPrivateFolder);
    EXPECT_EQ(modeOf(userDir + QStringLiteral("Wrk")), kPrivateFolder);
    EXPECT_EQ(modeOf(userDir + QStringLiteral("User.xml")), kPrivateFile);
    EXPECT_EQ(modeOf(userDir + QStringLiteral("dbJvo.mdb")), kPrivateFile);

    mainwin::fmTxt *main = appshell::mainWindow();
    main->editorControl()->surface().setSelText(QStringLiteral("秘密の日記"));
    main->fnMenu(mainwin::OperationMenu, 5);
    for (const char *name : {"dbJvo.mdb", "dbJvo.mdb-wal", "dbJvo.mdb-shm"}) {
        const QString path = userDir + QLatin1String(name);
        ASSERT_TRUE(QFileInfo::exists(path)) << name;
        EXPECT_EQ(modeOf(path), kPrivateFile) << name;
    }
    main->close();
    EXPECT_EQ(modeOf(userDir + QStringLiteral("User.xml")), kPrivateFile);
}

TEST_F(AppStartTest, ReadOnlyUserFolderIsToldApartFromASecondCopy) {
    ASSERT_TRUE(QDir().mkpath(userDir));
    // The lock a crashed run left behind, now in a folder that cannot be written.
    const QString lockPath = userDir + QStringLiteral("drJvo.lock");
    QFile stale(lockPath);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999999\ndrJvo\n\n");
    stale.close();
    ASSERT_TRUE(QFile::setPermissions(userDir, kReadOnlyFolder));
    {
        testsupport::PermissionsBind bind;
        EXPECT_FALSE(appshell::AppStart(exe));
    }
    QFile::setPermissions(userDir, kPrivateFolder);
    const QString shown = QDir::toNativeSeparators(userDir);
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_EQ(dialogs->messages().at(0),
              QStringLiteral("ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞ ") + shown + QStringLiteral(" に書き込めません"));
    EXPECT_FALSE(settings::appValues().appRunning);
    EXPECT_EQ(appshell::mainWindow(), nullptr);

    // No lock of its own is left: once the folder can be written, the program starts.
    QFile::remove(lockPath);
    {
        QFile::setPermissions(userDir, kReadOnlyFolder);
        testsupport::PermissionsBind bind;
        EXPECT_FALSE(appshell::AppStart(exe));
    }
    QFile::setPermissions(userDir, kPrivateFolder);
    EXPECT_FALSE(QFileInfo::exists(lockPath));
    dialogs->shown.clear();
    ASSERT_TRUE(appshell::AppStart(exe));
    EXPECT_TRUE(dialogs->messages().isEmpty());
}

TEST_F(AppStartTest, SettingsThatCannotBeWrittenAtExitAreReported) {
    ASSERT_TRUE(appshell::AppStart(exe));
    ASSERT_TRUE(QFile::setPermissions(userDir, kReadOnlyFolder));
    QFile::setPermissions(userDir + QStringLiteral("User.xml"), QFileDevice::ReadOwner);
    {
        testsupport::PermissionsBind bind;
        appshell::mainWindow()->close();
    }
    QFile::setPermissions(userDir, kPrivateFolder);
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_EQ(dialogs->messages().at(0),
              QStringLiteral("設定ファイル ") +
                  QDir::toNativeSeparators(userDir + QStringLiteral("User.xml")) +
                  QStringLiteral(" を保存できませんでした"));
    EXPECT_FALSE(settings::appValues().appRunning);
}

TEST_F(AppStartTest, LeftoversOfAKilledRunAreRemovedOnlyByTheLockHolder) {
    QDir().mkpath(userDir);
    ASSERT_TRUE(QFile::copy(QStringLiteral(DRJVO_TEMPLATE_DIR "/dbJvo.mdb"),
                            userDir + QStringLiteral("dbJvo.mdb")));
    const QStringList leftovers{QStringLiteral("User.xml.q1W2e3"), QStringLiteral("dbJvo$$$.mdb"),
                                QStringLiteral("dbJvo$$$.mdb-journal")};
    for (const QString &name : leftovers) {
        QFile f(userDir + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("left by a killed run");
    }
    {
        appshell::SingleInstance other;
        ASSERT_TRUE(other.acquire(userDir, QStringLiteral("drJvo")));
        EXPECT_FALSE(appshell::AppStart(exe));
        for (const QString &name : leftovers)
            EXPECT_TRUE(QFileInfo::exists(userDir + name)) << qPrintable(name);
    }
    dialogs->shown.clear();
    ASSERT_TRUE(appshell::AppStart(exe));
    EXPECT_TRUE(dialogs->messages().isEmpty());
    for (const QString &name : leftovers)
        EXPECT_FALSE(QFileInfo::exists(userDir + name)) << qPrintable(name);
}
