#include "GridTestWindow.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

// 200 rows and 12 columns of 20 x 60 pixels in a 640 x 400 window: both bars show.
class GridKeysTest : public ::testing::Test
{
protected:
    void Focus(int row, int col) { w.Click(w.Centre(row, col)); }
    CCellID FocusCell() const { return w.grid.GetFocusCell(); }
    long long VPos() const { return w.grid.GetScrollPos(true); }
    long long HPos() const { return w.grid.GetScrollPos(false); }
    // The focus cell lies fully inside the client area (its grid line may be cut).
    bool FocusShown()
    {
        const QRect rect = w.Rect(FocusCell().row, FocusCell().col);
        return w.grid.CellInView(FocusCell().row, FocusCell().col)
            && rect.bottom() <= w.Client()->height() && rect.right() <= w.Client()->width();
    }

    GridTestWindow w{200, 12};
    TestGrid& grid = w.grid;
};

TEST_F(GridKeysTest, ArrowsSelectTheNewFocusCellAndShiftExtendsFromTheAnchor)
{
    Focus(3, 3);
    w.owner.notices.clear();
    w.Key(Qt::Key_Down);
    EXPECT_EQ(FocusCell(), CCellID(4, 3));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(4, 3, 4, 3), 1));
    EXPECT_EQ(w.owner.Codes(), (std::vector<int>{GN_SELCHANGING, GN_SELCHANGED}));
    EXPECT_EQ(w.owner.notices[0].row, 4);
    w.Key(Qt::Key_Right, Qt::ShiftModifier);
    w.Key(Qt::Key_Right, Qt::ShiftModifier);
    w.Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(FocusCell(), CCellID(3, 5));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(3, 3, 4, 5), 6));
    // In whole-row mode an arrow selects the focus row.
    grid.m_bRowSelectMode = true;
    w.Key(Qt::Key_Down);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(4, 1, 4, 11), 11));
}

TEST_F(GridKeysTest, NoMoveAtTheEdgeOfTheDataSendsNothingAndHiddenCellsAreSkipped)
{
    Focus(1, 1);
    w.owner.notices.clear();
    w.Key(Qt::Key_Up);
    w.Key(Qt::Key_Left);
    w.Key(Qt::Key_Tab, Qt::ShiftModifier); // the first cell: focus leaves the grid
    EXPECT_EQ(FocusCell(), CCellID(1, 1));
    EXPECT_TRUE(w.owner.notices.empty());
    EXPECT_NE(QApplication::focusWidget(), &grid);
    grid.setFocus();
    grid.SetRowHeight(2, 0);
    grid.SetColumnWidth(2, 0);
    grid.SetColumnWidth(11, 0);
    w.Key(Qt::Key_Down);
    w.Key(Qt::Key_Right);
    EXPECT_EQ(FocusCell(), CCellID(3, 3));
    w.Key(Qt::Key_End);
    EXPECT_EQ(FocusCell(), CCellID(3, 10));
    w.Key(Qt::Key_Up);
    w.Key(Qt::Key_Home);
    EXPECT_EQ(FocusCell(), CCellID(1, 1)); // up past the hidden row 2
    grid.SetColumnWidth(1, 0);
    w.Key(Qt::Key_Down);
    w.Key(Qt::Key_Home);
    EXPECT_EQ(FocusCell(), CCellID(3, 3));
    // Shift+Tab wraps to the last shown column of the previous shown row.
    w.Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(FocusCell(), CCellID(1, 10));
}

TEST_F(GridKeysTest, TabWrapsToTheNextRowScrolledLeftAndLeavesTheGridAfterTheLastCell)
{
    Focus(5, 1);
    w.Key(Qt::Key_End);
    EXPECT_EQ(FocusCell(), CCellID(5, 11));
    EXPECT_GT(HPos(), 0);
    w.Key(Qt::Key_Tab);
    EXPECT_EQ(FocusCell(), CCellID(6, 1));
    EXPECT_EQ(HPos(), 0);
    w.Key(Qt::Key_Tab, Qt::ShiftModifier); // back to the end of the row above
    EXPECT_EQ(FocusCell(), CCellID(5, 11));
    EXPECT_EQ(HPos(), grid.horizontalScrollBar()->maximum());
    w.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(FocusCell(), CCellID(199, 11));
    EXPECT_TRUE(FocusShown());
    w.Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &w.button);
    EXPECT_EQ(FocusCell(), CCellID(199, 11));
}

TEST_F(GridKeysTest, PageKeysMoveWithTheViewAndAFarFocusIsScrolledToInOneStep)
{
    Focus(2, 2);
    w.Key(Qt::Key_PageDown);
    const int moved = grid.TopLeftScrollCell().row - 1;
    EXPECT_GT(moved, 10);
    EXPECT_EQ(FocusCell(), CCellID(2 + moved, 2));
    EXPECT_EQ(VPos(), w.Client()->height() - grid.FixedRowsHeight());
    w.Key(Qt::Key_End, Qt::ControlModifier);
    w.Key(Qt::Key_Up);
    w.Key(Qt::Key_Up);
    w.Key(Qt::Key_PageDown); // the view cannot move: on to the last row
    EXPECT_EQ(FocusCell(), CCellID(199, 11));
    w.Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(FocusCell(), CCellID(1, 1));
    EXPECT_EQ(std::make_pair(VPos(), HPos()), std::make_pair(0LL, 0LL));
    w.Key(Qt::Key_PageUp);
    EXPECT_EQ(FocusCell(), CCellID(1, 1));
    // A focus far below the view: the next row just into view, at the bottom.
    grid.ChangeFocusCell(150, 4);
    w.Key(Qt::Key_Down);
    EXPECT_EQ(FocusCell(), CCellID(151, 4));
    EXPECT_TRUE(FocusShown());
    EXPECT_GT(w.Rect(152, 4).bottom(), w.Client()->height());
    grid.ChangeFocusCell(20, 4);
    w.Key(Qt::Key_Up);
    EXPECT_EQ(grid.TopLeftScrollCell().row, 19); // scrolled up: the row at the top
}

TEST_F(GridKeysTest, EditKeysTypingAndTheKeysLeftToTheDialog)
{
    Focus(4, 4);
    for (const auto& [key, modifier] : {std::pair(Qt::Key_C, Qt::ControlModifier),
             {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier},
             {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_X, Qt::ControlModifier},
             {Qt::Key_A, Qt::ControlModifier}, {Qt::Key_Delete, Qt::NoModifier}})
        w.Key(key, modifier);
    EXPECT_EQ(grid.commands,
        (std::vector<std::string>{
            "copy", "copy", "paste", "paste", "cut", "select all", "cut text"}));
    EXPECT_TRUE(grid.edits.empty()); // no character of a Ctrl key starts an edit
    w.Key(Qt::Key_F2);
    QTest::keyClicks(&grid, QStringLiteral("7"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("\u00e9"));
    QApplication::sendEvent(&grid, &commit);
    ASSERT_EQ(grid.edits.size(), 3u);
    EXPECT_EQ(std::make_pair(grid.edits[0].ch, grid.edits[0].point),
        std::make_pair(unsigned(VK_LBUTTON), QPoint(-1, -1)));
    EXPECT_EQ(grid.edits[1].ch, unsigned('7'));
    EXPECT_EQ(
        std::make_pair(grid.edits[2].ch, grid.edits[2].cell), std::make_pair(0xE9u, CCellID(4, 4)));
    // Return and Esc go on to the dialog around the grid.
    for (const auto& [key, text] : {std::pair(Qt::Key_Return, "\r"), {Qt::Key_Escape, "\x1b"}}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
        QApplication::sendEvent(&grid, &press);
        EXPECT_FALSE(press.isAccepted());
    }
    EXPECT_EQ(grid.edits.size(), 3u);
    // Without a focus cell nothing is taken.
    grid.ClearSelection();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&grid, &down);
    EXPECT_FALSE(down.isAccepted());
}

TEST_F(GridKeysTest, AGridOfHeadingsOnlyHasNoFocusCellAndNoBar)
{
    grid.SetRowCount(30);
    grid.SetFixedRowCount(30); // 600 pixels of headings in a smaller window
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.ChangeFocusCell(0, 0), CCellID());
    w.Key(Qt::Key_Down);
    w.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible() || grid.horizontalScrollBar()->isVisible());
}

} // namespace
