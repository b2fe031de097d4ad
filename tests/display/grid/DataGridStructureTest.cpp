#include "GridTestWindow.h"

#include "platform/GdiPaint.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <new>
#include <tuple>

namespace {

// A parent window taking grid notices; it welcomes cache hints.
struct OwnerWindow : QWidget, RecordingGridOwner
{
    long OnGridCacheHint(const GridCacheHint&) override { return 1; }
};

// A grid whose memory runs out after a set number of new cells.
class StarvedGrid : public CDataGrid
{
public:
    std::unique_ptr<CDataCellBase> CreateCell(int row, int col) override
    {
        if (cellsLeft-- <= 0)
            throw std::bad_alloc();
        return CDataGrid::CreateCell(row, col);
    }
    void ReportMemoryError() override { ++reports; }
    int cellsLeft = 0;
    int reports = 0;
};

// The counts, and "!" when some place holds no cell.
std::string Shape(const CDataGrid& grid)
{
    bool whole = true;
    for (int row = 0; row < grid.GetRowCount(); ++row)
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            whole = whole && grid.GetCell(row, col);
    return std::to_string(grid.GetRowCount()) + "x" + std::to_string(grid.GetColumnCount())
        + (whole ? "" : "!");
}

TEST(DataGridStructure, ShrinkingKeepsTheRestAndFixedBandsGrowTheGridAndMarkTheirCells)
{
    CDataGrid grid;
    EXPECT_TRUE(grid.SetColumnCount(4) && grid.SetRowCount(3));
    grid.GetCell(0, 1)->SetText("999999");
    EXPECT_TRUE(grid.SetColumnCount(2) && grid.SetRowCount(1)); // shrinking keeps the rest
    EXPECT_EQ(std::make_pair(Shape(grid), grid.GetCellText(0, 1)),
        std::make_pair(std::string("1x2"), std::string("999999")));
    // A table of one field per line still gets its two heading columns; new cells carry the
    // bits at once, unfixed ones lose them and their heading colours.
    const auto state = [&grid](int row, int col) { return grid.GetCell(row, col)->GetState(); };
    grid.SetColumnCount(1);
    grid.SetRowCount(3);
    EXPECT_TRUE(grid.SetFixedColumnCount(2) && grid.SetFixedRowCount(1));
    grid.SetColumnCount(3);
    EXPECT_EQ(std::make_tuple(state(0, 1), state(2, 1), state(0, 2), state(1, 2)),
        std::make_tuple(GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL, GCS_FIXED | GCS_FIXEDCOL,
            GCS_FIXED | GCS_FIXEDROW, 0u));
    grid.GetCell(0, 2)->SetBackColour(Qt::yellow);
    EXPECT_TRUE(grid.SetFixedRowCount(0)); // GCS_FIXED stays while the other band holds
    EXPECT_EQ(
        std::make_pair(state(0, 1), state(0, 2)), std::make_pair(GCS_FIXED | GCS_FIXEDCOL, 0u));
    EXPECT_FALSE(grid.GetCell(0, 2)->GetBackColour().isValid());
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    EXPECT_EQ(state(0, 1), 0u);
    // A cell factory that makes nothing leaves empty places.
    EXPECT_TRUE(grid.DeleteAll());
    grid.SetCellClass([]() -> std::unique_ptr<CDataCellBase> { return nullptr; });
    EXPECT_TRUE(grid.SetColumnCount(2) && grid.SetRowCount(2));
    EXPECT_FALSE(grid.GetCell(1, 1) || grid.SetCellState(1, 1, GCS_MODIFIED));
}

TEST(DataGridStructure, CountChangesClearALostFocusMarkTheGridModifiedAndDropTheSortMarker)
{
    CDataGrid grid;
    grid.SetColumnCount(5);
    grid.SetRowCount(5);
    grid.SetFixedRowCount(1);
    grid.ChangeFocusCell(3, 2);
    grid.SetSortKeyColumn(1);
    EXPECT_TRUE(grid.SetRowCount(5) && grid.GetSortKeyColumn() == 1); // same count: no change
    grid.SetColumnCount(4);
    EXPECT_EQ(std::make_tuple(grid.GetFocusCell(), grid.GetSortKeyColumn(), grid.IsModified()),
        std::make_tuple(CCellID(3, 2), -1, true));
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    grid.ChangeFocusCell(0, 1); // inside the fixed band: lands on the first scrolled row
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    grid.SetColumnCount(1);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    // A modified cell drops the marker only from its own column.
    grid.SetColumnCount(3);
    grid.SetSortKeyColumn(1);
    grid.SetModified(2, 0);
    EXPECT_EQ(grid.GetSortKeyColumn(), 1);
    EXPECT_TRUE(grid.GetCell(2, 0)->IsModified() && !grid.GetCell(2, 1)->IsModified());
    grid.SetModified(2, 1);
    EXPECT_EQ(grid.GetSortKeyColumn(), -1);
}

TEST(DataGridStructure, TheSelectionMapFollowsCellStatesCountChangesAndClearing)
{
    CDataGrid grid;
    const auto selection
        = [&grid] { return std::make_pair(grid.SelectionBounds(), grid.GetSelectedCount()); };
    grid.SetColumnCount(3);
    grid.SetRowCount(70000);
    EXPECT_TRUE(grid.SetCellState(2, 1, GCS_SELECTED)
        && grid.SetCellState(65538, 1, GCS_SELECTED) // 16-bit row: row 2's key
        && grid.SetCellState(2, 1, GCS_MODIFIED));
    EXPECT_TRUE(grid.GetSelectedCount() == 1 && grid.IsCellSelectedInMap(65538, 1)
        && !grid.IsCellSelectedInMap(2, 1));
    // Cells that go leave the selection.
    grid.SetRowCount(20);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    grid.ApplySelectionRange(CellRange(5, 1, 8, 2), false, true);
    EXPECT_EQ(selection(), std::make_pair(CellRange(5, 1, 8, 2), 8));
    grid.SetRowCount(6);
    grid.SetRowCount(20);
    EXPECT_EQ(selection(), std::make_pair(CellRange(5, 1, 5, 2), 2));
    grid.SetColumnCount(2);
    EXPECT_EQ(selection(), std::make_pair(CellRange(5, 1, 5, 1), 1));
    // Clearing resets the bits and the focus cell too.
    grid.ChangeFocusCell(5, 1);
    grid.ClearSelection();
    EXPECT_EQ(std::make_tuple(selection(), grid.GetCell(5, 1)->GetState(), grid.GetFocusCell()),
        std::make_tuple(std::make_pair(CellRange(20, 2, -1, -1), 0), 0u, CCellID()));
}

TEST(DataGridStructure, OutOfMemoryGrowingColumnsIsAllOrNothingGrowingRowsKeepsWholeRows)
{
    StarvedGrid grid;
    grid.cellsLeft = 12;
    ASSERT_TRUE(grid.SetColumnCount(3) && grid.SetRowCount(4));
    grid.GetCell(3, 2)->SetText("kept");
    grid.cellsLeft = 5; // 4 rows x 2 new columns need 8
    EXPECT_FALSE(grid.SetColumnCount(5));
    EXPECT_EQ(
        std::make_tuple(grid.reports, Shape(grid), grid.GetColumnWidth(3), grid.GetCellText(3, 2)),
        std::make_tuple(1, "4x3", -1, std::string("kept")));
    grid.cellsLeft = 20; // two more columns, two more rows of 5, then the third row fails
    EXPECT_TRUE(grid.SetColumnCount(5));
    EXPECT_FALSE(grid.SetRowCount(9));
    EXPECT_EQ(
        std::make_tuple(grid.reports, Shape(grid), grid.GetRowHeight(5), grid.GetRowHeight(6)),
        std::make_tuple(2, "6x5", grid.GetDefaultCell(false, false)->GetHeight(), -1));
}

TEST(DataGridNotices, GoToTheOwnerElseAGridOwnerParentOnlyWhileTheWindowExists)
{
    OwnerWindow owner;
    OwnerWindow parent;
    CDataGrid grid;
    grid.SetOwner(&owner);
    grid.Create(QRect(0, 0, 100, 100), &parent);
    grid.SetDlgCtrlID(8);
    owner.replies[GN_BEGINEDIT] = -1;
    EXPECT_EQ(grid.SendGridNotify(GN_BEGINEDIT, 3, 4), -1);
    EXPECT_TRUE(grid.SendCacheHint(CellRange(0, 0, 1, 1)));
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_EQ(
        std::make_pair(owner.notices[0].hdr.idFrom, owner.notices[0].row), std::make_pair(8, 3));
    grid.SetOwner(nullptr); // the parent, as it takes grid notices
    grid.SendGridNotify(NM_DBLCLK, 1, 1);
    grid.DestroyWindow();
    grid.SendGridNotify(NM_CLICK, 0, 0);
    EXPECT_FALSE(grid.SendCacheHint(CellRange(0, 0, 1, 1)));
    EXPECT_EQ(parent.Codes(), std::vector<int>{NM_DBLCLK});
}

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
    CDataCell copy;
    copy.CopyFrom(cell);
    EXPECT_EQ(Attributes(copy), Attributes(cell));
    cell.SetMergeRange(CellRange(0, 0, 1, 1));
    cell.Reset();
    CDataCell fresh;
    fresh.SetData(42);
    EXPECT_EQ(Attributes(cell), Attributes(fresh));
    cell.SetText(nullptr);
    EXPECT_STREQ(cell.GetText(), "");
}

TEST(DataCell, TextExtentAddsMarginsToTheTextOrIsTheDefaultCellsSize)
{
    CDataGrid grid;
    CDataCell cell;
    cell.SetGrid(&grid);
    CDataDefaultCell* fallback = grid.GetDefaultCell(false, false);
    const QFont font("DejaVu Sans", 12);
    fallback->SetFont(&font);
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
