#include "diary/search_copy.h"

#include "diary/sqlite_step.h"
#include "platform/database.h"

#include <QStringList>

namespace diary {

namespace {

bool isSixDigits(const QString &key) {
    if (key.size() != 6)
        return false;
    for (const QChar c : key) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// The id a new copy row of key gets.
qint64 newId(platform::Database &db, const QString &key) {
    if (isSixDigits(key))
        return key.toLongLong();
    QVariantList last{0};
    db.readRow(QStringLiteral("SELECT max(id) FROM ms日誌検索"), {}, last);
    return qMax(FirstOtherId, last.at(0).toLongLong() + 1);
}

// Keys whose copy must be written again: entries another tool added or changed, entries without
// a copy, and entries saved at or after the recorded latest update.
QStringList keysToRefresh(platform::Database &db) {
    QStringList keys;
    Step waiting(db.handle(), "SELECT sk日付 FROM ms日誌未索引");
    while (waiting.next() == SQLITE_ROW)
        keys.append(waiting.string(0));
    Step missing(db.handle(), "SELECT sk日付 FROM ms日誌 WHERE sk日付 NOT IN "
                              "(SELECT sk日付 FROM ms日誌検索)");
    while (missing.next() == SQLITE_ROW)
        keys.append(missing.string(0));
    Step changed(db.handle(), "SELECT sk日付 FROM ms日誌 WHERE dy更新 >= "
                              "(SELECT dy最終 FROM ms日誌状態 WHERE id = 1)");
    while (changed.next() == SQLITE_ROW)
        keys.append(changed.string(0));
    keys.removeDuplicates();
    return keys;
}

} // namespace

bool writeSearchCopy(platform::Database &db, const QString &key, const QString &text) {
    // An unchanged text leaves the index alone.
    return db.exec(QStringLiteral("DELETE FROM ms日誌未索引 WHERE sk日付 = ?"), {key}) >= 0 &&
           db.exec(QStringLiteral("INSERT INTO ms日誌検索 (id, sk日付, sf文書) VALUES (?, ?, ?) "
                                  "ON CONFLICT (sk日付) DO UPDATE SET sf文書 = excluded.sf文書 "
                                  "WHERE sf文書 IS NOT excluded.sf文書"),
                   {newId(db, key), key, text.toCaseFolded()}) >= 0;
}

bool recordEntriesState(platform::Database &db) {
    return db.exec(QStringLiteral("UPDATE ms日誌状態 SET n件数 = (SELECT count(*) FROM ms日誌), "
                                  "dy最終 = (SELECT max(dy更新) FROM ms日誌) WHERE id = 1")) == 1;
}

bool searchCopyInStep(platform::Database &db) {
    QVariantList same{0};
    return db.readRow(QStringLiteral("SELECT (SELECT count(*) FROM ms日誌) = n件数 AND "
                                     "(SELECT count(*) FROM ms日誌検索) = n件数 AND "
                                     "(SELECT max(dy更新) FROM ms日誌) IS dy最終 AND "
                                     "NOT EXISTS (SELECT 1 FROM ms日誌未索引) "
                                     "FROM ms日誌状態 WHERE id = 1"),
                      {}, same) &&
           same.at(0).toLongLong() == 1;
}

bool refreshSearchCopy(platform::Database &db, bool all) {
    if (db.exec(QStringLiteral("DELETE FROM ms日誌検索 WHERE sk日付 NOT IN "
                               "(SELECT sk日付 FROM ms日誌)")) < 0)
        return false;
    if (all) {
        Step rows(db.handle(), "SELECT sk日付, st文書 FROM ms日誌");
        int rc;
        while ((rc = rows.next()) == SQLITE_ROW) {
            if (!writeSearchCopy(db, rows.string(0), rows.string(1)))
                return false;
        }
        if (rc != SQLITE_DONE)
            return false;
    } else {
        Step text(db.handle(), "SELECT st文書 FROM ms日誌 WHERE sk日付 = ?");
        for (const QString &key : keysToRefresh(db)) {
            text.reset();
            text.bind(1, key);
            const int rc = text.next();
            if (rc == SQLITE_DONE)
                continue; // renamed or deleted since
            if (rc != SQLITE_ROW || !writeSearchCopy(db, key, text.string(0)))
                return false;
        }
    }
    return db.exec(QStringLiteral("DELETE FROM ms日誌未索引")) >= 0 && recordEntriesState(db);
}

} // namespace diary
