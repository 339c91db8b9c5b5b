#include "diary/schema.h"

#include "diary/search_copy.h"
#include "platform/database.h"

namespace diary {

namespace {

const QString Table = QStringLiteral(
    "CREATE TABLE ms日誌 (sk日付 TEXT NOT NULL PRIMARY KEY, sz文書 TEXT, st文書 TEXT, "
    "ob文書 BLOB, dy更新 TEXT)");

// Everything besides the entries uses SQLite's own functions only, so any SQLite tool can read
// and write the file. The folded copy lives in its own table; the trigram index refers to it
// (external content) instead of storing the text again. Writes of the copy keep the index in
// step; a deleted entry takes its copy along. Entries added or changed by other tools are noticed
// at open: their keys wait in ms日誌未索引, and the count and latest update time recorded in
// ms日誌状態 (the update-time index makes reading the latest one cheap) catch the rest.
const QString SearchParts = QStringLiteral(
    "CREATE INDEX ms日誌_更新 ON ms日誌 (dy更新);"
    "CREATE TABLE ms日誌検索 (id INTEGER PRIMARY KEY, sk日付 TEXT NOT NULL UNIQUE, "
    "sf文書 TEXT NOT NULL);"
    "CREATE VIRTUAL TABLE ms日誌索引 USING fts5(sf文書, content='ms日誌検索', "
    "content_rowid='id', tokenize='trigram case_sensitive 1', columnsize=0);"
    "CREATE TRIGGER ms日誌索引_追加 AFTER INSERT ON ms日誌検索 BEGIN "
    "INSERT INTO ms日誌索引 (rowid, sf文書) VALUES (NEW.id, NEW.sf文書); END;"
    "CREATE TRIGGER ms日誌索引_削除 AFTER DELETE ON ms日誌検索 BEGIN "
    "INSERT INTO ms日誌索引 (ms日誌索引, rowid, sf文書) VALUES ('delete', OLD.id, OLD.sf文書); "
    "END;"
    "CREATE TRIGGER ms日誌索引_更新 AFTER UPDATE ON ms日誌検索 BEGIN "
    "INSERT INTO ms日誌索引 (ms日誌索引, rowid, sf文書) VALUES ('delete', OLD.id, OLD.sf文書); "
    "INSERT INTO ms日誌索引 (rowid, sf文書) VALUES (NEW.id, NEW.sf文書); END;"
    "CREATE TRIGGER ms日誌_削除 AFTER DELETE ON ms日誌 BEGIN "
    "DELETE FROM ms日誌検索 WHERE sk日付 = OLD.sk日付; END;"
    "CREATE TABLE ms日誌未索引 (sk日付 TEXT NOT NULL PRIMARY KEY) WITHOUT ROWID;"
    "CREATE TRIGGER ms日誌_追加 AFTER INSERT ON ms日誌 BEGIN "
    "INSERT OR IGNORE INTO ms日誌未索引 VALUES (NEW.sk日付); END;"
    "CREATE TRIGGER ms日誌_更新 AFTER UPDATE OF sk日付, st文書 ON ms日誌 BEGIN "
    "INSERT OR IGNORE INTO ms日誌未索引 VALUES (NEW.sk日付); "
    "DELETE FROM ms日誌検索 WHERE sk日付 = OLD.sk日付 AND OLD.sk日付 IS NOT NEW.sk日付; END;"
    "CREATE TABLE IF NOT EXISTS ms日誌状態 (id INTEGER PRIMARY KEY CHECK (id = 1), "
    "n件数 INTEGER NOT NULL, dy最終 TEXT);"
    "INSERT OR IGNORE INTO ms日誌状態 VALUES (1, 0, NULL);");

// What any layout so far put beside the entries (the first one's triggers called a function of
// the program).
const QString DropSearchParts =
    QStringLiteral("DROP TRIGGER IF EXISTS ms日誌検索_追加; DROP TRIGGER IF EXISTS ms日誌検索_更新;"
                   "DROP TRIGGER IF EXISTS ms日誌検索_削除; DROP TRIGGER IF EXISTS ms日誌_削除;"
                   "DROP TRIGGER IF EXISTS ms日誌索引_追加; DROP TRIGGER IF EXISTS ms日誌索引_削除;"
                   "DROP TRIGGER IF EXISTS ms日誌索引_更新; DROP TABLE IF EXISTS ms日誌索引;"
                   "DROP TRIGGER IF EXISTS ms日誌_追加; DROP TRIGGER IF EXISTS ms日誌_更新;"
                   "DROP TABLE IF EXISTS ms日誌未索引;"
                   "DROP TABLE IF EXISTS ms日誌検索; DROP INDEX IF EXISTS ms日誌_更新;");

qlonglong countOf(platform::Database &db, const QString &sql) {
    QVariantList n{0};
    return db.readRow(sql, {}, n) ? n.at(0).toLongLong() : -1;
}

} // namespace

bool createSchema(platform::Database &db) {
    return db.execScript(Table) && db.execScript(SearchParts);
}

bool isDiary(platform::Database &db) {
    // Besides the columns, the table's and its key's trees are read, so a damaged start of the
    // file is found at open.
    platform::Rows columns;
    if (!db.readRows(QStringLiteral("SELECT name FROM pragma_table_info('ms日誌')"), {}, columns))
        return false;
    QStringList names;
    for (const QVariantList &row : columns.values)
        names.append(row.at(0).toString());
    for (const char16_t *name : {u"sk日付", u"sz文書", u"st文書", u"ob文書", u"dy更新"}) {
        if (!names.contains(QString::fromUtf16(name)))
            return false;
    }
    QVariantList ends{0, QString()};
    return countOf(db, QStringLiteral("SELECT count(*) FROM ms日誌")) >= 0 &&
           db.readRow(QStringLiteral("SELECT max(rowid), max(sk日付) AS sk日付 FROM ms日誌"), {},
                      ends);
}

bool hasCurrentLayout(platform::Database &db) {
    return countOf(db, QStringLiteral("SELECT count(*) FROM sqlite_schema "
                                      "WHERE type = 'table' AND name = 'ms日誌状態'")) == 1;
}

bool hasSearchParts(platform::Database &db) {
    // Four tables of our own (the index's shadow tables aside), one index, six triggers.
    return countOf(db, QStringLiteral(
                           "SELECT count(*) FROM sqlite_schema WHERE name IN ("
                           "'ms日誌検索', 'ms日誌索引', 'ms日誌状態', 'ms日誌_更新', "
                           "'ms日誌索引_追加', 'ms日誌索引_削除', 'ms日誌索引_更新', "
                           "'ms日誌_削除', 'ms日誌未索引', 'ms日誌_追加', 'ms日誌_更新')")) == 11;
}

bool rebuildSearchParts(platform::Database &db) {
    return db.execScript(DropSearchParts) && db.execScript(SearchParts) &&
           refreshSearchCopy(db, /*all=*/true);
}

} // namespace diary
