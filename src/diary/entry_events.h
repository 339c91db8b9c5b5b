#pragma once

#include "diary/keys.h"

#include <QObject>

// Windows that show entries hear here when a row is written or deleted, so that a window on the
// same date never goes on with a stale copy and never writes over another window's save.
namespace diary {

class EntryEvents : public QObject {
    Q_OBJECT
signals:
    void written(const QString &key);
    void removed(const QString &key);
};

EntryEvents &entryEvents();

// What a window showing shownKey with the document changed flag does after another window wrote
// writtenKey.
enum class FollowUp {
    Nothing, // another date
    Reload,  // no changes here: show what was saved
    KeepOwn, // the user keeps this window's changes; they are written only when saved
};
// Asks the user when this window has changes of its own.
FollowUp followWrite(const EntryKey &shownKey, const EntryKey &writtenKey, bool changed);

// Tells the user that the entry of key cannot be read and will not be written over.
void tellEntryUnreadable(const EntryKey &key);

} // namespace diary
