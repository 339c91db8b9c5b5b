#include "diary/schema.h"
#include "diary_fixture.h"

#include <QDir>
#include <QRandomGenerator>

namespace {

// The layout the first released version wrote, statement for statement, with the function its
// triggers called.
void writeLandedDiary(const QString &path) {
    platform::Database db;
    ASSERT_TRUE(db.open(path, platform::Database::Mode::Create));
    ASSERT_TRUE(db.addFunction(QStringLiteral("drjvo_fold"), 1, [](const QVariantList &a) {
        return QVariant(a.at(0).toString().toCaseFolded());
    }));
    ASSERT_TRUE(db.execScript(QStringLiteral("PRAGMA page_size=16384")));
    ASSERT_TRUE(db.execScript(QStringLiteral(
        "CREATE TABLE ms日誌 (sk日付 TEXT NOT NULL PRIMARY KEY, sz文書 TEXT, st文書 TEXT, "
        "ob文書 BLOB, dy更新 TEXT)")));
    ASSERT_TRUE(db.execScript(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS ms日誌検索 (sk日付 TEXT NOT NULL PRIMARY KEY, "
        "sf文書 TEXT NOT NULL) WITHOUT ROWID;"
        "CREATE TRIGGER IF NOT EXISTS ms日誌検索_追加 AFTER INSERT ON ms日誌 BEGIN "
        "INSERT OR REPLACE INTO ms日誌検索 VALUES (NEW.sk日付, drjvo_fold(NEW.st文書)); END;"
        "CREATE TRIGGER IF NOT EXISTS ms日誌検索_更新 AFTER UPDATE ON ms日誌 BEGIN "
        "DELETE FROM ms日誌検索 WHERE sk日付 = OLD.sk日付;"
        "INSERT OR REPLACE INTO ms日誌検索 VALUES (NEW.sk日付, drjvo_fold(NEW.st文書)); END;"
        "CREATE TRIGGER IF NOT EXISTS ms日誌検索_削除 AFTER DELETE ON ms日誌 BEGIN "
        "DELETE FROM ms日誌検索 WHERE sk日付 = OLD.sk日付; END;")));
    ASSERT_TRUE(db.execScript(QStringLiteral("PRAGMA journal_mode=WAL")));
    QRandomGenerator random(6);
    const QString insert = QStringLiteral("INSERT INTO ms日誌 VALUES (?, ?, ?, ?, ?)");
    for (int i = 0; i < 120; ++i) {
        QByteArray document(random.bounded(1, 60000), '\0');
        for (char &b : document)
            b = char(random.bounded(256));
        const QString key = QStringLiteral("%1").arg(100101 + i * 37, 6, 10, QChar(u'0'));
        const QString text = QStringLiteral("第%1日 Landed ÄRGER 鯨\n").arg(i).repeated(1 + i % 9);
        ASSERT_EQ(db.exec(insert, {key, text.left(20), text, document,
                                   QStringLiteral("2023-05-%1 10:00:00").arg(i % 28 + 10)}),
                  1);
    }
    // Nulls, an empty blob, a key that is not a date, and a value stored with another type.
    ASSERT_EQ(db.exec(insert,
                      {QStringLiteral("memo"), QVariant(), QVariant(), QByteArray(""), QVariant()}),
              1);
    ASSERT_EQ(db.exec(QStringLiteral("INSERT INTO ms日誌 VALUES ('990101', 7, 'x', 'text', 1.5)")),
              1);
}

qlonglong number(platform::Database &db, const QString &sql) {
    QVariantList n{0};
    EXPECT_TRUE(db.readRow(sql, {}, n)) << db.lastError().toStdString();
    return n.at(0).toLongLong();
}

TEST_F(DiaryTest, ADiaryOfTheLandedLayoutIsConvertedKeepingEveryRow) {
    m_store.close();
    ASSERT_TRUE(QFile::remove(dbFile()));
    writeLandedDiary(dbFile());
    const QString original = file(QStringLiteral("original.mdb"));
    ASSERT_TRUE(QFile::copy(dbFile(), original));
    if (QFile::exists(dbFile() + QStringLiteral("-wal"))) {
        ASSERT_TRUE(
            QFile::copy(dbFile() + QStringLiteral("-wal"), original + QStringLiteral("-wal")));
    }

    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("dbJvo.mdb.bak"))));
    EXPECT_TRUE(diary::hasCurrentLayout(m_store.database()));
    EXPECT_EQ(rowCount(), 122);

    // Every row byte for byte, compared by SQLite itself (IS on text and blobs is exact).
    platform::Database &db = m_store.database();
    ASSERT_GE(db.exec(QStringLiteral("ATTACH ? AS old"), {original}), 0);
    EXPECT_EQ(number(db, QStringLiteral("SELECT count(*) FROM old.ms日誌")), 122);
    EXPECT_EQ(
        number(db, QStringLiteral(
                       "SELECT count(*) FROM ms日誌 a JOIN old.ms日誌 b ON "
                       "a.sk日付 IS b.sk日付 AND a.sz文書 IS b.sz文書 AND "
                       "a.st文書 IS b.st文書 AND a.ob文書 IS b.ob文書 AND a.dy更新 IS b.dy更新 "
                       "AND typeof(a.sz文書) = typeof(b.sz文書) AND "
                       "typeof(a.dy更新) = typeof(b.dy更新)")),
        122);
    ASSERT_GE(db.exec(QStringLiteral("DETACH old")), 0);

    // Default pages, nothing that needs a function of ours, and the search works on the rows.
    EXPECT_EQ(number(db, QStringLiteral("PRAGMA page_size")), 4096);
    EXPECT_EQ(number(db, QStringLiteral("SELECT count(*) FROM sqlite_schema "
                                        "WHERE sql LIKE '%drjvo%'")),
              0);
    EXPECT_EQ(m_store.search(QStringLiteral("landed äRGER")).size(), 50);
    EXPECT_EQ(keys(m_store.search(QStringLiteral("第119日"))),
              QStringList{QStringLiteral("104504")});
    EXPECT_EQ(m_store.search(QStringLiteral("鯨")).size(), 50);
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringLiteral("after the upgrade")));
    EXPECT_EQ(m_store.search(QStringLiteral("upgrade")).size(), 1);

    // A second open finds nothing to convert.
    m_store.close();
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    EXPECT_EQ(rowCount(), 123);
}

} // namespace

namespace {

// An upgrade stopped after its transaction, before its check: the next open checks.
TEST_F(DiaryTest, ABackupLeftByAnUnfinishedUpgradeGoesOnlyWhenItHoldsTheSameEntries) {
    ASSERT_TRUE(save(QStringLiteral("240101"), QStringLiteral("kept")));
    m_store.close();
    const QString backup = file(QStringLiteral("dbJvo.mdb.bak"));
    ASSERT_TRUE(QFile::copy(dbFile(), backup));
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    EXPECT_FALSE(QFile::exists(backup));

    ASSERT_TRUE(save(QStringLiteral("240102"), QStringLiteral("only in the diary")));
    m_store.close();
    ASSERT_TRUE(QFile::copy(templateDir() + QStringLiteral("/dbJvo.mdb"), backup));
    const QByteArray bytes = contents(backup);
    ASSERT_TRUE(m_store.open(userDir(), templateDir()));
    EXPECT_EQ(contents(backup), bytes);
    EXPECT_EQ(rowCount(), 2);
}

} // namespace
