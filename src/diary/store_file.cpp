#include "diary/schema.h"
#include "diary/search_copy.h"
#include "diary/statements.h"
#include "diary/store.h"
#include "diary/upgrade.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// Opening, creating, restoring and compacting the diary file. The rule throughout: a file that
// may hold the diary is never overwritten or deleted unless a checked copy takes its place.
namespace diary {

namespace {

bool missingOrEmpty(const QString &file) {
    const QFileInfo info(file);
    return !info.exists() || (info.isFile() && info.size() == 0);
}

void tellUnreadable(const QString &file) {
    platform::dialogs().message(
        QStringLiteral("日記のデータベース「%1」を読み込めません。\n"
                       "ファイルが壊れているか、日記のデータベースではありません。\n"
                       "このファイルは変更していません。")
            .arg(QDir::toNativeSeparators(file)),
        platform::Buttons::Ok, platform::Icon::Critical);
}

void tellNoTemplate(const QString &file) {
    platform::dialogs().message(QStringLiteral("日記のデータベースのひな形「%1」が見つかりません。")
                                    .arg(QDir::toNativeSeparators(file)),
                                platform::Buttons::Ok, platform::Icon::Critical);
}

// A readable, undamaged diary with the expected number of entries (-1: any number).
bool isSoundCopy(const QString &file, qlonglong entries = -1) {
    platform::Database copy;
    if (!copy.open(file, platform::Database::Mode::ReadOnly) || !isDiary(copy) ||
        !copy.integrityOk())
        return false;
    QVariantList count{0};
    return copy.readRow(sql::CountEntries, {}, count) &&
           (entries < 0 || count.at(0).toLongLong() == entries);
}

// The diary is private. SQLite gives its log and shared-memory files the diary's own mode.
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

void makePrivate(const QString &file) {
    QFile::setPermissions(file, kOwnerOnly);
}

// A diary an earlier version left readable by others.
void keepPrivate(const QString &file) {
    constexpr QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
    if (QFileInfo(file).permissions() & others)
        QFile::setPermissions(file, kOwnerOnly);
}

void tellNotUpgraded(const QString &file) {
    platform::dialogs().message(
        QStringLiteral("日記のデータベース「%1」を新しい形式に変換できません。\n"
                       "このファイルは変更していません。")
            .arg(QDir::toNativeSeparators(file)),
        platform::Buttons::Ok, platform::Icon::Critical);
}

void tellNotCreated(const QString &file) {
    platform::dialogs().message(QStringLiteral("日記のデータベース「%1」を作成できません。")
                                    .arg(QDir::toNativeSeparators(file)),
                                platform::Buttons::Ok, platform::Icon::Critical);
}

} // namespace

bool Store::provideFile(const QString &file) {
    // A write-ahead log without its database would be replayed onto whatever file takes the
    // name: leave both alone and say so.
    const QString log = file + QStringLiteral("-wal");
    if (QFileInfo(log).size() > 0) {
        tellUnreadable(log);
        return false;
    }
    const QString work = QDir(m_userDir).filePath(DbWorkFileName);
    if (QFileInfo(work).isFile() && QFileInfo(work).size() > 0) {
        // A compaction stopped between its steps left the diary only in the work file.
        if (!isSoundCopy(work)) {
            tellUnreadable(work);
            return false;
        }
        if (platform::replaceFile(work, file))
            return true;
        tellNotCreated(file);
        return false;
    }
    const QString tpl = QDir(m_tplDir).filePath(DbFileName);
    if (!QFileInfo(tpl).isFile()) {
        tellNoTemplate(tpl);
        return false;
    }
    // Copy under another name first so that an interrupted copy never looks like the diary.
    const QString fresh = file + QStringLiteral(".new");
    QFile::remove(fresh);
    if (QFile::copy(tpl, fresh)) {
        makePrivate(fresh);
        if (platform::replaceFile(fresh, file))
            return true;
    }
    QFile::remove(fresh);
    tellNotCreated(file);
    return false;
}

void Store::removeLeftovers(const QString &userDir) {
    const QDir dir(userDir);
    const QString work = dir.filePath(DbWorkFileName);
    if (missingOrEmpty(dir.filePath(DbFileName)) && QFileInfo(work).isFile() &&
        QFileInfo(work).size() > 0)
        return;
    for (const QString &suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo(work + suffix).isFile())
            QFile::remove(work + suffix);
    }
}

bool Store::openChecked(const QString &file) {
    if (!m_db.open(file) || !isDiary(m_db)) {
        m_db.close();
        tellUnreadable(file);
        return false;
    }
    if (!hasCurrentLayout(m_db)) {
        m_db.close();
        if (!upgradeLayout(file)) {
            tellNotUpgraded(file);
            return false;
        }
        if (!m_db.open(file) || !isDiary(m_db)) {
            m_db.close();
            tellUnreadable(file);
            return false;
        }
    }
    settleBackup(file);
    // Write-ahead log synced at every commit: a crash leaves each row as it was before or after
    // its save, a committed save survives a power loss, and a save costs one flush.
    m_db.execScript(QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL"));
    m_searchCopy = bringSearchCopyInStep();
    return true;
}

bool Store::bringSearchCopyInStep() {
    if (hasSearchParts(m_db) && searchCopyInStep(m_db))
        return true;
    // Parts missing (taken away by hand) are built again; entries written by another tool get
    // their copy.
    const bool rebuild = !hasSearchParts(m_db);
    if (!m_db.beginTransaction())
        return false;
    if ((rebuild ? rebuildSearchParts(m_db) : refreshSearchCopy(m_db, false)) && m_db.commit())
        return true;
    m_db.rollback();
    return false;
}

bool Store::open(const QString &userDir, const QString &tplDir) {
    close();
    m_userDir = userDir;
    m_tplDir = tplDir;
    const QString file = QDir(userDir).filePath(DbFileName);
    if (missingOrEmpty(file) && !provideFile(file))
        return false;
    keepPrivate(file);
    return openChecked(file);
}

void Store::close() {
    m_db.close();
    m_folded.clear();
    m_searchCopy = false;
}

bool Store::optimizeIndex() {
    // The index's segments merged into one before the copy lays every table out afresh.
    return !m_searchCopy ||
           m_db.exec(QStringLiteral("INSERT INTO ms日誌索引 (ms日誌索引) VALUES ('optimize')")) >=
               0;
}

bool Store::compact(const CompactHook &afterCopy) {
    if (!isOpen())
        return false;
    const QString file = m_db.path();
    const QString work = QDir(m_userDir).filePath(DbWorkFileName);
    QVariantList entries{0};
    bool ok = false;
    // The open diary is sound, so a work file left by an earlier attempt holds nothing of value.
    if (m_db.readRow(sql::CountEntries, {}, entries) &&
        (!QFile::exists(work) || QFile::remove(work)) && optimizeIndex() &&
        m_db.compactInto(work)) {
        m_db.close();
        makePrivate(work);
        if (afterCopy)
            afterCopy(work);
        // Closing the last connection folds the log into the file; a log still there would be
        // replayed onto the copy.
        ok = !QFile::exists(file + QStringLiteral("-wal")) &&
             isSoundCopy(work, entries.at(0).toLongLong()) && platform::replaceFile(work, file);
    }
    close();
    if (!ok && QFileInfo(work).isFile())
        QFile::remove(work);
    const bool reopened = open(m_userDir, m_tplDir);
    return ok && reopened;
}

} // namespace diary
