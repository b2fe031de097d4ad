#include "app/controls/ReportCellGeometry.h"

#include <gtest/gtest.h>

namespace {

// Two rows 20 pixels high of columns 90, 55 and 55 pixels, the list scrolled 10 to the right.
const std::vector<ReportRowBounds> Rows{{4, QRect(-10, 0, 200, 20)}, {5, QRect(-10, 20, 200, 20)}};
const std::vector<int> Widths{90, 55, 55};

TEST(ReportCellGeometry, ColumnsAreWalkedFromTheRowsLeftEdgeWithBothEdgesInside)
{
    ReportCellHit hit = FindReportCell(QPoint(79, 25), Rows, Widths, 3, 300);
    EXPECT_EQ(hit.row, 5);
    EXPECT_EQ(hit.column, 0);
    hit = FindReportCell(QPoint(80, 5), Rows, Widths, 3, 300); // the shared edge: the left one
    EXPECT_EQ(hit.row, 4);
    EXPECT_EQ(hit.column, 0);
    hit = FindReportCell(QPoint(81, 5), Rows, Widths, 3, 300);
    EXPECT_EQ(hit.column, 1);
    EXPECT_EQ(hit.rect, QRect(80, 0, 55, 20));
}

TEST(ReportCellGeometry, OnlyTheCountedColumnsAndTheRowsGivenAreHit)
{
    EXPECT_EQ(FindReportCell(QPoint(100, 5), Rows, Widths, 1, 300).row, -1);
    EXPECT_EQ(FindReportCell(QPoint(100, 5), Rows, Widths, 0, 300).row, -1);
    EXPECT_EQ(FindReportCell(QPoint(100, 45), Rows, Widths, 3, 300).row, -1);
    EXPECT_EQ(FindReportCell(QPoint(195, 5), Rows, Widths, 3, 300).row, -1); // past the row
    // A column past the last one has width 0: counting it changes nothing.
    const ReportCellHit hit = FindReportCell(QPoint(180, 5), Rows, Widths, 5, 300);
    EXPECT_EQ(hit.column, 2);
}

TEST(ReportCellGeometry, TheCellIsCutAtTheClientsRightEdge)
{
    const ReportCellHit hit = FindReportCell(QPoint(150, 30), Rows, Widths, 3, 160);
    EXPECT_EQ(hit.column, 2);
    EXPECT_EQ(hit.rect, QRect(QPoint(135, 20), QPoint(159, 39)));
}

} // namespace
