#include "diary/connection.h"
#include "diary/statements.h"
#include "diary_fixture.h"

#include <QDateTime>

using diary::DiaryRow;

TEST_F(DiaryTest, FirstOpenCopiesTheEmptyTemplate) {
    EXPECT_TRUE(QFile::exists(dbFile()));
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(m_store.firstKey(), QString());
    EXPECT_EQ(m_store.lastKey(), QString());
    EXPECT_TRUE(m_store.monthList(QStringLiteral("2401")).isEmpty());
    bool ok = false;
    EXPECT_FALSE(m_store.load(QStringLiteral("240115"), &ok).has_value());
    EXPECT_TRUE(ok);
}

TEST_F(DiaryTest, SecondSaveOfADateUpdatesItsOneRow) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_TRUE(m_store.save(QStringLiteral("240115"), QStringLiteral("朝"),
                             QStringLiteral("朝\n晴れ"), QByteArray("v1")));
    ASSERT_TRUE(m_store.saveEntry(QStringLiteral("240115"), QStringLiteral("夜\n雨"),
                                  QByteArray("\0v2", 3)));
    EXPECT_EQ(rowCount(), 1);
    const auto row = m_store.load(QStringLiteral("240115"));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->key, QStringLiteral("240115"));
    EXPECT_EQ(row->summary, QStringLiteral("夜"));
    EXPECT_EQ(row->text, QStringLiteral("夜\n雨"));
    EXPECT_EQ(row->document, QByteArray("\0v2", 3));
    EXPECT_GE(row->updated, before);
    EXPECT_LE(row->updated, QDateTime::currentDateTime().addSecs(1));

    // An emptied entry stays a row; only remove deletes it.
    ASSERT_TRUE(m_store.saveEntry(QStringLiteral("240115"), QString(), QByteArray()));
    EXPECT_EQ(m_store.load(QStringLiteral("240115"))->summary, QString());
    EXPECT_EQ(rowCount(), 1);
    ASSERT_TRUE(m_store.remove(QStringLiteral("240115")));
    EXPECT_EQ(rowCount(), 0);
    EXPECT_FALSE(m_store.save(QString(), QString(), QString(), QByteArray()));
}

TEST_F(DiaryTest, MonthListHoldsThatMonthAscendingAndNothingElse) {
    for (const char *key : {"240131", "231231", "240201", "240115", "240101", "2401", "140115"})
        ASSERT_TRUE(save(QString::fromLatin1(key), QStringLiteral("s%1\nbody").arg(key)));
    const QList<DiaryRow> month = m_store.monthList(QStringLiteral("2401"));
    EXPECT_EQ(keys(month), (QStringList{QStringLiteral("2401"), QStringLiteral("240101"),
                                        QStringLiteral("240115"), QStringLiteral("240131")}));
    EXPECT_EQ(month.at(2).summary, QStringLiteral("s240115"));
    EXPECT_EQ(m_store.firstKey(), QStringLiteral("140115"));
    EXPECT_EQ(m_store.lastKey(), QStringLiteral("240201"));
}

TEST_F(DiaryTest, RecentListsFiftyNewestFirstUpToTheKey) {
    const QDate first(2023, 10, 1);
    m_store.database().beginTransaction();
    for (int i = 0; i < 70; ++i)
        ASSERT_TRUE(save(diary::entryKey(first.addDays(i))));
    m_store.database().commit();
    const QString key = diary::entryKey(first.addDays(60)); // 60 older rows before it
    QList<DiaryRow> rows = m_store.recent(key);
    ASSERT_EQ(rows.size(), 50);
    EXPECT_EQ(rows.first().key, key);
    EXPECT_EQ(rows.last().key, diary::entryKey(first.addDays(11)));
    for (int i = 1; i < rows.size(); ++i)
        EXPECT_GT(rows.at(i - 1).key, rows.at(i).key);
    EXPECT_EQ(rows.first().text, QStringLiteral("text"));

    // A key without a row starts at the next older entry.
    ASSERT_TRUE(m_store.remove(key));
    rows = m_store.recent(key);
    ASSERT_EQ(rows.size(), 50);
    EXPECT_EQ(rows.first().key, diary::entryKey(first.addDays(59)));
    EXPECT_EQ(m_store.recent(QStringLiteral("000101")).size(), 0);
}

TEST_F(DiaryTest, ProcessWideOperationsRunOnTheOneConnection) {
    m_store.close();
    ASSERT_TRUE(diary::DbOpen(userDir(), templateDir()));
    diary::Store &store = diary::connection();
    EXPECT_EQ(store.firstKey(), QStringLiteral("")); // Null aggregate reads as ""
    ASSERT_TRUE(store.saveEntry(QStringLiteral("240105"), QStringLiteral("a"), {}));
    ASSERT_TRUE(store.saveEntry(QStringLiteral("240106"), QStringLiteral("b"), {}));
    EXPECT_EQ(store.monthList(QStringLiteral("2401")).size(), 2);
    const std::optional<diary::DiaryRow> row = store.load(QStringLiteral("240106"));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->summary, QStringLiteral("b"));
    EXPECT_EQ(store.exec(diary::sql::DeleteEntry, {QStringLiteral("240105")}), 1);
    EXPECT_EQ(store.exec(diary::sql::DeleteEntry, {QStringLiteral("240105")}), 0);
    EXPECT_TRUE(diary::DbCompact());
    EXPECT_EQ(store.lastKey(), QStringLiteral("240106"));
    diary::DbClose();
    diary::DbClose();
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(store.exec(diary::sql::DeleteEntry, {QStringLiteral("240106")}), -1);
}
