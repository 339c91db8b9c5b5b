#include "diary/keys.h"

#include <algorithm>

namespace diary {

namespace {

bool allDigits(const QString &text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

EntryKey entryKey(const QDate &date) {
    return date.toString(QStringLiteral("yyMMdd"));
}

MonthPrefix monthPrefix(const QDate &date) {
    return date.toString(QStringLiteral("yyMM"));
}

QDate keyToDate(const QString &key) {
    if (key.size() != 6 || !allDigits(key))
        return {};
    const int yy = key.left(2).toInt();
    return QDate(yy < 30 ? 2000 + yy : 1900 + yy, key.mid(2, 2).toInt(), key.mid(4, 2).toInt());
}

QString displayKey(const QString &key) {
    if (key.isEmpty() || key.size() > 6 || !allDigits(key))
        return key;
    const QString digits = key.rightJustified(6, u'0');
    return digits.left(2) + u'/' + digits.mid(2, 2) + u'/' + digits.mid(4, 2);
}

QString summaryOf(const QString &text) {
    const qsizetype lineFeed = text.indexOf(u'\n');
    qsizetype length = std::min<qsizetype>(lineFeed < 0 ? text.size() : lineFeed, 50);
    // Never keep half of a surrogate pair at the cut.
    if (length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

QString oneLine(const QString &summary) {
    QString line = summary;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const QChar c : {QChar(11), QChar(u'\r'), QChar(u'\n')})
        line.replace(c, QChar(u' '));
    return line;
}

} // namespace diary
