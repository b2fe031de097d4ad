#include "display/grid/DataCell.h"
#include "display/grid/DataDefaultCell.h"
#include "display/grid/DataGrid.h"
#include "platform/GdiPaint.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t DefaultFormat = 0x8824;

TEST(DataCell, UnsetAttributesFallBackToTheDefaultCellOfTheArea)
{
    CDataGrid grid;
    CDataCell cell;
    // Without a grid there is nothing to fall back to.
    EXPECT_EQ(cell.GetFormat(), 0u);
    EXPECT_EQ(cell.GetMargin(), 0u);
    EXPECT_EQ(cell.GetCellFont(), nullptr);
    EXPECT_EQ(cell.GetDefaultCell(), nullptr);

    cell.SetGrid(&grid);
    EXPECT_EQ(cell.GetFormat(), DefaultFormat);
    EXPECT_EQ(cell.GetDefaultCell(), grid.GetDefaultCell(false, false));
    EXPECT_EQ(cell.GetMargin(), grid.GetDefaultCell(false, false)->GetMargin());
    EXPECT_EQ(cell.GetCellFont(), grid.GetDefaultCell(false, false)->GetCellFont());
    EXPECT_TRUE(cell.UsesDefaultFont());
    EXPECT_FALSE(cell.GetTextColour().isValid());

    // The area follows the cell's fixed bits.
    cell.SetState(GCS_FIXED | GCS_FIXEDROW);
    EXPECT_EQ(cell.GetDefaultCell(), grid.GetDefaultCell(true, false));
    cell.SetState(GCS_FIXED | GCS_FIXEDCOL);
    EXPECT_EQ(cell.GetDefaultCell(), grid.GetDefaultCell(false, true));
    cell.SetState(GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL);
    grid.GetDefaultCell(true, true)->SetFormat(gdi::dt::Right);
    EXPECT_EQ(cell.GetFormat(), gdi::dt::Right);

    cell.SetFormat(0x35);
    cell.SetMargin(7);
    cell.SetTextColour(Qt::red);
    const QFont own("DejaVu Serif", 20);
    cell.SetFont(&own);
    EXPECT_EQ(cell.GetFormat(), 0x35u);
    EXPECT_EQ(cell.GetMargin(), 7u);
    EXPECT_EQ(cell.GetTextColour(), QColor(Qt::red));
    EXPECT_FALSE(cell.UsesDefaultFont());
    EXPECT_EQ(cell.GetCellFont()->pointSize(), 20);
    cell.SetFont(nullptr);
    EXPECT_TRUE(cell.UsesDefaultFont());
}

TEST(DataCell, ResetClearsEverythingButTheUserData)
{
    CDataGrid grid;
    CDataCell cell;
    cell.SetGrid(&grid);
    cell.SetText("12.5");
    cell.SetData(42);
    cell.SetImage(3);
    cell.SetState(GCS_SELECTED | GCS_MODIFIED);
    cell.SetBackColour(Qt::blue);
    cell.SetMergeRange(CellRange(0, 0, 1, 1));
    cell.SetMergeOwner(4, 5);
    cell.Reset();
    EXPECT_STREQ(cell.GetText(), "");
    EXPECT_EQ(cell.GetData(), 42);
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetState(), 0u);
    EXPECT_FALSE(cell.GetBackColour().isValid());
    EXPECT_EQ(cell.GetGrid(), nullptr);
    EXPECT_EQ(cell.GetMergeRange(), CellRange());
    EXPECT_FALSE(cell.IsCoveredByMerge());
    cell.SetText(nullptr);
    EXPECT_STREQ(cell.GetText(), "");
}

TEST(DataCell, CopyFromTakesEffectiveValues)
{
    CDataGrid grid;
    CDataCell source;
    source.SetGrid(&grid);
    source.SetText("abc");
    source.SetState(GCS_MODIFIED);
    source.SetTextColour(Qt::green);
    source.SetMergeOwner(2, 3);
    source.SetHidden(true);
    CDataCell copy;
    copy.CopyFrom(source);
    EXPECT_STREQ(copy.GetText(), "abc");
    EXPECT_EQ(copy.GetGrid(), &grid);
    EXPECT_EQ(copy.GetState(), GCS_MODIFIED);
    EXPECT_EQ(copy.GetTextColour(), QColor(Qt::green));
    EXPECT_EQ(copy.GetFormat(), DefaultFormat);
    EXPECT_TRUE(copy.UsesDefaultFont());
    EXPECT_TRUE(copy.IsCoveredByMerge());
    EXPECT_EQ(copy.GetMergeOwner(), CCellID(2, 3));
    EXPECT_FALSE(copy.IsShown());
}

TEST(DataDefaultCell, IsReadOnlyAndMeasuresItsFont)
{
    CDataDefaultCell cell;
    cell.SetState(GCS_SELECTED);
    EXPECT_EQ(cell.GetState(), GCS_READONLY);
    cell.SetData(9);
    EXPECT_EQ(cell.GetData(), 0);
    EXPECT_EQ(cell.GetFormat(), DefaultFormat);

    const QFont font("DejaVu Sans", 12);
    cell.SetFont(&font);
    const QFontMetrics metrics(font);
    EXPECT_EQ(cell.GetMargin(), static_cast<unsigned>(metrics.horizontalAdvance(' ')));
    EXPECT_EQ(cell.GetWidth(), metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX ")));
    EXPECT_EQ(cell.GetHeight(), metrics.height() * 3 / 2);
    EXPECT_EQ(cell.GetCellFont()->pointSize(), 12);
    // A default cell's own font stays even after the cell font is cleared.
    cell.SetFont(nullptr);
    ASSERT_NE(cell.GetFont(), nullptr);
    EXPECT_EQ(cell.GetFont()->pointSize(), 12);
}

TEST(DataCell, TextExtentAddsMarginsAndFallsBackToTheDefaultSize)
{
    CDataGrid grid;
    CDataCell cell;
    cell.SetGrid(&grid);
    const CDataDefaultCell* fallback = grid.GetDefaultCell(false, false);
    // No window to measure with, or no text: the default cell's size.
    EXPECT_EQ(cell.GetTextExtent("wide text"), QSize(fallback->GetWidth(), fallback->GetHeight()));
    grid.Create(QRect(0, 0, 200, 100), nullptr);
    EXPECT_EQ(cell.GetTextExtent(""), QSize(fallback->GetWidth(), fallback->GetHeight()));

    const QFontMetrics metrics(*fallback->GetCellFont());
    const int margin = static_cast<int>(fallback->GetMargin());
    EXPECT_EQ(cell.GetTextExtent("wide text"),
        QSize(metrics.horizontalAdvance(QStringLiteral("wide text")) + 4 * margin,
            metrics.height() + 2 * margin));
    // Word-wrapped multi-line text measures its widest line and all lines.
    cell.SetFormat(gdi::dt::WordBreak);
    const QSize twoLines = cell.GetTextExtent("a\nlonger line");
    EXPECT_EQ(
        twoLines.width(), metrics.horizontalAdvance(QStringLiteral("longer line")) + 4 * margin);
    EXPECT_GE(twoLines.height(), 2 * metrics.height() + 2 * margin - 2);
    cell.SetText("abc");
    EXPECT_EQ(cell.CellExtent(nullptr), cell.GetTextExtent("abc"));
}

TEST(DataCell, DrawingNeedsAGridAndARectangle)
{
    CDataCell cell;
    QImage image(50, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_FALSE(cell.Draw(&painter, 0, 0, QRect(0, 0, 20, 20), true));
    CDataGrid grid;
    cell.SetGrid(&grid);
    EXPECT_FALSE(cell.Draw(&painter, 0, 0, QRect(QPoint(5, 5), QPoint(5, 20)), true));
    EXPECT_TRUE(cell.Draw(&painter, 0, 0, QRect(0, 0, 20, 20), true));
    // A hidden cell outside a merge is skipped as done.
    cell.SetHidden(true);
    EXPECT_TRUE(cell.Draw(nullptr, 0, 0, QRect(), true));
}

} // namespace
