#include "display/grid/DataCell.h"
#include "display/grid/DataGrid.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

// Records every notice it gets and answers with a chosen reply.
class RecordingOwner : public QWidget, public GridOwner
{
public:
    long OnGridNotify(const GridNotify& notify) override
    {
        notices.push_back(notify);
        return reply;
    }
    long OnGridCacheHint(const GridCacheHint& hint) override
    {
        hints.push_back(hint.range);
        return 1;
    }
    std::vector<GridNotify> notices;
    std::vector<CellRange> hints;
    long reply = 0;
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

void ExpectEveryRowAsLongAsTheColumnCount(const CDataGrid& grid)
{
    for (int row = 0; row < grid.GetRowCount(); ++row)
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            ASSERT_NE(grid.GetCell(row, col), nullptr) << row << "," << col;
}

TEST(DataGridStructure, CountsSizesAndCellLookUp)
{
    CDataGrid grid;
    EXPECT_TRUE(grid.SetColumnCount(4));
    EXPECT_TRUE(grid.SetRowCount(3));
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetColumnCount(), 4);
    ExpectEveryRowAsLongAsTheColumnCount(grid);
    EXPECT_EQ(grid.GetCell(3, 0), nullptr);
    EXPECT_EQ(grid.GetCell(0, 4), nullptr);
    EXPECT_EQ(grid.GetCell(-1, 0), nullptr);
    EXPECT_EQ(grid.GetCellText(7, 7), "");
    const CDataDefaultCell* fallback = grid.GetDefaultCell(false, false);
    EXPECT_EQ(grid.GetRowHeight(2), fallback->GetHeight());
    EXPECT_EQ(grid.GetColumnWidth(3), grid.GetDefaultCell(false, true)->GetWidth());
    EXPECT_EQ(grid.GetRowHeight(3), -1);
    EXPECT_EQ(grid.GetColumnWidth(-1), -1);

    grid.SetColumnWidth(1, 95);
    grid.SetRowHeight(0, 27);
    grid.SetRowHeight(9, 50); // outside: ignored
    EXPECT_EQ(grid.GetColumnWidth(1), 95);
    EXPECT_EQ(grid.GetRowHeight(0), 27);
    grid.GetCell(2, 3)->SetText("999999");
    EXPECT_EQ(grid.GetCellText(2, 3), "999999");

    EXPECT_TRUE(grid.SetColumnCount(2));
    EXPECT_TRUE(grid.SetRowCount(1));
    ExpectEveryRowAsLongAsTheColumnCount(grid);
    EXPECT_EQ(grid.GetColumnWidth(1), 95);
    EXPECT_EQ(grid.GetCell(0, 2), nullptr);

    EXPECT_TRUE(grid.DeleteAll());
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetCell(0, 0), nullptr);
}

TEST(DataGridStructure, FixedCountsGrowTheGridAndMarkTheirCells)
{
    CDataGrid grid;
    grid.SetColumnCount(1);
    grid.SetRowCount(3);
    // A table of one field per line still gets its two heading columns.
    EXPECT_TRUE(grid.SetFixedColumnCount(2));
    EXPECT_EQ(grid.GetColumnCount(), 2);
    EXPECT_TRUE(grid.SetFixedRowCount(1));
    const std::uint32_t corner = GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL;
    EXPECT_EQ(grid.GetCell(0, 1)->GetState(), corner);
    EXPECT_EQ(grid.GetCell(2, 1)->GetState(), GCS_FIXED | GCS_FIXEDCOL);
    EXPECT_EQ(grid.GetCell(0, 1)->GetDefaultCell(), grid.GetDefaultCell(true, true));

    // New cells carry the bits and their area's format at once.
    grid.GetDefaultCell(true, false)->SetFormat(0x25);
    grid.SetColumnCount(3);
    EXPECT_EQ(grid.GetCell(0, 2)->GetState(), GCS_FIXED | GCS_FIXEDROW);
    EXPECT_EQ(grid.GetCell(0, 2)->GetFormat(), 0x25u);
    EXPECT_EQ(grid.GetCell(1, 2)->GetState(), 0u);

    // Lowering a fixed count: cells still fixed by the other band keep GCS_FIXED.
    grid.GetCell(0, 2)->SetBackColour(Qt::yellow);
    EXPECT_TRUE(grid.SetFixedRowCount(0));
    EXPECT_EQ(grid.GetCell(0, 1)->GetState(), GCS_FIXED | GCS_FIXEDCOL);
    EXPECT_EQ(grid.GetCell(0, 2)->GetState(), 0u);
    EXPECT_FALSE(grid.GetCell(0, 2)->GetBackColour().isValid());
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    EXPECT_EQ(grid.GetCell(0, 1)->GetState(), 0u);

    // Fewer rows than fixed rows lowers the fixed count.
    grid.SetFixedRowCount(2);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.FixedRowsHeight(), grid.GetRowHeight(0));
}

TEST(DataGridStructure, LosingTheFocusRowOrColumnClearsTheFocus)
{
    CDataGrid grid;
    grid.SetColumnCount(5);
    grid.SetRowCount(5);
    grid.SetFixedRowCount(1);
    grid.ChangeFocusCell(3, 2);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
    EXPECT_TRUE(grid.GetCell(3, 2)->IsFocused());
    grid.SetColumnCount(4);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    // Focus asked inside the fixed band lands on the first scrolled row.
    grid.ChangeFocusCell(0, 1);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    grid.SetColumnCount(1);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
}

TEST(DataGridStructure, CountChangesMarkTheGridModifiedAndDropTheSortMarker)
{
    CDataGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(3);
    grid.SetSortKeyColumn(1);
    EXPECT_EQ(grid.GetSortKeyColumn(), 1);
    EXPECT_TRUE(grid.SetRowCount(3)); // same count: nothing happens
    EXPECT_EQ(grid.GetSortKeyColumn(), 1);
    grid.SetModified(2, 0); // another column keeps the marker
    EXPECT_EQ(grid.GetSortKeyColumn(), 1);
    EXPECT_TRUE(grid.GetCell(2, 0)->IsModified());
    EXPECT_FALSE(grid.GetCell(2, 1)->IsModified());
    grid.SetModified(2, 1);
    EXPECT_EQ(grid.GetSortKeyColumn(), -1);
    grid.SetSortKeyColumn(2);
    EXPECT_TRUE(grid.SetRowCount(4));
    EXPECT_EQ(grid.GetSortKeyColumn(), -1);
    EXPECT_TRUE(grid.IsModified());
}

TEST(DataGridStructure, CellStateKeepsTheSelectionMapInStep)
{
    CDataGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(70000); // beyond 16 bits of row
    EXPECT_TRUE(grid.SetCellState(2, 1, GCS_SELECTED));
    EXPECT_TRUE(grid.SetCellState(2, 1, GCS_SELECTED | GCS_MODIFIED));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_TRUE(grid.SetCellState(65538, 1, GCS_SELECTED));
    EXPECT_EQ(grid.GetSelectedCount(), 2);
    EXPECT_TRUE(grid.IsCellSelectedInMap(65538, 1));
    EXPECT_TRUE(grid.SetCellState(2, 1, GCS_MODIFIED));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_FALSE(grid.IsCellSelectedInMap(2, 1));
    EXPECT_FALSE(grid.SetCellState(70000, 0, GCS_SELECTED));
    EXPECT_FALSE(grid.SetCellState(0, 3, GCS_SELECTED));
    EXPECT_EQ(grid.GetSelectedCount(), 1);

    // Destroying the selected cell's row drops it from the map.
    grid.SetRowCount(100);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    grid.SetCellState(5, 2, GCS_SELECTED);
    grid.ChangeFocusCell(5, 2);
    grid.ClearSelection();
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_EQ(grid.GetCell(5, 2)->GetState(), 0u);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
}

TEST(DataGridStructure, GrowingColumnsIsAllOrNothingWhenMemoryRunsOut)
{
    StarvedGrid grid;
    grid.cellsLeft = 12;
    ASSERT_TRUE(grid.SetColumnCount(3));
    ASSERT_TRUE(grid.SetRowCount(4));
    grid.GetCell(3, 2)->SetText("kept");
    grid.cellsLeft = 5; // 4 rows x 2 new columns need 8
    EXPECT_FALSE(grid.SetColumnCount(5));
    EXPECT_EQ(grid.reports, 1);
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.GetColumnWidth(3), -1);
    ExpectEveryRowAsLongAsTheColumnCount(grid);
    EXPECT_EQ(grid.GetCellText(3, 2), "kept");
    // With memory again the same growth succeeds.
    grid.cellsLeft = 8;
    EXPECT_TRUE(grid.SetColumnCount(5));
    ExpectEveryRowAsLongAsTheColumnCount(grid);
}

TEST(DataGridStructure, GrowingRowsKeepsTheRowsCompletedWhenMemoryRunsOut)
{
    StarvedGrid grid;
    grid.cellsLeft = 3;
    ASSERT_TRUE(grid.SetColumnCount(3));
    grid.cellsLeft = 7; // two rows of 3, then the third fails
    EXPECT_FALSE(grid.SetRowCount(5));
    EXPECT_EQ(grid.reports, 1);
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetRowHeight(2), -1);
    EXPECT_EQ(grid.GetRowHeight(1), grid.GetDefaultCell(false, false)->GetHeight());
    ExpectEveryRowAsLongAsTheColumnCount(grid);
}

TEST(DataGridStructure, AFactoryThatMakesNothingLeavesEmptyPlaces)
{
    CDataGrid grid;
    grid.SetCellClass([]() -> std::unique_ptr<CDataCellBase> { return nullptr; });
    EXPECT_TRUE(grid.SetColumnCount(2));
    EXPECT_TRUE(grid.SetRowCount(2));
    EXPECT_EQ(grid.GetCell(1, 1), nullptr);
    EXPECT_EQ(grid.GetCellText(1, 1), "");
    EXPECT_FALSE(grid.SetCellState(1, 1, GCS_MODIFIED));
    EXPECT_EQ(grid.GetMergedColumnWidth(1, 1), grid.GetColumnWidth(1));
}

TEST(DataGridStructure, MergedCellsSumTheirColumnsAndRows)
{
    CDataGrid grid;
    grid.SetColumnCount(4);
    grid.SetRowCount(4);
    grid.SetColumnWidth(1, 10);
    grid.SetColumnWidth(2, 20);
    grid.SetRowHeight(2, 5);
    grid.SetRowHeight(3, 6);
    grid.GetCell(2, 1)->SetMergeRange(CellRange(2, 1, 3, 2));
    grid.GetCell(3, 2)->SetMergeOwner(2, 1);
    EXPECT_EQ(grid.GetMergedColumnWidth(2, 1), 30);
    EXPECT_EQ(grid.GetMergedColumnWidth(3, 2), 30);
    EXPECT_EQ(grid.GetMergedRowHeight(3, 2), 11);
    EXPECT_EQ(grid.GetMergeOrigin(3, 2), CCellID(2, 1));
    EXPECT_EQ(grid.GetMergeOrigin(0, 0), CCellID(0, 0));
    // A one-cell merge range uses the plain size.
    grid.GetCell(0, 1)->SetMergeRange(CellRange(0, 1, 0, 1));
    EXPECT_EQ(grid.GetMergedColumnWidth(0, 1), 10);
    EXPECT_EQ(grid.GetMergedColumnWidth(9, 9), -1);
}

TEST(DataGridStructure, FitToTextMeasuresTheCellsAndLeavesHiddenColumnsHidden)
{
    CDataGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(3);
    grid.SetFixedRowCount(1);
    grid.GetCell(0, 1)->SetText("x");
    grid.GetCell(2, 1)->SetText("a much longer text");
    EXPECT_FALSE(grid.FitColumnToText(1)); // no window to measure with
    grid.Create(QRect(0, 0, 300, 200), nullptr);
    ASSERT_TRUE(grid.FitColumnToText(1));
    EXPECT_EQ(grid.GetColumnWidth(1), grid.GetCell(2, 1)->CellExtent(nullptr).width());
    ASSERT_TRUE(grid.FitColumnToText(1, 0x1)); // the heading rows only
    EXPECT_EQ(grid.GetColumnWidth(1), grid.GetCell(0, 1)->CellExtent(nullptr).width());
    grid.SetColumnWidth(2, 0);
    EXPECT_FALSE(grid.FitColumnToText(2));
    EXPECT_EQ(grid.GetColumnWidth(2), 0);
    EXPECT_FALSE(grid.FitColumnToText(3));
    ASSERT_TRUE(grid.FitRowToText(2));
    EXPECT_EQ(grid.GetRowHeight(2), grid.GetCell(2, 1)->CellExtent(nullptr).height());
}

TEST(DataGridNotices, GoToTheOwnerOnlyWhileTheWindowExists)
{
    RecordingOwner parent;
    CDataGrid grid;
    grid.SetOwner(&parent);
    EXPECT_EQ(grid.SendGridNotify(GN_SELCHANGED, 1, 2), 0);
    EXPECT_FALSE(grid.SendCacheHint(CellRange(0, 0, 1, 1)));
    EXPECT_TRUE(parent.notices.empty());

    grid.Create(QRect(0, 0, 100, 100), &parent);
    grid.SetDlgCtrlID(8);
    parent.reply = -1;
    EXPECT_EQ(grid.SendGridNotify(GN_BEGINEDIT, 3, 4), -1);
    ASSERT_EQ(parent.notices.size(), 1u);
    EXPECT_EQ(parent.notices[0].hdr.code, GN_BEGINEDIT);
    EXPECT_EQ(parent.notices[0].hdr.hwndFrom, &grid);
    EXPECT_EQ(parent.notices[0].hdr.idFrom, 8);
    EXPECT_EQ(parent.notices[0].row, 3);
    EXPECT_EQ(parent.notices[0].col, 4);
    EXPECT_TRUE(grid.SendCacheHint(CellRange(0, 0, 1, 1)));
    ASSERT_EQ(parent.hints.size(), 1u);
    EXPECT_EQ(parent.hints[0], CellRange(0, 0, 1, 1));

    grid.DestroyWindow();
    EXPECT_EQ(grid.SendGridNotify(NM_CLICK, 0, 0), 0);
    EXPECT_EQ(parent.notices.size(), 1u);
}

TEST(DataGridNotices, TheParentIsTheOwnerWhenNoneIsSet)
{
    RecordingOwner parent;
    CDataGrid grid;
    grid.Create(QRect(0, 0, 100, 100), &parent);
    EXPECT_EQ(grid.GetOwner(), &parent);
    grid.SendGridNotify(NM_DBLCLK, 1, 1);
    ASSERT_EQ(parent.notices.size(), 1u);
    EXPECT_EQ(parent.notices[0].hdr.code, NM_DBLCLK);

    QWidget plain;
    CDataGrid orphan;
    orphan.Create(QRect(0, 0, 100, 100), &plain);
    EXPECT_EQ(orphan.GetOwner(), nullptr);
    EXPECT_EQ(orphan.SendGridNotify(NM_CLICK, 0, 0), 0);
}

TEST(DataGridStructure, WheelLinesComeFromTheApplication)
{
    EXPECT_EQ(CDataGrid::QueryWheelScrollLines(),
        static_cast<unsigned>(QApplication::wheelScrollLines()));
}

} // namespace
