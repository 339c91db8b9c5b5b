#pragma once

#include <QString>

namespace platform {
class Database;
}

// The case-folded copy of each entry's text that the search reads, and the record through which
// rows written by other tools are noticed.
namespace diary {

// The copy's row id of a key: the key's number for six digits, so that id order is key order;
// other keys get ids from one million up.
inline constexpr qint64 FirstOtherId = 1000000;

// Writes the folded copy of one entry's text. Inside the caller's transaction.
bool writeSearchCopy(platform::Database &db, const QString &key, const QString &text);
// Records the entries' count and latest update time, after every change the program makes.
bool recordEntriesState(platform::Database &db);
// The copy matches the entries as last recorded, and the entries still match that record.
bool searchCopyInStep(platform::Database &db);
// Rewrites the copy of every entry (all) or of those added or updated since the record (others
// than this program write no record), drops the copy of deleted entries, then records the state.
// Inside the caller's transaction.
bool refreshSearchCopy(platform::Database &db, bool all);

} // namespace diary
