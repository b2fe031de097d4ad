#include "GridTestWindow.h"

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

// The grid has these counts and a cell in every place.
void ExpectCells(const CDataGrid& grid, int rows, int cols)
{
    ASSERT_EQ(
        std::make_pair(grid.GetRowCount(), grid.GetColumnCount()), std::make_pair(rows, cols));
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
            ASSERT_NE(grid.GetCell(row, col), nullptr) << row << "," << col;
}

TEST(DataGridStructure, CountsCellLookUpAndFixedBandsThatGrowTheGridAndMarkTheirCells)
{
    CDataGrid grid;
    EXPECT_TRUE(grid.SetColumnCount(4) && grid.SetRowCount(3));
    ExpectCells(grid, 3, 4);
    EXPECT_TRUE(!grid.GetCell(3, 0) && !grid.GetCell(0, -1) && grid.GetCellText(7, 7).empty());
    grid.SetColumnWidth(1, 95);
    grid.GetCell(0, 1)->SetText("999999");
    EXPECT_TRUE(grid.SetColumnCount(2) && grid.SetRowCount(1)); // shrinking keeps the rest
    ExpectCells(grid, 1, 2);
    EXPECT_EQ(std::make_pair(grid.GetColumnWidth(1), grid.GetCellText(0, 1)),
        std::make_pair(95, std::string("999999")));
    // A table of one field per line still gets its two heading columns.
    const std::uint32_t fixedRow = GCS_FIXED | GCS_FIXEDROW;
    const std::uint32_t fixedCol = GCS_FIXED | GCS_FIXEDCOL;
    const auto state = [&grid](int row, int col) { return grid.GetCell(row, col)->GetState(); };
    grid.SetColumnCount(1);
    grid.SetRowCount(3);
    EXPECT_TRUE(grid.SetFixedColumnCount(2) && grid.SetFixedRowCount(1));
    EXPECT_EQ(grid.GetColumnCount(), 2);
    grid.SetColumnCount(3); // new cells carry the bits at once
    EXPECT_EQ(std::make_tuple(state(0, 1), state(2, 1), state(0, 2), state(1, 2)),
        std::make_tuple(fixedRow | fixedCol, fixedCol, fixedRow, 0u));
    // Unfixed cells lose their heading colours; GCS_FIXED stays while the other band holds.
    grid.GetCell(0, 2)->SetBackColour(Qt::yellow);
    EXPECT_TRUE(grid.SetFixedRowCount(0));
    EXPECT_EQ(std::make_pair(state(0, 1), state(0, 2)), std::make_pair(fixedCol, 0u));
    EXPECT_FALSE(grid.GetCell(0, 2)->GetBackColour().isValid());
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    EXPECT_EQ(state(0, 1), 0u);
    // Fewer rows than fixed rows lowers the fixed count.
    grid.SetFixedRowCount(2);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_TRUE(grid.DeleteAll());
    ExpectCells(grid, 0, 0);
    // A cell factory that makes nothing leaves empty places.
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
    EXPECT_TRUE(grid.SetCellState(2, 1, GCS_SELECTED));
    EXPECT_TRUE(grid.SetCellState(65538, 1, GCS_SELECTED)); // 16-bit row: row 2's key
    EXPECT_TRUE(grid.SetCellState(2, 1, GCS_MODIFIED));
    EXPECT_FALSE(
        grid.SetCellState(70000, 0, GCS_SELECTED) || grid.SetCellState(0, 3, GCS_SELECTED));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_TRUE(grid.IsCellSelectedInMap(65538, 1) && !grid.IsCellSelectedInMap(2, 1));
    // Cells that go leave the selection.
    grid.SetRowCount(20);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    grid.ApplySelectionRange(CellRange(5, 1, 8, 2), false, true);
    EXPECT_EQ(selection(), std::make_pair(CellRange(5, 1, 8, 2), 8));
    grid.SetRowCount(6);
    grid.SetRowCount(20);
    EXPECT_EQ(selection(), std::make_pair(CellRange(5, 1, 5, 2), 2));
    EXPECT_FALSE(grid.GetCell(7, 1)->IsSelected());
    grid.SetColumnCount(2);
    EXPECT_EQ(selection(), std::make_pair(CellRange(5, 1, 5, 1), 1));
    // Deselecting a block inside the selection leaves the rest; clearing resets every bit.
    grid.ApplySelectionRange(CellRange(1, 0, 10, 1), false, true);
    grid.ApplySelectionRange(CellRange(3, 0, 4, 1), false, false);
    EXPECT_EQ(grid.GetSelectedCount(), 16);
    EXPECT_FALSE(grid.GetCell(3, 0)->IsSelected());
    grid.ChangeFocusCell(5, 1);
    grid.ClearSelection();
    EXPECT_EQ(std::make_tuple(selection(), grid.GetCell(5, 1)->GetState(), grid.GetFocusCell()),
        std::make_tuple(std::make_pair(CellRange(20, 2, -1, -1), 0), 0u, CCellID()));
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 2; ++col)
            ASSERT_FALSE(grid.GetCell(row, col)->IsSelected()) << row << "," << col;
}

TEST(DataGridStructure, OutOfMemoryGrowingColumnsIsAllOrNothingGrowingRowsKeepsWholeRows)
{
    StarvedGrid grid;
    grid.cellsLeft = 12;
    ASSERT_TRUE(grid.SetColumnCount(3) && grid.SetRowCount(4));
    grid.GetCell(3, 2)->SetText("kept");
    grid.cellsLeft = 5; // 4 rows x 2 new columns need 8
    EXPECT_FALSE(grid.SetColumnCount(5));
    EXPECT_EQ(grid.reports, 1);
    ExpectCells(grid, 4, 3);
    EXPECT_EQ(std::make_pair(grid.GetColumnWidth(3), grid.GetCellText(3, 2)),
        std::make_pair(-1, std::string("kept")));
    grid.cellsLeft = 8; // with memory again the same growth succeeds
    EXPECT_TRUE(grid.SetColumnCount(5));
    ExpectCells(grid, 4, 5);
    grid.cellsLeft = 12; // two more rows of 5, then the third fails
    EXPECT_FALSE(grid.SetRowCount(9));
    EXPECT_EQ(grid.reports, 2);
    ExpectCells(grid, 6, 5);
    EXPECT_EQ(std::make_pair(grid.GetRowHeight(5), grid.GetRowHeight(6)),
        std::make_pair(grid.GetDefaultCell(false, false)->GetHeight(), -1));
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
    const GridNotify& notice = owner.notices[0];
    EXPECT_EQ(std::make_tuple(
                  notice.hdr.hwndFrom, notice.hdr.idFrom, notice.hdr.code, notice.row, notice.col),
        std::make_tuple(static_cast<const QObject*>(&grid), 8, GN_BEGINEDIT, 3, 4));
    grid.SetOwner(nullptr); // the parent, as it takes grid notices
    grid.SendGridNotify(NM_DBLCLK, 1, 1);
    grid.DestroyWindow();
    grid.SendGridNotify(NM_CLICK, 0, 0);
    EXPECT_FALSE(grid.SendCacheHint(CellRange(0, 0, 1, 1)));
    EXPECT_EQ(parent.Codes(), std::vector<int>{NM_DBLCLK});
}

} // namespace
