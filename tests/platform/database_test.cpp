#include "platform/database.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Database;

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_db.open(path(u"t.db"), Database::Mode::Create))
            << m_db.lastError().toStdString();
        ASSERT_TRUE(m_db.execScript(QStringLiteral(
            "CREATE TABLE t (sKey TEXT PRIMARY KEY, sName TEXT, nCount INTEGER, obData BLOB, "
            "dyWhen TEXT, sLimited TEXT CHECK (sLimited <> 'bad'))")));
    }
    QString path(QStringView name) const { return m_dir.filePath(name.toString()); }
    QByteArray contents(const QString &file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    Database m_db;
};

TEST_F(DatabaseTest, RefusesMissingFilesAndFilesThatAreNoDatabase) {
    Database other;
    EXPECT_FALSE(other.open(path(u"missing.db")));
    EXPECT_FALSE(QFile::exists(path(u"missing.db")));

    const QByteArray text = QByteArray("just some text, not a database\n").repeated(200);
    QFile f(path(u"text.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    EXPECT_FALSE(other.open(path(u"text.db")));
    EXPECT_FALSE(other.isOpen());
    EXPECT_FALSE(other.lastError().isEmpty());
    EXPECT_EQ(contents(path(u"text.db")), text);
}

TEST_F(DatabaseTest, ReadsColumnsByTheirNameConvention) {
    // No row: text columns give "", dates nothing, everything else 0.
    QVariantList values;
    bool found = true;
    ASSERT_TRUE(m_db.readRow(QStringLiteral("SELECT sName, dyWhen, nCount, obData FROM t"), {},
                             values, &found));
    EXPECT_FALSE(found);
    ASSERT_EQ(values.size(), 4);
    EXPECT_EQ(values[0], QVariant(QStringLiteral("")));
    EXPECT_FALSE(values[1].isValid());
    EXPECT_EQ(values[2].toLongLong(), 0);
    EXPECT_EQ(values[3].toLongLong(), 0);

    // Null values read as the same defaults; present values keep their kinds.
    const QDateTime when(QDate(2024, 1, 15), QTime(21, 30, 5));
    const QByteArray bytes("\0\1\2binary\xff", 10);
    ASSERT_EQ(m_db.exec(QStringLiteral("INSERT INTO t (sKey, sName, nCount, obData, dyWhen) "
                                       "VALUES (?, ?, ?, ?, ?)"),
                        {QStringLiteral("a"), QVariant(), 7, bytes, when}),
              1);
    ASSERT_EQ(m_db.exec(QStringLiteral("INSERT INTO t (sKey) VALUES (?)"), {QStringLiteral("b")}),
              1);
    ASSERT_TRUE(
        m_db.readRow(QStringLiteral("SELECT sName, dyWhen, nCount, obData FROM t WHERE sKey = ?"),
                     {QStringLiteral("a")}, values, &found));
    EXPECT_TRUE(found);
    EXPECT_EQ(values[0], QVariant(QStringLiteral("")));
    EXPECT_EQ(values[1].toDateTime(), when);
    EXPECT_EQ(values[2].toLongLong(), 7);
    EXPECT_EQ(values[3].toByteArray(), bytes);
    ASSERT_TRUE(m_db.readRow(
        QStringLiteral("SELECT dyWhen, nCount, min(sKey) AS sYmn FROM t WHERE sKey = 'b'"), {},
        values));
    EXPECT_FALSE(values[0].isValid());
    EXPECT_EQ(values[1].toLongLong(), 0);
    EXPECT_EQ(values[2].toString(), QStringLiteral("b"));
}

TEST_F(DatabaseTest, ParametersAreNeverPartOfTheStatement) {
    const QString nasty = QStringLiteral("it's ? a '; DROP TABLE t; -- \"x\" 日本語");
    ASSERT_EQ(m_db.exec(QStringLiteral("INSERT INTO t (sKey, sName) VALUES (?, ?)"),
                        {QStringLiteral("k"), nasty}),
              1);
    QVariantList values;
    ASSERT_TRUE(
        m_db.readRow(QStringLiteral("SELECT sName FROM t WHERE sName = ?"), {nasty}, values));
    EXPECT_EQ(values[0].toString(), nasty);
    // A wrong number of parameters is a failure, not a partly bound statement.
    EXPECT_EQ(m_db.exec(QStringLiteral("DELETE FROM t WHERE sKey = ?"), {}), -1);
    EXPECT_FALSE(m_db.readRow(QStringLiteral("SELECT nosuchcolumn FROM t"), {}, values));
}

TEST_F(DatabaseTest, ReadsAtMostTheRowLimit) {
    ASSERT_TRUE(m_db.beginTransaction());
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(m_db.exec(QStringLiteral("INSERT INTO t (sKey, nCount) VALUES (?, ?)"),
                            {QStringLiteral("%1").arg(i, 4, 10, QChar(u'0')), i}),
                  1);
    ASSERT_TRUE(m_db.commit());
    platform::Rows rows;
    ASSERT_TRUE(
        m_db.readRows(QStringLiteral("SELECT sKey, nCount FROM t ORDER BY sKey"), {}, rows));
    EXPECT_EQ(rows.count(), 500);
    EXPECT_EQ(rows.columns, (QStringList{QStringLiteral("sKey"), QStringLiteral("nCount")}));
    EXPECT_EQ(rows.values.last().at(1).toLongLong(), 499);
    ASSERT_TRUE(m_db.readRows(QStringLiteral("SELECT sKey FROM t WHERE nCount < 0"), {}, rows));
    EXPECT_EQ(rows.count(), 0);
}

TEST_F(DatabaseTest, AddOrUpdateWritesOneWholeRowOrNothing) {
    const QStringList columns{QStringLiteral("sName"), QStringLiteral("sLimited")};
    const QString table = QStringLiteral("t");
    const QString key = QStringLiteral("sKey");
    ASSERT_TRUE(m_db.addOrUpdate(table, key, QStringLiteral("k"), columns,
                                 {QStringLiteral("first"), QStringLiteral("ok")}));
    ASSERT_TRUE(m_db.addOrUpdate(table, key, QStringLiteral("k"), columns,
                                 {QStringLiteral("second"), QStringLiteral("ok")}));
    // A row the table refuses leaves the stored row as it was.
    EXPECT_FALSE(m_db.addOrUpdate(table, key, QStringLiteral("k"), columns,
                                  {QStringLiteral("third"), QStringLiteral("bad")}));
    EXPECT_FALSE(m_db.addOrUpdate(table, key, QStringLiteral("new"), columns,
                                  {QStringLiteral("x"), QStringLiteral("bad")}));
    platform::Rows rows;
    ASSERT_TRUE(m_db.readRows(QStringLiteral("SELECT sKey, sName FROM t"), {}, rows));
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.values[0][1].toString(), QStringLiteral("second"));
}

TEST_F(DatabaseTest, ContainsIsALiteralSubstringTest) {
    QVariantList v;
    const auto contains = [&](const QString &text, const QString &part) {
        EXPECT_TRUE(m_db.readRow(QStringLiteral("SELECT contains(?, ?) AS n"), {text, part}, v));
        return v[0].toLongLong() == 1;
    };
    EXPECT_TRUE(contains(QStringLiteral("今日は晴れ"), QStringLiteral("日は")));
    EXPECT_TRUE(contains(QStringLiteral("a%b_c*d"), QStringLiteral("%b_c*")));
    EXPECT_FALSE(contains(QStringLiteral("axb"), QStringLiteral("a_b")));
    EXPECT_FALSE(contains(QStringLiteral("ABC"), QStringLiteral("abc")));
    EXPECT_TRUE(contains(QStringLiteral("abc"), QStringLiteral("")));
}

TEST_F(DatabaseTest, FunctionsCompactionAndFileReplacement) {
    ASSERT_TRUE(m_db.addFunction(QStringLiteral("twice"), 1, [](const QVariantList &a) {
        return QVariant(a.at(0).toString().repeated(2));
    }));
    QVariantList v;
    ASSERT_TRUE(m_db.readRow(QStringLiteral("SELECT twice(?) AS s"), {QStringLiteral("ab")}, v));
    EXPECT_EQ(v[0].toString(), QStringLiteral("abab"));

    ASSERT_EQ(m_db.exec(QStringLiteral("INSERT INTO t (sKey) VALUES ('x')")), 1);
    EXPECT_TRUE(m_db.integrityOk());
    ASSERT_TRUE(m_db.compactInto(path(u"copy.db")));
    EXPECT_FALSE(m_db.compactInto(path(u"copy.db"))); // never over an existing file
    m_db.close();

    ASSERT_TRUE(platform::replaceFile(path(u"copy.db"), path(u"t.db")));
    EXPECT_FALSE(QFile::exists(path(u"copy.db")));
    ASSERT_TRUE(m_db.open(path(u"t.db")));
    ASSERT_TRUE(m_db.readRow(QStringLiteral("SELECT count(*) AS n FROM t"), {}, v));
    EXPECT_EQ(v[0].toLongLong(), 1);
    QString error;
    EXPECT_FALSE(platform::replaceFile(path(u"gone.db"), path(u"t.db"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFile::exists(path(u"t.db")));
}

} // namespace
