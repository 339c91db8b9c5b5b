#include "platform/widgets/grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace platform {

Grid::Grid(QWidget *parent) : QWidget(parent), m_table(new QTableWidget(0, kColumns, this)) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    setFocusProxy(m_table);

    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setWordWrap(false);
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->installEventFilter(this);

    connect(m_table, &QTableWidget::cellClicked, this,
            [this](int row, int column) { emit cellClicked(column + 1, row + 1); });
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const int row = m_table->rowAt(pos.y());
        emit rightClicked(row + 1, m_table->viewport()->mapToGlobal(pos));
    });
    setScrollBars(2);
    applyMetrics();
}

int Grid::rowCount() const {
    return m_table->rowCount();
}

void Grid::setRowCount(int rows) {
    m_table->setRowCount(qMax(0, rows));
}

void Grid::setCellText(int column, int row, const QString &text) {
    if (column < 1 || column > kColumns || row < 1 || row > rowCount())
        return;
    if (QTableWidgetItem *item = m_table->item(row - 1, column - 1)) {
        item->setText(text);
        return;
    }
    auto *item = new QTableWidgetItem(text);
    if (column == 1)
        item->setTextAlignment(Qt::AlignCenter);
    m_table->setItem(row - 1, column - 1, item);
}

QString Grid::cellText(int column, int row) const {
    const QTableWidgetItem *item = m_table->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

int Grid::activeRow() const {
    return m_table->currentRow() + 1;
}

void Grid::setActiveRow(int row) {
    if (row < 1 || row > rowCount()) {
        m_table->setCurrentCell(-1, -1);
        m_table->clearSelection();
        return;
    }
    m_table->setCurrentCell(row - 1, 0,
                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollToItem(m_table->item(row - 1, 0));
}

int Grid::selectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = m_table->selectedRanges();
    return ranges.isEmpty() ? 0 : ranges.first().topRow() + 1;
}

void Grid::setScrollBars(int mode) {
    m_scrollBars = qBound(0, mode, 3);
    const bool horizontal = m_scrollBars & 1;
    const bool vertical = m_scrollBars & 2;
    m_table->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_table->horizontalHeader()->setSectionResizeMode(1, horizontal ? QHeaderView::ResizeToContents
                                                                    : QHeaderView::Stretch);
}

bool Grid::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit enterPressed(activeRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Grid::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange)
        applyMetrics();
    QWidget::changeEvent(event);
}

void Grid::applyMetrics() {
    const QFontMetrics metrics = m_table->fontMetrics();
    m_table->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_table->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("00/00/00")) + 16);
}

} // namespace platform
