#include "display/grid/GridGeometry.h"

#include <gtest/gtest.h>

namespace {

// 2 fixed rows of 20, 8 rows of 10 (row 4 hidden); 1 fixed column of 50, 5 columns of 30
// (column 2 hidden, column 3 negative: also hidden).
GridGeometry MakeGeometry()
{
    GridGeometry geometry;
    geometry.Rows().Resize(10, 10);
    geometry.Rows().SetFixedCount(2);
    geometry.Rows().SetSize(0, 20);
    geometry.Rows().SetSize(1, 20);
    geometry.Rows().SetSize(4, 0);
    geometry.Columns().Resize(6, 30);
    geometry.Columns().SetFixedCount(1);
    geometry.Columns().SetSize(0, 50);
    geometry.Columns().SetSize(2, 0);
    geometry.Columns().SetSize(3, -5);
    return geometry;
}

TEST(GridAxis, HiddenEntriesTakeNoPixelAndTotalsFollowEveryChange)
{
    GridGeometry geometry = MakeGeometry();
    const GridAxis& rows = geometry.Rows();
    EXPECT_EQ(rows.Total(), 40 + 7 * 10);
    EXPECT_EQ(rows.FixedExtent(), 40);
    EXPECT_EQ(rows.Span(3, 6), 20); // rows 3, 4 (hidden), 5
    EXPECT_EQ(geometry.Columns().Total(), 50 + 3 * 30);
    EXPECT_EQ(rows.Size(10), -1);
    EXPECT_EQ(rows.Size(-1), -1);

    geometry.Rows().SetSize(4, 15);
    EXPECT_EQ(rows.Span(3, 6), 35);
    EXPECT_EQ(rows.Total(), 125);
    geometry.Rows().SetSize(99, 500); // outside: ignored
    EXPECT_EQ(rows.Total(), 125);
    geometry.Rows().Resize(3, 10);
    EXPECT_EQ(rows.Total(), 50);
    EXPECT_EQ(rows.Span(0, 3), 50);
    geometry.Rows().Resize(5, 7);
    EXPECT_EQ(rows.Span(0, 5), 64);
    EXPECT_EQ(rows.Total(), 64);
}

TEST(GridAxis, FixedCountShrinksWithTheAxis)
{
    GridAxis axis;
    axis.Resize(4, 10);
    axis.SetFixedCount(3);
    axis.Resize(2, 10);
    EXPECT_EQ(axis.FixedCount(), 2);
    EXPECT_EQ(axis.FixedExtent(), 20);
}

TEST(GridGeometry, TopLeftCellIsTheFirstWhoseStartReachesTheScrollPosition)
{
    const GridGeometry geometry = MakeGeometry();
    EXPECT_EQ(geometry.TopLeftScrollCell(QPoint(0, 0)), CCellID(2, 1));
    EXPECT_EQ(geometry.TopLeftScrollCell(QPoint(1, 1)), CCellID(3, 2));
    EXPECT_EQ(geometry.TopLeftScrollCell(QPoint(30, 10)), CCellID(3, 2));
    // Rows 2 and 3 take 20 pixels; the hidden row 4 starts there and takes none.
    EXPECT_EQ(geometry.TopLeftScrollCell(QPoint(31, 11)), CCellID(4, 5));
    EXPECT_EQ(geometry.TopLeftScrollCell(QPoint(0, 20)).row, 4);
    EXPECT_EQ(geometry.TopLeftScrollCell(QPoint(0, 21)).row, 6);
    // Never past the last row or column.
    EXPECT_EQ(geometry.TopLeftScrollCell(QPoint(100000, 100000)), CCellID(9, 5));
}

TEST(GridGeometry, VisibleSpanStopsAtTheClientEdgeOrTheLastCell)
{
    const GridGeometry geometry = MakeGeometry();
    QRect extent;
    CellRange span = geometry.VisibleCellSpan(QSize(120, 75), CCellID(2, 1), &extent);
    // Rows from 40: 2 -> 50, 3 -> 60, 4 hidden, 5 -> 70, 6 -> 80 reaches 75.
    // Columns from 50: 1 -> 80, 2 and 3 hidden, 4 -> 110, 5 -> 140 reaches 120.
    EXPECT_EQ(span, CellRange(2, 1, 6, 5));
    EXPECT_EQ(extent.right(), 120);
    EXPECT_EQ(extent.bottom(), 75);

    span = geometry.VisibleCellSpan(QSize(1000, 1000), CCellID(2, 1), &extent);
    EXPECT_EQ(span, CellRange(2, 1, 9, 5));
    EXPECT_EQ(extent.right(), 140);
    EXPECT_EQ(extent.bottom(), 110);
}

TEST(GridGeometry, CellRectanglesIncludeTheirLastPixelAndFollowScrolling)
{
    const GridGeometry geometry = MakeGeometry();
    QRect rect;
    ASSERT_TRUE(geometry.CellRectangle(0, 0, CCellID(2, 1), &rect));
    EXPECT_EQ(rect, QRect(0, 0, 50, 20));
    EXPECT_EQ(rect.right(), 49);
    ASSERT_TRUE(geometry.CellRectangle(5, 4, CCellID(2, 1), &rect));
    EXPECT_EQ(rect.topLeft(), QPoint(50 + 30, 40 + 20));
    EXPECT_EQ(rect.bottomRight(), QPoint(80 + 29, 60 + 9));
    // Scrolled: a fixed cell keeps its place, a cell left of the top-left one lies left of
    // the fixed band.
    ASSERT_TRUE(geometry.CellRectangle(1, 0, CCellID(5, 4), &rect));
    EXPECT_EQ(rect.topLeft(), QPoint(0, 20));
    ASSERT_TRUE(geometry.CellRectangle(3, 1, CCellID(5, 4), &rect));
    EXPECT_EQ(rect.topLeft(), QPoint(50 - 30, 40 - 10));
    EXPECT_FALSE(geometry.CellRectangle(10, 0, CCellID(2, 1), &rect));
    EXPECT_FALSE(geometry.CellRectangle(0, 6, CCellID(2, 1), &rect));
}

TEST(GridGeometry, SpanRectangleCoversAMergedBlock)
{
    const GridGeometry geometry = MakeGeometry();
    QRect rect;
    ASSERT_TRUE(geometry.SpanRectangle(CellRange(2, 1, 3, 4), CCellID(2, 1), &rect));
    EXPECT_EQ(rect.topLeft(), QPoint(50, 40));
    EXPECT_EQ(rect.bottomRight(), QPoint(50 + 60 - 1, 40 + 20 - 1));
    EXPECT_FALSE(geometry.SpanRectangle(CellRange(2, 1, 12, 4), CCellID(2, 1), &rect));
}

TEST(GridGeometry, CellInViewTakesScrollingAndTheClientSizeIntoAccount)
{
    const GridGeometry geometry = MakeGeometry();
    const QSize client(100, 60);
    EXPECT_TRUE(geometry.CellInView(0, 0, client, CCellID(2, 1)));
    EXPECT_TRUE(geometry.CellInView(3, 1, client, CCellID(2, 1)));
    EXPECT_FALSE(geometry.CellInView(5, 1, client, CCellID(2, 1))); // starts at y 60
    EXPECT_FALSE(geometry.CellInView(2, 5, client, CCellID(2, 1))); // starts at x 110
    EXPECT_FALSE(geometry.CellInView(2, 1, client, CCellID(3, 1))); // scrolled out above
    EXPECT_TRUE(geometry.CellInView(0, 0, client, CCellID(9, 5))); // fixed cells stay
    EXPECT_FALSE(geometry.CellInView(11, 0, client, CCellID(2, 1)));
}

TEST(GridGeometry, ManyRowsAreFoundWithoutWalkingThem)
{
    GridGeometry geometry;
    geometry.Rows().Resize(35001, 22);
    geometry.Rows().SetFixedCount(1);
    geometry.Rows().SetSize(0, 27);
    geometry.Columns().Resize(34, 80);
    const CCellID topLeft = geometry.TopLeftScrollCell(QPoint(0, 22 * 30000));
    EXPECT_EQ(topLeft.row, 30001);
    const CellRange span = geometry.VisibleCellSpan(QSize(800, 27 + 22 * 10), topLeft);
    EXPECT_EQ(span.maxRow, 30010);
    EXPECT_EQ(span.maxCol, 9);
}

} // namespace
