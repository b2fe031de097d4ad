#include "LiveGridWindow.h"

#include <cstring>

namespace {

class GridSortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Column 2 keys; rows 5 and 8 are equal, so their order tells a stable sort.
        const char* keys[] = {"", "m", "c", "x", "a", "k", "b", "z", "k", "d"};
        for (int row = 1; row < 10; ++row)
            w.grid.SetText(row, 2, keys[row]);
        w.grid.SetRowHeight(4, 31);
        w.grid.SetRowHeight(7, 0);
    }
    // Column 1 of every data row: which original row ended up where.
    std::vector<std::string> Order() const
    {
        std::vector<std::string> order;
        for (int row = 1; row < w.grid.GetRowCount(); ++row)
            order.push_back(w.grid.GetCellText(row, 1));
        return order;
    }
    LiveWindow w{10, 4};
};

TEST_F(GridSortTest, SortingMovesWholeRowsWithTheirHeightsAndLeavesTheHeadingsAlone)
{
    w.Click(w.Centre(3, 3));
    ASSERT_TRUE(w.grid.SortByColumn(2, true));
    EXPECT_EQ(Order(),
        (std::vector<std::string>{"4-1", "6-1", "2-1", "9-1", "5-1", "8-1", "1-1", "3-1", "7-1"}));
    EXPECT_EQ(w.grid.GetCellText(0, 2), "H2");
    EXPECT_EQ(w.grid.GetCellText(1, 0), "R4");
    EXPECT_EQ(w.grid.GetRowHeight(1), 31);
    EXPECT_EQ(w.grid.GetRowHeight(9), 0);
    EXPECT_EQ(w.grid.GetRowHeight(4), 20);
    EXPECT_EQ(w.grid.Geometry().Rows().Total(), 20 * 8 + 31);
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
    EXPECT_FALSE(w.grid.GetFocusCell().IsValid());
    EXPECT_EQ(w.grid.GetSortKeyColumn(), 2);
    ASSERT_TRUE(w.grid.SortByColumn(2, false));
    EXPECT_EQ(Order(),
        (std::vector<std::string>{"7-1", "3-1", "1-1", "5-1", "8-1", "9-1", "2-1", "6-1", "4-1"}));
}

TEST_F(GridSortTest, HeadingClicksSortWhenSwitchedOnAndASecondClickReverses)
{
    // As in the program: a heading click selects the column and sorts nothing.
    w.Click(w.Centre(0, 2));
    EXPECT_EQ(w.Selection().first, CellRange(1, 2, 9, 2));
    EXPECT_EQ(w.grid.GetCellText(1, 2), "m");
    w.grid.SetClickSortsColumn(true);
    w.Click(w.Centre(0, 2));
    EXPECT_EQ(w.grid.GetCellText(1, 2), "a");
    EXPECT_TRUE(w.grid.GetSortAscending());
    EXPECT_EQ(w.Selection().first, CellRange(1, 2, 9, 2));
    w.Click(w.Centre(0, 2));
    EXPECT_EQ(w.grid.GetCellText(1, 2), "z");
    EXPECT_FALSE(w.grid.GetSortAscending());
    // Another column starts ascending again.
    w.Click(w.Centre(0, 1));
    EXPECT_EQ(w.grid.GetCellText(1, 1), "1-1");
    EXPECT_TRUE(w.grid.GetSortAscending());
}

TEST_F(GridSortTest, OneDataRowOrABadColumnIsLeftAloneAndAnOwnCompareIsUsed)
{
    LiveWindow one(2, 3);
    EXPECT_FALSE(one.grid.SortByColumn(1, true));
    EXPECT_EQ(one.grid.GetCellText(1, 1), "1-1");
    EXPECT_FALSE(w.grid.SortRows(nullptr, 4, true, 1, -1));
    // By length, longest first; equal lengths keep their order.
    w.grid.SetSortCompare([](const CDataCellBase* a, const CDataCellBase* b, std::intptr_t) {
        return static_cast<int>(std::strlen(a->GetText()))
            - static_cast<int>(std::strlen(b->GetText()));
    });
    for (int row = 1; row < 10; ++row)
        w.grid.SetText(row, 3, std::string(static_cast<size_t>(row % 3 + 1), 'x').c_str());
    ASSERT_TRUE(w.grid.SortByColumn(3, false));
    EXPECT_EQ(Order(),
        (std::vector<std::string>{"2-1", "5-1", "8-1", "1-1", "4-1", "7-1", "3-1", "6-1", "9-1"}));
}

} // namespace
