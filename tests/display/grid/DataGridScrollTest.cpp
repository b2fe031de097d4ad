#include "GridTestWindow.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace {

TEST(GridScroll, ALineIsTheRowAtTheTopAndTheBarsStepThroughTheGrid)
{
    GridTestWindow w(100, 20);
    CDataGrid& grid = w.grid;
    grid.SetRowHeight(1, 50);
    grid.SetRowHeight(2, 0);
    grid.SetRowHeight(3, 35);
    QScrollBar* bar = grid.verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid.GetScrollPos(true), 50);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); // past the hidden row 2
    EXPECT_EQ(std::make_tuple(grid.GetScrollPos(true), grid.TopLeftScrollCell().row, bar->value()),
        std::make_tuple(85LL, 4, 85));
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(grid.GetScrollPos(true), 50);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid.GetScrollPos(true), 50 + w.Client()->height() - grid.FixedRowsHeight());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(grid.VisibleCellSpan().maxRow, 99);
    grid.OnVScroll(SB_LINEDOWN); // at the end: nothing
    EXPECT_EQ(grid.GetScrollPos(true), bar->maximum());
    bar->setValue(0); // a position set from outside is taken
    EXPECT_EQ(grid.TopLeftScrollCell().row, 1);
    grid.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid.GetScrollPos(false), 60);
}

TEST(GridScroll, RedrawTurnedBackOnRecomputesTheBarsAndHugeSizesStayReachable)
{
    GridTestWindow w(5, 5);
    CDataGrid& grid = w.grid;
    grid.SetAllowRedraw(false);
    grid.SetRowCount(1000);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 0);
    grid.SetAllowRedraw(true);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 999 * 20 - (w.Client()->height() - 20));
    // Ten rows and columns of half the int range: 5 * INT_MAX pixels each way.
    grid.SetRowCount(11);
    grid.SetColumnCount(11);
    for (int i = 1; i <= 10; ++i) {
        grid.SetRowHeight(i, INT_MAX / 2);
        grid.SetColumnWidth(i, INT_MAX / 2);
    }
    grid.ChangeFocusCell(1, 1);
    w.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(10, 10));
    EXPECT_EQ(grid.TopLeftScrollCell(), CCellID(10, 10));
    EXPECT_EQ(w.Rect(10, 10).topLeft(), QPoint(60, 20));
    EXPECT_FALSE(grid.viewport()->grab().isNull());
    w.Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.GetScrollPos(true), 0);
}

TEST(GridSelection, CellsThatGoLeaveTheSelectionAndClearingResetsEveryBit)
{
    GridTestWindow w(20, 6);
    CDataGrid& grid = w.grid;
    grid.ApplySelectionRange(CellRange(5, 2, 8, 3), false, true);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 2, 8, 3), 8));
    grid.SetRowCount(6);
    grid.SetRowCount(20);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 2, 5, 3), 2));
    EXPECT_FALSE(grid.GetCell(7, 2)->IsSelected());
    grid.SetColumnCount(3);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 2, 5, 2), 1));
    // Deselecting a block inside the selection leaves the rest.
    grid.ApplySelectionRange(CellRange(1, 1, 10, 2), false, true);
    grid.ApplySelectionRange(CellRange(3, 1, 4, 2), false, false);
    EXPECT_EQ(w.Selection().second, 16);
    EXPECT_FALSE(grid.GetCell(3, 1)->IsSelected());
    grid.ClearSelection();
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(20, 3, -1, -1), 0));
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 3; ++col)
            ASSERT_FALSE(grid.GetCell(row, col)->IsSelected()) << row << "," << col;
}

} // namespace
