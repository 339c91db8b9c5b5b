#include "diary/backup.h"

#include "diary/schema.h"
#include "diary/statements.h"
#include "diary/store.h"
#include "platform/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Copying, checking, listing and restoring backups of the diary. The open diary is only ever read
// here, except by restore, which replaces it by a checked copy in one rename.
namespace diary::backup {

namespace {

constexpr QFileDevice::Permissions kOwnerFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kOwnerFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

const QString kPartSuffix = QStringLiteral(".part");
// Pages of the copy written between two flushes (4 MB of 4 KB pages).
constexpr qint64 kFlushPages = 1024;

Result failed(const QString &message) {
    Result r;
    r.message = message;
    return r;
}

QString writeFailure(int code, const QString &target) {
    const QString where = QDir::toNativeSeparators(QFileInfo(target).absolutePath());
    if ((code & 0xff) == SQLITE_FULL)
        return QStringLiteral("ﾊﾞｯｸｱｯﾌﾟ先「%1」のディスクに空きがありません。\n"
                              "日記は変更していません。")
            .arg(where);
    return QStringLiteral("ﾊﾞｯｸｱｯﾌﾟ先「%1」に書き込めません。\n日記は変更していません。")
        .arg(where);
}

// Removes a copy with the log files SQLite may have left beside it.
void removeCopy(const QString &path) {
    for (const QString &suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

} // namespace

bool makeFolder(const QString &userDir) {
    const QString path = folder(userDir);
    if (!QDir().mkpath(path))
        return false;
    QFile::setPermissions(path, kOwnerFolder);
    return true;
}

QString folder(const QString &userDir) {
    return QDir(userDir).filePath(QStringLiteral("Backup"));
}

QString dailyFileName(const QDate &day) {
    return QStringLiteral("dbJvo-%1.mdb").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

QDate dailyFileDate(const QString &fileName) {
    static const QRegularExpression pattern(QStringLiteral("^dbJvo-(\\d{8})\\.mdb$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    return m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd")) : QDate();
}

QList<QDate> daysToKeep(QList<QDate> days) {
    std::sort(days.begin(), days.end(), std::greater<>());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    QList<QDate> keep;
    qsizetype i = 0;
    for (; i < days.size() && keep.size() < 7; ++i)
        keep.append(days.at(i));
    // The newest remaining day of each period, period after period going back.
    const auto tier = [&](int count, const std::function<int(const QDate &)> &period) {
        int taken = 0;
        int last = -1;
        for (; i < days.size() && taken < count; ++i) {
            const int p = period(days.at(i));
            if (p == last)
                continue;
            keep.append(days.at(i));
            last = p;
            ++taken;
        }
    };
    tier(4, [](const QDate &d) {
        int year = 0;
        const int week = d.weekNumber(&year);
        return year * 100 + week;
    });
    tier(12, [](const QDate &d) { return d.year() * 100 + d.month(); });
    return keep;
}

Info inspect(const QString &path) {
    Info info;
    info.path = path;
    const QFileInfo file(path);
    info.size = file.size();
    info.written = file.lastModified();
    platform::Database db;
    if (!db.open(path, platform::Database::Mode::ReadOnly) || !isDiary(db) || !db.integrityOk())
        return info;
    QVariantList values{0, QString(), QString()};
    if (!db.readRow(QStringLiteral("SELECT count(*), min(sk日付) AS s1, max(sk日付) AS s2 "
                                   "FROM ms日誌"),
                    {}, values))
        return info;
    info.entries = values.at(0).toLongLong();
    info.firstEntry = keyToDate(values.at(1).toString());
    info.lastEntry = keyToDate(values.at(2).toString());
    return info;
}

QList<Info> list(const QString &userDir) {
    QList<Info> infos;
    const QDir dir(folder(userDir));
    const QStringList names =
        dir.entryList({QStringLiteral("dbJvo-*.mdb")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString &name : names)
        infos.append(inspect(dir.filePath(name)));
    return infos;
}

Result copyDiary(const QString &source, const QString &target, const CopyOptions &options) {
    const QString part = target + kPartSuffix;
    removeCopy(part);
    platform::Database from;
    if (!from.open(source, platform::Database::Mode::ReadOnly) || !isDiary(from))
        return failed(QStringLiteral("日記のデータベース「%1」を読み込めません。")
                          .arg(QDir::toNativeSeparators(source)));
    sqlite3_busy_timeout(from.handle(), 2000);
    // One read snapshot for the whole copy: writers on other connections go on (write-ahead
    // log) and never make the copy start over.
    QVariantList count{0};
    if (!from.execScript(QStringLiteral("BEGIN")) || !from.readRow(sql::CountEntries, {}, count))
        return failed(QStringLiteral("日記のデータベース「%1」を読み込めません。")
                          .arg(QDir::toNativeSeparators(source)));
    const qlonglong entries = count.at(0).toLongLong();

    {
        // Created private before SQLite writes a byte into it.
        QFile file(part);
        if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(kOwnerFile))
            return failed(writeFailure(SQLITE_CANTOPEN, target));
    }
    Result result;
    {
        platform::Database to;
        if (!to.open(part, platform::Database::Mode::Create)) {
            removeCopy(part);
            return failed(writeFailure(to.lastErrorCode(), target));
        }
        sqlite3_backup *copy = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
        int rc = copy ? SQLITE_OK : sqlite3_extended_errcode(to.handle());
        bool stopped = false;
        // The copy's written pages go to the disk every few megabytes: a save's flush on the
        // same disk then never waits behind hundreds of megabytes of the copy.
        QFile flusher(part);
        flusher.open(QIODevice::ReadOnly);
        qint64 unflushed = 0;
        while (copy && (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED)) {
            rc = sqlite3_backup_step(copy, options.pagesPerStep);
            unflushed += qint64(options.pagesPerStep);
            if (unflushed >= kFlushPages) {
                unflushed = 0;
#ifdef Q_OS_UNIX
                ::fdatasync(flusher.handle());
#endif
            }
            const int total = sqlite3_backup_pagecount(copy);
            if (options.progress &&
                !options.progress(total - sqlite3_backup_remaining(copy), total)) {
                stopped = true;
                break;
            }
        }
        if (copy)
            sqlite3_backup_finish(copy);
        if (rc != SQLITE_DONE) {
            if (rc != SQLITE_OK)
                rc = sqlite3_extended_errcode(to.handle());
            to.close();
            removeCopy(part);
            return failed(stopped ? QStringLiteral("ﾊﾞｯｸｱｯﾌﾟを中止しました。")
                                  : writeFailure(rc, target));
        }
        // The copy is a file of its own: no write-ahead log beside it.
        if (!to.execScript(QStringLiteral("PRAGMA journal_mode=DELETE"))) {
            const int code = to.lastErrorCode();
            to.close();
            removeCopy(part);
            return failed(writeFailure(code, target));
        }
    }
    from.execScript(QStringLiteral("COMMIT"));
    from.close();

    if (options.beforeCheck)
        options.beforeCheck(part);
    const Info checked = inspect(part);
    if (!checked.sound() || checked.entries != entries) {
        removeCopy(part);
        return failed(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟの写しを確かめたところ、壊れていました。\n"
                                     "写しは削除しました。日記は変更していません。"));
    }
    QString error;
    if (!platform::replaceFile(part, target, &error)) {
        removeCopy(part);
        return failed(writeFailure(SQLITE_CANTOPEN, target));
    }
    result.ok = true;
    result.path = target;
    return result;
}

void prune(const QString &userDir) {
    const QDir dir(folder(userDir));
    QList<QDate> days;
    const QStringList names = dir.entryList({QStringLiteral("dbJvo-*.mdb")}, QDir::Files);
    for (const QString &name : names) {
        const QDate day = dailyFileDate(name);
        if (day.isValid())
            days.append(day);
    }
    const QList<QDate> keep = daysToKeep(days);
    for (const QDate &day : std::as_const(days))
        if (!keep.contains(day))
            QFile::remove(dir.filePath(dailyFileName(day)));
}

Result runDaily(const QString &userDir, const QDate &today, const CopyOptions &options) {
    const QString dir = folder(userDir);
    const QString target = QDir(dir).filePath(dailyFileName(today));
    if (QFileInfo::exists(target)) {
        Result r;
        r.ok = true;
        r.path = target;
        return r;
    }
    if (!makeFolder(userDir))
        return failed(writeFailure(SQLITE_CANTOPEN, target));
    Result r = copyDiary(QDir(userDir).filePath(DbFileName), target, options);
    // Older copies go only once the new one has passed its check.
    if (r.ok)
        prune(userDir);
    return r;
}

Result backUpNow(const QString &userDir, const QDateTime &now, const CopyOptions &options) {
    const QString dir = folder(userDir);
    const QString target = QDir(dir).filePath(
        QStringLiteral("dbJvo-%1.mdb").arg(now.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    if (!makeFolder(userDir))
        return failed(writeFailure(SQLITE_CANTOPEN, target));
    return copyDiary(QDir(userDir).filePath(DbFileName), target, options);
}

Result restore(Store &store, const QString &userDir, const QString &tplDir, const QString &path,
               const QDateTime &now) {
    const Info chosen = inspect(path);
    if (!chosen.sound())
        return failed(QStringLiteral("このﾊﾞｯｸｱｯﾌﾟは壊れているため、復元できません。\n"
                                     "日記は変更していません。"));
    const QString file = QDir(userDir).filePath(DbFileName);
    const Result saved = backUpNow(userDir, now);
    if (!saved.ok)
        return failed(QStringLiteral("復元する前に現在の日記をﾊﾞｯｸｱｯﾌﾟできませんでした。\n") +
                      saved.message);
    // The chosen copy is copied (and checked) beside the diary, so that the last step is a
    // rename on one disk.
    const QString staged = file + QStringLiteral(".restore");
    const Result copied = copyDiary(path, staged);
    if (!copied.ok)
        return failed(copied.message);
    store.close();
    // Closing the last connection folds the log into the file; a log still there would be
    // replayed onto the restored copy.
    const bool replaced =
        !QFileInfo::exists(file + QStringLiteral("-wal")) && platform::replaceFile(staged, file);
    if (!replaced)
        removeCopy(staged);
    const bool reopened = store.open(userDir, tplDir);
    if (!replaced)
        return failed(QStringLiteral("日記を置き換えられませんでした。日記は変更していません。"));
    if (!reopened)
        return failed(QStringLiteral("復元した日記を開けません。"));
    Result r;
    r.ok = true;
    r.path = file;
    return r;
}

} // namespace diary::backup
