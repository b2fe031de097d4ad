#include "display/grid/DataGrid.h"
#include "platform/GdiPaint.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using gdi::SysColour;

const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);
const QColor GridLine(0xC0, 0xC0, 0xC0);

// A system colour as an image pixel holds it (8 bits a channel).
QColor Sys(SysColour which)
{
    return QColor(gdi::GetSysColour(which).rgb());
}

class GridPaintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.Create(QRect(0, 0, 420, 300), nullptr);
        grid.SetColumnCount(8);
        grid.SetRowCount(40);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        for (bool fixedRow : {false, true})
            for (bool fixedCol : {false, true})
                grid.GetDefaultCell(fixedRow, fixedCol)->SetTextColour(Black);
        grid.GetDefaultCell(false, false)->SetBackColour(White);
        grid.SetBackgroundColour(QColor(90, 90, 90));
        for (int col = 0; col < 8; ++col)
            grid.SetColumnWidth(col, 60);
        for (int row = 0; row < 40; ++row)
            grid.SetRowHeight(row, 20);
    }

    QImage Render() { return grid.viewport()->grab().toImage(); }
    QRect Rect(int row, int col)
    {
        QRect rect;
        EXPECT_TRUE(grid.CellRectangle(row, col, &rect));
        return rect;
    }
    static QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }
    // Pixels inside the rectangle (its grid line excluded) close to the colour.
    static int CountNear(const QImage& image, const QRect& rect, const QColor& colour, int slack)
    {
        int count = 0;
        for (int y = rect.top(); y < rect.bottom(); ++y)
            for (int x = rect.left(); x < rect.right(); ++x) {
                const QColor pixel = At(image, x, y);
                if (std::abs(pixel.red() - colour.red()) <= slack
                    && std::abs(pixel.green() - colour.green()) <= slack
                    && std::abs(pixel.blue() - colour.blue()) <= slack)
                    ++count;
            }
        return count;
    }

    CDataGrid grid;
};

TEST_F(GridPaintTest, ACellShowsItsTextAndColoursInItsRectangle)
{
    CDataCellBase* cell = grid.GetCell(2, 2);
    cell->SetText("WWWW");
    cell->SetBackColour(QColor(0, 0, 200));
    cell->SetTextColour(QColor(255, 255, 0));
    const QImage image = Render();
    const QRect rect = Rect(2, 2);
    EXPECT_EQ(At(image, rect.left() + 1, rect.top() + 1), QColor(0, 0, 200));
    EXPECT_GT(CountNear(image, rect, QColor(255, 255, 0), 40), 10);
    // Nothing of it spills into the neighbours.
    EXPECT_EQ(CountNear(image, Rect(2, 3), QColor(255, 255, 0), 40), 0);
    EXPECT_EQ(CountNear(image, Rect(3, 2), QColor(0, 0, 200), 0), 0);
    EXPECT_EQ(At(image, Rect(2, 3).left() + 2, Rect(2, 3).top() + 2), White);
}

TEST_F(GridPaintTest, SelectedCellsTakeTheHighlightColours)
{
    grid.GetCell(3, 3)->SetBackColour(QColor(0, 200, 0));
    grid.SetCellState(3, 3, GCS_SELECTED);
    const QImage image = Render();
    const QColor highlight = Sys(SysColour::Highlight);
    const QRect rect = Rect(3, 3);
    EXPECT_EQ(At(image, rect.center().x(), rect.center().y()), highlight);
    EXPECT_EQ(CountNear(image, rect, QColor(0, 200, 0), 0), 0);
    EXPECT_EQ(At(image, Rect(3, 4).center().x(), Rect(3, 4).center().y()), White);
}

TEST_F(GridPaintTest, TheFocusCellIsFramedAndItsHeadingsSunken)
{
    grid.ChangeFocusCell(4, 2);
    const QImage image = Render();
    const QRect rect = Rect(4, 2);
    EXPECT_EQ(At(image, rect.left(), rect.center().y()), Black);
    EXPECT_EQ(At(image, rect.center().x(), rect.top()), Black);
    EXPECT_EQ(At(image, rect.right() - 1, rect.center().y()), Black);
    EXPECT_EQ(At(image, rect.left() + 3, rect.top() + 3), White);
    // The frame stays inside the grid line.
    EXPECT_EQ(At(image, rect.right(), rect.center().y()), GridLine);
    const QColor dark = Sys(SysColour::DarkShadow3D);
    const QColor light = Sys(SysColour::ButtonLight);
    ASSERT_NE(dark, light);
    EXPECT_EQ(At(image, Rect(0, 2).left(), Rect(0, 2).top()), dark);
    EXPECT_EQ(At(image, Rect(0, 3).left(), Rect(0, 3).top()), light);
    EXPECT_EQ(At(image, Rect(4, 0).left(), Rect(4, 0).top()), dark);
    EXPECT_EQ(At(image, Rect(5, 0).left(), Rect(5, 0).top()), light);
    // Without focus headings every heading is raised.
    grid.SetHighlightFocusHeadings(false);
    EXPECT_EQ(At(Render(), Rect(0, 2).left(), Rect(0, 2).top()), light);
}

TEST_F(GridPaintTest, GridLineModesDrawOnlyTheirLinesAndNotThroughTheHeadings)
{
    const QRect rect = Rect(3, 3);
    const QPoint rightLine(rect.right(), rect.center().y());
    const QPoint bottomLine(rect.center().x(), rect.bottom());
    const int modes[4][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 1}};
    for (const auto& mode : modes) {
        grid.SetGridLines(mode[0]);
        const QImage image = Render();
        const bool horizontal = mode[0] == 1 || mode[0] == 3;
        EXPECT_EQ(At(image, rightLine.x(), rightLine.y()) == GridLine, mode[1] == 1) << mode[0];
        EXPECT_EQ(At(image, bottomLine.x(), bottomLine.y()) == GridLine, horizontal) << mode[0];
    }
    const QImage image = Render();
    const QRect heading = Rect(0, 3);
    EXPECT_NE(At(image, heading.right(), heading.center().y()), GridLine);
    EXPECT_NE(At(image, Rect(3, 0).center().x(), Rect(3, 0).bottom()), GridLine);
}

TEST_F(GridPaintTest, AHiddenRowTakesNoPixel)
{
    grid.GetCell(3, 2)->SetBackColour(QColor(255, 0, 0));
    grid.SetRowHeight(3, 0);
    const QImage image = Render();
    EXPECT_EQ(CountNear(image, image.rect().adjusted(0, 0, 1, 1), QColor(255, 0, 0), 0), 0);
    EXPECT_EQ(Rect(4, 2).top(), Rect(2, 2).bottom() + 1);
}

TEST_F(GridPaintTest, TheAreaPastTheCellsShowsTheBackgroundColour)
{
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    const QImage image = Render();
    const QRect last = Rect(4, 3);
    EXPECT_EQ(At(image, last.right() + 5, 5), QColor(90, 90, 90));
    EXPECT_EQ(At(image, 5, last.bottom() + 5), QColor(90, 90, 90));
    EXPECT_EQ(At(image, last.right() - 3, last.bottom() - 3), White);
}

TEST_F(GridPaintTest, AMergedAreaIsDrawnWholeEvenWithItsMasterScrolledAway)
{
    CDataCellBase* master = grid.GetCell(2, 1);
    master->SetMergeRange(CellRange(2, 1, 3, 2));
    master->SetBackColour(QColor(0, 160, 0));
    for (const CCellID& member : {CCellID(2, 2), CCellID(3, 1), CCellID(3, 2)})
        grid.GetCell(member.row, member.col)->SetMergeOwner(2, 1);
    QImage image = Render();
    const QRect area = Rect(2, 1);
    EXPECT_EQ(area, QRect(Rect(2, 1).topLeft(), QSize(120, 40)));
    EXPECT_EQ(At(image, area.center().x(), area.center().y()), QColor(0, 160, 0));
    // No grid line crosses the merged area.
    EXPECT_EQ(At(image, area.left() + 59, area.center().y()), QColor(0, 160, 0));

    grid.verticalScrollBar()->setValue(30); // rows 1 and 2 (20 each) scroll out of view
    ASSERT_EQ(grid.TopLeftScrollCell().row, 3);
    image = Render();
    QRect member;
    ASSERT_TRUE(grid.CellRectangle(3, 2, &member));
    EXPECT_EQ(At(image, member.center().x(), member.center().y()), QColor(0, 160, 0));
}

TEST_F(GridPaintTest, NothingIsDrawnWhileRedrawIsOff)
{
    grid.SetAllowRedraw(false);
    const QImage image = Render();
    const QColor paper = Sys(SysColour::Window);
    EXPECT_EQ(CountNear(image, image.rect().adjusted(0, 0, 1, 1), paper, 0),
        image.width() * image.height());
}

TEST_F(GridPaintTest, RepaintCellDrawsOneCellAndItsGridLines)
{
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));
    grid.SetCellState(2, 2, GCS_SELECTED);
    QPainter painter(&image);
    EXPECT_TRUE(grid.RepaintCell(2, 2, &painter));
    EXPECT_TRUE(grid.RepaintCell(90, 2, &painter)); // outside: nothing to draw
    painter.end();
    const QRect rect = Rect(2, 2);
    EXPECT_EQ(At(image, rect.center().x(), rect.center().y()), Sys(SysColour::Highlight));
    EXPECT_EQ(At(image, rect.right(), rect.center().y()), GridLine);
    EXPECT_EQ(At(image, rect.center().x(), rect.bottom()), GridLine);
    EXPECT_EQ(At(image, rect.left() - 2, rect.center().y()), QColor(1, 2, 3));
}

TEST_F(GridPaintTest, TheSortMarkerPointsUpForAscending)
{
    grid.SetSortKeyColumn(3);
    const QRect heading = Rect(0, 3);
    const QColor shadow = Sys(SysColour::ButtonShadow);
    const QRect upper(QPoint(heading.center().x(), heading.top() + 1),
        QPoint(heading.right() - 1, heading.center().y()));
    const QRect lower(QPoint(heading.center().x(), heading.center().y() + 1),
        QPoint(heading.right() - 1, heading.bottom() - 1));
    const QImage image = Render();
    // Ascending (the default): the base is at the bottom, the apex above.
    EXPECT_GT(CountNear(image, lower, shadow, 0), CountNear(image, upper, shadow, 0));
    EXPECT_EQ(CountNear(image, Rect(0, 4), shadow, 0), 0);
}

TEST_F(GridPaintTest, SystemColourChangesReachOnlyColoursLeftAtTheirSystemValue)
{
    grid.GetDefaultCell(true, false)->SetBackColour(QColor(255, 0, 255));
    const QColor oldWindow = gdi::GetSysColour(SysColour::Window);
    grid.GetDefaultCell(false, true)->SetBackColour(oldWindow);
    const QPalette saved = QApplication::palette();
    QPalette changed = saved;
    changed.setColor(QPalette::Base, QColor(10, 20, 30));
    QApplication::setPalette(changed);
    // A running application sends this to every widget; tests have no running loop.
    QEvent event(QEvent::ApplicationPaletteChange);
    QCoreApplication::sendEvent(&grid, &event);
    EXPECT_EQ(grid.GetDefaultCell(false, true)->GetBackColour(), QColor(10, 20, 30));
    EXPECT_EQ(grid.GetDefaultCell(true, false)->GetBackColour(), QColor(255, 0, 255));
    // The normal default was set to white explicitly; white is not the window colour here
    // unless the palette's was white already.
    if (QColor(oldWindow.rgb()) != White) {
        EXPECT_EQ(grid.GetDefaultCell(false, false)->GetBackColour(), White);
    }
    QApplication::setPalette(saved);
    QCoreApplication::sendEvent(&grid, &event);
}

TEST_F(GridPaintTest, AFontGoesToEveryDefaultCellAndLeavesTheSizes)
{
    const int height = grid.GetRowHeight(5);
    const QFont font("DejaVu Sans", 17);
    grid.setFont(font);
    for (bool fixedRow : {false, true})
        for (bool fixedCol : {false, true})
            EXPECT_EQ(grid.GetDefaultCell(fixedRow, fixedCol)->GetCellFont()->pointSize(), 17);
    ASSERT_NE(grid.OnGetFont(), nullptr);
    EXPECT_EQ(grid.OnGetFont()->pointSize(), 17);
    EXPECT_EQ(grid.GetRowHeight(5), height);
}

TEST(GridScreens, GridWithHeadingsSelectionAndFocus)
{
    CDataGrid grid;
    grid.Create(QRect(0, 0, 640, 300), nullptr);
    grid.SetColumnCount(10);
    grid.SetRowCount(60);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(2);
    grid.setFont(QFont("DejaVu Sans", 10));
    const char* headings[] = {"Date", "Time", "CH01 VW", "CH01 T", "CH02 VW", "CH02 T", "CH03 VW",
        "CH03 T", "CH04 VW", "CH04 T"};
    for (int row = 0; row < 60; ++row)
        for (int col = 0; col < 10; ++col) {
            CDataCellBase* cell = grid.GetCell(row, col);
            cell->SetFormat(0x35);
            std::string text;
            if (row == 0)
                text = headings[col];
            else if (col == 0)
                text = "2024/05/" + std::to_string(10 + row / 24);
            else if (col == 1)
                text = std::to_string(row % 24) + ":00:00";
            else
                text = std::to_string(2000 + row * 7 + col * 13) + "." + std::to_string(col % 10);
            cell->SetText(text.c_str());
        }
    grid.SetColumnWidth(0, 130);
    grid.SetColumnWidth(1, 95);
    grid.SetRowHeight(0, 27);
    for (int row = 3; row <= 5; ++row)
        for (int col = 3; col <= 5; ++col)
            grid.SetCellState(row, col, GCS_SELECTED);
    grid.ChangeFocusCell(7, 4);
    // The scroll bars show and hide on a queued call.
    QCoreApplication::processEvents();
    const QImage image = grid.grab().toImage();
    ASSERT_FALSE(image.isNull());
    QDir().mkpath(QUORBEL_SCREENS_DIR);
    ASSERT_TRUE(image.save(QUORBEL_SCREENS_DIR "/grid.png"));
}

} // namespace
