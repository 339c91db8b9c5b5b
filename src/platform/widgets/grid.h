#pragma once

#include <QWidget>

class QTableWidget;

namespace platform {

// The month list: a read-only two-column grid (date, summary) with whole-row selection. Rows and
// columns are counted from 1, as the list's owner counts them. Enter is reported and swallowed:
// it never moves to another row.
class Grid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 2;

    explicit Grid(QWidget *parent = nullptr);

    int rowCount() const;
    // Rows beyond the new count are dropped with their text.
    void setRowCount(int rows);

    void setCellText(int column, int row, const QString &text);
    // Empty for a cell that does not exist or holds nothing.
    QString cellText(int column, int row) const;

    // The active row, 0 when there is none.
    int activeRow() const;
    // Makes a row the active and only selected one and scrolls it into view; a row outside the
    // list leaves no row active or selected.
    void setActiveRow(int row);
    // The selected row, 0 when none is selected.
    int selectedRow() const;

    // Scroll bars: 0 none, 1 horizontal, 2 vertical, 3 both. With a horizontal bar the summary
    // keeps its full width instead of being cut at the list's edge.
    void setScrollBars(int mode);
    int scrollBars() const { return m_scrollBars; }

    QTableWidget *table() const { return m_table; }

signals:
    void cellClicked(int column, int row);
    // Enter or Return on the list; row is the active row (0 when none).
    void enterPressed(int row);
    void rightClicked(int row, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyMetrics();

    QTableWidget *m_table;
    int m_scrollBars = 2;
};

} // namespace platform
