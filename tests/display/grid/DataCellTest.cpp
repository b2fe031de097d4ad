#include "display/grid/DataCell.h"
#include "display/grid/DataGrid.h"
#include "platform/GdiPaint.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A cell's format, margin and font: its own or its default cell's.
auto Looks(const CDataCellBase& cell)
{
    return std::make_tuple(cell.GetFormat(), cell.GetMargin(), cell.GetCellFont());
}

// What a cell shows and keeps.
auto Attributes(const CDataCellBase& cell)
{
    return std::make_tuple(std::string(cell.GetText()), cell.GetGrid(), cell.GetData(),
        cell.GetImage(), cell.GetState(), Looks(cell), cell.GetTextColour(), cell.GetBackColour(),
        cell.UsesDefaultFont(), cell.GetMergeRange(), cell.GetMergeOwner(), cell.IsCoveredByMerge(),
        cell.IsShown());
}

TEST(DataCell, OwnAttributesWinOverTheAreasDefaultCellACopyTakesThemAResetKeepsTheUserData)
{
    CDataGrid grid;
    CDataCell cell;
    EXPECT_EQ(Looks(cell), std::make_tuple(0u, 0u, nullptr)); // no grid: nothing to fall back to
    cell.SetGrid(&grid);
    for (unsigned area = 0; area < 4; ++area) {
        const bool fixedRow = area & 1;
        const bool fixedCol = area & 2;
        CDataDefaultCell* fallback = grid.GetDefaultCell(fixedRow, fixedCol);
        fallback->SetFormat(area);
        fallback->SetMargin(area);
        cell.SetState(
            (area ? GCS_FIXED : 0) | (fixedRow ? GCS_FIXEDROW : 0) | (fixedCol ? GCS_FIXEDCOL : 0));
        EXPECT_EQ(Looks(cell), std::make_tuple(area, area, fallback->GetCellFont())) << area;
    }
    const QFont own("DejaVu Serif", 20);
    cell.SetFont(&own);
    EXPECT_FALSE(cell.UsesDefaultFont());
    cell.SetFont(nullptr);
    EXPECT_TRUE(cell.UsesDefaultFont());
    cell.SetFormat(0x35);
    cell.SetMargin(7);
    cell.SetText("12.5");
    cell.SetData(42);
    cell.SetImage(3);
    cell.SetState(GCS_SELECTED | GCS_MODIFIED);
    cell.SetTextColour(Qt::green);
    cell.SetBackColour(Qt::blue);
    cell.SetMergeOwner(4, 5);
    cell.SetHidden(true);
    EXPECT_EQ(std::make_pair(cell.GetFormat(), cell.GetMargin()), std::make_pair(0x35u, 7u));
    CDataCell copy;
    copy.CopyFrom(cell);
    EXPECT_EQ(Attributes(copy), Attributes(cell));
    cell.SetMergeRange(CellRange(0, 0, 1, 1));
    cell.Reset();
    CDataCell fresh;
    fresh.SetData(42);
    EXPECT_EQ(Attributes(cell), Attributes(fresh));
    cell.SetText("x");
    cell.SetText(nullptr);
    EXPECT_STREQ(cell.GetText(), "");
}

TEST(DataCell, TextExtentAddsMarginsToTheTextOrIsTheDefaultCellsSize)
{
    CDataGrid grid;
    CDataCell cell;
    cell.SetGrid(&grid);
    CDataDefaultCell* fallback = grid.GetDefaultCell(false, false);
    // A default cell is read-only and keeps its own font when the cell font is cleared.
    const QFont font("DejaVu Sans", 12);
    fallback->SetFont(&font);
    fallback->SetFont(nullptr);
    fallback->SetState(GCS_SELECTED);
    EXPECT_EQ(fallback->GetState(), GCS_READONLY);
    ASSERT_EQ(fallback->GetFont()->pointSize(), 12);
    const QSize defaultSize(fallback->GetWidth(), fallback->GetHeight());
    EXPECT_EQ(cell.GetTextExtent("wide text"), defaultSize); // no window to measure with
    grid.Create(QRect(0, 0, 200, 100), nullptr);
    EXPECT_EQ(cell.GetTextExtent(""), defaultSize);
    const QFontMetrics metrics(font);
    const int margin = metrics.horizontalAdvance(' ');
    const auto width = [&](const char* text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text)) + 4 * margin;
    };
    EXPECT_EQ(
        cell.GetTextExtent("wide text"), QSize(width("wide text"), metrics.height() + 2 * margin));
    // Word-wrapped multi-line text measures its widest line and all lines.
    cell.SetFormat(gdi::dt::WordBreak);
    const QSize twoLines = cell.GetTextExtent("a\nlonger line");
    EXPECT_EQ(twoLines.width(), width("longer line"));
    EXPECT_GE(twoLines.height(), 2 * metrics.height() + 2 * margin - 2);
}

TEST(DataCell, DrawAndPrintNeedAGridPainterAndAreaAndPrintShadesHeadingsAndOwnColours)
{
    CDataGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(3);
    grid.SetFixedRowCount(1);
    CDataCellBase* cell = grid.GetCell(1, 1);
    CDataCell loose;
    QImage image(60, 40, QImage::Format_RGB32);
    QPainter painter(&image);
    const QRect good(10, 10, 31, 21);
    const std::tuple<CDataCellBase*, QPainter*, QRect> nothing[] = {{&loose, &painter, good},
        {cell, nullptr, good}, {cell, &painter, {5, 5, 1, 20}}, {cell, &painter, {5, 5, 20, 1}}};
    for (const auto& [target, pDC, rect] : nothing)
        EXPECT_FALSE(target->Draw(pDC, 1, 1, rect, true) || target->Print(pDC, 1, 1, rect));
    // Printed: headings shaded in their default colour, cells in an own colour unlike it.
    grid.GetDefaultCell(false, false)->SetBackColour(QColor(250, 250, 250));
    grid.GetDefaultCell(true, false)->SetBackColour(QColor(200, 200, 0));
    const auto print = [&](int row, int col) {
        image.fill(Qt::white);
        EXPECT_TRUE(grid.GetCell(row, col)->Print(&painter, row, col, good));
        return image;
    };
    EXPECT_EQ(print(0, 1).pixelColor(20, 20), QColor(200, 200, 0));
    cell->SetBackColour(QColor(250, 250, 250));
    EXPECT_EQ(print(1, 1).pixelColor(12, 12), QColor(Qt::white));
    cell->SetBackColour(QColor(0, 0, 180));
    print(1, 1);
    // Clipped to the cell and its grid line.
    EXPECT_EQ(image.pixelColor(40, 30), QColor(0, 0, 180));
    EXPECT_EQ(image.pixelColor(41, 31), QColor(Qt::white));
    EXPECT_TRUE(cell->Draw(&painter, 1, 1, good, true));
    cell->SetHidden(true); // outside a merge: skipped as done
    EXPECT_TRUE(cell->Draw(nullptr, 1, 1, QRect(), true) && cell->Print(nullptr, 1, 1, QRect()));
}

} // namespace
