#include "diary/upgrade.h"

#include "diary/schema.h"
#include "diary/sqlite_step.h"
#include "platform/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace diary {

namespace {

QString backupOf(const QString &file) {
    return QFileInfo(file).dir().filePath(DbBackupFileName);
}

bool sameColumn(sqlite3_stmt *a, sqlite3_stmt *b, int column) {
    const int type = sqlite3_column_type(a, column);
    if (type != sqlite3_column_type(b, column))
        return false;
    const void *x = type == SQLITE_BLOB ? sqlite3_column_blob(a, column)
                                        : static_cast<const void *>(sqlite3_column_text(a, column));
    const void *y = type == SQLITE_BLOB ? sqlite3_column_blob(b, column)
                                        : static_cast<const void *>(sqlite3_column_text(b, column));
    const int size = sqlite3_column_bytes(a, column);
    return size == sqlite3_column_bytes(b, column) && (size == 0 || std::memcmp(x, y, size) == 0);
}

bool convert(const QString &file) {
    platform::Database db;
    if (!db.open(file) || !db.beginTransaction())
        return false;
    if (!rebuildSearchParts(db) || !db.commit()) {
        db.rollback();
        return false;
    }
    // Default page size, tables rewritten one after another. Not needed for the data: a failure
    // leaves a converted diary with the old page size.
    db.execScript(QStringLiteral("PRAGMA page_size=4096; VACUUM"));
    return true;
}

} // namespace

bool sameEntries(const QString &file, const QString &other) {
    platform::Database a;
    platform::Database b;
    if (!a.open(file, platform::Database::Mode::ReadOnly) ||
        !b.open(other, platform::Database::Mode::ReadOnly) || !a.integrityOk())
        return false;
    const char *sql = "SELECT sk日付, sz文書, st文書, ob文書, dy更新 FROM ms日誌 ORDER BY sk日付";
    Step x(a.handle(), sql);
    Step y(b.handle(), sql);
    for (;;) {
        const int rx = x.next();
        const int ry = y.next();
        if (rx != ry)
            return false;
        if (rx == SQLITE_DONE)
            return true;
        if (rx != SQLITE_ROW)
            return false;
        for (int column = 0; column < 5; ++column) {
            if (!sameColumn(x.get(), y.get(), column))
                return false;
        }
    }
}

bool upgradeLayout(const QString &file) {
    const QString backup = backupOf(file);
    {
        // The file alone must hold the diary before it is copied: fold the log into it.
        platform::Database db;
        if (!db.open(file) || !db.execScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE); "
                                                            "PRAGMA journal_mode=DELETE")))
            return false;
    }
    const QString fresh = backup + QStringLiteral(".new");
    QFile::remove(fresh);
    if (!QFile::copy(file, fresh) || !platform::replaceFile(fresh, backup)) {
        QFile::remove(fresh);
        return false;
    }
    QFile::setPermissions(backup, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (convert(file) && sameEntries(file, backup))
        return QFile::remove(backup);
    // The converted file is not trusted: the old one takes its place again.
    QFile::remove(file + QStringLiteral("-journal"));
    platform::replaceFile(backup, file);
    return false;
}

void settleBackup(const QString &file) {
    const QString backup = backupOf(file);
    if (QFileInfo(backup).isFile() && sameEntries(file, backup))
        QFile::remove(backup);
}

} // namespace diary
