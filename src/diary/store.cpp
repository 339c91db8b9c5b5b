#include "diary/store.h"

#include "diary/entry_events.h"
#include "diary/search_copy.h"
#include "diary/search_index.h"
#include "diary/statements.h"

namespace diary {

namespace {

const QString Table = QStringLiteral("ms日誌");
const QString KeyColumn = QStringLiteral("sk日付");

QByteArray bytesOf(const QVariant &value) {
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

} // namespace

int Store::exec(const QString &sql, const QVariantList &params) {
    // Whatever the statement changes, the texts in memory are read again when next needed.
    m_folded.clear();
    return m_db.exec(sql, params);
}

bool Store::readRow(const QString &sql, const QVariantList &params, QVariantList &values) {
    return m_db.readRow(sql, params, values);
}

bool Store::readRows(const QString &sql, const QVariantList &params, platform::Rows &rows) {
    return m_db.readRows(sql, params, rows);
}

std::optional<DiaryRow> Store::load(const EntryKey &key, bool *ok) {
    QVariantList values;
    bool found = false;
    const bool read = m_db.readRow(sql::LoadEntry, {key}, values, &found);
    if (ok)
        *ok = read;
    if (!read || !found)
        return std::nullopt;
    return DiaryRow{values.at(0).toString(), values.at(1).toString(), values.at(2).toString(),
                    bytesOf(values.at(3)), values.at(4).toDateTime()};
}

bool Store::save(const EntryKey &key, const QString &summary, const QString &text,
                 const QByteArray &document) {
    if (key.isEmpty() || !m_db.execScript(QStringLiteral("SAVEPOINT entry")))
        return false;
    // The row, its search copy and the recorded state commit together or not at all.
    const bool ok =
        m_db.addOrUpdate(Table, KeyColumn, key,
                         {QStringLiteral("sz文書"), QStringLiteral("st文書"),
                          QStringLiteral("ob文書"), QStringLiteral("dy更新")},
                         {summary, text, document, QDateTime::currentDateTime()}) &&
        (!m_searchCopy || (writeSearchCopy(m_db, key, text) && recordEntriesState(m_db)));
    if (!finishChange(ok))
        return false;
    if (m_folded.isStarted())
        m_folded.put(copyId(key), text.toCaseFolded().toUtf8());
    emit entryEvents().written(key);
    return true;
}

bool Store::finishChange(bool ok) {
    if (ok)
        return m_db.execScript(QStringLiteral("RELEASE entry"));
    m_db.execScript(QStringLiteral("ROLLBACK TO entry; RELEASE entry"));
    return false;
}

bool Store::saveEntry(const EntryKey &key, const QString &text, const QByteArray &document) {
    return save(key, summaryOf(text), text, document);
}

qint64 Store::copyId(const EntryKey &key) {
    QVariantList id{-1};
    bool found = false;
    m_db.readRow(QStringLiteral("SELECT id FROM ms日誌検索 WHERE sk日付 = ?"), {key}, id, &found);
    return found ? id.at(0).toLongLong() : -1;
}

bool Store::remove(const EntryKey &key) {
    const qint64 id = m_folded.isStarted() ? copyId(key) : -1;
    if (!m_db.execScript(QStringLiteral("SAVEPOINT entry")))
        return false;
    const bool ok =
        m_db.exec(sql::DeleteEntry, {key}) >= 0 && (!m_searchCopy || recordEntriesState(m_db));
    if (!finishChange(ok))
        return false;
    m_folded.remove(id);
    emit entryEvents().removed(key);
    return true;
}

QList<DiaryRow> Store::readList(const QString &statement, const QVariantList &params) {
    platform::Rows rows;
    QList<DiaryRow> list;
    if (!m_db.readRows(statement, params, rows))
        return list;
    const qsizetype summary = rows.columns.indexOf(QStringLiteral("sz文書"));
    const qsizetype text = rows.columns.indexOf(QStringLiteral("st文書"));
    for (const QVariantList &row : rows.values) {
        DiaryRow entry;
        entry.key = row.at(0).toString();
        if (summary >= 0)
            entry.summary = row.at(summary).toString();
        if (text >= 0)
            entry.text = row.at(text).toString();
        list.append(std::move(entry));
    }
    return list;
}

QList<DiaryRow> Store::monthList(const MonthPrefix &prefix) {
    return readList(sql::MonthList, {prefix});
}

EntryKey Store::readKey(const QString &statement) {
    QVariantList values{QString()};
    if (!m_db.readRow(statement, {}, values))
        return {};
    return values.at(0).toString();
}

EntryKey Store::firstKey() {
    return readKey(sql::FirstKey);
}

EntryKey Store::lastKey() {
    return readKey(sql::LastKey);
}

QList<DiaryRow> Store::recent(const EntryKey &key) {
    return readList(sql::Recent, {key});
}

QList<DiaryRow> Store::search(const QString &word) {
    return searchEntries(m_db, m_folded, word, m_searchCopy);
}

bool Store::warmSearch(int rows) {
    if (!m_db.isOpen() || !m_searchCopy)
        return false;
    return m_folded.loadSome(m_db.handle(), rows) && !m_folded.isLoaded();
}

} // namespace diary
