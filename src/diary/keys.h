#pragma once

#include <QDate>
#include <QString>

namespace diary {

// A diary date as "yyMMdd" (two-digit year, no century), ordered as plain text.
using EntryKey = QString;
// A month as "yymm"; every key of the month lies between the prefix and the prefix + "32".
using MonthPrefix = QString;

EntryKey entryKey(const QDate &date);
MonthPrefix monthPrefix(const QDate &date);
// The date of a key, years 00-29 meaning 2000-2029 and 30-99 meaning 1930-1999; an invalid date
// when the key is not six digits forming a date.
QDate keyToDate(const QString &key);
// The key shown as "yy/MM/dd" (the number mask "00/00/00"); other texts come back unchanged.
QString displayKey(const QString &key);
// The month list's one-line summary of an entry's plain text: the text up to its first line
// feed, at most 50 characters.
QString summaryOf(const QString &text);
// A summary shown on one line (month list, listing headings): line breaks (code 11, CR, LF)
// become spaces, so no box glyph stands for them.
QString oneLine(const QString &summary);

} // namespace diary
