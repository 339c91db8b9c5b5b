#include "platform/widgets/calendar_geometry.h"

#include <QtGlobal>

namespace platform {

CalendarGeometry::CalendarGeometry(const QFontMetrics &metrics, int columns)
    : m_columns(qBound(1, columns, 3)) {
    const int digits = qMax(metrics.horizontalAdvance(QStringLiteral("00")),
                            metrics.horizontalAdvance(QStringLiteral("日")));
    m_cellW = digits + qMax(8, digits / 2);
    m_cellH = metrics.height() + 4;
    m_titleH = metrics.height() + 10;
    m_margin = 6;
    m_gap = 14;
}

int CalendarGeometry::blockLeft(int column) const {
    return m_margin + column * (7 * m_cellW + m_gap);
}

QSize CalendarGeometry::size() const {
    const int width = 2 * m_margin + m_columns * 7 * m_cellW + (m_columns - 1) * m_gap;
    const int height = todayRect().bottom() + 1 + m_margin / 2;
    return QSize(width, height);
}

QRect CalendarGeometry::titleRect(int column) const {
    const int left = column == 0 ? 0 : blockLeft(column) - m_gap / 2;
    const int right = column == m_columns - 1 ? size().width() : blockLeft(column + 1) - m_gap / 2;
    return QRect(left, 0, right - left, m_titleH);
}

QRect CalendarGeometry::prevArrowRect() const {
    return QRect(2, 2, m_titleH - 4, m_titleH - 4);
}

QRect CalendarGeometry::nextArrowRect() const {
    return QRect(size().width() - m_titleH + 2, 2, m_titleH - 4, m_titleH - 4);
}

QRect CalendarGeometry::dayNameRect(int column, int weekday) const {
    return QRect(blockLeft(column) + weekday * m_cellW, m_titleH + 2, m_cellW, m_cellH);
}

int CalendarGeometry::dayNamesBottom() const {
    return m_titleH + 2 + m_cellH + 2;
}

QRect CalendarGeometry::cellRect(int column, int week, int weekday) const {
    return QRect(blockLeft(column) + weekday * m_cellW, dayNamesBottom() + 2 + week * m_cellH,
                 m_cellW, m_cellH);
}

QRect CalendarGeometry::todayRect() const {
    const int top = dayNamesBottom() + 2 + kWeeks * m_cellH + 2;
    return QRect(m_margin, top, 7 * m_cellW, m_cellH + 2);
}

QDate CalendarGeometry::cellDate(const QDate &month, int week, int weekday) {
    const int leading = month.dayOfWeek() % 7;
    return month.addDays(week * 7 + weekday - leading);
}

} // namespace platform
