#include "LiveGridWindow.h"

#include "display/grid/CellTip.h"
#include "support/Screenshot.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
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
    bool Selected(int row, int col) const { return grid.IsCellSelectedInMap(row, col); }

    GridTestWindow w{100, 10};
    TestGrid& grid = w.grid;
};

TEST_F(GridMouseTest, ClicksShiftCtrlAndDragsSelectAndTheOwnerHearsOfThem)
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
    // Dragging selects a block; the focus follows the mouse.
    w.Drag(w.Centre(5, 5), w.Centre(7, 7));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 5, 7, 7), 9));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(7, 7));
    EXPECT_EQ(grid.GetMouseMode(), Idle);
    // Ctrl+click deselects a selected cell and adds one elsewhere.
    w.Click(w.Centre(6, 6), Qt::ControlModifier);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 5, 7, 7), 8));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(6, 6));
    w.Click(w.Centre(9, 9), Qt::ControlModifier);
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 5, 9, 9), 9));
    EXPECT_TRUE(Selected(5, 5) && Selected(9, 9) && !Selected(6, 6));
    FillReadings(grid);
    QCoreApplication::processEvents();
    ASSERT_TRUE(SaveScreenshot(&w.window, QStringLiteral("grid_selection")));
    w.Click(w.Centre(8, 8)); // a plain click starts over
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(8, 8, 8, 8), 1));
    // A right click outside the cells keeps the focus; on a heading it takes a data cell.
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    w.Click(w.Centre(2, 2));
    w.owner.notices.clear();
    QTest::mouseClick(w.Client(), Qt::RightButton, {}, QPoint(500, 300));
    EXPECT_EQ(w.owner.Codes(), std::vector<int>{NM_RCLICK});
    EXPECT_EQ(CCellID(w.owner.notices[0].row, w.owner.notices[0].col), CCellID());
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    QTest::mouseClick(w.Client(), Qt::RightButton, {}, w.Centre(0, 3));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 3));
    EXPECT_EQ(w.owner.notices.back().row, 0);
}

TEST_F(GridMouseTest, HeadingsSelectColumnsRowsOrEverythingAndAMergedAreaGivesItsMaster)
{
    w.Click(w.Centre(0, 3));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(1, 3, 99, 3), 99));
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
    const QPoint inside = w.Rect(2, 2).bottomRight() - QPoint(5, 5);
    EXPECT_EQ(grid.CellAtPoint(inside), CCellID(2, 2));
    w.Click(inside);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
}

TEST_F(GridMouseTest, ADividerSizesOnReleaseWithoutRepaintingCellsAndADoubleClickFits)
{
    // Two pixels right of the border between columns 2 and 3 is column 2's divider.
    const QPoint divider = Divider(3, 2);
    Press(divider);
    Release(divider);
    EXPECT_EQ(grid.GetColumnWidth(2), 60); // no move: no change
    Press(divider);
    EXPECT_EQ(grid.GetMouseMode(), SizingColumn);
    QCoreApplication::processEvents();
    const int paints = grid.paints;
    for (int x = 10; x <= 40; x += 10) {
        Move(divider + QPoint(x, 0));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(std::make_pair(grid.paints, grid.GetColumnWidth(2)), std::make_pair(paints, 60));
    Release(divider + QPoint(40, 0));
    EXPECT_EQ(
        std::make_pair(grid.GetColumnWidth(2), grid.GetColumnWidth(3)), std::make_pair(102, 60));
    // Dragged to the far left: 1 pixel, or nothing when the column may collapse.
    for (const int col : {2, 3}) {
        grid.m_bColumnsCanCollapse = col == 3;
        w.Drag(Divider(col + 1, 1), QPoint(0, 10));
        EXPECT_EQ(grid.GetColumnWidth(col), col == 3 ? 0 : 1);
    }
    // A row divider, in the heading column.
    const QPoint rowDivider(10, w.Rect(5, 0).top() + 1);
    w.Drag(rowDivider, rowDivider + QPoint(0, 15));
    EXPECT_EQ(grid.GetRowHeight(4), 36); // from row 4's top to 16 pixels into row 5
    // A double-click on a divider fits the column left of it.
    grid.GetCell(5, 5)->SetText("a text much wider than sixty pixels");
    Move(Divider(6, 1));
    EXPECT_EQ(grid.GetMouseMode(), OverColumnDivider);
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::SizeHorCursor);
    w.Click(Divider(6, 1));
    DoubleClick(Divider(6, 1));
    EXPECT_EQ(grid.GetColumnWidth(5), grid.GetCell(5, 5)->CellExtent(nullptr).width());
    // Over a cell: no divider, and with tips on the tip's rectangles are found.
    grid.GetCell(5, 6)->SetText("tip");
    Move(w.Centre(5, 6));
    EXPECT_EQ(grid.GetMouseMode(), Idle);
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(grid.m_rectTipCell, w.Rect(5, 6));
    EXPECT_FALSE(grid.m_rectTipText.isEmpty());
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
    std::optional<std::string> answer = "/data/site.act";
    int asked = 0;
    grid.m_chooseSaveFile = [&](const QString&) { return ++asked, answer; };
    w.Click(w.Centre(3, 3));
    EXPECT_EQ(grid.GetCellText(3, 3), "/data/site.act");
    EXPECT_TRUE(grid.GetCell(3, 3)->IsModified());
    answer.reset();
    DoubleClick(w.Centre(3, 3));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(grid.GetCellText(3, 3), "/data/site.act");
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
    // A press on the tip, released where the window system sends it: on the widget below.
    void PressOnTip(QPoint point, QWidget* below = nullptr)
    {
        QTest::mousePress(&tip, Qt::LeftButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
        below = below ? below : w.Client();
        QTest::mouseRelease(
            below, Qt::LeftButton, {}, below->mapFromGlobal(tip.mapToGlobal(point)));
    }

    LiveWindow w{40, 8};
    CCellTip& tip = w.grid.CellTip();
};

TEST_F(CellTipTest, PressesReachTheCellAsADoubleClickWithinItsTimeOrTheScrollBarBelow)
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
    // A tip reaching from the last column over the bar, pressed low on the bar.
    QScrollBar* bar = w.grid.verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    const int before = bar->value();
    const QRect cell = w.Rect(12, 7);
    const QRect over(
        cell.topLeft(), QSize(w.Client()->width() - cell.left() + bar->width(), cell.height()));
    tip.Show(over, over, QStringLiteral("x"));
    PressOnTip(QPoint(over.width() - bar->width() / 2, over.height() / 2), bar);
    EXPECT_GT(bar->value(), before);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(5, 2));
}

TEST_F(CellTipTest, KeysMovesOutsideScrollingAndEditingHideTheTip)
{
    w.Click(w.Centre(3, 2));
    ShowOver(3, 2);
    QTest::keyClick(&tip, Qt::Key_Down); // and the key still reaches the grid
    EXPECT_FALSE(tip.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(4, 2));
    ShowOver(4, 2);
    MoveOnTip(QPoint(5, 5));
    EXPECT_TRUE(tip.isVisible());
    MoveOnTip(QPoint(w.Rect(4, 2).width() + 10, 5));
    EXPECT_FALSE(tip.isVisible());
    ShowOver(2, 2);
    w.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_FALSE(tip.isVisible());
    ShowOver(2, 2);
    w.grid.EditCell(2, 2, QPoint(-1, -1), VK_LBUTTON);
    EXPECT_FALSE(tip.isVisible());
    w.grid.DestroyWindow();
    EXPECT_FALSE(tip.IsWindowCreated());
}

// Delivers a drag to a grid's client area as the window system would: enter, move, drop. The action
// the drop took; IgnoreAction when refused at any step.
Qt::DropAction DragOnto(QWidget* client, const QMimeData* data, QPoint point,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(point, offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(client, &enter);
    QDragMoveEvent move(point, offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(client, &move);
    if (!enter.isAccepted() || !move.isAccepted()) {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(client, &leave);
        return Qt::IgnoreAction;
    }
    QDropEvent drop(QPointF(point), offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(client, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

// A drop of "p<Tab>q" goes to the cell under the mouse; a drag between grids moves the cells.
TEST(GridDragDropTest, DropsTakeTheCellUnderTheMouseAndADragBetweenGridsMovesTheCells)
{
    LiveWindow target(8, 6);
    LiveGrid& grid = target.grid;
    QMimeData data;
    data.setText(QStringLiteral("p\tq"));
    grid.SetDragDropEnabled(true);
    const auto hilited
        = [&grid](int row, int col) { return (grid.State(row, col) & GCS_DROPHILITED) != 0; };
    EXPECT_EQ(grid.OnDragEnter(&data, MK_CONTROL, target.Centre(3, 2)), Qt::CopyAction);
    EXPECT_TRUE(hilited(3, 2));
    EXPECT_EQ(grid.OnDragOver(&data, 0, target.Centre(4, 2)), Qt::MoveAction);
    EXPECT_TRUE(!hilited(3, 2) && hilited(4, 2) && grid.GetDragOverCell() == CCellID(4, 2));
    // Outside the cells: refused, the highlight gone.
    EXPECT_EQ(grid.OnDragOver(&data, 0, QPoint(630, 300)), Qt::IgnoreAction);
    EXPECT_FALSE(hilited(4, 2));
    grid.SetCellState(5, 2, grid.State(5, 2) | GCS_READONLY);
    EXPECT_EQ(DragOnto(target.Client(), &data, target.Centre(5, 2)), Qt::IgnoreAction);
    EXPECT_EQ(
        DragOnto(target.Client(), &data, target.Centre(6, 2), Qt::ControlModifier), Qt::CopyAction);
    EXPECT_EQ(grid.GetCellText(6, 2) + grid.GetCellText(6, 3), "pq");
    EXPECT_FALSE(hilited(6, 2));
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    LiveWindow source(8, 6);
    source.grid.SetDragDropEnabled(true);
    source.grid.SetDragRunner([&](QMimeData* dragged, Qt::DropActions offered) {
        const std::unique_ptr<QMimeData> owned(dragged);
        EXPECT_EQ(offered, Qt::CopyAction | Qt::MoveAction);
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
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 3, image.height() / 2)), 0);
    // Switched off, every drop is refused.
    grid.SetDragDropEnabled(false);
    EXPECT_EQ(grid.OnDragEnter(&data, 0, target.Centre(4, 4)), Qt::IgnoreAction);
    EXPECT_EQ(DragOnto(target.Client(), &data, target.Centre(4, 4)), Qt::IgnoreAction);
    EXPECT_EQ(grid.GetCellText(4, 4), "4-4");
}

} // namespace
