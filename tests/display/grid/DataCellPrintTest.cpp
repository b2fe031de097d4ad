#include "display/grid/DataGrid.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Prints one cell on a white page and returns the page.
QImage PrintCell(CDataCellBase& cell, const QRect& rect)
{
    QImage page(60, 40, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    EXPECT_TRUE(cell.Print(&painter, 1, 1, rect));
    return page;
}

class CellPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetColumnCount(3);
        grid.SetRowCount(3);
        grid.SetFixedRowCount(1);
        grid.GetDefaultCell(false, false)->SetBackColour(QColor(250, 250, 250));
        grid.GetDefaultCell(true, false)->SetBackColour(QColor(200, 200, 0));
    }
    CDataGrid grid;
    const QRect rect{QPoint(10, 10), QPoint(40, 30)};
};

TEST_F(CellPrintTest, OnlyAnOwnBackColourThatDiffersFromTheDefaultIsPrinted)
{
    CDataCellBase* cell = grid.GetCell(1, 1);
    EXPECT_EQ(QColor(PrintCell(*cell, rect).pixel(12, 12)), QColor(Qt::white));
    cell->SetBackColour(QColor(250, 250, 250));
    EXPECT_EQ(QColor(PrintCell(*cell, rect).pixel(12, 12)), QColor(Qt::white));
    cell->SetBackColour(QColor(0, 0, 180));
    const QImage page = PrintCell(*cell, rect);
    EXPECT_EQ(QColor(page.pixel(12, 12)), QColor(0, 0, 180));
    // Clipped to the cell and its grid line.
    EXPECT_EQ(QColor(page.pixel(40, 30)), QColor(0, 0, 180));
    EXPECT_EQ(QColor(page.pixel(41, 31)), QColor(Qt::white));
}

TEST_F(CellPrintTest, HeadingsArePrintedShadedWithTheirDefaultColour)
{
    CDataCellBase* heading = grid.GetCell(0, 1);
    const QImage page = PrintCell(*heading, rect);
    EXPECT_EQ(QColor(page.pixel(20, 20)), QColor(200, 200, 0));
}

TEST_F(CellPrintTest, NothingToPrintOnAnEmptyRectangleOrWithoutAGrid)
{
    QImage page(10, 10, QImage::Format_RGB32);
    QPainter painter(&page);
    EXPECT_FALSE(grid.GetCell(1, 1)->Print(&painter, 1, 1, QRect(QPoint(5, 5), QPoint(5, 9))));
    EXPECT_FALSE(grid.GetCell(1, 1)->Print(nullptr, 1, 1, rect));
    CDataCell loose;
    EXPECT_FALSE(loose.Print(&painter, 0, 0, rect));
}

} // namespace
