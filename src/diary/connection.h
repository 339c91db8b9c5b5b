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

} // namespace diary
