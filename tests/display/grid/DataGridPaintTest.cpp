#include "LiveGridWindow.h"

#include "platform/GdiPaint.h"
#include "support/Screenshot.h"

#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QRegularExpression>
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

std::vector<QColor> At(const QImage& image, std::initializer_list<QPoint> points)
{
    std::vector<QColor> colours;
    for (const QPoint point : points)
        colours.push_back(image.pixelColor(point));
    return colours;
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
    EXPECT_GT(CountNear(image, Rect(2, 2), QColor(255, 255, 0), 40), 10);
    EXPECT_EQ(CountNear(image, Rect(2, 3), QColor(255, 255, 0), 40), 0); // nothing spills
    // Own colours; the highlight over a selected cell's; the focus frame inside its grid line;
    // the focus cell's headings sunken, the others raised.
    const QRect focus = Rect(4, 2);
    EXPECT_EQ(At(image,
                  {Rect(2, 2).topLeft() + QPoint(1, 1), Rect(3, 3).center(), focus.topLeft(),
                      focus.topRight(), Rect(0, 2).topLeft(), Rect(4, 0).topLeft(),
                      Rect(0, 3).topLeft()}),
        (std::vector<QColor>{QColor(0, 0, 200), Sys(SysColour::Highlight),
            Sys(SysColour::WindowText), GridLine, Sys(SysColour::DarkShadow3D),
            Sys(SysColour::DarkShadow3D), Sys(SysColour::ButtonLight)}));
    // An ascending sort marker: its base at the bottom of the heading, its apex above.
    const QRect half = Rect(0, 3).adjusted(30, 1, -1, -1);
    const QColor shadow = Sys(SysColour::ButtonShadow);
    EXPECT_GT(CountNear(image, half.adjusted(0, 9, 0, 0), shadow),
        CountNear(image, half.adjusted(0, 0, 0, -9), shadow));
    EXPECT_EQ(CountNear(image, Rect(0, 4), shadow), 0);
    // The system colours change: what is left at them follows, what was set stays.
    grid.GetDefaultCell(true, false)->SetTextColour(QColor(255, 0, 255));
    const QPalette saved = QApplication::palette();
    QPalette changed = saved;
    changed.setColor(QPalette::Base, QColor(10, 20, 30));
    changed.setColor(QPalette::Text, QColor(40, 50, 60));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents(); // the change reaches the widgets as a posted event
    EXPECT_EQ(std::tuple(Render().pixelColor(Rect(6, 5).center()),
                  grid.GetDefaultCell(false, false)->GetTextColour(),
                  grid.GetDefaultCell(true, false)->GetTextColour()),
        std::tuple(QColor(10, 20, 30), QColor(40, 50, 60), QColor(255, 0, 255)));
    QApplication::setPalette(saved);
    FillReadings(grid);
    grid.ApplySelectionRange(CellRange(3, 3, 5, 5), false, true);
    QCoreApplication::processEvents(); // the scroll bars show and hide on a queued call
    ASSERT_TRUE(SaveScreenshot(&grid, QStringLiteral("grid")));
}

TEST_F(GridPaintTest, GridLinesFollowTheirModeHiddenRowsAreSkippedAndPartsGoThroughABuffer)
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
    EXPECT_EQ(At(image, {rect.center(), rect.bottomRight(), rect.topLeft() - QPoint(2, 0)}),
        (std::vector<QColor>{Sys(SysColour::Highlight), GridLine, QColor(1, 2, 3)}));
    // Hidden rows are skipped, past the cells is the backdrop.
    grid.GetCell(3, 2)->SetBackColour(QColor(255, 0, 0));
    grid.SetRowHeight(3, 0);
    image = Render();
    EXPECT_EQ(CountNear(image, image.rect().adjusted(0, 0, 1, 1), QColor(255, 0, 0)), 0);
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    image = Render();
    const QRect last = Rect(4, 3);
    EXPECT_EQ(At(image, {QPoint(last.right() + 5, 5), QPoint(5, last.bottom() + 5)}),
        (std::vector<QColor>{Backdrop, Backdrop}));
    // A partial repaint is buffered off screen and lands at its own place.
    image.fill(Qt::black);
    grid.viewport()->render(&image, last.topLeft(), QRegion(last));
    EXPECT_EQ(image.pixelColor(last.bottomRight()), GridLine);
}

// Drawn whole by its master over the grid lines between its cells, even with the master
// scrolled out of view.
TEST_F(GridPaintTest, AMergedAreaIsDrawnWholeEvenWithItsMasterScrolledAway)
{
    const QColor green(0, 160, 0);
    CDataCellBase* master = grid.GetCell(2, 1);
    master->SetMergeRange(CellRange(2, 1, 3, 2));
    master->SetBackColour(green);
    for (const CCellID member : {CCellID(2, 2), CCellID(3, 1), CCellID(3, 2)})
        grid.GetCell(member.row, member.col)->SetMergeOwner(2, 1);
    grid.SetColumnWidth(2, 40);
    const QRect area = Rect(2, 1);
    EXPECT_EQ(area.size(), QSize(100, 40));
    const QImage image = Render();
    EXPECT_EQ(At(image,
                  {area.center(), QPoint(area.left() + 59, area.center().y()),
                      QPoint(area.left() + 10, area.top() + 19)}),
        (std::vector<QColor>{green, green, green}));
    grid.verticalScrollBar()->setValue(30); // rows 1 and 2 (20 each) scroll out of view
    ASSERT_EQ(grid.TopLeftScrollCell().row, 3);
    EXPECT_EQ(Render().pixelColor(Rect(3, 2).center()), green);
}

TEST_F(GridPaintTest, ColumnsAndRowsFitToTheirTextWhileTheWindowIsThere)
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
    grid.DestroyWindow();
    EXPECT_FALSE(grid.FitColumnToText(1)); // no window to measure with
}

constexpr int Rows = 60;

// Rows marked "f<row>;" first and "l<row>;" last, a wide text between.
class GridPrintTest : public ::testing::Test
{
protected:
    GridPrintTest()
    {
        w.window.setWindowTitle(QStringLiteral("Readings of logger 3"));
        w.grid.SetColumnWidth(2, 110);
        for (int row = 1; row < Rows; ++row) {
            w.grid.SetText(row, 1, QStringLiteral("f%1;").arg(row).toUtf8().constData());
            w.grid.SetText(row, 2, "abcdefghij");
            w.grid.SetText(row, 4, QStringLiteral("l%1;").arg(row).toUtf8().constData());
        }
    }
    // Prints into a PDF and reads every page's text back, without the breaks the reader puts
    // between glyphs it finds far apart.
    std::vector<QString> Print(QPrinter& printer)
    {
        const QString path = dir.filePath(QStringLiteral("grid.pdf"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        EXPECT_TRUE(w.grid.PrintGrid(&printer));
        QPdfDocument pdf;
        EXPECT_EQ(pdf.load(path), QPdfDocument::Error::None);
        std::vector<QString> pages;
        for (int page = 0; page < pdf.pageCount(); ++page)
            pages.push_back(pdf.getAllText(page).text().remove(space));
        return pages;
    }
    // The page holding a marker; -1 when none, -2 when several.
    static int PageOf(const std::vector<QString>& pages, const QString& marker)
    {
        int found = -1;
        for (int page = 0; page < static_cast<int>(pages.size()); ++page)
            if (pages[static_cast<size_t>(page)].contains(marker))
                found = found == -1 ? page : -2;
        return found;
    }

    const QRegularExpression space{QStringLiteral("\\s")};
    QTemporaryDir dir;
    LiveWindow w{Rows, 5};
};

// Every page has its headings, header and footer, no row is split, and a font in points prints
// at the size it has on screen, not several times larger; then the page range alone, and wide
// grids at screen scale on pages side by side.
TEST_F(GridPrintTest, EveryPageHasItsHeadingsAndWholeRowsThenTheRangeAndSideBySidePages)
{
    QFont points(QApplication::font().family());
    points.setPointSize(10);
    w.grid.setFont(points);
    QPrinter printer(QPrinter::HighResolution);
    const std::vector<QString> pages = Print(printer);
    const int count = w.grid.GetPrintPageCount();
    ASSERT_GE(count, 2);
    ASSERT_EQ(static_cast<int>(pages.size()), count);
    for (int page = 0; page < count; ++page) {
        const QString& text = pages[static_cast<size_t>(page)];
        for (const char* part : {"H1", "H4", "Readingsoflogger3", "Quorbel", "abcdefghij"})
            EXPECT_TRUE(text.contains(QLatin1String(part))) << page << part;
        EXPECT_TRUE(text.contains(QStringLiteral("Page%1of%2").arg(page + 1).arg(count))) << page;
    }
    int last = 0;
    for (int row = 1; row < Rows; ++row) {
        const int page = PageOf(pages, QStringLiteral("f%1;").arg(row));
        EXPECT_EQ(PageOf(pages, QStringLiteral("l%1;").arg(row)), page) << row;
        ASSERT_TRUE(page == last || page == last + 1) << row;
        last = page;
    }
    QPrinter range(QPrinter::HighResolution);
    range.setPrintRange(QPrinter::PageRange);
    range.setFromTo(2, 2);
    const std::vector<QString> second = Print(range);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_TRUE(second[0].contains(QStringLiteral("Page2of%1").arg(count)));
    EXPECT_EQ(PageOf(second, QStringLiteral("f1;")), -1);
    // The first band of rows: its left part, then its right part, both with row headings.
    for (int col = 1; col < 5; ++col)
        w.grid.SetColumnWidth(col, 260);
    w.grid.SetPrintScreenScale(true);
    const std::vector<QString> wide = Print(printer);
    ASSERT_EQ(static_cast<int>(wide.size()), w.grid.GetPrintPageCount());
    EXPECT_EQ(PageOf(wide, QStringLiteral("f1;")), 0);
    const int right = PageOf(wide, QStringLiteral("l1;"));
    ASSERT_GT(right, 0);
    EXPECT_TRUE(wide[static_cast<size_t>(right)].contains(QStringLiteral("R1")));
    EXPECT_EQ(wide.size() % static_cast<size_t>(right + 1), 0u);
}

} // namespace
