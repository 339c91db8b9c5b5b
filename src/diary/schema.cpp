#include "diary/schema.h"

#include "platform/database.h"

namespace diary {

namespace {

const QString Table = QStringLiteral(
    "CREATE TABLE ms日誌 (sk日付 TEXT NOT NULL PRIMARY KEY, sz文書 TEXT, st文書 TEXT, "
    "ob文書 BLOB, dy更新 TEXT)");

// The search copy: each entry's text case-folded, kept in step by triggers inside the same
// transaction as the entry itself.
const QString SearchCopy = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS ms日誌検索 (sk日付 TEXT NOT NULL PRIMARY KEY, "
    "sf文書 TEXT NOT NULL) WITHOUT ROWID;"
    "CREATE TRIGGER IF NOT EXISTS ms日誌検索_追加 AFTER INSERT ON ms日誌 BEGIN "
    "INSERT OR REPLACE INTO ms日誌検索 VALUES (NEW.sk日付, drjvo_fold(NEW.st文書)); END;"
    "CREATE TRIGGER IF NOT EXISTS ms日誌検索_更新 AFTER UPDATE ON ms日誌 BEGIN "
    "DELETE FROM ms日誌検索 WHERE sk日付 = OLD.sk日付;"
    "INSERT OR REPLACE INTO ms日誌検索 VALUES (NEW.sk日付, drjvo_fold(NEW.st文書)); END;"
    "CREATE TRIGGER IF NOT EXISTS ms日誌検索_削除 AFTER DELETE ON ms日誌 BEGIN "
    "DELETE FROM ms日誌検索 WHERE sk日付 = OLD.sk日付; END;");

const QString Rebuild = QStringLiteral(
    "DELETE FROM ms日誌検索;"
    "INSERT OR REPLACE INTO ms日誌検索 SELECT sk日付, drjvo_fold(st文書) FROM ms日誌 "
    "WHERE sk日付 IS NOT NULL;");

} // namespace

bool addDiaryFunctions(platform::Database &db) {
    return db.addFunction(QStringLiteral("drjvo_fold"), 1, [](const QVariantList &arguments) {
        return QVariant(arguments.at(0).toString().toCaseFolded());
    });
}

bool createSchema(platform::Database &db) {
    // Pages large enough for most entries' text to sit in one page keep the search scan short.
    return addDiaryFunctions(db) && db.execScript(QStringLiteral("PRAGMA page_size=16384")) &&
           db.execScript(Table) && db.execScript(SearchCopy);
}

bool isDiary(platform::Database &db) {
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
    QVariantList count{0};
    return db.readRow(QStringLiteral("SELECT count(*) FROM ms日誌"), {}, count);
}

bool hasSearchCopy(platform::Database &db) {
    QVariantList found{0};
    return db.readRow(QStringLiteral("SELECT count(*) FROM sqlite_schema "
                                     "WHERE type = 'table' AND name = 'ms日誌検索'"),
                      {}, found) &&
           found.at(0).toLongLong() == 1;
}

bool ensureSearchCopy(platform::Database &db) {
    // With its table and all three triggers in place the copy is in step: the triggers run in
    // each writer's transaction, and a writer without drjvo_fold fails instead of skipping them.
    QVariantList parts{0};
    if (!db.readRow(QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE "
                                   "(type = 'table' AND name = 'ms日誌検索') OR "
                                   "(type = 'trigger' AND tbl_name = 'ms日誌' AND "
                                   "name LIKE 'ms日誌検索%')"),
                    {}, parts))
        return false;
    if (parts.at(0).toLongLong() == 4)
        return true;
    if (!db.beginTransaction())
        return false;
    if (db.execScript(SearchCopy) && db.execScript(Rebuild) && db.commit())
        return true;
    db.rollback();
    return false;
}

} // namespace diary
