#include "LiveGridWindow.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

// Serves "v<row>.<col>" for every cell and records the cache hints.
class ServingOwner : public RecordingGridOwner
{
public:
    long OnGridDispInfo(GridDispInfo& info) override
    {
        ++asked;
        info.item.text = "v" + std::to_string(info.item.row) + "." + std::to_string(info.item.col);
        return 0;
    }
    long OnGridCacheHint(const GridCacheHint& hint) override
    {
        hints.push_back(hint.range);
        return 0;
    }
    int asked = 0;
    std::vector<CellRange> hints;
};

// A million rows of 34 columns whose texts the owner holds; row 4 is taller.
class VirtualGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        w.grid.SetVirtualMode(true);
        w.grid.SetOwner(&owner);
        w.grid.SetColumnCount(34);
        w.grid.SetRowCount(1000000);
        w.grid.SetFixedRowCount(1);
        w.grid.SetFixedColumnCount(1);
        w.grid.SetRowHeight(4, 33);
    }
    LiveWindow w{2, 2};
    ServingOwner owner;
};

TEST_F(VirtualGridTest, AMillionRowsComeFromTheOwnerAndTheSelectionLivesInTheMap)
{
    CDataGrid& grid = w.grid;
    EXPECT_STREQ(grid.GetCell(999999, 33)->GetText(), "v999999.33");
    EXPECT_TRUE(grid.GetCell(0, 3)->IsFixed());
    EXPECT_FALSE(grid.SetCellState(3, 3, GCS_SELECTED)); // no cell keeps a state...
    EXPECT_TRUE(grid.GetCell(3, 3)->IsSelected()); // ...the map does
    grid.ClearSelection();
    w.Click(w.Centre(2, 2));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(2, 2, 2, 2), 1));
    w.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(999999, 33));
    EXPECT_TRUE(grid.CellInView(999999, 33) && grid.GetCell(999999, 33)->IsFocused());
    // A paint reads the shown cells between two hints.
    owner.hints.clear();
    grid.viewport()->grab();
    EXPECT_EQ(owner.hints, (std::vector<CellRange>{grid.VisibleCellSpan(), CellRange()}));
    // A callback, when set, is asked instead of the owner.
    grid.SetCellCallback(
        [](GridDispInfo* info, std::intptr_t param) {
            info->item.text = std::to_string(param);
            return true;
        },
        42);
    const int asked = owner.asked;
    EXPECT_STREQ(grid.GetCell(5, 5)->GetText(), "42");
    EXPECT_EQ(owner.asked, asked);
}

TEST_F(VirtualGridTest, CopyEditAndSortLeaveTheDataToTheOwner)
{
    // Small enough for no scroll bar.
    w.grid.SetRowCount(10);
    w.grid.SetColumnCount(5);
    // An edit shows the owner's text and ends with a notice, storing nothing.
    w.Click(w.Centre(2, 2));
    w.Key(Qt::Key_F2);
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->text(), QStringLiteral("v2.2"));
    QTest::keyClicks(w.grid.Editor(), QStringLiteral("x"));
    QTest::keyClick(w.grid.Editor(), Qt::Key_Tab);
    LiveWindow::Settle();
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1);
    EXPECT_EQ(w.grid.GetCellText(2, 2), "v2.2");
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->text(), QStringLiteral("v2.3"));
    // Copy asks for the block first.
    w.Click(w.Centre(2, 2));
    w.Click(w.Centre(3, 3), Qt::ShiftModifier);
    owner.hints.clear();
    w.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("v2.2\tv2.3\nv3.2\tv3.3"));
    ASSERT_GE(owner.hints.size(), 2u);
    EXPECT_EQ(owner.hints.front(), CellRange(2, 2, 3, 3));
    EXPECT_EQ(owner.hints.back(), CellRange());
    // Sorting moves no row.
    EXPECT_TRUE(w.grid.SortByColumn(2, false));
    EXPECT_EQ(w.grid.GetRowHeight(4), 33);
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
    w.grid.DeleteAll();
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.Editor(), nullptr);
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1);
}

} // namespace
