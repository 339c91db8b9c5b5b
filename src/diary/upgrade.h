#pragma once

#include <QString>

// Bringing a diary written by an earlier version to the current layout.
namespace diary {

// Converts the closed diary file to the current layout in one transaction, then rewrites it
// with the default page size. The old file is kept beside it as "dbJvo.mdb.bak" until every
// entry of the converted file has been compared with it; when the comparison fails the old file
// is put back. False when the diary is as it was.
bool upgradeLayout(const QString &file);
// A backup left by an upgrade that stopped before its check: removed when the diary holds the
// same entries, else kept.
void settleBackup(const QString &file);
// Both files hold the same entries, every column byte for byte.
bool sameEntries(const QString &file, const QString &other);

} // namespace diary
