#include "diary/connection.h"

namespace diary {

Store &connection() {
    static Store store;
    return store;
}

bool DbOpen(const QString &userDir, const QString &tplDir) {
    return connection().open(userDir, tplDir);
}

void DbClose() {
    connection().close();
}

bool DbCompact() {
    return connection().compact();
}

int DbExec(const QString &sql, const QVariantList &params) {
    return connection().exec(sql, params);
}

bool DbReadRow(const QString &sql, const QVariantList &params, QVariantList &values) {
    return connection().readRow(sql, params, values);
}

bool DbReadRows(const QString &sql, const QVariantList &params, platform::Rows &rows) {
    return connection().readRows(sql, params, rows);
}

} // namespace diary
