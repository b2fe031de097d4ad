#include "LiveGridWindow.h"

#include <QClipboard>
#include <QGuiApplication>

#include <memory>

namespace {

// Serves "v<row>.<col>" for every cell and records the cache hints.
class ServingOwner : public RecordingGridOwner
{
public:
    long OnGridDispInfo(GridDispInfo& info) override
    {
        info.item.text = "v" + std::to_string(info.item.row) + "." + std::to_string(info.item.col);
        return 0;
    }
    long OnGridCacheHint(const GridCacheHint& hint) override
    {
        hints.push_back(hint.range);
        return 0;
    }
    std::vector<CellRange> hints;
};

// Loads a table of a size into the window's grid, as a data window does once it is up:
// virtual (its owner holds the texts) or holding its cells.
void Load(LiveWindow& w, GridOwner* owner, bool virtualMode, int rows, int cols)
{
    w.grid.SetVirtualMode(virtualMode);
    w.grid.SetOwner(owner);
    w.grid.SetColumnCount(cols);
    w.grid.SetRowCount(rows);
    w.grid.SetFixedRowCount(1);
    w.grid.SetFixedColumnCount(1);
}

// A million rows of 34 columns whose texts the owner holds; row 4 is taller.
TEST(VirtualGridTest,
    AMillionRowsComeFromTheOwnerTheSelectionLivesInTheMapCopyAndSortLeaveTheDataToIt)
{
    ServingOwner owner; // outlives the grid, which notifies it to the end
    LiveWindow w(2, 2);
    Load(w, &owner, true, 1000000, 34);
    w.grid.SetRowHeight(4, 33);
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
    // Copy asks for the block first.
    w.Key(Qt::Key_Home, Qt::ControlModifier);
    w.Click(w.Centre(2, 2));
    w.Click(w.Centre(3, 3), Qt::ShiftModifier);
    owner.hints.clear();
    w.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("v2.2\tv2.3\nv3.2\tv3.3"));
    ASSERT_GE(owner.hints.size(), 2u);
    EXPECT_EQ(std::make_pair(owner.hints.front(), owner.hints.back()),
        std::make_pair(CellRange(2, 2, 3, 3), CellRange()));
    // Sorting moves no row.
    w.grid.SetRowCount(10);
    EXPECT_TRUE(w.grid.SortByColumn(2, false));
    EXPECT_EQ(
        std::make_pair(w.grid.GetRowHeight(4), w.grid.GetSelectedCount()), std::make_pair(33, 0));
}

class EditWalkTest : public ::testing::TestWithParam<bool>
{
};

// The keys that end an edit open the next one at once, on cells that must first be scrolled
// to, before the window has had a turn to lay out its scroll bars: 35,000 rows of 34 columns.
TEST_P(EditWalkTest, TabShiftTabAndArrowsEditTheNextCellAcrossTheScrolledGrid)
{
    constexpr int Columns = 34;
    ServingOwner owner; // outlives the grid, which notifies it to the end
    LiveWindow w(2, 2, QSize(1000, 700));
    Load(w, &owner, GetParam(), 35000, Columns);
    if (!GetParam())
        w.FillTexts();
    // A key in the open editor leaves an editor open on the focus cell at (row, col), over the
    // cell in view, holding its text and the keyboard focus.
    const auto moves = [&w](Qt::Key key, Qt::KeyboardModifiers modifiers, int row, int col) {
        if (!w.grid.Editor())
            return false;
        QTest::keyClick(w.grid.Editor(), key, modifiers);
        LiveWindow::Settle();
        const CCellEditor* editor = w.grid.Editor();
        return w.grid.GetFocusCell() == CCellID(row, col) && editor && editor->Row() == row
            && editor->Column() == col && editor->geometry() == w.Rect(row, col)
            && editor->text().toStdString() == w.grid.GetCellText(row, col)
            && w.grid.CellInView(row, col) && editor->hasFocus();
    };
    w.Click(w.Centre(2, 2));
    w.Key(Qt::Key_F2);
    ASSERT_NE(w.grid.Editor(), nullptr);
    QTest::keyClicks(w.grid.Editor(), QStringLiteral("x"));
    ASSERT_TRUE(moves(Qt::Key_Tab, Qt::NoModifier, 2, 3));
    // A held grid keeps the text; a virtual one leaves it to the owner, told by the notice.
    EXPECT_EQ(w.grid.GetCellText(2, 2), GetParam() ? "v2.2" : "2-2x");
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1);
    EXPECT_TRUE(w.grid.Editor()->hasSelectedText());
    // Along the row, past the right edge of the window, and round to the next row.
    for (int col = 4; col < Columns; ++col)
        ASSERT_TRUE(moves(Qt::Key_Tab, Qt::NoModifier, 2, col)) << col;
    EXPECT_GT(w.grid.GetScrollPos(false), 0);
    ASSERT_TRUE(moves(Qt::Key_Tab, Qt::NoModifier, 3, 1));
    EXPECT_EQ(w.grid.GetScrollPos(false), 0);
    ASSERT_TRUE(moves(Qt::Key_Tab, Qt::ShiftModifier, 2, Columns - 1));
    ASSERT_TRUE(moves(Qt::Key_Tab, Qt::ShiftModifier, 2, Columns - 2));
    // An edit opened by a key ends on the arrows too.
    ASSERT_TRUE(moves(Qt::Key_Down, Qt::NoModifier, 3, Columns - 2));
    ASSERT_TRUE(moves(Qt::Key_Right, Qt::NoModifier, 3, Columns - 1));
    ASSERT_TRUE(moves(Qt::Key_Up, Qt::NoModifier, 2, Columns - 1));
    ASSERT_TRUE(moves(Qt::Key_Left, Qt::NoModifier, 2, Columns - 2));
    // Down the rows, past the bottom of the window.
    for (int row = 3; row < 40; ++row)
        ASSERT_TRUE(moves(Qt::Key_Down, Qt::NoModifier, row, Columns - 2)) << row;
    EXPECT_GT(w.grid.GetScrollPos(true), 0);
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1); // only the first edit changed a text
}

INSTANTIATE_TEST_SUITE_P(Grid, EditWalkTest, ::testing::Values(true, false),
    [](const ::testing::TestParamInfo<bool>& param) { return param.param ? "Virtual" : "Held"; });

} // namespace
