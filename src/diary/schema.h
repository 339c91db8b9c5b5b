#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace diary {

// File names of the diary, in the user data folder and in the template folder.
inline const QString DbFileName = QStringLiteral("dbJvo.mdb");
inline const QString DbWorkFileName = QStringLiteral("dbJvo$$$.mdb");
// The diary as it was before an upgrade of its layout, kept until the new one is checked.
inline const QString DbBackupFileName = QStringLiteral("dbJvo.mdb.bak");

// Creates the empty diary table, its search copy, index and state (the template).
bool createSchema(platform::Database &db);
// The table "ms日誌" exists with its five columns and its rows can be counted.
bool isDiary(platform::Database &db);
// The file carries the state table of the current layout (older diaries need an upgrade).
bool hasCurrentLayout(platform::Database &db);
// Every table, index and trigger of the search copy is present.
bool hasSearchParts(platform::Database &db);
// Drops whatever search copy the file has (of this layout or an older one) and builds the
// current one from the entries. Runs inside the caller's transaction.
bool rebuildSearchParts(platform::Database &db);

} // namespace diary
