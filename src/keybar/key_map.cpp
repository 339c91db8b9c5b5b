#include "keybar/key_map.h"

#include <QStringList>

namespace keybar {

namespace {

// Splits "name=value" entries; entries without "=" are skipped.
template <typename Fn> void forEachPair(const QString &text, QChar separator, Fn fn) {
    const QStringList entries = text.split(separator, Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        const qsizetype eq = entry.indexOf(u'=');
        if (eq < 0)
            continue;
        if (fn(entry.left(eq), entry.mid(eq + 1)))
            return;
    }
}

} // namespace

QString keyForCode(const QString &keyMap, const QString &code) {
    QString found;
    forEachPair(keyMap, u',', [&](const QString &key, const QString &value) {
        if (value != code)
            return false;
        found = key;
        return true;
    });
    return found;
}

QString codeForKey(const QString &keyMap, const QString &keyName) {
    QString found;
    forEachPair(keyMap, u',', [&](const QString &key, const QString &value) {
        if (key != keyName)
            return false;
        found = value;
        return true;
    });
    return found;
}

QString withBinding(const QString &keyMap, const QString &keyName, const QString &code) {
    QString result;
    const QStringList entries = keyMap.split(u',', Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        if (entry.section(u'=', 0, 0) != keyName)
            result += entry + u',';
    }
    return result + keyName + u'=' + code + u',';
}

QString keysOfParent(const QString &parentMap, const QString &code) {
    QString found;
    forEachPair(parentMap, u'/', [&](const QString &parent, const QString &keys) {
        if (parent != code)
            return false;
        found = keys;
        return true;
    });
    return found;
}

} // namespace keybar
