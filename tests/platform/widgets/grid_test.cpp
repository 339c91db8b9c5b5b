#include "platform/widgets/grid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using platform::Grid;

namespace {

// Counts the keys that get past the list to its parent.
class KeyCatcher : public QWidget {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent *event) override {
        ++keys;
        event->accept();
    }
};

struct GridTest : ::testing::Test {
    GridTest() : grid(new Grid(&parent)) {
        grid->setRowCount(3);
        const QStringList dates = {"24/01/01", "24/01/05", "24/01/15"};
        for (int row = 1; row <= 3; ++row) {
            grid->setCellText(1, row, dates.at(row - 1));
            grid->setCellText(2, row, QStringLiteral("日記 %1").arg(row));
        }
        grid->resize(300, 200);
        parent.show();
    }
    QPoint cellCentre(int column, int row) const {
        return grid->table()->visualItemRect(grid->table()->item(row - 1, column - 1)).center();
    }

    KeyCatcher parent;
    Grid *grid;
};

} // namespace

TEST_F(GridTest, CellsAreCountedFromOne) {
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("24/01/01"));
    EXPECT_EQ(grid->cellText(2, 3), QStringLiteral("日記 3"));
    EXPECT_TRUE(grid->cellText(1, 0).isEmpty());
    EXPECT_TRUE(grid->cellText(3, 1).isEmpty());
    EXPECT_TRUE(grid->cellText(1, 4).isEmpty());

    grid->setCellText(1, 4, QStringLiteral("ignored"));
    EXPECT_EQ(grid->rowCount(), 3);
    grid->setCellText(2, 3, QStringLiteral("書き換え"));
    EXPECT_EQ(grid->cellText(2, 3), QStringLiteral("書き換え"));
}

TEST_F(GridTest, ShrinkingDropsTheRowsText) {
    grid->setRowCount(1);
    grid->setRowCount(3);
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("24/01/01"));
    EXPECT_TRUE(grid->cellText(1, 3).isEmpty());
    grid->setRowCount(-2);
    EXPECT_EQ(grid->rowCount(), 0);
}

TEST_F(GridTest, ActiveRowIsTheSelectedRow) {
    EXPECT_EQ(grid->selectedRow(), 0);
    grid->setActiveRow(2);
    EXPECT_EQ(grid->activeRow(), 2);
    EXPECT_EQ(grid->selectedRow(), 2);
    EXPECT_EQ(grid->table()->selectedItems().size(), 2);
    grid->setActiveRow(3);
    EXPECT_EQ(grid->selectedRow(), 3);
    EXPECT_EQ(grid->table()->selectedItems().size(), 2);

    grid->setActiveRow(9);
    EXPECT_EQ(grid->selectedRow(), 0);
    EXPECT_EQ(grid->activeRow(), 0);
}

TEST_F(GridTest, EnterIsReportedAndSwallowed) {
    grid->setActiveRow(2);
    grid->setFocus();
    QSignalSpy enter(grid, &Grid::enterPressed);
    QTest::keyClick(grid->table(), Qt::Key_Return);
    QTest::keyClick(grid->table(), Qt::Key_Enter);
    ASSERT_EQ(enter.count(), 2);
    EXPECT_EQ(enter.at(0).at(0).toInt(), 2);
    EXPECT_EQ(grid->activeRow(), 2);
    EXPECT_EQ(grid->cellText(1, 2), QStringLiteral("24/01/05"));
    EXPECT_EQ(parent.keys, 0);

    QTest::keyClick(grid->table(), Qt::Key_Down);
    EXPECT_EQ(grid->activeRow(), 3);
    EXPECT_EQ(enter.count(), 2);
}

TEST_F(GridTest, ClickAndRightClickNameTheRow) {
    QSignalSpy clicked(grid, &Grid::cellClicked);
    QTest::mouseClick(grid->table()->viewport(), Qt::LeftButton, {}, cellCentre(2, 3));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    EXPECT_EQ(clicked.at(0).at(1).toInt(), 3);
    EXPECT_EQ(grid->activeRow(), 3);

    QSignalSpy right(grid, &Grid::rightClicked);
    const QPoint pos = cellCentre(1, 2);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos,
                           grid->table()->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(grid->table()->viewport(), &menu);
    ASSERT_EQ(right.count(), 1);
    EXPECT_EQ(right.at(0).at(0).toInt(), 2);
    EXPECT_EQ(right.at(0).at(1).toPoint(), grid->table()->viewport()->mapToGlobal(pos));
}

TEST_F(GridTest, CellsCannotBeEdited) {
    grid->setActiveRow(1);
    QTest::keyClick(grid->table(), Qt::Key_F2);
    QTest::keyClicks(grid->table(), "x");
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("24/01/01"));
    QTest::mouseDClick(grid->table()->viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
    EXPECT_TRUE(grid->table()->findChildren<QLineEdit *>().isEmpty());
}

TEST_F(GridTest, HorizontalScrollingKeepsTheSummaryWhole) {
    grid->setCellText(2, 1, QString(200, QChar(u'長')));
    grid->setScrollBars(3);
    EXPECT_EQ(grid->table()->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_GT(grid->table()->columnWidth(1), grid->width());
    grid->setScrollBars(2);
    EXPECT_EQ(grid->table()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_LE(grid->table()->columnWidth(1), grid->width());
}
