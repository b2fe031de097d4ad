#include "GridTestWindow.h"

#include "support/Screenshot.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <optional>

namespace {

// 100 rows and 10 columns of 20 x 60 pixels in a 640 x 400 window.
class GridMouseTest : public ::testing::Test
{
protected:
    void Press(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(w.Client(), Qt::LeftButton, modifiers, point);
    }
    void Move(QPoint point) { QTest::mouseMove(w.Client(), point); }
    void Release(QPoint point) { QTest::mouseRelease(w.Client(), Qt::LeftButton, {}, point); }
    void Drag(QPoint from, QPoint to) { w.Drag(from, to); }
    // A move without a button, as the mouse passes over the grid.
    void Hover(QPoint point)
    {
        QMouseEvent move(QEvent::MouseMove, point, w.Client()->mapToGlobal(point), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w.Client(), &move);
    }
    void Wheel(int delta)
    {
        const QPoint point = w.Centre(3, 3);
        QWheelEvent wheel(point, w.Client()->mapToGlobal(point), QPoint(), QPoint(0, delta),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.Client(), &wheel);
    }
    // The border between column col - 1 and col, within the heading row.
    QPoint Divider(int col, int offset) { return QPoint(w.Rect(0, col).left() + offset, 10); }
    bool Selected(int row, int col) const { return grid.IsCellSelectedInMap(row, col); }

    GridTestWindow w{100, 10};
    TestGrid& grid = w.grid;
};

TEST_F(GridMouseTest, AClickSelectsItsCellShiftExtendsAndTheOwnerHearsOfIt)
{
    w.Click(w.Centre(2, 2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(2, 2, 2, 2), 1));
    EXPECT_EQ(w.owner.Codes(), std::vector<int>{GN_SELCHANGING});
    EXPECT_TRUE(w.owner.clicks.empty()); // posted, not sent
    QCoreApplication::processEvents();
    EXPECT_EQ(w.owner.clicks, std::vector<int>{7});
    w.Click(w.Centre(4, 3), Qt::ShiftModifier);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(2, 2, 4, 3), 6));
    // Dragging extends the block; the focus follows the mouse.
    Drag(w.Centre(5, 5), w.Centre(7, 6));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 5, 7, 6), 6));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(7, 6));
    EXPECT_EQ(grid.GetMouseMode(), Idle);
    FillReadings(grid);
    QCoreApplication::processEvents();
    ASSERT_TRUE(SaveScreenshot(&w.window, QStringLiteral("grid_selection")));
}

TEST_F(GridMouseTest, ControlClickDeselectsASelectedCellAndAddsABlockElsewhere)
{
    Drag(w.Centre(2, 2), w.Centre(4, 4));
    ASSERT_EQ(w.Selection().second, 9);
    w.Click(w.Centre(3, 3), Qt::ControlModifier);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(2, 2, 4, 4), 8));
    EXPECT_FALSE(Selected(3, 3));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 3));
    w.Click(w.Centre(6, 6), Qt::ControlModifier);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(2, 2, 6, 6), 9));
    EXPECT_TRUE(Selected(2, 2) && Selected(6, 6) && !Selected(3, 3));
    // A plain click starts over.
    w.Click(w.Centre(8, 8));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(8, 8, 8, 8), 1));
}

TEST_F(GridMouseTest, HeadingsSelectColumnsRowsOrEverythingAndAMergedAreaGivesItsMaster)
{
    w.Click(w.Centre(0, 3));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(1, 3, 99, 3), 99));
    Drag(w.Centre(0, 2), w.Centre(0, 4));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(1, 2, 99, 4), 3 * 99));
    w.Click(w.Centre(5, 0));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 1, 5, 9), 9));
    w.Click(w.Centre(0, 0));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(1, 1, 99, 9), 99 * 9));
    // A merged area: every point in it is its top-left cell.
    grid.GetCell(2, 2)->SetMergeRange(CellRange(2, 2, 3, 3));
    for (const CCellID member : {CCellID(2, 3), CCellID(3, 2), CCellID(3, 3)})
        grid.GetCell(member.row, member.col)->SetMergeOwner(2, 2);
    const QPoint inside = w.Rect(2, 2).bottomRight() - QPoint(5, 5);
    EXPECT_EQ(grid.CellAtPoint(inside), CCellID(2, 2));
    w.Click(inside);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
}

TEST_F(GridMouseTest, DraggingADividerSizesTheColumnOnReleaseWithoutRepaintingCells)
{
    // Three pixels right of the border between columns 2 and 3 is column 2's divider.
    Press(Divider(3, 2));
    Release(Divider(3, 2));
    EXPECT_EQ(grid.GetColumnWidth(2), 60); // no move: no change
    Press(Divider(3, 2));
    EXPECT_EQ(grid.GetMouseMode(), SizingColumn);
    QCoreApplication::processEvents();
    const int paints = grid.paints;
    for (int x = 10; x <= 40; x += 10) {
        Move(Divider(3, 2) + QPoint(x, 0));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(grid.paints, paints);
    EXPECT_EQ(grid.GetColumnWidth(2), 60); // applied once, on release
    Release(Divider(3, 2) + QPoint(40, 0));
    EXPECT_EQ(grid.GetColumnWidth(2), 102);
    EXPECT_EQ(grid.GetColumnWidth(3), 60);
    // Dragged to the far left: 1 pixel, or nothing when the column may collapse.
    grid.m_bColumnsCanCollapse = false;
    Drag(Divider(3, 1), QPoint(0, 10));
    EXPECT_EQ(grid.GetColumnWidth(2), 1);
    grid.m_bColumnsCanCollapse = true;
    Drag(Divider(4, 1), QPoint(0, 10));
    EXPECT_EQ(grid.GetColumnWidth(3), 0);
    // A row divider, in the heading column.
    const QPoint rowDivider(10, w.Rect(5, 0).top() + 1);
    Drag(rowDivider, rowDivider + QPoint(0, 15));
    EXPECT_EQ(grid.GetRowHeight(4), 36); // from row 4's top to 16 pixels into row 5
}

TEST_F(GridMouseTest, DoubleClickOnADividerFitsTheColumnLeftOfIt)
{
    grid.GetCell(5, 2)->SetText("a text much wider than sixty pixels");
    const QPoint divider = Divider(3, 1);
    Hover(divider);
    EXPECT_EQ(grid.GetMouseMode(), OverColumnDivider);
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::SizeHorCursor);
    w.Click(divider);
    QTest::mouseDClick(w.Client(), Qt::LeftButton, {}, divider);
    Release(divider);
    EXPECT_EQ(grid.GetColumnWidth(2), grid.GetCell(5, 2)->CellExtent(nullptr).width());
    // Over a cell: no divider, and with tips on the tip's rectangles are found.
    grid.GetCell(5, 5)->SetText("tip");
    Hover(w.Centre(5, 5));
    EXPECT_EQ(grid.GetMouseMode(), Idle);
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(grid.m_rectTipCell, w.Rect(5, 5));
    EXPECT_FALSE(grid.m_rectTipText.isEmpty());
    // On a cell: the double-click notice, after a click that put the focus there.
    w.owner.notices.clear();
    w.Click(w.Centre(5, 5));
    QTest::mouseDClick(w.Client(), Qt::LeftButton, {}, w.Centre(5, 5));
    Release(w.Centre(5, 5));
    EXPECT_EQ(w.owner.notices.back().hdr.code, NM_DBLCLK);
    EXPECT_EQ(grid.edits.size(), 1u); // the second press was on the focus cell's text
}

TEST_F(GridMouseTest, ASecondClickOnTheFocusCellEditsAndTheCellKindsEndIdle)
{
    w.Click(w.Centre(3, 3));
    w.Click(w.Centre(3, 3));
    ASSERT_EQ(grid.edits.size(), 1u);
    EXPECT_EQ(grid.edits[0].ch, VK_LBUTTON);
    EXPECT_EQ(grid.edits[0].point, w.Centre(3, 3) - w.Rect(3, 3).topLeft());
    // A click-only cell: no edit, the notices, and the keyboard works at once.
    grid.GetCell(3, 3)->SetCellKind(1);
    w.owner.notices.clear();
    w.Click(w.Centre(3, 3));
    EXPECT_EQ(grid.edits.size(), 1u);
    EXPECT_EQ(w.owner.Codes(), (std::vector<int>{GN_SELCHANGED, NM_CLICK}));
    EXPECT_EQ(grid.GetMouseMode(), Idle);
    QTest::keyClicks(&grid, QStringLiteral("x"));
    EXPECT_EQ(grid.edits.size(), 2u);
    // A file-path cell takes the path chosen; a cancelled choice changes nothing.
    grid.GetCell(3, 3)->SetCellKind(2);
    QString filter;
    std::optional<std::string> answer = "/data/site.act";
    grid.m_chooseSaveFile = [&](const QString& asked) {
        filter = asked;
        return answer;
    };
    w.Click(w.Centre(3, 3));
    EXPECT_EQ(filter, QStringLiteral("ACC Files(*.acc);;All Files(*.*)"));
    EXPECT_EQ(grid.GetCellText(3, 3), "/data/site.act");
    EXPECT_TRUE(grid.GetCell(3, 3)->IsModified());
    answer.reset();
    QTest::mouseDClick(w.Client(), Qt::LeftButton, {}, w.Centre(3, 3));
    Release(w.Centre(3, 3));
    EXPECT_EQ(filter, QStringLiteral("ACT Files(*.acc);;All Files(*.*)"));
    EXPECT_EQ(grid.GetCellText(3, 3), "/data/site.act");
}

TEST_F(GridMouseTest, TheWheelScrollsLinesOrPagesAfterTheEventAndAddsUpFineSteps)
{
    grid.SetWheelScrollLines(WHEEL_PAGESCROLL);
    Wheel(-120);
    EXPECT_EQ(grid.GetScrollPos(true), 0); // posted
    QCoreApplication::processEvents();
    const long long page = w.Client()->height() - grid.FixedRowsHeight();
    EXPECT_EQ(grid.GetScrollPos(true), page);
    Wheel(120);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.GetScrollPos(true), 0);
    grid.SetWheelScrollLines(3);
    Wheel(-120);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.GetScrollPos(true), 3 * 20);
    Wheel(-20); // a touchpad's part of a notch: half a line
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.GetScrollPos(true), 3 * 20);
    Wheel(-20);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.GetScrollPos(true), 4 * 20);
}

TEST_F(GridMouseTest, ARightClickOutsideTheCellsKeepsTheFocus)
{
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    w.Click(w.Centre(2, 2));
    w.owner.notices.clear();
    QTest::mouseClick(w.Client(), Qt::RightButton, {}, QPoint(500, 300));
    ASSERT_EQ(w.owner.notices.size(), 1u);
    EXPECT_EQ(w.owner.notices[0].hdr.code, NM_RCLICK);
    EXPECT_EQ(CCellID(w.owner.notices[0].row, w.owner.notices[0].col), CCellID());
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    QTest::mouseClick(w.Client(), Qt::RightButton, {}, w.Centre(0, 3));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 3)); // a heading gives its first data cell
    EXPECT_EQ(w.owner.notices.back().row, 0);
}

TEST_F(GridMouseTest, HeldBelowTheGridTheViewScrollsARowPerTickAndTheSelectionFollows)
{
    const QPoint start = w.Centre(3, 2);
    Press(start);
    const int bottom = w.Client()->height() - 1;
    Move(QPoint(start.x(), bottom - 2));
    Move(QPoint(start.x(), bottom + 40)); // outside: only seen
    // The first tick brings the focus row fully into view, each one after a row more.
    grid.OnTimer(CDataGrid::AutoScrollTimerId);
    const long long first = grid.GetScrollPos(true);
    const CCellID before = grid.GetFocusCell();
    ASSERT_GT(first, 0);
    for (int tick = 1; tick <= 5; ++tick) {
        grid.OnTimer(CDataGrid::AutoScrollTimerId);
        EXPECT_EQ(grid.GetScrollPos(true), first + tick * 20);
        EXPECT_EQ(grid.GetFocusCell().row, before.row + tick);
        // The selection reaches the row at the bottom edge.
        const int edgeRow = grid.CellAtPoint(QPoint(start.x(), bottom)).row;
        EXPECT_GE(edgeRow, before.row + tick);
        EXPECT_EQ(grid.SelectionBounds(), CellRange(3, 2, edgeRow, 2));
    }
    Release(QPoint(start.x(), bottom + 40));
    grid.OnTimer(CDataGrid::AutoScrollTimerId); // a tick after the release changes nothing
    EXPECT_EQ(grid.GetScrollPos(true), first + 5 * 20);
}

} // namespace
