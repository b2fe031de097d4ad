#include "display/grid/GridGeometry.h"
#include "display/grid/GridScrollAxis.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

namespace {

// Lays out count entries of `size` pixels, the first `fixed` of them fixed, then own sizes.
void Lay(GridAxis& axis, int count, int size, int fixed, std::vector<std::pair<int, int>> own)
{
    axis.Resize(count, size);
    axis.SetFixedCount(fixed);
    for (const auto& [index, pixels] : own)
        axis.SetSize(index, pixels);
}

// 2 fixed rows of 20, 8 rows of 10 (row 4 hidden); 1 fixed column of 50, 5 columns of 30 (column 2
// hidden, column 3 negative: also hidden).
GridGeometry MakeGeometry()
{
    GridGeometry geometry;
    Lay(geometry.Rows(), 10, 10, 2, {{0, 20}, {1, 20}, {4, 0}});
    Lay(geometry.Columns(), 6, 30, 1, {{0, 50}, {2, 0}, {3, -5}});
    return geometry;
}

TEST(GridGeometry, SpansRectanglesAndHitTestsSkipHiddenEntriesAndFollowScrolling)
{
    const GridGeometry geometry = MakeGeometry();
    // Hidden row 4 and columns 2 and 3 take no pixel: the span ends at row 6 and column 5.
    EXPECT_EQ(geometry.VisibleCellSpan({120, 75}, {2, 1}), CellRange(2, 1, 6, 5));
    const CCellID topLeft(2, 1);
    // Scrolled to (5, 4): a fixed cell keeps its place, a cell before the top-left one lies before
    // the fixed band.
    QRect rect;
    ASSERT_TRUE(geometry.CellRectangle(1, 0, {5, 4}, &rect));
    EXPECT_EQ(rect, QRect(0, 20, 50, 20));
    ASSERT_TRUE(geometry.CellRectangle(3, 1, {5, 4}, &rect));
    EXPECT_EQ(rect, QRect(20, 30, 30, 10));
    ASSERT_TRUE(geometry.CellRectangle(2, 1, {5, 4}, &rect)); // the first row that scrolls
    EXPECT_EQ(rect, QRect(20, 20, 30, 10));
    // Rows 2 and 3 and column 1 scrolled out: not in view (row 2, the first below the fixed rows,
    // as much as row 3), and the first pixel past the fixed band is the top-left cell, not one of
    // them. Unscrolled, row 2 is in view.
    const QSize client(200, 200);
    EXPECT_EQ(
        std::tuple(geometry.CellInView(2, 4, client, {5, 4}),
            geometry.CellInView(3, 4, client, {5, 4}), geometry.CellInView(5, 1, client, {5, 4}),
            geometry.CellInView(1, 4, client, {5, 4}), geometry.CellInView(2, 4, client, topLeft),
            geometry.CellAtPoint({50, 40}, {5, 4}, true)),
        std::tuple(false, false, false, true, true, CCellID(5, 4)));
    // A merged block: from its first cell's origin to its last cell's last pixel.
    ASSERT_TRUE(geometry.SpanRectangle(CellRange(2, 1, 3, 4), topLeft, &rect));
    EXPECT_EQ(rect, QRect(50, 40, 60, 20));
    EXPECT_FALSE(geometry.SpanRectangle(CellRange(2, 1, 12, 4), topLeft, &rect));
    // Column 1 spans x 50..79, columns 2 and 3 are hidden, column 4 spans 80..109.
    const std::tuple<QPoint, bool, CCellID> points[]
        = {{{55, 45}, true, {2, 1}}, {{80, 45}, true, {2, 4}}, {{10, 5}, true, {0, 0}},
            {{10, 5}, false, {-1, -1}}, {{141, 45}, true, {-1, -1}}, {{55, 200}, true, {-1, -1}}};
    for (const auto& [point, fixed, cell] : points)
        EXPECT_EQ(geometry.CellAtPoint(point, topLeft, fixed), cell)
            << point.x() << "," << point.y();
    // Dividers: within 3 pixels of a border in the heading band (not below it, not before the first
    // column): column 4's left edge, column 1's right edge, mid column 1, below, x 1.
    const std::pair<QPoint, bool> columnDividers[]
        = {{{82, 5}, true}, {{78, 5}, true}, {{65, 5}, false}, {{82, 45}, false}, {{1, 5}, false}};
    for (const auto& [point, hits] : columnDividers)
        EXPECT_EQ(geometry.HitsColumnDivider(point, topLeft, 3), hits) << point.x();
    EXPECT_TRUE(geometry.HitsRowDivider({10, 41}, topLeft, 3));
    EXPECT_FALSE(geometry.HitsRowDivider({60, 41}, topLeft, 3));
}

TEST(GridScrollAxis, PositionsPastTheIntRangeKeepTheLastRowReachable)
{
    GridScrollAxis axis;
    axis.SetLimit(1000, 300);
    EXPECT_TRUE(axis.SetPos(5000));
    EXPECT_EQ(axis.Pos(), 1000);
    EXPECT_FALSE(axis.SetPos(1000));
    const long long huge = 5LL * INT_MAX;
    axis.SetLimit(huge, 300);
    EXPECT_EQ(axis.FromSlider(axis.SliderMax()), huge);
    axis.SetPos(huge);
    EXPECT_EQ(axis.SliderValue(), axis.SliderMax());
    EXPECT_TRUE(axis.SetPos(huge - 20)); // a line step stays exact below the bar's scale
    EXPECT_EQ(axis.Pos(), huge - 20);
}

} // namespace
