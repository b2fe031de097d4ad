#include "LiveGridWindow.h"

#include <QDate>
#include <QLocale>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

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

TEST_F(GridPrintTest, EveryPageHasItsHeadingsHeaderAndFooterAndNoRowIsSplit)
{
    // A font in points prints at the size it has on screen, not several times larger.
    QFont points(QApplication::font().family());
    points.setPointSize(10);
    w.grid.setFont(points);
    QPrinter printer(QPrinter::HighResolution);
    const std::vector<QString> pages = Print(printer);
    const int count = w.grid.GetPrintPageCount();
    ASSERT_GE(count, 2);
    ASSERT_EQ(static_cast<int>(pages.size()), count);
    const QString today
        = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).remove(space);
    for (int page = 0; page < count; ++page) {
        const QString& text = pages[static_cast<size_t>(page)];
        SCOPED_TRACE(page);
        for (const char* heading : {"H1", "H2", "H3", "H4", "Readingsoflogger3", "Quorbel"})
            EXPECT_TRUE(text.contains(QLatin1String(heading))) << heading;
        EXPECT_TRUE(text.contains(QStringLiteral("Page%1of%2").arg(page + 1).arg(count)));
        EXPECT_TRUE(text.contains(today));
        EXPECT_TRUE(text.contains(QStringLiteral("abcdefghij")));
        EXPECT_FALSE(text.contains(QChar(0x2026)));
    }
    EXPECT_EQ(PageOf(pages, QStringLiteral("f1;")), 0);
    EXPECT_EQ(PageOf(pages, QStringLiteral("l%1;").arg(Rows - 1)), count - 1);
    // Each row lies whole on one page, and the pages follow the rows in order.
    int last = 0;
    for (int row = 1; row < Rows; ++row) {
        const int page = PageOf(pages, QStringLiteral("f%1;").arg(row));
        EXPECT_EQ(PageOf(pages, QStringLiteral("l%1;").arg(row)), page) << row;
        ASSERT_TRUE(page == last || page == last + 1) << row;
        last = page;
    }
}

TEST_F(GridPrintTest, ThePageRangeIsPrintedAloneAndAtScreenScaleWideGridsGoSideBySide)
{
    QPrinter range(QPrinter::HighResolution);
    range.setPrintRange(QPrinter::PageRange);
    range.setFromTo(2, 2);
    const std::vector<QString> second = Print(range);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_TRUE(second[0].contains(QStringLiteral("Page2of%1").arg(w.grid.GetPrintPageCount())));
    EXPECT_EQ(PageOf(second, QStringLiteral("f1;")), -1);
    // The first band of rows: its left part, then its right part, both with row headings.
    for (int col = 1; col < 5; ++col)
        w.grid.SetColumnWidth(col, 260);
    w.grid.SetPrintScreenScale(true);
    QPrinter printer(QPrinter::HighResolution);
    const std::vector<QString> pages = Print(printer);
    ASSERT_EQ(static_cast<int>(pages.size()), w.grid.GetPrintPageCount());
    EXPECT_EQ(PageOf(pages, QStringLiteral("f1;")), 0);
    const int right = PageOf(pages, QStringLiteral("l1;"));
    ASSERT_GT(right, 0);
    EXPECT_TRUE(pages[static_cast<size_t>(right)].contains(QStringLiteral("R1")));
    EXPECT_EQ(pages.size() % static_cast<size_t>(right + 1), 0u);
}

} // namespace
