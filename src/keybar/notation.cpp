#include "keybar/notation.h"

#include "keybar/key_map.h"

namespace keybar {

namespace {

struct Row {
    const char *id;
    const char *notation;
};

// Only the rows this program or its checks need carry a notation; the other windows do not
// exist here.
constexpr Row kRows[] = {
    {"Bt01", "00,10(20,21,22,23),12(70,71,72),80"},
    {"Dn01", "00,10(22,23,24,25,26),11(50,51),12(30,31,32,33,34,36(40,41,42,43,44),37,38,39,3A),"
             "14(60),81(74),82(F0),83,84"},
    {"Dn02", ""},
    {"Dp10", ""},
    {"Dp11", ""},
    {"Dp12", ""},
    {"Dp13", ""},
    {"Fb00", ""},
    {"Fb10", ""},
    {"Fb20", ""},
    {"Fc01", ""},
    {"Fd10", ""},
    {"Fe00", ""},
    {"Fe05", ""},
    {"Fe06", ""},
    {"Fe10", ""},
    {"Fe11", ""},
    {"Fe12", ""},
    {"Fe13", ""},
    {"Fe20", ""},
    {"Fe21", ""},
    {"Fg10", ""},
    {"Fg20", ""},
    {"Fs10", "00,10(20,21,22,23,24),11(50,51,52,53,54,55(00),56(90,91,92),12(60),"
             "81(70(00,00,01),71,76,77,78,79,7A,7B),82,83"},
    {"Fs11", ""},
    {"Fs12", ""},
    {"Fs20", ""},
    {"Fv10", ""},
    {"Fv11", ""},
    {"Gt10", ""},
    {"Gt15", ""},
    {"Kb10", ""},
    {"Kb11", ""},
    {"Kb21", ""},
    {"Kb31", ""},
    {"Kb40", ""},
    {"Rp10", ""},
    {"Rp11", ""},
    {"Rp20", ""},
    {"Rs10", ""},
    {"Rt10", ""},
    {"Rt20", ""},
    {"sbDpm", ""},
    {"sbDvw", ""},
    {"sbExp", ""},
    {"sbHtm", ""},
    {"sbKhE", ""},
    {"sbSvw", ""},
    {"sbTvw", "10(20,21,22),11(A0,A1,A2,A3),12"},
};

// Position in `text` of the character that closes a group opened just before it, or the
// length of `text` when the group is never closed.
qsizetype closingPosition(const QString &text) {
    int depth = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'(')
            ++depth;
        else if (text.at(i) == u')')
            --depth;
        if (depth == 0)
            return i;
    }
    return text.size();
}

QString keysOfGroup(const QString &group, const QString &keyMap) {
    QString flat = group;
    flat.replace(u'(', u',');
    flat.remove(u')');
    QString keys;
    const QStringList codes = flat.split(u',', Qt::SkipEmptyParts);
    for (const QString &code : codes) {
        const QString key = keyForCode(keyMap, code);
        if (!key.isEmpty())
            keys += key + u',';
    }
    return keys;
}

} // namespace

QStringList notationIds() {
    QStringList ids;
    for (const Row &row : kRows)
        ids << QString::fromLatin1(row.id);
    return ids;
}

QString notation(const QString &windowName) {
    for (const Row &row : kRows) {
        if (windowName == QLatin1String(row.id))
            return QString::fromLatin1(row.notation);
    }
    return {};
}

QString buildParentMap(const QString &notation, const QString &keyMap) {
    QString parentMap;
    QString rest = notation;
    // Every pass restarts on a strict suffix of the text after the "(", so the loop ends.
    while (rest.contains(u'(')) {
        const qsizetype open = rest.indexOf(u'(');
        const QString parent = rest.mid(qMax<qsizetype>(0, open - 2), qMin<qsizetype>(2, open));
        const QString after = rest.mid(open + 1);
        const qsizetype close = closingPosition(after);
        const QString group = after.left(close);

        // A "(" with no code before it has no parent to record.
        const QString keys = keysOfGroup(group, keyMap);
        if (!keys.isEmpty() && parent.size() == 2)
            parentMap += parent + u'=' + keys + u'/';

        const qsizetype nested = group.indexOf(u'(');
        if (nested >= 0)
            rest = after.mid(qMax<qsizetype>(0, nested - 2));
        else
            rest = after.mid(close + 1);
    }
    return parentMap;
}

} // namespace keybar
