#include "settings/value_text.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace settings {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

double radixPrefix(QStringView text, int radix) {
    double value = 0;
    for (QChar c : text) {
        const char16_t lower = c.toLower().unicode();
        int d = -1;
        if (isDigit(c))
            d = c.unicode() - u'0';
        else if (lower >= u'a' && lower <= u'f')
            d = lower - u'a' + 10;
        if (d < 0 || d >= radix)
            break;
        value = value * radix + d;
    }
    return value;
}

} // namespace

double numericPrefix(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    if (i + 1 < n && text.at(i) == u'&') {
        const QChar kind = text.at(i + 1).toUpper();
        if (kind == u'H')
            return radixPrefix(text.mid(i + 2), 16);
        if (kind == u'O')
            return radixPrefix(text.mid(i + 2), 8);
    }
    const qsizetype start = i;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text.at(i)))
        ++i, ++digits;
    if (i < n && text.at(i) == u'.') {
        ++i;
        while (i < n && isDigit(text.at(i)))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < n && (text.at(i).toLower() == u'e' || text.at(i).toLower() == u'd')) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == u'+' || text.at(j) == u'-'))
            ++j;
        if (j < n && isDigit(text.at(j))) {
            while (j < n && isDigit(text.at(j)))
                ++j;
            end = j;
        }
    }
    QString number = text.mid(start, end - start).toString();
    number.replace(u'd', u'e').replace(u'D', u'e');
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

qint64 roundHalfEven(double value, qint64 lowest, qint64 highest) {
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value);
    if (r <= double(lowest))
        return lowest;
    if (r >= double(highest))
        return highest;
    return qint64(r);
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> parseBool(QStringView text) {
    const QStringView t = text.trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = t.toString().toDouble(&ok);
    if (ok)
        return number != 0;
    return std::nullopt;
}

QString dateText(const QDate &date) {
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString dateTimeText(const QDateTime &dateTime) {
    if (dateTime.time() == QTime(0, 0))
        return dateText(dateTime.date());
    return dateTime.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
}

QDateTime parseDateTime(QStringView text) {
    const QString t = text.trimmed().toString();
    if (t.isEmpty())
        return {};
    for (const char *format : {"yyyy/M/d H:mm:ss", "yyyy/M/d H:mm", "yyyy-M-d H:mm:ss"}) {
        const QDateTime dt = QDateTime::fromString(t, QLatin1String(format));
        if (dt.isValid())
            return dt;
    }
    for (const char *format : {"yyyy/M/d", "yyyy-M-d"}) {
        const QDate d = QDate::fromString(t, QLatin1String(format));
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return QDateTime::fromString(t, Qt::ISODate);
}

QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

QString numberText(float value) {
    return QString::number(double(value), 'g', 7);
}

} // namespace settings
