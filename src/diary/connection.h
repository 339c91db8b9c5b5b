#pragma once

#include "diary/store.h"

// The program's one diary connection and the data-access operations the windows call on it.
namespace diary {

Store &connection();

// Opens "dbJvo.mdb" in userDir, copying the template from tplDir when it is missing. False (after
// telling the user) when the file is not a readable diary.
bool DbOpen(const QString &userDir, const QString &tplDir);
void DbClose();
bool DbCompact();
// An action statement; the number of rows it changed, -1 on failure.
int DbExec(const QString &sql, const QVariantList &params = {});
// One row into values, one slot per column; no row (or Null) gives each column's default.
bool DbReadRow(const QString &sql, const QVariantList &params, QVariantList &values);
// At most 500 rows.
bool DbReadRows(const QString &sql, const QVariantList &params, platform::Rows &rows);

} // namespace diary
