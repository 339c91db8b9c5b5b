#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QWidget>

namespace platform {

class CalendarGeometry;

// The main window's month calendar: one to three months side by side, Sunday first, Japanese
// weekday names. Days that hold an entry are drawn bold; the owner supplies them per visible
// month, so it runs one query per month shown. The calendar sizes itself from its month columns.
class Calendar : public QWidget {
    Q_OBJECT
public:
    explicit Calendar(QWidget *parent = nullptr);
    ~Calendar() override;

    QDate date() const { return m_date; }
    // Sets the date without raising datePicked, scrolling as little as needed to show it.
    void setDate(const QDate &date);

    int monthColumns() const { return m_columns; }
    // 1 to 3; other values are brought into that range.
    void setMonthColumns(int columns);

    // The first day of every month shown, left to right.
    QList<QDate> visibleMonths() const;
    // Scrolls so that the month of `month` is the leftmost one.
    void setFirstVisibleMonth(const QDate &month);

    // The days of one month that are drawn bold; replaces what that month had.
    void setBoldDays(int year, int month, const QSet<int> &days);
    bool isBold(const QDate &date) const;

    // The heading of a weekday column, 0 Sunday to 6 Saturday: "日" ... "土".
    static QString weekdayName(int weekday);

    // The natural size for the current month columns and font.
    QSize naturalSize() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The cell of a date among the visible months; an empty rectangle when it is not shown.
    QRect dayRect(const QDate &date) const;
    QRect prevButtonRect() const;
    QRect nextButtonRect() const;
    QRect todayLinkRect() const;

signals:
    // The user picked a date: a click on a day or on the today line, or a keyboard move.
    void datePicked(const QDate &date);
    // The pick was a mouse click (after datePicked): the user is done with the calendar.
    void dateClicked(const QDate &date);
    // Other months are shown now (scrolling, a new column count, a far date set).
    void visibleMonthsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    CalendarGeometry geometry() const;
    void pick(const QDate &date);
    void scrollMonths(int months);
    bool ensureVisible(const QDate &date);
    QDate dateAt(const QPoint &pos) const;
    void paintMonth(QPainter &painter, const CalendarGeometry &g, int column);
    void paintTitles(QPainter &painter, const CalendarGeometry &g);
    void paintToday(QPainter &painter, const CalendarGeometry &g);

    QDate m_date;
    QDate m_first;
    int m_columns = 1;
    QHash<QDate, QSet<int>> m_bold;
};

} // namespace platform
