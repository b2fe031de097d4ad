#include "LiveGridWindow.h"

#include <cstring>

namespace {

TEST(GridSortTest, HeadingClicksSortWhenSwitchedOnAndSortingMovesWholeRowsWithTheirHeights)
{
    LiveWindow w(10, 4);
    // Column 2 keys; rows 5 and 8 are equal, so their order tells a stable sort.
    const char* keys[] = {"", "m", "c", "x", "a", "k", "b", "z", "k", "d"};
    for (int row = 1; row < 10; ++row)
        w.grid.SetText(row, 2, keys[row]);
    w.grid.SetRowHeight(4, 31);
    w.grid.SetRowHeight(7, 0);
    // Which original row ended up where, read from column 1 ("r-1").
    const auto order = [&w] {
        std::string rows;
        for (int row = 1; row < w.grid.GetRowCount(); ++row)
            rows += w.grid.GetCellText(row, 1).front();
        return rows;
    };
    // As in the program: a heading click selects the column and sorts nothing.
    w.Click(w.Centre(0, 2));
    EXPECT_EQ(w.Selection().first, CellRange(1, 2, 9, 2));
    EXPECT_EQ(w.grid.GetCellText(1, 2), "m");
    w.grid.SetClickSortsColumn(true);
    // Each click: the first key then, whether ascending; another column starts ascending.
    const std::tuple<int, std::string, bool> clicks[]
        = {{2, "a", true}, {2, "z", false}, {1, "1-1", true}};
    for (const auto& [col, first, ascending] : clicks) {
        w.Click(w.Centre(0, col));
        EXPECT_EQ(w.grid.GetCellText(1, col), first);
        EXPECT_EQ(w.grid.GetSortAscending(), ascending);
        EXPECT_EQ(w.Selection().first, CellRange(1, col, 9, col));
    }
    ASSERT_EQ(order(), "123456789");
    w.Click(w.Centre(3, 3));
    ASSERT_TRUE(w.grid.SortByColumn(2, true));
    EXPECT_EQ(order(), "462958137");
    EXPECT_EQ(w.grid.GetCellText(0, 2) + w.grid.GetCellText(1, 0), "H2R4");
    EXPECT_EQ(std::make_tuple(w.grid.GetRowHeight(1), w.grid.GetRowHeight(9),
                  w.grid.GetRowHeight(4), w.grid.Geometry().Rows().Total()),
        std::make_tuple(31, 0, 20, 20 * 8 + 31LL));
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
    EXPECT_FALSE(w.grid.GetFocusCell().IsValid());
    ASSERT_TRUE(w.grid.SortByColumn(2, false));
    EXPECT_EQ(order(), "731589264");
    // One data row or a bad column is left alone.
    LiveWindow one(2, 3);
    EXPECT_FALSE(one.grid.SortByColumn(1, true));
    EXPECT_EQ(one.grid.GetCellText(1, 1), "1-1");
    EXPECT_FALSE(w.grid.SortRows(nullptr, 4, true, 1, -1));
    // An own compare: by length, longest first; equal lengths keep their order.
    w.grid.SetSortCompare([](const CDataCellBase* a, const CDataCellBase* b, std::intptr_t) {
        return static_cast<int>(std::strlen(a->GetText()))
            - static_cast<int>(std::strlen(b->GetText()));
    });
    for (int row = 1; row < 10; ++row)
        w.grid.SetText(row, 3, std::string(static_cast<size_t>(row % 3 + 1), 'x').c_str());
    ASSERT_TRUE(w.grid.SortByColumn(3, false));
    EXPECT_EQ(order(), "386752194");
}

} // namespace
