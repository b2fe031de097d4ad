#include "GridTestWindow.h"

#include "platform/Format.h"
#include "support/Screenshot.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <climits>

namespace {

// Serves every cell of a virtual grid from its address and records the cache hints.
class ComputingOwner : public RecordingGridOwner
{
public:
    long OnGridDispInfo(GridDispInfo& info) override
    {
        ++asked;
        info.item.text = FormatString("%d.%d", info.item.row, info.item.col);
        return 0;
    }
    long OnGridCacheHint(const GridCacheHint& hint) override
    {
        hints.push_back(hint.range);
        return 0;
    }
    int asked = 0;
    std::vector<CellRange> hints;
};

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
    EXPECT_EQ(grid.GetScrollPos(true), 85);
    EXPECT_EQ(grid.TopLeftScrollCell().row, 4);
    EXPECT_EQ(bar->value(), 85);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(grid.GetScrollPos(true), 50);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid.GetScrollPos(true), 50 + w.Client()->height() - grid.FixedRowsHeight());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(grid.GetScrollPos(true), bar->maximum());
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
    EXPECT_GT(grid.verticalScrollBar()->maximum(), 0);
    grid.ChangeFocusCell(1, 1);
    w.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(10, 10));
    EXPECT_EQ(grid.TopLeftScrollCell(), CCellID(10, 10));
    QRect rect;
    ASSERT_TRUE(grid.CellRectangle(10, 10, &rect));
    EXPECT_EQ(rect.topLeft(), QPoint(60, 20));
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

TEST(GridVirtual, AMillionRowsComeFromTheOwnerAndTheSelectionLivesInTheMap)
{
    GridTestWindow w(0, 0);
    CDataGrid& grid = w.grid;
    ComputingOwner owner;
    grid.SetOwner(&owner);
    grid.SetVirtualMode(true);
    grid.SetColumnCount(34);
    grid.SetRowCount(1000000);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    EXPECT_STREQ(grid.GetCell(999999, 33)->GetText(), "999999.33");
    EXPECT_TRUE(grid.GetCell(0, 3)->IsFixed());
    EXPECT_FALSE(grid.SetCellState(3, 3, GCS_SELECTED)); // no cell keeps a state...
    EXPECT_TRUE(grid.GetCell(3, 3)->IsSelected()); // ...the map does
    grid.ClearSelection();
    w.Click(w.Centre(2, 2));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(2, 2, 2, 2), 1));
    w.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(999999, 33));
    EXPECT_TRUE(grid.CellInView(999999, 33));
    EXPECT_TRUE(grid.GetCell(999999, 33)->IsFocused());
    // A paint reads the shown cells between two hints.
    owner.hints.clear();
    grid.viewport()->grab();
    ASSERT_EQ(owner.hints.size(), 2u);
    EXPECT_EQ(owner.hints[0], grid.VisibleCellSpan());
    EXPECT_EQ(owner.hints[1], CellRange());
    // A callback, when set, is asked instead of the owner.
    grid.SetCellCallback(
        [](GridDispInfo* info, std::intptr_t param) {
            info->item.text = std::to_string(param);
            return true;
        },
        42);
    const int asked = owner.asked;
    EXPECT_STREQ(grid.GetCell(5, 5)->GetText(), "42");
    EXPECT_EQ(owner.asked, asked);
}

TEST(GridScreens, ABlockSelectionAResizedColumnAndSunkenHeadings)
{
    GridTestWindow w(40, 9, QSize(560, 360));
    TestGrid& grid = w.grid;
    for (int row = 0; row < 40; ++row)
        for (int col = 0; col < 9; ++col) {
            std::string text = FormatString("%d.%d", 2000 + row * 7 + col * 13, col);
            if (row == 0 || col == 0)
                text = row == 0 ? FormatString("CH%02d", col) : FormatString("Line %d", row);
            grid.GetCell(row, col)->SetText(text.c_str());
        }
    const QPoint divider(w.Rect(0, 3).left() + 1, 10);
    QTest::mousePress(w.Client(), Qt::LeftButton, {}, divider);
    QTest::mouseMove(w.Client(), divider + QPoint(45, 0));
    QTest::mouseRelease(w.Client(), Qt::LeftButton, {}, divider + QPoint(45, 0));
    ASSERT_EQ(grid.GetColumnWidth(2), 106);
    QTest::mousePress(w.Client(), Qt::LeftButton, {}, w.Centre(3, 2));
    QTest::mouseMove(w.Client(), w.Centre(7, 4));
    QTest::mouseRelease(w.Client(), Qt::LeftButton, {}, w.Centre(7, 4));
    ASSERT_EQ(w.Selection().second, 15);
    QCoreApplication::processEvents();
    ASSERT_TRUE(SaveScreenshot(&w.window, QStringLiteral("grid_selection")));
}

} // namespace
