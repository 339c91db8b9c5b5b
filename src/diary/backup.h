#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

namespace diary {

class Store;

// Copies of the diary in the folder "Backup" of the user data folder: one "dbJvo-yyyyMMdd.mdb" a
// day, kept by the rule of backupsToKeep; "dbJvo-yyyyMMdd-HHmmss.mdb" is the copy taken before a
// restore, never removed by the program.
namespace backup {

QString folder(const QString &userDir);
// Creates the folder, private to the user; false when it cannot be made.
bool makeFolder(const QString &userDir);
QString dailyFileName(const QDate &day);
// The day of a daily copy's file name; invalid for any other name.
QDate dailyFileDate(const QString &fileName);

// Of the days with a daily copy, those to keep: the 7 newest, then the newest of each of the 4
// next older weeks, then the newest of each of the 12 next older months.
QList<QDate> daysToKeep(QList<QDate> days);

// What the list of backups shows of one copy.
struct Info {
    QString path;
    QDateTime written;
    qint64 size = 0;
    qlonglong entries = -1; // -1: the copy is not a readable, undamaged diary
    QDate firstEntry;
    QDate lastEntry;
    bool sound() const { return entries >= 0; }
};
// Reads a copy without changing it.
Info inspect(const QString &path);
// Every copy in the folder, newest first.
QList<Info> list(const QString &userDir);

// Progress in SQLite pages; returning false stops the copy.
using Progress = std::function<bool(int done, int total)>;

struct Result {
    bool ok = false;
    QString path;    // the checked copy
    QString message; // why it failed, for the user
};

// Copies the diary file source into target with the online backup API, a few pages at a time
// over a connection of its own that holds one read snapshot, so saves on other connections go
// on meanwhile. The copy is written under a temporary name, checked (integrity and the number of
// entries) and only then given its name; a copy that fails is removed. The file is private, its
// folder too.
struct CopyOptions {
    Progress progress;
    int pagesPerStep = 256;
    // Called on the finished copy before its check (tests damage it here).
    std::function<void(const QString &copy)> beforeCheck;
};
Result copyDiary(const QString &source, const QString &target, const CopyOptions &options = {});

// Today's daily copy of the diary in userDir when there is none yet, then the older copies
// beyond the keep rule are removed. A day's copy that already exists is left as it is.
Result runDaily(const QString &userDir, const QDate &today, const CopyOptions &options = {});
// A copy of the diary in userDir named by the time now, never removed by the program.
Result backUpNow(const QString &userDir, const QDateTime &now, const CopyOptions &options = {});
// Removes the daily copies the keep rule drops; the newest is always kept.
void prune(const QString &userDir);

// Replaces the open diary by the copy at path: the copy is checked, the current diary is first
// copied to "dbJvo-yyyyMMdd-HHmmss.mdb", then the file is replaced in one rename and opened
// again from userDir (tplDir: its template folder). On failure the diary stays as it was, open.
Result restore(Store &store, const QString &userDir, const QString &tplDir, const QString &path,
               const QDateTime &now);

} // namespace backup
} // namespace diary
