#include "platform/widgets/calendar.h"

#include "platform/widgets/calendar_geometry.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace platform {

namespace {

const QColor kSunday(0xC0, 0x20, 0x20);
const QColor kSaturday(0x20, 0x40, 0xC0);
const QColor kTodayMark(0xD0, 0x00, 0x00);

QDate monthOf(const QDate &date) {
    return QDate(date.year(), date.month(), 1);
}

QLocale japanese() {
    return QLocale(QLocale::Japanese, QLocale::Japan);
}

QColor weekdayColor(int weekday, const QColor &normal) {
    if (weekday == 0)
        return kSunday;
    if (weekday == 6)
        return kSaturday;
    return normal;
}

} // namespace

Calendar::Calendar(QWidget *parent)
    : QWidget(parent), m_date(QDate::currentDate()), m_first(monthOf(m_date)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

Calendar::~Calendar() = default;

CalendarGeometry Calendar::geometry() const {
    return CalendarGeometry(fontMetrics(), m_columns);
}

void Calendar::setDate(const QDate &date) {
    if (!date.isValid())
        return;
    m_date = date;
    if (ensureVisible(date))
        emit visibleMonthsChanged();
    update();
}

void Calendar::setMonthColumns(int columns) {
    columns = qBound(1, columns, 3);
    if (columns == m_columns)
        return;
    m_columns = columns;
    ensureVisible(m_date);
    updateGeometry();
    update();
    emit visibleMonthsChanged();
}

QList<QDate> Calendar::visibleMonths() const {
    QList<QDate> months;
    for (int c = 0; c < m_columns; ++c)
        months << m_first.addMonths(c);
    return months;
}

void Calendar::setFirstVisibleMonth(const QDate &month) {
    if (!month.isValid() || monthOf(month) == m_first)
        return;
    m_first = monthOf(month);
    update();
    emit visibleMonthsChanged();
}

void Calendar::setBoldDays(int year, int month, const QSet<int> &days) {
    m_bold.insert(QDate(year, month, 1), days);
    update();
}

bool Calendar::isBold(const QDate &date) const {
    return m_bold.value(monthOf(date)).contains(date.day());
}

QString Calendar::weekdayName(int weekday) {
    return japanese().dayName(weekday == 0 ? 7 : weekday, QLocale::NarrowFormat);
}

QSize Calendar::naturalSize() const {
    return geometry().size();
}

QSize Calendar::sizeHint() const {
    return naturalSize();
}

QSize Calendar::minimumSizeHint() const {
    return naturalSize();
}

QRect Calendar::dayRect(const QDate &date) const {
    const CalendarGeometry g = geometry();
    for (int c = 0; c < m_columns; ++c) {
        const QDate month = m_first.addMonths(c);
        if (monthOf(date) != month)
            continue;
        const int index = month.dayOfWeek() % 7 + date.day() - 1;
        return g.cellRect(c, index / 7, index % 7);
    }
    return {};
}

QRect Calendar::prevButtonRect() const {
    return geometry().prevArrowRect();
}

QRect Calendar::nextButtonRect() const {
    return geometry().nextArrowRect();
}

QRect Calendar::todayLinkRect() const {
    return geometry().todayRect();
}

bool Calendar::ensureVisible(const QDate &date) {
    const QDate month = monthOf(date);
    const QDate last = m_first.addMonths(m_columns - 1);
    if (month < m_first)
        m_first = month;
    else if (month > last)
        m_first = month.addMonths(-(m_columns - 1));
    else
        return false;
    return true;
}

void Calendar::pick(const QDate &date) {
    if (!date.isValid())
        return;
    m_date = date;
    if (ensureVisible(date))
        emit visibleMonthsChanged();
    update();
    emit datePicked(date);
}

void Calendar::scrollMonths(int months) {
    m_first = m_first.addMonths(months);
    update();
    emit visibleMonthsChanged();
}

QDate Calendar::dateAt(const QPoint &pos) const {
    const CalendarGeometry g = geometry();
    for (int c = 0; c < m_columns; ++c) {
        const QDate month = m_first.addMonths(c);
        for (int week = 0; week < CalendarGeometry::kWeeks; ++week) {
            for (int weekday = 0; weekday < 7; ++weekday) {
                if (!g.cellRect(c, week, weekday).contains(pos))
                    continue;
                const QDate date = CalendarGeometry::cellDate(month, week, weekday);
                const bool leading = c == 0 && date < month;
                const bool trailing = c == m_columns - 1 && date > month.addMonths(1).addDays(-1);
                if (monthOf(date) == month || leading || trailing)
                    return date;
                return {};
            }
        }
    }
    return {};
}

void Calendar::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const CalendarGeometry g = geometry();
    if (g.prevArrowRect().contains(pos))
        scrollMonths(-1);
    else if (g.nextArrowRect().contains(pos))
        scrollMonths(1);
    else {
        const QDate date = g.todayRect().contains(pos) ? QDate::currentDate() : dateAt(pos);
        if (!date.isValid())
            return;
        pick(date);
        emit dateClicked(date);
    }
}

void Calendar::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Left:
        pick(m_date.addDays(-1));
        break;
    case Qt::Key_Right:
        pick(m_date.addDays(1));
        break;
    case Qt::Key_Up:
        pick(m_date.addDays(-7));
        break;
    case Qt::Key_Down:
        pick(m_date.addDays(7));
        break;
    case Qt::Key_PageUp:
        pick(m_date.addMonths(-1));
        break;
    case Qt::Key_PageDown:
        pick(m_date.addMonths(1));
        break;
    case Qt::Key_Home:
        pick(monthOf(m_date));
        break;
    case Qt::Key_End:
        pick(monthOf(m_date).addMonths(1).addDays(-1));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Calendar::wheelEvent(QWheelEvent *event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        scrollMonths(-steps);
    event->accept();
}

void Calendar::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void Calendar::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const CalendarGeometry g = geometry();
    paintTitles(painter, g);
    for (int c = 0; c < m_columns; ++c)
        paintMonth(painter, g, c);
    paintToday(painter, g);
}

void Calendar::paintTitles(QPainter &painter, const CalendarGeometry &g) {
    const QRect strip(0, 0, width(), g.titleRect(0).height());
    painter.fillRect(strip, palette().color(QPalette::Highlight));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::HighlightedText));
    for (int c = 0; c < m_columns; ++c) {
        const QString title =
            japanese().toString(m_first.addMonths(c), QStringLiteral("yyyy年M月"));
        painter.drawText(g.titleRect(c), Qt::AlignCenter, title);
    }

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::HighlightedText));
    const auto arrow = [&painter](const QRect &r, bool left) {
        const QRectF a = QRectF(r).adjusted(r.width() * 0.3, r.height() * 0.25, -r.width() * 0.3,
                                            -r.height() * 0.25);
        const QPointF points[] = {
            left ? QPointF(a.left(), a.center().y()) : QPointF(a.right(), a.center().y()),
            left ? a.topRight() : a.topLeft(), left ? a.bottomRight() : a.bottomLeft()};
        painter.drawPolygon(points, 3);
    };
    arrow(g.prevArrowRect(), true);
    arrow(g.nextArrowRect(), false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
}

void Calendar::paintMonth(QPainter &painter, const CalendarGeometry &g, int column) {
    const QColor text = palette().color(QPalette::Text);
    const QColor faint = palette().color(QPalette::PlaceholderText);
    QFont normal = font();
    QFont bold = font();
    bold.setBold(true);

    painter.setFont(normal);
    for (int weekday = 0; weekday < 7; ++weekday) {
        painter.setPen(weekdayColor(weekday, text));
        painter.drawText(g.dayNameRect(column, weekday), Qt::AlignCenter, weekdayName(weekday));
    }
    const int lineY = g.dayNamesBottom();
    const QRect first = g.dayNameRect(column, 0);
    const QRect last = g.dayNameRect(column, 6);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(first.left() + 2, lineY, last.right() - 2, lineY);

    const QDate month = m_first.addMonths(column);
    const QDate monthEnd = month.addMonths(1).addDays(-1);
    const QDate today = QDate::currentDate();
    for (int week = 0; week < CalendarGeometry::kWeeks; ++week) {
        for (int weekday = 0; weekday < 7; ++weekday) {
            const QDate date = CalendarGeometry::cellDate(month, week, weekday);
            const bool inMonth = date >= month && date <= monthEnd;
            const bool leading = column == 0 && date < month;
            const bool trailing = column == m_columns - 1 && date > monthEnd;
            if (!inMonth && !leading && !trailing)
                continue;
            const QRect cell = g.cellRect(column, week, weekday);
            QColor pen = inMonth ? weekdayColor(weekday, text) : faint;
            if (inMonth && date == m_date) {
                painter.fillRect(cell.adjusted(1, 0, -1, 0), palette().color(QPalette::Highlight));
                pen = palette().color(QPalette::HighlightedText);
                if (hasFocus()) {
                    painter.setPen(QPen(pen, 1, Qt::DotLine));
                    painter.drawRect(cell.adjusted(2, 1, -3, -2));
                }
            }
            if (inMonth && date == today) {
                painter.setPen(QPen(kTodayMark, 1));
                painter.drawRect(cell.adjusted(1, 0, -2, -1));
            }
            painter.setFont(isBold(date) ? bold : normal);
            painter.setPen(pen);
            painter.drawText(cell, Qt::AlignCenter, QString::number(date.day()));
        }
    }
    painter.setFont(normal);
}

void Calendar::paintToday(QPainter &painter, const CalendarGeometry &g) {
    const QRect line = g.todayRect();
    const int mark = line.height() - 8;
    const QRect box(line.left() + 4, line.top() + 4, mark + 6, mark);
    painter.setPen(QPen(kTodayMark, 1));
    painter.drawRect(box);
    painter.setPen(palette().color(QPalette::Text));
    const QString text = QStringLiteral("今日: ") +
                         japanese().toString(QDate::currentDate(), QStringLiteral("yyyy/MM/dd"));
    painter.drawText(line.adjusted(box.width() + 10, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     text);
}

} // namespace platform
