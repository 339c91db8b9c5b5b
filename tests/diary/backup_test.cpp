#include "diary/backup.h"
#include "diary/statements.h"
#include "diary_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <atomic>
#include <thread>

using namespace diary;

namespace {

// Every row as one comparable text: key, summary, text and the document bytes.
QStringList allRows(platform::Database &db) {
    platform::Rows rows;
    EXPECT_TRUE(db.readRows(QStringLiteral("SELECT sk日付, sz文書, st文書, ob文書 FROM ms日誌 "
                                           "ORDER BY sk日付"),
                            {}, rows, 100000));
    QStringList out;
    for (const QVariantList &row : rows.values)
        out.append(row.at(0).toString() + u'|' + row.at(1).toString() + u'|' +
                   row.at(2).toString() + u'|' +
                   QString::fromLatin1(row.at(3).toByteArray().toHex()));
    return out;
}

QStringList rowsOf(const QString &path) {
    platform::Database db;
    EXPECT_TRUE(db.open(path, platform::Database::Mode::ReadOnly)) << path.toStdString();
    return allRows(db);
}

} // namespace

class BackupTest : public DiaryTest {
protected:
    QString backupDir() const { return backup::folder(userDir()); }
    QString daily(const QDate &d) const {
        return QDir(backupDir()).filePath(backup::dailyFileName(d));
    }
    QStringList backupNames() const { return QDir(backupDir()).entryList(QDir::Files, QDir::Name); }
    void saveSome() {
        QByteArray doc(5000, '\0');
        for (int i = 0; i < doc.size(); ++i)
            doc[i] = char(i * 7);
        ASSERT_TRUE(m_store.saveEntry(QStringLiteral("240101"), QStringLiteral("元日\n晴れ"), doc));
        ASSERT_TRUE(m_store.saveEntry(QStringLiteral("240102"), QStringLiteral("二日"), doc + "x"));
        ASSERT_TRUE(m_store.saveEntry(QStringLiteral("250315"), QStringLiteral("春"), "doc"));
    }
};

TEST_F(BackupTest, DailyCopyIsAnEqualPrivateDiaryAndRunsOncePerDay) {
    saveSome();
    const QDate day(2025, 3, 16);
    const backup::Result r = backup::runDaily(userDir(), day);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.path, daily(day));
    EXPECT_EQ(rowsOf(r.path), allRows(m_store.database()));
    // User, group and other bits: 0600 and 0700.
    EXPECT_EQ(QFileInfo(r.path).permissions() & 0x0fff,
              QFileDevice::ReadUser | QFileDevice::WriteUser);
    EXPECT_EQ(QFileInfo(backupDir()).permissions() & 0x0fff,
              QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    // A file of its own: no log or leftovers beside it.
    EXPECT_EQ(backupNames(), QStringList{backup::dailyFileName(day)});

    const backup::Info info = backup::inspect(r.path);
    EXPECT_EQ(info.entries, 3);
    EXPECT_EQ(info.firstEntry, QDate(2024, 1, 1));
    EXPECT_EQ(info.lastEntry, QDate(2025, 3, 15));
    EXPECT_EQ(info.size, QFileInfo(r.path).size());

    // The second start of the day leaves the day's copy as it is.
    ASSERT_TRUE(m_store.saveEntry(QStringLiteral("250316"), QStringLiteral("later"), "d"));
    ASSERT_TRUE(backup::runDaily(userDir(), day).ok);
    EXPECT_EQ(backup::inspect(r.path).entries, 3);
}

TEST_F(BackupTest, UnwritableBackupFolderIsToldAndLeavesTheDiaryAlone) {
    saveSome();
    const QStringList rows = allRows(m_store.database());
    write(backupDir(), "a file where the folder should be");
    const backup::Result r = backup::runDaily(userDir(), QDate(2025, 3, 16));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("書き込めません"))) << r.message.toStdString();
    EXPECT_TRUE(r.message.endsWith(QStringLiteral("日記は変更していません。")));
    EXPECT_EQ(allRows(m_store.database()), rows);
    EXPECT_TRUE(save(QStringLiteral("250316")));
}

TEST_F(BackupTest, KeepRuleOverSimulatedDailyBackups) {
    QList<QDate> days;
    const QDate start(2025, 1, 1);
    for (int i = 0; i < 400; ++i) {
        days.append(start.addDays(i));
        days = backup::daysToKeep(days);
    }
    ASSERT_EQ(days.size(), 7 + 4 + 12);
    const QDate today = start.addDays(399);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(days.at(i), today.addDays(-i));
    QSet<int> weeks;
    for (int i = 7; i < 11; ++i)
        weeks.insert(days.at(i).weekNumber() + 100 * days.at(i).year());
    EXPECT_EQ(weeks.size(), 4);
    QSet<int> months;
    for (int i = 11; i < 23; ++i)
        months.insert(days.at(i).month() + 100 * days.at(i).year());
    EXPECT_EQ(months.size(), 12);
    EXPECT_TRUE(std::is_sorted(days.begin(), days.end(), std::greater<>()));
    EXPECT_GT(days.last(), today.addMonths(-15));
}

TEST_F(BackupTest, OlderCopiesArePrunedOnlyAfterTheNewOnePassed) {
    saveSome();
    const QDate today(2025, 6, 30);
    ASSERT_TRUE(QDir().mkpath(backupDir()));
    QList<QDate> old;
    for (int i = 1; i <= 60; ++i) {
        old.append(today.addDays(-i));
        ASSERT_TRUE(QFile::copy(dbFile(), daily(old.last())));
    }
    const QStringList before = backupNames();

    // A copy that fails its check is removed and nothing else changes.
    backup::CopyOptions damage;
    damage.beforeCheck = [](const QString &copy) {
        QFile f(copy);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(f.size() / 2);
        f.write(QByteArray(int(f.size() / 2), '\xAB'));
    };
    const backup::Result bad = backup::runDaily(userDir(), today, damage);
    EXPECT_FALSE(bad.ok);
    EXPECT_FALSE(bad.message.isEmpty());
    EXPECT_EQ(backupNames(), before);

    ASSERT_TRUE(backup::runDaily(userDir(), today).ok);
    QStringList expected;
    for (const QDate &d : backup::daysToKeep(old + QList<QDate>{today}))
        expected.append(backup::dailyFileName(d));
    expected.sort();
    EXPECT_EQ(backupNames(), expected);
    EXPECT_EQ(expected.size(), 7 + 4 + 2);
}

TEST_F(BackupTest, RestoreBringsBackADeletedEntryAndKeepsThePreRestoreCopy) {
    saveSome();
    const backup::Result copy = backup::runDaily(userDir(), QDate(2025, 3, 16));
    ASSERT_TRUE(copy.ok);
    const QStringList backedUp = allRows(m_store.database());
    ASSERT_TRUE(m_store.remove(QStringLiteral("240101")));
    ASSERT_TRUE(save(QStringLiteral("250401"), QStringLiteral("after the backup")));
    const QStringList current = allRows(m_store.database());

    const QDateTime now(QDate(2025, 4, 2), QTime(9, 30, 5));
    const backup::Result r = backup::restore(m_store, userDir(), templateDir(), copy.path, now);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    ASSERT_TRUE(m_store.isOpen());
    EXPECT_EQ(allRows(m_store.database()), backedUp);
    EXPECT_TRUE(m_store.load(QStringLiteral("240101")).has_value());
    EXPECT_EQ(rowsOf(QDir(backupDir()).filePath(QStringLiteral("dbJvo-20250402-093005.mdb"))),
              current);
    // The restored diary takes saves again and searches its own rows.
    ASSERT_TRUE(save(QStringLiteral("250402"), QStringLiteral("恐竜")));
    EXPECT_EQ(keys(m_store.search(QStringLiteral("恐竜"))), QStringList{"250402"});
    EXPECT_FALSE(QFileInfo::exists(dbFile() + QStringLiteral(".restore")));
}

TEST_F(BackupTest, CorruptedBackupIsRefusedAndNeverReplacesTheDiary) {
    saveSome();
    const backup::Result copy = backup::runDaily(userDir(), QDate(2025, 3, 16));
    ASSERT_TRUE(copy.ok);
    {
        QFile f(copy.path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        // The header stays; the table pages behind it are garbage.
        f.seek(100);
        f.write(QByteArray(int(f.size()) - 100, '\x5A'));
    }
    ASSERT_TRUE(m_store.remove(QStringLiteral("240101")));
    const QStringList current = allRows(m_store.database());
    EXPECT_FALSE(backup::inspect(copy.path).sound());
    const backup::Result r = backup::restore(m_store, userDir(), templateDir(), copy.path,
                                             QDateTime(QDate(2025, 4, 2), QTime(9, 0)));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("壊れている")));
    ASSERT_TRUE(m_store.isOpen());
    EXPECT_EQ(allRows(m_store.database()), current);
}

TEST_F(BackupTest, SaveDuringABackupOfTwentyYearsCompletes) {
    const QDate first(2004, 1, 1);
    QByteArray doc(3000, 'd');
    ASSERT_TRUE(m_store.database().beginTransaction());
    for (int day = 0; day < 7300; ++day)
        m_store.saveEntry(entryKey(first.addDays(day)), QStringLiteral("二十年の日記 %1").arg(day),
                          doc);
    ASSERT_TRUE(m_store.database().commit());

    std::atomic_bool started{false};
    std::atomic_bool saved{false};
    backup::CopyOptions options;
    options.pagesPerStep = 64;
    options.progress = [&](int, int) {
        started = true;
        // Holds the copy in the middle until the save on the other connection is done.
        for (int i = 0; i < 5000 && !saved; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    };
    backup::Result result;
    std::thread worker([&] {
        result = backup::copyDiary(dbFile(), QDir(userDir()).filePath("copy.mdb"), options);
    });
    while (!started)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const bool ok = save(QStringLiteral("250101"), QStringLiteral("saved meanwhile"));
    saved = true;
    worker.join();
    EXPECT_TRUE(ok);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(backup::inspect(result.path).entries, 7300);
    EXPECT_EQ(rowCount(), 7301);
}
