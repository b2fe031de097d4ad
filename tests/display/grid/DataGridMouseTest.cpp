#include "LiveGridWindow.h"

#include "display/grid/CellTip.h"
#include "support/Screenshot.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWheelEvent>

#include <memory>
#include <optional>

namespace {

// 100 rows and 10 columns of 20 x 60 pixels in a 640 x 400 window.
class GridMouseTest : public ::testing::Test
{
protected:
    void Press(QPoint point) { QTest::mousePress(w.Client(), Qt::LeftButton, {}, point); }
    void Move(QPoint point) { QTest::mouseMove(w.Client(), point); }
    void Release(QPoint point) { QTest::mouseRelease(w.Client(), Qt::LeftButton, {}, point); }
    void DoubleClick(QPoint point)
    {
        QTest::mouseDClick(w.Client(), Qt::LeftButton, {}, point);
        Release(point);
    }
    // The border between column col - 1 and col, within the heading row.
    QPoint Divider(int col, int offset) { return QPoint(w.Rect(0, col).left() + offset, 10); }

    GridTestWindow w{100, 10};
    TestGrid& grid = w.grid;
};

TEST_F(GridMouseTest, ClicksShiftCtrlDragsAndHeadingsSelectAndTheOwnerHearsOfThem)
{
    w.Click(w.Centre(2, 2));
    EXPECT_EQ(w.owner.Codes(), std::vector<int>{GN_SELCHANGING});
    QCoreApplication::processEvents(); // the click notice is posted
    EXPECT_EQ(w.owner.clicks, std::vector<int>{7});
    w.Click(w.Centre(4, 3), Qt::ShiftModifier);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(2, 2, 4, 3), 6));
    // Dragging selects a block.
    w.Drag(w.Centre(5, 5), w.Centre(7, 7));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 5, 7, 7), 9));
    // Ctrl+click deselects a selected cell and adds one elsewhere.
    w.Click(w.Centre(6, 6), Qt::ControlModifier);
    w.Click(w.Centre(9, 9), Qt::ControlModifier);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 5, 9, 9), 9));
    EXPECT_TRUE(grid.IsCellSelectedInMap(9, 9) && !grid.IsCellSelectedInMap(6, 6));
    FillReadings(grid);
    QCoreApplication::processEvents();
    ASSERT_TRUE(SaveScreenshot(&w.window, QStringLiteral("grid_selection")));
    // Headings select columns, a row or everything.
    w.Drag(w.Centre(0, 2), w.Centre(0, 4));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(1, 2, 99, 4), 3 * 99));
    w.Click(w.Centre(5, 0));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 1, 5, 9), 9));
    w.Click(w.Centre(0, 0));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(1, 1, 99, 9), 99 * 9));
    // A merged area: every point in it is its top-left cell.
    grid.GetCell(2, 2)->SetMergeRange(CellRange(2, 2, 3, 3));
    for (const CCellID member : {CCellID(2, 3), CCellID(3, 2), CCellID(3, 3)})
        grid.GetCell(member.row, member.col)->SetMergeOwner(2, 2);
    w.Click(w.Rect(2, 2).bottomRight() - QPoint(5, 5));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    // A right click outside the cells keeps the focus; on a heading it takes a data cell.
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    w.Click(w.Centre(2, 2));
    w.owner.notices.clear();
    QTest::mouseClick(w.Client(), Qt::RightButton, {}, QPoint(500, 300));
    EXPECT_EQ(w.owner.Codes(), std::vector<int>{NM_RCLICK});
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    QTest::mouseClick(w.Client(), Qt::RightButton, {}, w.Centre(0, 3));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 3));
    EXPECT_EQ(CCellID(w.owner.notices.back().row, w.owner.notices.back().col), CCellID(0, 3));
}

TEST_F(GridMouseTest, ADividerSizesOnReleaseWithoutRepaintingCellsAndADoubleClickFits)
{
    // Two pixels right of the border between columns 2 and 3 is column 2's divider.
    const QPoint divider = Divider(3, 2);
    Press(divider);
    EXPECT_EQ(grid.GetMouseMode(), SizingColumn);
    QCoreApplication::processEvents();
    const int paints = grid.paints;
    Move(divider + QPoint(40, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(std::make_pair(grid.paints, grid.GetColumnWidth(2)), std::make_pair(paints, 60));
    Release(divider + QPoint(40, 0));
    EXPECT_EQ(
        std::make_pair(grid.GetColumnWidth(2), grid.GetColumnWidth(3)), std::make_pair(102, 60));
    // A row divider, in the heading column.
    const QPoint rowDivider(10, w.Rect(5, 0).top() + 1);
    w.Drag(rowDivider, rowDivider + QPoint(0, 15));
    EXPECT_EQ(grid.GetRowHeight(4), 36); // from row 4's top to 16 pixels into row 5
    // A double-click on a divider fits the column left of it.
    grid.GetCell(5, 5)->SetText("a text much wider than sixty pixels");
    Move(Divider(6, 1));
    EXPECT_EQ(grid.GetMouseMode(), OverColumnDivider);
    w.Click(Divider(6, 1));
    DoubleClick(Divider(6, 1));
    EXPECT_EQ(grid.GetColumnWidth(5), grid.GetCell(5, 5)->CellExtent(nullptr).width());
    // On a cell: the double-click notice, after a click that put the focus there.
    w.Click(w.Centre(5, 6));
    DoubleClick(w.Centre(5, 6));
    EXPECT_EQ(w.owner.notices.back().hdr.code, NM_DBLCLK);
    EXPECT_EQ(grid.edits.size(), 1u); // the second press was on the focus cell's text
}

TEST_F(GridMouseTest, ASecondClickOnTheFocusCellEditsAndTheCellKindsEndIdle)
{
    w.Click(w.Centre(3, 3));
    w.Click(w.Centre(3, 3));
    ASSERT_EQ(grid.edits.size(), 1u);
    EXPECT_EQ(grid.edits[0].first, w.Centre(3, 3) - w.Rect(3, 3).topLeft());
    // A click-only cell: no edit, the notices, and the keyboard works at once.
    grid.GetCell(3, 3)->SetCellKind(1);
    w.owner.notices.clear();
    w.Click(w.Centre(3, 3));
    EXPECT_EQ(w.owner.Codes(), (std::vector<int>{GN_SELCHANGED, NM_CLICK}));
    QTest::keyClicks(&grid, QStringLiteral("x"));
    EXPECT_EQ(grid.edits.size(), 2u);
    // A file-path cell takes the path chosen and ends idle too.
    grid.GetCell(3, 3)->SetCellKind(2);
    grid.m_chooseSaveFile = [](const QString&) { return std::optional<std::string>("/d/s.act"); };
    w.Click(w.Centre(3, 3));
    EXPECT_EQ(grid.GetCellText(3, 3), "/d/s.act");
    EXPECT_EQ(grid.GetMouseMode(), Idle);
}

TEST_F(GridMouseTest, TheWheelScrollsAfterTheEventAndHeldBelowTheGridARowPerTick)
{
    const long long page = w.Client()->height() - grid.FixedRowsHeight();
    // Lines per notch, the wheel's delta, the position then; a touchpad's 20 is half a line.
    const std::tuple<int, int, long long> steps[] = {{WHEEL_PAGESCROLL, -120, page},
        {WHEEL_PAGESCROLL, 120, 0}, {3, -120, 3 * 20}, {3, -20, 3 * 20}, {3, -20, 4 * 20}};
    long long was = 0;
    for (const auto& [lines, delta, pos] : steps) {
        grid.SetWheelScrollLines(lines);
        const QPoint point = w.Centre(3, 3);
        QWheelEvent wheel(point, w.Client()->mapToGlobal(point), QPoint(), QPoint(0, delta),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.Client(), &wheel);
        EXPECT_EQ(grid.GetScrollPos(true), was); // posted
        QCoreApplication::processEvents();
        EXPECT_EQ(grid.GetScrollPos(true), was = pos) << lines << " " << delta;
    }
    grid.verticalScrollBar()->setValue(0);
    const QPoint start = w.Centre(3, 2);
    Press(start);
    const int bottom = w.Client()->height() - 1;
    Move(QPoint(start.x(), bottom - 2));
    Move(QPoint(start.x(), bottom + 40)); // outside: only seen
    // The first tick brings the focus row fully into view, each one after a row more.
    grid.OnTimer(CDataGrid::AutoScrollTimerId);
    const long long first = grid.GetScrollPos(true);
    const CCellID before = grid.GetFocusCell();
    for (int tick = 1; tick <= 3; ++tick) {
        grid.OnTimer(CDataGrid::AutoScrollTimerId);
        EXPECT_EQ(grid.GetScrollPos(true), first + tick * 20);
        EXPECT_EQ(grid.GetFocusCell().row, before.row + tick);
        const int edgeRow = grid.CellAtPoint(QPoint(start.x(), bottom)).row;
        EXPECT_EQ(grid.SelectionBounds(), CellRange(3, 2, edgeRow, 2)); // to the bottom edge
    }
    Release(QPoint(start.x(), bottom + 40));
}

std::int64_t g_now = 0;

class CellTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tip.SetTickSource([] { return g_now; });
        ASSERT_TRUE(tip.Create(&w.grid));
    }
    // Shows the tip over a cell, twice as wide as the cell.
    void ShowOver(int row, int col)
    {
        const QRect cell = w.Rect(row, col);
        tip.Show(cell, cell, QStringLiteral("a text longer than its cell"));
        ASSERT_TRUE(tip.isVisible());
    }
    void MoveOnTip(QPoint point)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(point), QPointF(point),
            QPointF(tip.mapToGlobal(point)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&tip, &move);
    }
    // A press on the tip, released where the window system sends it: on the grid below.
    void PressOnTip(QPoint point)
    {
        QTest::mousePress(&tip, Qt::LeftButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
        QTest::mouseRelease(
            w.Client(), Qt::LeftButton, {}, w.Client()->mapFromGlobal(tip.mapToGlobal(point)));
    }

    LiveWindow w{40, 8};
    CCellTip& tip = w.grid.CellTip();
};

TEST_F(CellTipTest, PressesReachTheCellAsADoubleClickWithinItsTimeAndKeysMovesOrScrollsHideIt)
{
    ShowOver(3, 2);
    g_now = 1000;
    PressOnTip(QPoint(5, 5));
    EXPECT_FALSE(tip.isVisible());
    EXPECT_EQ(w.owner.Count(NM_DBLCLK), 0);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(3, 2));
    ShowOver(3, 2);
    g_now = 1000 + QApplication::doubleClickInterval();
    PressOnTip(QPoint(5, 5));
    EXPECT_EQ(w.owner.Count(NM_DBLCLK), 1);
    EXPECT_NE(w.grid.Editor(), nullptr);
    // Later than that it is a press again.
    LiveWindow::Settle();
    ShowOver(5, 2);
    g_now += QApplication::doubleClickInterval() + 1;
    PressOnTip(QPoint(5, 5));
    EXPECT_EQ(w.owner.Count(NM_DBLCLK), 1);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(5, 2));
    // Keys, moves off the tip and scrolling hide it.
    ShowOver(5, 2);
    QTest::keyClick(&tip, Qt::Key_Down); // and the key still reaches the grid
    EXPECT_FALSE(tip.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(6, 2));
    ShowOver(4, 2);
    MoveOnTip(QPoint(5, 5));
    EXPECT_TRUE(tip.isVisible());
    MoveOnTip(QPoint(w.Rect(4, 2).width() + 10, 5));
    EXPECT_FALSE(tip.isVisible());
    ShowOver(2, 2);
    w.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_FALSE(tip.isVisible());
}

// Delivers a drag as the window system would: enter, move, drop; IgnoreAction when refused.
Qt::DropAction DragOnto(QWidget* client, const QMimeData* data, QPoint point,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(point, offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(client, &enter);
    QDragMoveEvent move(point, offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(client, &move);
    if (!enter.isAccepted() || !move.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(QPointF(point), offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(client, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

TEST(GridDragDropTest, DropsTakeTheCellUnderTheMouseAndADragBetweenGridsMovesTheCells)
{
    LiveWindow target(8, 6);
    LiveGrid& grid = target.grid;
    QMimeData data;
    data.setText(QStringLiteral("p\tq"));
    grid.SetDragDropEnabled(true);
    // The cell under the drag is highlighted; outside the cells: refused, the highlight gone.
    EXPECT_EQ(grid.OnDragEnter(&data, MK_CONTROL, target.Centre(3, 2)), Qt::CopyAction);
    EXPECT_NE(grid.State(3, 2) & GCS_DROPHILITED, 0u);
    EXPECT_EQ(grid.OnDragOver(&data, 0, QPoint(630, 300)), Qt::IgnoreAction);
    EXPECT_EQ(grid.State(3, 2) & GCS_DROPHILITED, 0u);
    grid.SetCellState(5, 2, grid.State(5, 2) | GCS_READONLY);
    EXPECT_EQ(DragOnto(target.Client(), &data, target.Centre(5, 2)), Qt::IgnoreAction);
    EXPECT_EQ(
        DragOnto(target.Client(), &data, target.Centre(6, 2), Qt::ControlModifier), Qt::CopyAction);
    EXPECT_EQ(grid.GetCellText(6, 2) + grid.GetCellText(6, 3), "pq");
    LiveWindow source(8, 6);
    source.grid.SetDragDropEnabled(true);
    source.grid.SetDragRunner([&](QMimeData* dragged, Qt::DropActions) {
        const std::unique_ptr<QMimeData> owned(dragged);
        return DragOnto(target.Client(), owned.get(), target.Centre(2, 1));
    });
    // A press on the selection and a move past the drag distance start the drag.
    source.Click(source.Centre(3, 3));
    source.Click(source.Centre(3, 4), Qt::ShiftModifier);
    source.Drag(source.Centre(3, 3), source.Centre(3, 3) + QPoint(0, 15));
    EXPECT_EQ(source.owner.Count(GN_BEGINDRAG), 1);
    EXPECT_EQ(grid.GetCellText(2, 1) + "," + grid.GetCellText(2, 2), "3-3,3-4");
    EXPECT_EQ(source.grid.GetCellText(3, 3) + source.grid.GetCellText(3, 4), "");
    // The drag image is the focus cell, its frame shown and its plain background clear.
    QPoint hotSpot;
    EXPECT_TRUE(grid.CreateDragImage(&hotSpot).isNull()); // no focus cell
    target.Click(target.Centre(2, 2));
    const QImage image = grid.CreateDragImage(&hotSpot).toImage();
    ASSERT_EQ(image.size(), target.Rect(2, 2).size());
    EXPECT_EQ(hotSpot, QPoint(image.width(), image.height()));
    EXPECT_EQ(std::pair(qAlpha(image.pixel(0, 0)),
                  qAlpha(image.pixel(image.width() - 3, image.height() / 2))),
        std::pair(255, 0));
}

// A heading click sorts only when switched on; sorting is stable and moves whole rows.
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
    w.Click(w.Centre(0, 2)); // as in the program: it selects the column and sorts nothing
    EXPECT_EQ(w.grid.GetCellText(1, 2), "m");
    w.grid.SetClickSortsColumn(true);
    // Each click: the first key then, whether ascending; another column starts ascending.
    const std::tuple<int, std::string, bool> clicks[]
        = {{2, "a", true}, {2, "z", false}, {1, "1-1", true}};
    for (const auto& [col, first, ascending] : clicks) {
        w.Click(w.Centre(0, col));
        EXPECT_EQ(std::make_pair(w.grid.GetCellText(1, col), w.grid.GetSortAscending()),
            std::make_pair(first, ascending));
    }
    ASSERT_EQ(order(), "123456789");
    w.Click(w.Centre(3, 3));
    ASSERT_TRUE(w.grid.SortByColumn(2, true));
    EXPECT_EQ(order(), "462958137");
    EXPECT_EQ(std::make_tuple(w.grid.GetRowHeight(1), w.grid.GetRowHeight(9),
                  w.grid.GetRowHeight(4), w.grid.GetFocusCell().IsValid()),
        std::make_tuple(31, 0, 20, false));
    ASSERT_TRUE(w.grid.SortByColumn(2, false));
    EXPECT_EQ(order(), "731589264");
}

} // namespace
