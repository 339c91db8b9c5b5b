#include "diary/search_index.h"

#include "diary/search_copy.h"
#include "diary/sqlite_step.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cstring>

namespace diary {

namespace {

constexpr int Limit = 50;

bool holds(QByteArrayView text, QByteArrayView needle) {
    return ::memmem(text.data(), size_t(text.size()), needle.data(), size_t(needle.size())) !=
           nullptr;
}

qsizetype codePoints(QByteArrayView utf8) {
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

// The index's phrase for a literal word: only quotes mean anything inside one.
QByteArray phraseOf(QByteArrayView needle) {
    QByteArray phrase = needle.toByteArray();
    phrase.replace('"', "\"\"");
    return '"' + phrase + '"';
}

// Ids of the copy rows that hold needle, highest first; the scan stops at the limit when id
// order is key order.
QList<qint64> matchingIds(sqlite3 *db, FoldedTexts &folded, QByteArrayView needle,
                          bool keyOrdered) {
    QList<qint64> ids;
    const auto enough = [&] { return keyOrdered && ids.size() >= Limit; };
    if (codePoints(needle) >= 3 && !needle.contains('\0')) {
        Step candidates(db, "SELECT rowid FROM ms日誌索引 WHERE ms日誌索引 MATCH ? "
                            "ORDER BY rowid DESC");
        Step copy(db, "SELECT sf文書 FROM ms日誌検索 WHERE id = ?");
        candidates.bind(1, QByteArrayView(phraseOf(needle)));
        while (!enough() && candidates.next() == SQLITE_ROW) {
            const qint64 id = candidates.integer(0);
            copy.reset();
            copy.bind(1, id);
            if (copy.next() == SQLITE_ROW && holds(copy.text(0), needle))
                ids.append(id);
        }
        return ids;
    }
    if (folded.isLoaded() || folded.load(db)) {
        ids = folded.find(needle);
        if (keyOrdered && ids.size() > Limit)
            ids.resize(Limit);
        return ids;
    }
    Step rows(db, "SELECT id, sf文書 FROM ms日誌検索 ORDER BY id DESC");
    while (!enough() && rows.next() == SQLITE_ROW) {
        if (holds(rows.text(1), needle))
            ids.append(rows.integer(0));
    }
    return ids;
}

QList<DiaryRow> rowsOf(platform::Database &db, const QList<qint64> &ids) {
    QJsonArray list;
    for (const qint64 id : ids)
        list.append(id);
    platform::Rows rows;
    db.readRows(QStringLiteral("SELECT m.sk日付 AS sk日付, m.sz文書 AS sz文書, m.st文書 AS st文書 "
                               "FROM ms日誌検索 f JOIN ms日誌 m ON m.sk日付 = f.sk日付 "
                               "WHERE f.id IN (SELECT value FROM json_each(?)) "
                               "ORDER BY f.sk日付 DESC LIMIT 50"),
                {QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact))}, rows);
    QList<DiaryRow> entries;
    for (const QVariantList &row : rows.values)
        entries.append(
            DiaryRow{row.at(0).toString(), row.at(1).toString(), row.at(2).toString(), {}, {}});
    return entries;
}

QList<DiaryRow> scanEntries(platform::Database &db, const QString &folded) {
    QList<DiaryRow> entries;
    Step rows(db.handle(), "SELECT sk日付, sz文書, st文書 FROM ms日誌 ORDER BY sk日付 DESC");
    while (entries.size() < Limit && rows.next() == SQLITE_ROW) {
        const QString text = rows.string(2);
        if (text.toCaseFolded().contains(folded))
            entries.append(DiaryRow{rows.string(0), rows.string(1), text, {}, {}});
    }
    return entries;
}

} // namespace

QList<DiaryRow> searchEntries(platform::Database &db, FoldedTexts &texts, const QString &word,
                              bool haveCopy) {
    if (word.isEmpty())
        return {};
    const QString folded = word.toCaseFolded();
    if (!haveCopy)
        return scanEntries(db, folded);
    QVariantList last{0};
    if (!db.readRow(QStringLiteral("SELECT max(id) FROM ms日誌検索"), {}, last))
        return {};
    const bool keyOrdered = last.at(0).toLongLong() < FirstOtherId;
    return rowsOf(db, matchingIds(db.handle(), texts, folded.toUtf8(), keyOrdered));
}

} // namespace diary
