#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace diary {

// File names of the diary, in the user data folder and in the template folder.
inline const QString DbFileName = QStringLiteral("dbJvo.mdb");
inline const QString DbWorkFileName = QStringLiteral("dbJvo$$$.mdb");

// Creates the empty diary table and its search copy in a new database (the template).
bool createSchema(platform::Database &db);
// Registers the SQL functions the diary's triggers and statements use; needed on every
// connection that writes entries.
bool addDiaryFunctions(platform::Database &db);
// The table "ms日誌" exists with its five columns and its rows can be counted.
bool isDiary(platform::Database &db);
// Makes sure the case-folded search copy of every entry's text exists with the triggers that
// keep it in step, building it from the entries when any part of it is missing.
bool ensureSearchCopy(platform::Database &db);
// Whether the search copy table is present.
bool hasSearchCopy(platform::Database &db);

} // namespace diary
