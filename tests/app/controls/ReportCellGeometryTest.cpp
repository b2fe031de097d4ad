#include "app/controls/ReportCellGeometry.h"

#include <gtest/gtest.h>

namespace {

// Two rows 20 pixels high of columns 90, 55 and 55 pixels, the list scrolled 10 to the right:
// columns are walked from the row's left edge, both edges inside, a shared edge to the left
// one; only counted columns and the rows given are hit; the cell is cut at the client's edge.
TEST(ReportCellGeometry, CellsAreFoundFromTheRowsLeftEdgeWithinTheCountedColumns)
{
    const std::vector<ReportRowBounds> rows{
        {4, QRect(-10, 0, 200, 20)}, {5, QRect(-10, 20, 200, 20)}};
    const struct
    {
        QPoint at;
        int columns, clientRight;
        int row, column;
        QRect rect; // checked when valid
    } cases[] = {
        {{79, 25}, 3, 300, 5, 0, {}},
        {{80, 5}, 3, 300, 4, 0, {}},
        {{81, 5}, 3, 300, 4, 1, QRect(80, 0, 55, 20)},
        {{100, 5}, 1, 300, -1, -1, {}},
        {{100, 5}, 0, 300, -1, -1, {}},
        {{100, 45}, 3, 300, -1, -1, {}},
        {{195, 5}, 3, 300, -1, -1, {}}, // past the row
        {{180, 5}, 5, 300, 4, 2, {}}, // a column past the last one has width 0
        {{150, 30}, 3, 160, 5, 2, QRect(QPoint(135, 20), QPoint(159, 39))},
    };
    for (const auto& c : cases) {
        const ReportCellHit hit
            = FindReportCell(c.at, rows, {90, 55, 55}, c.columns, c.clientRight);
        SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y() << " of " << c.columns);
        EXPECT_EQ(hit.row, c.row);
        EXPECT_EQ(hit.column, c.column);
        if (c.rect.isValid()) {
            EXPECT_EQ(hit.rect, c.rect);
        }
    }
}

} // namespace
