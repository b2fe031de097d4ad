#include "GridTestWindow.h"

#include "display/grid/OffscreenDC.h"
#include "platform/GdiPaint.h"
#include "support/Screenshot.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

using gdi::SysColour;

const QColor GridLine(0xC0, 0xC0, 0xC0);
const QColor Backdrop(90, 90, 90);

// A system colour as an image pixel holds it (8 bits a channel).
QColor Sys(SysColour which)
{
    return QColor(gdi::GetSysColour(which).rgb());
}

// Pixels inside the rectangle (its grid line excluded) within slack of the colour.
int CountNear(const QImage& image, const QRect& rect, const QColor& colour, int slack = 0)
{
    int count = 0;
    for (int y = rect.top(); y < rect.bottom(); ++y)
        for (int x = rect.left(); x < rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += qAbs(pixel.red() - colour.red()) <= slack
                && qAbs(pixel.green() - colour.green()) <= slack
                && qAbs(pixel.blue() - colour.blue()) <= slack;
        }
    return count;
}

// 40 rows of 20 pixels and 8 columns of 60, one of each fixed, in the system colours.
class GridPaintTest : public ::testing::Test
{
protected:
    void SetUp() override { grid.SetBackgroundColour(Backdrop); }
    QImage Render() { return grid.viewport()->grab().toImage(); }
    QRect Rect(int row, int col) { return w.Rect(row, col); }

    GridWindowOf<CDataGrid> w{40, 8, QSize(420, 340)};
    CDataGrid& grid = w.grid;
    const QColor paper = Sys(SysColour::Window);
};

TEST_F(GridPaintTest, CellsSelectionFocusAndSortMarkerAreDrawnWhereTheyBelong)
{
    CDataCellBase* cell = grid.GetCell(2, 2);
    cell->SetText("WWWW");
    cell->SetBackColour(QColor(0, 0, 200));
    cell->SetTextColour(QColor(255, 255, 0));
    grid.GetCell(3, 3)->SetBackColour(QColor(0, 200, 0));
    grid.SetCellState(3, 3, GCS_SELECTED);
    grid.ChangeFocusCell(4, 2);
    grid.SetSortKeyColumn(3);
    const QImage image = Render();
    EXPECT_EQ(image.pixelColor(Rect(2, 2).topLeft() + QPoint(1, 1)), QColor(0, 0, 200));
    EXPECT_GT(CountNear(image, Rect(2, 2), QColor(255, 255, 0), 40), 10);
    EXPECT_EQ(CountNear(image, Rect(2, 3), QColor(255, 255, 0), 40), 0); // nothing spills
    // A selected cell shows the highlight instead of its own colour.
    EXPECT_EQ(image.pixelColor(Rect(3, 3).center()), Sys(SysColour::Highlight));
    // The focus cell is framed inside its grid line; its headings are sunken.
    const QRect focus = Rect(4, 2);
    EXPECT_EQ(image.pixelColor(focus.left(), focus.center().y()), Sys(SysColour::WindowText));
    EXPECT_EQ(image.pixelColor(focus.right(), focus.center().y()), GridLine);
    EXPECT_EQ(image.pixelColor(Rect(0, 2).topLeft()), Sys(SysColour::DarkShadow3D));
    EXPECT_EQ(image.pixelColor(Rect(4, 0).topLeft()), Sys(SysColour::DarkShadow3D));
    EXPECT_EQ(image.pixelColor(Rect(0, 3).topLeft()), Sys(SysColour::ButtonLight));
    // An ascending sort marker: its base at the bottom of the heading, its apex above.
    const QRect half = Rect(0, 3).adjusted(30, 1, -1, -1);
    const QColor shadow = Sys(SysColour::ButtonShadow);
    EXPECT_GT(CountNear(image, half.adjusted(0, 9, 0, 0), shadow),
        CountNear(image, half.adjusted(0, 0, 0, -9), shadow));
    EXPECT_EQ(CountNear(image, Rect(0, 4), shadow), 0);
    // Without focus headings every heading is raised.
    grid.SetHighlightFocusHeadings(false);
    EXPECT_EQ(Render().pixelColor(Rect(0, 2).topLeft()), Sys(SysColour::ButtonLight));
    grid.SetHighlightFocusHeadings(true);
    FillReadings(grid);
    grid.ApplySelectionRange(CellRange(3, 3, 5, 5), false, true);
    QCoreApplication::processEvents(); // the scroll bars show and hide on a queued call
    ASSERT_TRUE(SaveScreenshot(&grid, QStringLiteral("grid")));
}

TEST_F(GridPaintTest,
    GridLinesFollowTheirModeHiddenRowsAreSkippedAndPartsGoThroughABufferUnlessRedrawIsOff)
{
    const QRect rect = Rect(3, 3);
    for (int mode = 0; mode <= 3; ++mode) { // none, horizontal, vertical, both
        grid.SetGridLines(mode);
        const QImage image = Render();
        EXPECT_EQ(image.pixelColor(rect.right(), rect.center().y()) == GridLine, mode >= 2);
        EXPECT_EQ(image.pixelColor(rect.center().x(), rect.bottom()) == GridLine, mode % 2 == 1);
    }
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));
    grid.SetCellState(3, 3, GCS_SELECTED);
    QPainter painter(&image);
    EXPECT_TRUE(grid.RepaintCell(3, 3, &painter));
    painter.end();
    EXPECT_EQ(image.pixelColor(rect.center()), Sys(SysColour::Highlight));
    EXPECT_EQ(image.pixelColor(rect.right(), rect.center().y()), GridLine);
    EXPECT_EQ(image.pixelColor(rect.center().x(), rect.bottom()), GridLine);
    EXPECT_EQ(image.pixelColor(rect.left() - 2, rect.center().y()), QColor(1, 2, 3));
    // Hidden rows are skipped, past the cells is the backdrop.
    grid.GetCell(3, 2)->SetBackColour(QColor(255, 0, 0));
    grid.SetRowHeight(3, 0);
    image = Render();
    EXPECT_EQ(CountNear(image, image.rect().adjusted(0, 0, 1, 1), QColor(255, 0, 0)), 0);
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    image = Render();
    const QRect last = Rect(4, 3);
    EXPECT_EQ(image.pixelColor(last.right() + 5, 5), Backdrop);
    EXPECT_EQ(image.pixelColor(5, last.bottom() + 5), Backdrop);
    // A partial repaint is buffered off screen and lands at its own place.
    image.fill(Qt::black);
    grid.viewport()->render(&image, last.topLeft(), QRegion(last));
    EXPECT_EQ(image.pixelColor(last.bottomRight()), GridLine);
    QTemporaryDir dir; // a printer is drawn on directly
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFileName(dir.filePath(QStringLiteral("grid.pdf")));
    QPainter printing(&printer);
    EXPECT_FALSE(COffscreenDC(&printing).IsMemoryDC());
    grid.SetAllowRedraw(false);
    image = Render();
    EXPECT_EQ(
        CountNear(image, image.rect().adjusted(0, 0, 1, 1), paper), image.width() * image.height());
}

TEST_F(GridPaintTest, AMergedAreaSumsItsCellsAndIsDrawnWholeEvenWithItsMasterScrolledAway)
{
    CDataCellBase* master = grid.GetCell(2, 1);
    master->SetMergeRange(CellRange(2, 1, 3, 2));
    master->SetBackColour(QColor(0, 160, 0));
    for (const CCellID member : {CCellID(2, 2), CCellID(3, 1), CCellID(3, 2)})
        grid.GetCell(member.row, member.col)->SetMergeOwner(2, 1);
    grid.SetColumnWidth(2, 40);
    EXPECT_EQ(grid.GetMergedColumnWidth(3, 2), 100);
    EXPECT_EQ(grid.GetMergedRowHeight(3, 2), 40);
    EXPECT_EQ(grid.GetMergeOrigin(3, 2), CCellID(2, 1));
    const QRect area = Rect(2, 1);
    EXPECT_EQ(area.size(), QSize(100, 40));
    const QImage image = Render();
    EXPECT_EQ(image.pixelColor(area.center()), QColor(0, 160, 0));
    // No grid line crosses the merged area.
    EXPECT_EQ(image.pixelColor(area.left() + 59, area.center().y()), QColor(0, 160, 0));
    grid.verticalScrollBar()->setValue(30); // rows 1 and 2 (20 each) scroll out of view
    ASSERT_EQ(grid.TopLeftScrollCell().row, 3);
    EXPECT_EQ(Render().pixelColor(Rect(3, 2).center()), QColor(0, 160, 0));
}

TEST_F(GridPaintTest, TheWindowFitsToTextAndFollowsFontAndSystemColourChanges)
{
    grid.GetCell(0, 1)->SetText("x");
    grid.GetCell(2, 1)->SetText("a much longer text");
    const auto extent = [this](int row) { return grid.GetCell(row, 1)->CellExtent(nullptr); };
    ASSERT_TRUE(grid.FitColumnToText(1) && grid.FitRowToText(2));
    EXPECT_EQ(QSize(grid.GetColumnWidth(1), grid.GetRowHeight(2)), extent(2));
    ASSERT_TRUE(grid.FitColumnToText(1, 0x1)); // the heading rows only
    EXPECT_EQ(grid.GetColumnWidth(1), extent(0).width());
    grid.SetColumnWidth(2, 0);
    EXPECT_FALSE(grid.FitColumnToText(2)); // a hidden column stays hidden
    EXPECT_EQ(grid.GetColumnWidth(2), 0);
    // A font goes to every default cell and leaves the sizes.
    grid.setFont(QFont("DejaVu Sans", 17));
    EXPECT_EQ(grid.GetDefaultCell(true, true)->GetCellFont()->pointSize(), 17);
    EXPECT_EQ(grid.GetRowHeight(5), 20);
    // Only colours left at their system value follow a change of the system colours.
    grid.GetDefaultCell(true, false)->SetBackColour(QColor(255, 0, 255));
    const QPalette saved = QApplication::palette();
    QPalette changed = saved;
    changed.setColor(QPalette::Base, QColor(10, 20, 30));
    QApplication::setPalette(changed);
    // A running application sends this to every widget; tests have no running loop.
    QEvent event(QEvent::ApplicationPaletteChange);
    QCoreApplication::sendEvent(&w.window, &event);
    EXPECT_EQ(grid.GetDefaultCell(false, false)->GetBackColour(), QColor(10, 20, 30));
    EXPECT_EQ(grid.GetDefaultCell(true, false)->GetBackColour(), QColor(255, 0, 255));
    QApplication::setPalette(saved);
    grid.DestroyWindow();
    EXPECT_FALSE(grid.FitColumnToText(1)); // no window to measure with
}

} // namespace
