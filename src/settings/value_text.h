#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace settings {

// Text forms of stored values, shared by the settings store and the parts that parse its texts.

// The numeric prefix of text read as a number with "." as decimal point: leading blanks are
// skipped, then an optional sign, digits, fraction and exponent ("12abc" gives 12, "abc" 0).
// "&H" and "&O" introduce hexadecimal and octal numbers.
double numericPrefix(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour, clamped to the type's range.
qint64 roundHalfEven(double value, qint64 lowest, qint64 highest);

// "True" / "False".
QString boolText(bool value);
// "True"/"False" in any letter case, or a number (non-zero is true); nothing for other texts.
std::optional<bool> parseBool(QStringView text);

// Dates as a Japanese desktop writes them: "2024/01/15" and "2024/01/15 9:05:03".
QString dateText(const QDate &date);
QString dateTimeText(const QDateTime &dateTime);
// Accepts those forms and ISO 8601; an invalid value when the text is not a date.
QDateTime parseDateTime(QStringView text);

// The text written for a number: plain decimal, up to the type's significant digits.
QString numberText(double value);
QString numberText(float value);

} // namespace settings
