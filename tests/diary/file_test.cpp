#include "diary/schema.h"
#include "diary_fixture.h"
#include "scripted_dialogs.h"

#include <QDir>

namespace {

class DiaryFileTest : public DiaryTest {
protected:
    void fill() {
        for (int d = 1; d <= 20; ++d)
            ASSERT_TRUE(save(QStringLiteral("2403%1").arg(d, 2, 10, QChar(u'0')),
                             QStringLiteral("日記 %1").arg(d)));
        ASSERT_TRUE(m_store.remove(QStringLiteral("240305")));
    }
    void expectIntact() {
        ASSERT_TRUE(m_store.isOpen());
        EXPECT_EQ(rowCount(), 19);
        EXPECT_EQ(m_store.load(QStringLiteral("240320"))->text, QStringLiteral("日記 20"));
        EXPECT_EQ(m_store.search(QStringLiteral("日記 1")).size(), 11); // 1, 10-19
    }
    // The user is told about exactly this file, and the file keeps every byte.
    void expectRefused(const QString &path, const QByteArray &bytes) {
        testsupport::ScriptedDialogsGuard dialogs;
        diary::Store store;
        EXPECT_FALSE(store.open(userDir(), templateDir()));
        EXPECT_FALSE(store.isOpen());
        ASSERT_EQ(dialogs->messages().size(), 1);
        EXPECT_TRUE(dialogs->messages().first().contains(QDir::toNativeSeparators(path)));
        EXPECT_TRUE(dialogs->messages().first().contains(QStringLiteral("読み込めません")));
        EXPECT_EQ(contents(path), bytes);
    }
};

// The files as a crash at this moment would leave them.
void snapshot(const QString &from, const QString &to) {
    ASSERT_TRUE(QDir().mkpath(to));
    for (const QString &suffix : {QString(), QStringLiteral("-wal")}) {
        const QString name = QStringLiteral("dbJvo.mdb") + suffix;
        if (QFile::exists(QDir(from).filePath(name))) {
            ASSERT_TRUE(QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)));
        }
    }
}

TEST_F(DiaryFileTest, ACrashDuringASaveLeavesTheOldRowOrTheNewOne) {
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringLiteral("old words")));
    const QByteArray document(300 * 1024, 'n');
    {
        // A writer with almost no cache pushes the unfinished row into the log before commit.
        platform::Database writer;
        ASSERT_TRUE(writer.open(dbFile()));
        ASSERT_TRUE(writer.execScript(QStringLiteral("PRAGMA cache_size=1")));
        ASSERT_TRUE(writer.beginTransaction());
        ASSERT_EQ(writer.exec(QStringLiteral("UPDATE ms日誌 SET st文書 = ?, ob文書 = ?, "
                                             "dy更新 = datetime('now', 'localtime') "
                                             "WHERE sk日付 = '240101'"),
                              {QStringLiteral("new words"), document}),
                  1);
        snapshot(userDir(), file(QStringLiteral("during")));
        ASSERT_GT(QFileInfo(file(QStringLiteral("during/dbJvo.mdb-wal"))).size(), 100 * 1024);
        ASSERT_TRUE(writer.commit());
        snapshot(userDir(), file(QStringLiteral("after")));
    }
    const auto reopened = [&](const QString &folder) {
        diary::Store store;
        EXPECT_TRUE(store.open(file(folder), templateDir()));
        const auto row = store.load(QStringLiteral("240101"));
        EXPECT_TRUE(row.has_value());
        const bool isNew = row && row->document == document;
        EXPECT_EQ(row->text, isNew ? QStringLiteral("new words") : QStringLiteral("old words"));
        EXPECT_EQ(store.search(isNew ? QStringLiteral("new") : QStringLiteral("old")).size(), 1);
        EXPECT_TRUE(store.search(isNew ? QStringLiteral("old") : QStringLiteral("new")).isEmpty());
        return isNew;
    };
    EXPECT_FALSE(reopened(QStringLiteral("during")));
    EXPECT_TRUE(reopened(QStringLiteral("after")));
}

TEST_F(DiaryFileTest, CompactionKeepsEveryEntryAndLeavesNoWorkFile) {
    fill();
    ASSERT_TRUE(m_store.compact());
    EXPECT_TRUE(QDir(userDir()).entryList({QStringLiteral("*$$$*")}, QDir::AllEntries).isEmpty());
    expectIntact();
    ASSERT_TRUE(save(QStringLiteral("240401")));
    EXPECT_EQ(rowCount(), 20);
}

TEST_F(DiaryFileTest, CompactionThatFailsMidwayLeavesTheDiary) {
    fill();
    // The copy is damaged after it was written: the check refuses it.
    EXPECT_FALSE(m_store.compact([](const QString &work) {
        QFile f(work);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(0);
        f.write(QByteArray(f.size(), '\x5a'));
    }));
    EXPECT_FALSE(QFile::exists(workFile()));
    expectIntact();

    // The copy vanishes before it can be put in place.
    EXPECT_FALSE(m_store.compact([](const QString &work) { QFile::remove(work); }));
    expectIntact();

    // The work file cannot be made at all.
    ASSERT_TRUE(QDir(userDir()).mkpath(QStringLiteral("dbJvo$$$.mdb/inside")));
    EXPECT_FALSE(m_store.compact());
    expectIntact();
}

TEST_F(DiaryFileTest, MissingOrEmptyDiaryIsRestoredFromTheWorkFile) {
    fill();
    m_store.close();
    ASSERT_TRUE(QFile::rename(dbFile(), workFile())); // as if stopped between the steps
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    EXPECT_FALSE(QFile::exists(workFile()));
    expectIntact();

    m_store.close();
    ASSERT_TRUE(QFile::rename(dbFile(), workFile()));
    write(dbFile(), {});
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    expectIntact();
}

TEST_F(DiaryFileTest, WorkFileBesideAGoodDiaryIsLeftAlone) {
    fill();
    m_store.close();
    write(workFile(), "partial");
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    expectIntact();
    EXPECT_EQ(contents(workFile()), QByteArray("partial"));
}

TEST_F(DiaryFileTest, DamagedDiaryIsReportedAndLeftUntouched) {
    fill();
    m_store.close();
    QByteArray bytes = contents(dbFile());
    ASSERT_GT(bytes.size(), 1024);
    bytes.replace(0, 16, QByteArray(16, '\x01')); // the file header
    write(dbFile(), bytes);
    expectRefused(dbFile(), bytes);

    // A damaged page inside an otherwise sound file.
    DiaryTest::TearDown();
    bytes = contents(dbFile());
    bytes.replace(0, 16, QByteArray("SQLite format 3\0", 16));
    const int pageSize = (uchar(bytes.at(16)) << 8) | uchar(bytes.at(17));
    bytes.replace(pageSize, pageSize * 2, QByteArray(pageSize * 2, '\xee'));
    write(dbFile(), bytes);
    expectRefused(dbFile(), bytes);
}

TEST_F(DiaryFileTest, OtherFilesUnderTheDiaryNameAreReportedAndLeftUntouched) {
    m_store.close();
    const QByteArray text = QByteArray("これは日記ではありません\n").repeated(100);
    write(dbFile(), text);
    expectRefused(dbFile(), text);

    // A database, but not a diary.
    QFile::remove(dbFile());
    {
        platform::Database other;
        ASSERT_TRUE(other.open(dbFile(), platform::Database::Mode::Create));
        ASSERT_TRUE(other.execScript(QStringLiteral("CREATE TABLE notes (id INTEGER)")));
    }
    const QByteArray foreign = contents(dbFile());
    expectRefused(dbFile(), foreign);

    // A damaged work file with no diary is not taken for the diary either.
    QFile::remove(dbFile());
    write(workFile(), text);
    expectRefused(workFile(), text);
    EXPECT_FALSE(QFile::exists(dbFile()));
}

TEST_F(DiaryFileTest, MissingTemplateIsReported) {
    m_store.close();
    QFile::remove(dbFile());
    testsupport::ScriptedDialogsGuard dialogs;
    diary::Store store;
    EXPECT_FALSE(store.open(userDir(), file(QStringLiteral("noTemplates"))));
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_TRUE(dialogs->messages().first().contains(QStringLiteral("dbJvo.mdb")));
    EXPECT_FALSE(QFile::exists(dbFile()));

    // A user folder where the diary cannot be made.
    const QString nowhere = file(QStringLiteral("missing/folder"));
    EXPECT_FALSE(store.open(nowhere, templateDir()));
    ASSERT_EQ(dialogs->messages().size(), 2);
    EXPECT_TRUE(dialogs->messages().last().contains(QDir::toNativeSeparators(nowhere)));
}

} // namespace

TEST_F(DiaryFileTest, DiaryFilesAreReadableByTheirOwnerOnly) {
    constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    constexpr QFileDevice::Permissions mask =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    ASSERT_TRUE(save(QStringLiteral("240101")));
    for (const QString &name : {QStringLiteral("dbJvo.mdb"), QStringLiteral("dbJvo.mdb-wal"),
                                QStringLiteral("dbJvo.mdb-shm")})
        EXPECT_EQ(QFileInfo(file(name)).permissions() & mask, ownerOnly) << qPrintable(name);
    ASSERT_TRUE(m_store.compact());
    EXPECT_EQ(QFileInfo(dbFile()).permissions() & mask, ownerOnly);

    // A diary an earlier version left readable by others is made private when it is opened.
    m_store.close();
    ASSERT_TRUE(QFile::setPermissions(dbFile(),
                                      ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    EXPECT_EQ(QFileInfo(dbFile()).permissions() & mask, ownerOnly);
}

TEST_F(DiaryFileTest, LeftoversOfAKilledCompactionGoUnlessTheyHoldTheDiary) {
    fill();
    m_store.close();
    const QStringList companions{QString(), QStringLiteral("-journal"), QStringLiteral("-wal"),
                                 QStringLiteral("-shm")};
    for (const QString &suffix : companions)
        write(workFile() + suffix, "partial");
    diary::Store::removeLeftovers(userDir());
    for (const QString &suffix : companions)
        EXPECT_FALSE(QFile::exists(workFile() + suffix)) << qPrintable(suffix);
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    expectIntact();

    // Killed between the steps: the work file is the diary, with or without an empty diary file.
    for (bool emptyDiary : {false, true}) {
        m_store.close();
        ASSERT_TRUE(QFile::rename(dbFile(), workFile()));
        if (emptyDiary)
            write(dbFile(), {});
        write(workFile() + QStringLiteral("-journal"), {});
        diary::Store::removeLeftovers(userDir());
        EXPECT_TRUE(QFile::exists(workFile()));
        EXPECT_TRUE(QFile::exists(workFile() + QStringLiteral("-journal")));
        ASSERT_TRUE(m_store.open(userDir(), templateDir()));
        expectIntact();
        m_store.close();
        diary::Store::removeLeftovers(userDir());
        EXPECT_FALSE(QFile::exists(workFile() + QStringLiteral("-journal")));
        ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    }
}
