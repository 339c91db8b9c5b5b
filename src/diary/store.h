#pragma once

#include "diary/folded_texts.h"
#include "diary/keys.h"
#include "platform/database.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace diary {

// One row of "ms日誌". Lists fill only the columns their statement selects.
struct DiaryRow {
    EntryKey key;        // sk日付
    QString summary;     // sz文書
    QString text;        // st文書
    QByteArray document; // ob文書
    QDateTime updated;   // dy更新
};

// The diary database: the file "dbJvo.mdb" in the user data folder, one row per date.
class Store {
public:
    // Called after the compacted copy is written and before it is checked.
    using CompactHook = std::function<void(const QString &workPath)>;

    // Opens userDir's "dbJvo.mdb". A missing or empty file is restored from the compaction work
    // file when one is there, else copied from tplDir's template. A file that is not a readable
    // diary is left as it is: the user is told and the result is false.
    bool open(const QString &userDir, const QString &tplDir);
    // Removes what a killed compaction left in userDir, except a work file that opening would
    // restore as the diary. Only for the copy that holds the folder's lock.
    static void removeLeftovers(const QString &userDir);
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    QString path() const { return m_db.path(); }
    QString lastError() const { return m_db.lastError(); }

    // Compacts into the work file, checks the copy and puts it in place in one rename. On any
    // failure the original stays. The database is open again afterwards in either case.
    bool compact(const CompactHook &afterCopy = {});

    // Statements with bound parameters (see statements.h).
    int exec(const QString &sql, const QVariantList &params = {});
    bool readRow(const QString &sql, const QVariantList &params, QVariantList &values);
    bool readRows(const QString &sql, const QVariantList &params, platform::Rows &rows);

    // The row of a date; nullopt when the date has no entry or (ok false) the read failed.
    std::optional<DiaryRow> load(const EntryKey &key, bool *ok = nullptr);
    // Adds or updates the row of key as one transaction, stamping the local time.
    bool save(const EntryKey &key, const QString &summary, const QString &text,
              const QByteArray &document);
    // The main window's save: the summary is taken from the text by summaryOf.
    bool saveEntry(const EntryKey &key, const QString &text, const QByteArray &document);
    bool remove(const EntryKey &key);

    // Keys and summaries of a month, ascending.
    QList<DiaryRow> monthList(const MonthPrefix &prefix);
    // The smallest and largest key; "" for an empty diary.
    EntryKey firstKey();
    EntryKey lastKey();
    // Up to 50 entries (key, summary, text) up to and including key, newest first.
    QList<DiaryRow> recent(const EntryKey &key);
    // Up to 50 entries (key, summary, text) whose text contains word as a literal substring,
    // letter case ignored, newest first. An empty word finds nothing.
    QList<DiaryRow> search(const QString &word);
    // Reads up to rows more of the texts that short words are searched in, so that the first
    // such search does not wait for them. True while some remain to be read.
    bool warmSearch(int rows);

    platform::Database &database() { return m_db; }

private:
    bool provideFile(const QString &file);
    bool openChecked(const QString &file);
    bool bringSearchCopyInStep();
    bool optimizeIndex();
    // Ends the savepoint of a change: released when ok, else rolled back.
    bool finishChange(bool ok);
    // The search copy's id of key, or -1.
    qint64 copyId(const EntryKey &key);
    QList<DiaryRow> readList(const QString &sql, const QVariantList &params);
    EntryKey readKey(const QString &sql);

    QString m_userDir;
    QString m_tplDir;
    // The search copy is complete and in step with the entries.
    bool m_searchCopy = false;
    // Every entry's folded text, once a short word has been searched for.
    FoldedTexts m_folded;
    platform::Database m_db;
};

} // namespace diary
