#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTextListFormat>

#include <array>

// numbering.xml: list levels and their counters, giving each list paragraph the label Word shows.
namespace platform::docx::detail {

// A paragraph's label, split around the paragraph's own number: the list format carries style,
// indent, the text before the number (parent levels' numbers included) and the text after it.
struct ListLabel {
    QTextListFormat format;
    int number = 0;  // the paragraph's own number (0 for bullets)
    int counter = 0; // the counters the paragraph counts in
    QString text;    // the whole label
};

class NumberingDefinitions {
public:
    void read(const QByteArray &xml);
    // Counts the next paragraph of list numId at level (0-based) and gives its label; false when
    // the list or level is undefined or shows no label.
    bool next(int numId, int level, ListLabel &label);
    // Forgets the counters: each part numbers from the start.
    void resetCounters() { m_counters.clear(); }

    static constexpr int kLevels = 9;

private:
    struct Level {
        QString numFmt = QStringLiteral("decimal");
        QString text;
        int start = 1;
        int restartAfter = -1; // restart when a level below this index is counted; -1 default
        bool legal = false;    // parent numbers in decimal
    };
    struct Num {
        int abstractId = -1;
        QHash<int, Level> levels;       // levels redefined by w:lvlOverride
        std::array<int, kLevels> start; // w:startOverride, or -1
        bool overridden = false;
    };
    struct Counters {
        std::array<int, kLevels> value{};
        std::array<bool, kLevels> counted{};
    };
    Level level(const Num &num, int level) const;

    QHash<int, std::array<Level, kLevels>> m_abstract;
    QHash<int, Num> m_nums;
    QHash<int, Counters> m_counters; // by abstract id, or by -numId for lists that restart
};

// A number in a Word number format ("decimal", "lowerRoman", ...).
QString formatNumber(int number, QStringView numFmt);

} // namespace platform::docx::detail
