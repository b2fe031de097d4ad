#include "LiveGridWindow.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Delivers a drag to a grid's client area as the window system would: enter, move, drop.
// The action the drop took; IgnoreAction when refused at any step.
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

class GridDragDropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.setText(QStringLiteral("p\tq"));
        target.grid.SetDragDropEnabled(true);
    }
    QMimeData data;
    LiveWindow target{8, 6};
};

TEST_F(GridDragDropTest, TheCellUnderTheMouseIsHighlightedAndTakesTheDropWhenSwitchedOn)
{
    const QPoint point = target.Centre(3, 2);
    EXPECT_EQ(target.grid.OnDragEnter(&data, MK_CONTROL, point), Qt::CopyAction);
    EXPECT_TRUE(target.grid.State(3, 2) & GCS_DROPHILITED);
    EXPECT_EQ(target.grid.OnDragOver(&data, 0, target.Centre(4, 2)), Qt::MoveAction);
    EXPECT_FALSE(target.grid.State(3, 2) & GCS_DROPHILITED);
    EXPECT_TRUE(target.grid.State(4, 2) & GCS_DROPHILITED);
    EXPECT_EQ(target.grid.GetDragOverCell(), CCellID(4, 2));
    // Outside the cells: refused, the highlight gone.
    EXPECT_EQ(target.grid.OnDragOver(&data, 0, QPoint(630, 300)), Qt::IgnoreAction);
    EXPECT_FALSE(target.grid.State(4, 2) & GCS_DROPHILITED);

    target.grid.SetCellState(5, 2, target.grid.State(5, 2) | GCS_READONLY);
    EXPECT_EQ(DragOnto(target.Client(), &data, target.Centre(5, 2)), Qt::IgnoreAction);
    EXPECT_EQ(
        DragOnto(target.Client(), &data, target.Centre(6, 2), Qt::ControlModifier), Qt::CopyAction);
    EXPECT_EQ(target.grid.GetCellText(6, 2), "p");
    EXPECT_EQ(target.grid.GetCellText(6, 3), "q");
    EXPECT_FALSE(target.grid.State(6, 2) & GCS_DROPHILITED);
    EXPECT_EQ(target.grid.GetSelectedCount(), 0);
    // Switched off, every drop is refused.
    target.grid.SetDragDropEnabled(false);
    EXPECT_EQ(target.grid.OnDragEnter(&data, 0, target.Centre(2, 2)), Qt::IgnoreAction);
    EXPECT_EQ(DragOnto(target.Client(), &data, target.Centre(2, 2)), Qt::IgnoreAction);
    EXPECT_EQ(target.grid.GetCellText(2, 2), "2-2");
}

TEST_F(GridDragDropTest, ADragBetweenTwoGridsMovesTheCells)
{
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
    const QPoint from = source.Centre(3, 3);
    QTest::mousePress(source.Client(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(source.Client(), from + QPoint(0, 15));
    QTest::mouseRelease(source.Client(), Qt::LeftButton, Qt::NoModifier, from + QPoint(0, 15));
    EXPECT_EQ(source.owner.Count(GN_BEGINDRAG), 1);
    EXPECT_EQ(target.grid.GetCellText(2, 1), "3-3");
    EXPECT_EQ(target.grid.GetCellText(2, 2), "3-4");
    EXPECT_EQ(source.grid.GetCellText(3, 3), "");
    EXPECT_EQ(source.grid.GetCellText(3, 4), "");
}

TEST_F(GridDragDropTest, TheDragImageIsTheFocusCellWithItsBackgroundClear)
{
    QPoint hotSpot;
    EXPECT_TRUE(target.grid.CreateDragImage(&hotSpot).isNull());
    target.Click(target.Centre(2, 2));
    const QPixmap image = target.grid.CreateDragImage(&hotSpot);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), target.Rect(2, 2).size());
    EXPECT_EQ(hotSpot, QPoint(image.width(), image.height()));
    const QImage pixels = image.toImage();
    // The frame of the focus cell shows; the plain background inside does not.
    EXPECT_EQ(qAlpha(pixels.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(pixels.pixel(image.width() - 3, image.height() / 2)), 0);
}

} // namespace
