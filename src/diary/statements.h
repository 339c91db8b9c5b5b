#pragma once

#include <QString>

// Every statement the diary issues. Keys, prefixes and words are bound parameters, never part of
// the text.
namespace diary::sql {

// The whole row of a date.
inline const QString LoadEntry =
    QStringLiteral("SELECT sk日付, sz文書, st文書, ob文書, dy更新 FROM ms日誌 WHERE sk日付 = ?");
inline const QString DeleteEntry = QStringLiteral("DELETE FROM ms日誌 WHERE sk日付 = ?");
// Bound with the month prefix: keys from "yymm" to "yymm32", ascending.
inline const QString MonthList =
    QStringLiteral("SELECT sk日付, sz文書 FROM ms日誌 WHERE sk日付 BETWEEN ?1 AND ?1 || '32' "
                   "ORDER BY sk日付");
inline const QString FirstKey = QStringLiteral("SELECT min(sk日付) AS sYmn FROM ms日誌");
inline const QString LastKey = QStringLiteral("SELECT max(sk日付) AS sYmn FROM ms日誌");
// The 50 most recent entries up to and including a key, newest first.
inline const QString Recent =
    QStringLiteral("SELECT sk日付, sz文書, st文書 FROM ms日誌 WHERE sk日付 <= ? "
                   "ORDER BY sk日付 DESC LIMIT 50");
inline const QString CountEntries = QStringLiteral("SELECT count(*) FROM ms日誌");

} // namespace diary::sql
