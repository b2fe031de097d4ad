#include "LiveGridWindow.h"

#include "display/grid/CellTip.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::int64_t g_now = 0;

std::int64_t FakeTicks()
{
    return g_now;
}

class CellTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tip.SetTickSource(&FakeTicks);
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
    void PressOnTip(QPoint point)
    {
        QTest::mousePress(&tip, Qt::LeftButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
        QTest::mouseRelease(w.Client(), Qt::LeftButton, Qt::NoModifier, tip.pos() + point);
    }

    LiveWindow w{40, 8};
    CCellTip& tip = w.grid.CellTip();
};

TEST_F(CellTipTest, ASecondPressWithinTheDoubleClickTimeReachesTheCellAsADoubleClick)
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

TEST_F(CellTipTest, APressOverTheScrollBarReachesTheBar)
{
    QScrollBar* bar = w.grid.verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    const int before = bar->value();
    // A tip reaching from the last column over the bar, pressed low on the bar.
    const QRect cell = w.Rect(12, 7);
    const QRect over(
        cell.topLeft(), QSize(w.Client()->width() - cell.left() + bar->width(), cell.height()));
    tip.Show(over, over, QStringLiteral("x"));
    const QPoint onBar(over.width() - bar->width() / 2, over.height() / 2);
    QTest::mousePress(&tip, Qt::LeftButton, Qt::NoModifier, onBar);
    QCoreApplication::processEvents();
    QTest::mouseRelease(
        bar, Qt::LeftButton, Qt::NoModifier, bar->mapFromGlobal(tip.mapToGlobal(onBar)));
    EXPECT_GT(bar->value(), before);
    EXPECT_FALSE(w.grid.GetFocusCell().IsValid());
}

} // namespace
