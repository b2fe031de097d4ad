// Following the mouse: the auto-scroll of a drag selection, a press that ends otherwise,
// the cursor, the right button and the wheel.
#include "display/grid/DataGrid.h"

#include <QGuiApplication>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

void CDataGrid::OnTimer(int id)
{
    // A tick that was under way when the press ended is too late.
    if (id != AutoScrollTimerId || m_nAutoScrollTimer == 0)
        return;
    // Where the mouse was last seen: moves keep arriving outside while the button is held.
    const QPoint point = m_ptCursor;
    const QSize client = ClientSize();
    const int right = client.width() - 1;
    const int bottom = client.height() - 1;
    const int fixedHeight = FixedRowsHeight();
    const int fixedWidth = FixedColumnsWidth();
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    const int x = std::clamp(point.x(), 0, std::max(right, 0));
    const int y = std::clamp(point.y(), 0, std::max(bottom, 0));
    if (point.y() > bottom) {
        OnKeyDown(Qt::Key_Down, modifiers);
        ExtendSelectionTo(CellAtPoint(QPoint(x, bottom), true));
    } else if (point.y() < fixedHeight) {
        OnKeyDown(Qt::Key_Up, modifiers);
        ExtendSelectionTo(CellAtPoint(QPoint(x, fixedHeight + 1), true));
    }
    if (point.x() > right) {
        OnKeyDown(Qt::Key_Right, modifiers);
        ExtendSelectionTo(CellAtPoint(QPoint(right, y), true));
    } else if (point.x() < fixedWidth) {
        OnKeyDown(Qt::Key_Left, modifiers);
        ExtendSelectionTo(CellAtPoint(QPoint(fixedWidth + 1, y), true));
    }
}

void CDataGrid::OnCaptureChanged()
{
    m_timers.KillTimer(AutoScrollTimerId);
    m_nAutoScrollTimer = 0;
    if (m_nMouseMode == Dragging)
        m_nMouseMode = Idle;
}

void CDataGrid::hideEvent(QHideEvent* event)
{
    QAbstractScrollArea::hideEvent(event);
    // A hidden window gets no release: the press ends here.
    if (m_bLeftButtonDown)
        OnCaptureChanged();
}

Qt::CursorShape CDataGrid::OnSetCursor(QPoint point)
{
    if (m_nMouseMode == OverRowDivider)
        return Qt::SizeVerCursor;
    if (m_nMouseMode == OverColumnDivider)
        return Qt::SizeHorCursor;
    if (m_nMouseMode == Dragging)
        return viewport()->cursor().shape();
    const CCellID id = m_bVirtualMode ? CCellID() : CellAtPoint(point, true);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (const CDataCellBase* cell = GetCell(id.row, id.col); cell && cell->OnSetCursor(&shape))
        return shape;
    return Qt::ArrowCursor;
}

void CDataGrid::SetCursorShape(Qt::CursorShape shape)
{
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

void CDataGrid::OnRButtonUp(unsigned flags, QPoint point)
{
    (void)flags;
    m_bRightButtonDown = false;
    const CCellID id = CellAtPoint(point, true);
    FinishEditing();
    if (!id.IsValid()) {
        SendGridNotify(NM_RCLICK, -1, -1);
        return;
    }
    ChangeFocusCell(-1, -1);
    ChangeFocusCell(std::max(id.row, m_nFixedRowCount), std::max(id.col, m_nFixedColumnCount));
    if (CDataCellBase* cell = GetCell(id.row, id.col))
        cell->OnRightClick(PointInCell(id.row, id.col, point));
    SendGridNotify(NM_RCLICK, id.row, id.col);
}

void CDataGrid::OnMouseWheel(unsigned flags, int delta, QPoint point)
{
    (void)flags, (void)point;
    // A fine wheel or a touchpad sends parts of a notch: they add up to whole lines.
    if ((m_nWheelRemainder > 0 && delta < 0) || (m_nWheelRemainder < 0 && delta > 0))
        m_nWheelRemainder = 0;
    const bool pages = m_nWheelScrollLines == WHEEL_PAGESCROLL;
    const int lines = static_cast<int>(std::min(m_nWheelScrollLines, 100u));
    m_nWheelRemainder += pages ? delta : delta * lines;
    const int count = m_nWheelRemainder / 120;
    m_nWheelRemainder -= count * 120;
    if (count == 0)
        return;
    const int code
        = pages ? (count > 0 ? SB_PAGEUP : SB_PAGEDOWN) : (count > 0 ? SB_LINEUP : SB_LINEDOWN);
    // Posted: the view scrolls after the wheel message has been handled.
    QMetaObject::invokeMethod(
        this, [this, code, count] { ScrollLines(code, std::abs(count)); }, Qt::QueuedConnection);
}

void CDataGrid::ScrollLines(int code, int count)
{
    for (int i = 0; i < count; ++i)
        OnVScroll(code);
}

void CDataGrid::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        unsigned flags = 0;
        if (event->modifiers() & Qt::ShiftModifier)
            flags |= MK_SHIFT;
        if (event->modifiers() & Qt::ControlModifier)
            flags |= MK_CONTROL;
        OnMouseWheel(flags, delta, event->position().toPoint());
    }
    event->accept();
}
