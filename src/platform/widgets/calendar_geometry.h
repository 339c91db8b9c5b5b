#pragma once

#include <QDate>
#include <QFontMetrics>
#include <QRect>

namespace platform {

// Where everything of a month calendar sits, from the font and the number of month columns:
// a title strip with the scroll arrows, the weekday names, six weeks per month and a today line.
class CalendarGeometry {
public:
    static constexpr int kWeeks = 6;

    CalendarGeometry(const QFontMetrics &metrics, int columns);

    QSize size() const;
    int columns() const { return m_columns; }

    QRect titleRect(int column) const;
    QRect prevArrowRect() const;
    QRect nextArrowRect() const;
    // Weekday 0 is Sunday.
    QRect dayNameRect(int column, int weekday) const;
    QRect cellRect(int column, int week, int weekday) const;
    int dayNamesBottom() const;
    QRect todayRect() const;

    // The date shown in a cell of the month starting on `month`.
    static QDate cellDate(const QDate &month, int week, int weekday);

private:
    int blockLeft(int column) const;

    int m_columns;
    int m_cellW;
    int m_cellH;
    int m_titleH;
    int m_margin;
    int m_gap;
};

} // namespace platform
