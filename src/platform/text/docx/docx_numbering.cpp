#include "docx_numbering.h"

#include "docx_common.h"

#include <QXmlStreamReader>

namespace platform::docx::detail {

namespace {

using L = QLatin1StringView;

constexpr int kMaxNumber = 1000000;
constexpr int kMaxLevelText = 64; // Word keeps far shorter level texts

QString wValue(const QXmlStreamReader &xml, L name = L("val")) {
    return xml.attributes().value(kNsW, name).toString();
}

// Roman numbers up to 3999, longer ones in decimal: a hostile start value cannot make long labels.
QString roman(int n) {
    if (n < 1 || n > 3999)
        return QString::number(n);
    static const std::pair<int, const char *> parts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString out;
    for (const auto &[value, text] : parts)
        for (; n >= value; n -= value)
            out += QLatin1StringView(text);
    return out;
}

// Word's letters: a..z, then aa..zz, and so on (at most 32 letters).
QString letters(int n) {
    if (n <= 0)
        return QString();
    const QChar c(u'a' + (n - 1) % 26);
    return QString(qMin((n - 1) / 26 + 1, 32), c);
}

QTextListFormat::Style listStyle(QStringView numFmt) {
    if (numFmt == L("lowerLetter"))
        return QTextListFormat::ListLowerAlpha;
    if (numFmt == L("upperLetter"))
        return QTextListFormat::ListUpperAlpha;
    if (numFmt == L("lowerRoman"))
        return QTextListFormat::ListLowerRoman;
    if (numFmt == L("upperRoman"))
        return QTextListFormat::ListUpperRoman;
    return QTextListFormat::ListDecimal;
}

QTextListFormat::Style bulletStyle(const QString &text) {
    if (text == QStringLiteral("\u25E6") || text == L("o"))
        return QTextListFormat::ListCircle;
    if (text == QStringLiteral("\u25AA") || text == QStringLiteral("\u25A0") ||
        text == QStringLiteral("\uF0A7"))
        return QTextListFormat::ListSquare;
    return QTextListFormat::ListDisc;
}

} // namespace

QString formatNumber(int n, QStringView numFmt) {
    if (numFmt == L("none") || numFmt == L("bullet"))
        return QString();
    if (numFmt == L("lowerLetter"))
        return letters(n);
    if (numFmt == L("upperLetter"))
        return letters(n).toUpper();
    if (numFmt == L("lowerRoman"))
        return roman(n);
    if (numFmt == L("upperRoman"))
        return roman(n).toUpper();
    if (numFmt == L("decimalZero"))
        return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    if (numFmt == L("decimalFullWidth") || numFmt == L("decimalFullWidth2")) {
        QString out = QString::number(n);
        for (QChar &c : out)
            c = QChar(c.unicode() - u'0' + 0xFF10);
        return out;
    }
    return QString::number(n);
}

void NumberingDefinitions::read(const QByteArray &bytes) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement())
        return;
    // Reads the w:lvl the reader is on.
    auto readLevel = [&xml](Level &level) {
        while (xml.readNextStartElement()) {
            const QStringView n = xml.name();
            bool ok = false;
            if (n == L("numFmt")) {
                level.numFmt = wValue(xml);
            } else if (n == L("lvlText")) {
                level.text = wValue(xml).left(kMaxLevelText);
            } else if (n == L("start")) {
                const int v = wValue(xml).toInt(&ok);
                if (ok)
                    level.start = qBound(0, v, kMaxNumber);
            } else if (n == L("lvlRestart")) {
                const int v = wValue(xml).toInt(&ok);
                if (ok)
                    level.restartAfter = qBound(0, v, kLevels);
            } else if (n == L("isLgl")) {
                const QString v = wValue(xml);
                level.legal = !(v == L("0") || v == L("false") || v == L("off"));
            }
            xml.skipCurrentElement();
        }
    };
    auto levelIndex = [&xml]() {
        bool ok = false;
        const int i = wValue(xml, L("ilvl")).toInt(&ok);
        return ok && i >= 0 && i < kLevels ? i : -1;
    };
    while (xml.readNextStartElement()) {
        if (xml.name() == L("abstractNum")) {
            std::array<Level, kLevels> &levels =
                m_abstract[wValue(xml, L("abstractNumId")).toInt()];
            while (xml.readNextStartElement()) {
                const int i = xml.name() == L("lvl") ? levelIndex() : -1;
                if (i < 0)
                    xml.skipCurrentElement();
                else
                    readLevel(levels[size_t(i)]);
            }
        } else if (xml.name() == L("num")) {
            Num num;
            num.start.fill(-1);
            const int numId = wValue(xml, L("numId")).toInt();
            while (xml.readNextStartElement()) {
                if (xml.name() == L("abstractNumId")) {
                    num.abstractId = wValue(xml).toInt();
                    xml.skipCurrentElement();
                    continue;
                }
                const int i = xml.name() == L("lvlOverride") ? levelIndex() : -1;
                if (i < 0) {
                    xml.skipCurrentElement();
                    continue;
                }
                while (xml.readNextStartElement()) {
                    bool ok = false;
                    if (xml.name() == L("startOverride")) {
                        const int v = wValue(xml).toInt(&ok);
                        if (ok) {
                            num.start[size_t(i)] = qBound(0, v, kMaxNumber);
                            num.overridden = true;
                        }
                        xml.skipCurrentElement();
                    } else if (xml.name() == L("lvl")) {
                        Level level;
                        readLevel(level);
                        num.levels.insert(i, level);
                        num.overridden = true;
                    } else {
                        xml.skipCurrentElement();
                    }
                }
            }
            m_nums.insert(numId, num);
        } else {
            xml.skipCurrentElement();
        }
    }
}

NumberingDefinitions::Level NumberingDefinitions::level(const Num &num, int i) const {
    Level def =
        num.levels.contains(i) ? num.levels.value(i) : m_abstract.value(num.abstractId)[size_t(i)];
    if (num.start[size_t(i)] >= 0)
        def.start = num.start[size_t(i)];
    return def;
}

bool NumberingDefinitions::next(int numId, int ilvl, ListLabel &label) {
    const auto num = m_nums.constFind(numId);
    if (num == m_nums.cend() || !m_abstract.contains(num->abstractId) || ilvl < 0 ||
        ilvl >= kLevels)
        return false;
    const Level own = level(*num, ilvl);
    if (own.numFmt == L("none"))
        return false;

    // Lists of one abstract definition count on together unless a list restarts its numbers.
    label.counter = num->overridden ? -numId - 1 : num->abstractId;
    Counters &counters = m_counters[label.counter];
    const size_t i = size_t(ilvl);
    counters.value[i] = counters.counted[i] ? qMin(counters.value[i] + 1, kMaxNumber) : own.start;
    counters.counted[i] = true;
    for (int deeper = ilvl + 1; deeper < kLevels; ++deeper) {
        const int restartAfter = level(*num, deeper).restartAfter;
        if (ilvl < (restartAfter < 0 ? deeper : restartAfter))
            counters.counted[size_t(deeper)] = false;
    }

    label.format = QTextListFormat();
    label.format.setIndent(ilvl + 1);
    if (own.numFmt == L("bullet")) {
        label.format.setStyle(bulletStyle(own.text));
        label.number = 0;
        label.text = own.text;
        return true;
    }
    // "%1.%2." gives the parents' numbers in their own formats ("1.") before this level's.
    label.number = counters.value[i];
    label.format.setStyle(listStyle(own.numFmt));
    QString before;
    QString after;
    bool ownSeen = false;
    const QString &t = own.text;
    for (qsizetype k = 0; k < t.size(); ++k) {
        QString piece(t.at(k));
        if (t.at(k) == u'%' && k + 1 < t.size() && t.at(k + 1) >= u'1' && t.at(k + 1) <= u'9') {
            const int ref = t.at(++k).unicode() - u'1';
            if (ref == ilvl) {
                // Everything up to the paragraph's own last number goes before it.
                if (ownSeen)
                    before += formatNumber(label.number, own.numFmt);
                before += after;
                after.clear();
                ownSeen = true;
                continue;
            }
            const Level parent = level(*num, ref);
            const int value =
                counters.counted[size_t(ref)] ? counters.value[size_t(ref)] : parent.start;
            piece = formatNumber(value,
                                 own.legal ? QStringView(u"decimal") : QStringView(parent.numFmt));
        }
        (ownSeen ? after : before) += piece;
    }
    if (!ownSeen) {
        // A level whose text shows no number of its own: the whole text goes before it.
        before += after;
        after.clear();
    }
    if (!before.isEmpty())
        label.format.setNumberPrefix(before);
    label.format.setNumberSuffix(after);
    label.text = before + formatNumber(label.number, own.numFmt) + after;
    return true;
}

} // namespace platform::docx::detail
