// The mouse: press, move and release, the header clicks and the click notices.
#include "display/grid/DataGrid.h"

#include <QApplication>
#include <QMouseEvent>

unsigned CDataGrid::MouseFlags(const QMouseEvent* event) const
{
    unsigned flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

void CDataGrid::OnLButtonDown(unsigned flags, QPoint point)
{
    setFocus(Qt::MouseFocusReason);
    // A hover state the mouse left without a move being seen (a touch, a jump) is over.
    if ((m_nMouseMode == OverColumnDivider && !HitsColumnDivider(point))
        || (m_nMouseMode == OverRowDivider && !HitsRowDivider(point)))
        m_nMouseMode = Idle;
    m_ptClickDown = point;
    m_bLeftButtonDown = true;
    m_idClickDown = CellAtPoint(point, true);
    if (!m_idClickDown.IsValid())
        return;
    if (!(flags & MK_SHIFT))
        m_idSelectionStart = m_idClickDown;
    else if (!m_idSelectionStart.IsValid())
        m_idSelectionStart = m_idFocusCell;
    FinishEditing();
    bool inText = false;
    if (CDataCellBase* cell = GetCell(m_idClickDown.row, m_idClickDown.col)) {
        cell->OnButtonDown(PointInCell(m_idClickDown.row, m_idClickDown.col, point));
        QRect rect;
        if (CellRectangle(m_idClickDown.row, m_idClickDown.col, &rect)
            && cell->TextRectangle(&rect))
            inText = rect.contains(point);
        // A second click on the focus cell's text edits it on release.
        if (m_idClickDown == m_idFocusCell && !(flags & MK_CONTROL) && inText && m_bEditable
            && !(cell->GetState() & GCS_READONLY)) {
            m_nMouseMode = ClickPending;
            return;
        }
    }
    if (PressOnSelectedCell(flags))
        return;
    if (m_nMouseMode == Idle) {
        if (m_bColumnSizing && HitsColumnDivider(point)) {
            SetCursorShape(Qt::SizeHorCursor);
            m_nMouseMode = OverColumnDivider;
        } else if (m_bRowSizing && HitsRowDivider(point)) {
            SetCursorShape(Qt::SizeVerCursor);
            m_nMouseMode = OverRowDivider;
        }
    }
    if (m_nMouseMode == OverColumnDivider || m_nMouseMode == OverRowDivider)
        BeginSizing(m_nMouseMode == OverColumnDivider, point);
    else if (m_nMouseMode != DragPending)
        BeginSelecting(flags);
    m_ptLastMouse = point;
}

bool CDataGrid::PressOnSelectedCell(unsigned flags)
{
    const CCellID cell = m_idClickDown;
    const bool selected
        = m_bSelectionEnabled && IsSelected(cell.row, cell.col, GetCell(cell.row, cell.col));
    if (selected && (flags & MK_CONTROL)) {
        // Deselects the block from the anchor to this cell: only the cell unless Shift
        // kept the anchor.
        ChangeFocusCell(cell);
        if (m_bRowSelectMode)
            SelectRowSpan(true, false, cell.row, cell.col);
        else
            SelectCellBlock(true, false, cell.row, cell.col);
        return true;
    }
    if (selected && m_bDragDropEnabled) {
        m_nMouseMode = DragPending;
        return false;
    }
    if (m_nMouseMode != OverColumnDivider && m_nMouseMode != OverRowDivider) {
        const bool scrolled = cell.row >= m_nFixedRowCount && cell.col >= m_nFixedColumnCount;
        ChangeFocusCell(scrolled ? cell : CCellID());
    }
    return false;
}

void CDataGrid::BeginSelecting(unsigned flags)
{
    SendGridNotify(GN_SELCHANGING, m_idClickDown.row, m_idClickDown.col);
    m_mapPrevSelected.clear();
    // With Ctrl the new block adds to the selection as it was.
    if (flags & MK_CONTROL)
        m_mapPrevSelected = m_mapSelected;
    CCellID cell = m_idClickDown;
    if (cell.row < m_nFixedRowCount) {
        FixedRowClicked(cell);
    } else if (cell.col < m_nFixedColumnCount) {
        FixedColumnClicked(cell);
    } else {
        m_nMouseMode = m_bRowSelectMode ? SelectingRows : SelectingCells;
        ExtendSelectionTo(cell);
        m_timers.SetTimer(AutoScrollTimerId, m_nAutoScrollInterval);
        m_nAutoScrollTimer = AutoScrollTimerId;
    }
}

void CDataGrid::OnMouseMove(unsigned flags, QPoint point)
{
    if (!viewport()->rect().contains(point) && m_nMouseMode != Dragging)
        return;
    if (!(flags & MK_LBUTTON) || m_nMouseMode == Idle)
        Hover(point);
    else if (m_idClickDown.IsValid() && !MoveWhileDown(point))
        return;
    m_ptLastMouse = point;
}

void CDataGrid::Hover(QPoint point)
{
    if (m_bColumnSizing && HitsColumnDivider(point)) {
        if (m_nMouseMode != OverColumnDivider) {
            SetCursorShape(Qt::SizeHorCursor);
            m_nMouseMode = OverColumnDivider;
        }
    } else if (m_bRowSizing && HitsRowDivider(point)) {
        if (m_nMouseMode != OverRowDivider) {
            SetCursorShape(Qt::SizeVerCursor);
            m_nMouseMode = OverRowDivider;
        }
    } else if (m_nMouseMode != Idle) {
        SetCursorShape(Qt::ArrowCursor);
        m_nMouseMode = Idle;
    }
    if (m_bVirtualMode && !m_bCellTipsEnabled)
        return;
    const CCellID id = CellAtPoint(point, true);
    CDataCellBase* cell = GetCell(id.row, id.col);
    if (!cell)
        return;
    cell->OnMouseOver();
    // Where a title tip would go; nothing shows one.
    const char* tip = cell->GetCellTipText();
    if (m_bCellTipsEnabled && tip && *tip && !m_bRightButtonDown && !cell->IsEditing()
        && CellRectangle(id.row, id.col, &m_rectTipCell)) {
        m_rectTipText = m_rectTipCell;
        cell->GetCellTipRect(&m_rectTipText);
    }
}

bool CDataGrid::MoveWhileDown(QPoint point)
{
    switch (m_nMouseMode) {
    case SelectingColumns:
    case SelectingRows:
    case SelectingCells: {
        const CCellID cell = CellAtPoint(point, true);
        if (!cell.IsValid())
            return false;
        if (cell != m_idFocusCell) {
            ExtendSelectionTo(cell);
            if ((cell.row >= m_nFixedRowCount && cell.col >= m_nFixedColumnCount)
                || m_nMouseMode == SelectingColumns || m_nMouseMode == SelectingRows)
                ChangeFocusCell(cell);
        }
        break;
    }
    case SizingRow:
    case SizingColumn:
        MoveSizing(point);
        break;
    case ClickPending:
    case DragPending:
        // A hand's tremor is not a drag.
        if ((point - m_ptClickDown).manhattanLength() >= QApplication::startDragDistance()) {
            m_nMouseMode = DragPending;
            StartDragAndDrop();
        }
        break;
    default:
        break;
    }
    return true;
}

void CDataGrid::OnLButtonUp(unsigned flags, QPoint point)
{
    (void)flags;
    m_bLeftButtonDown = false;
    m_timers.KillTimer(AutoScrollTimerId);
    m_nAutoScrollTimer = 0;
    const CCellID focus = m_idFocusCell;
    const QPoint relative = PointInCell(focus.row, focus.col, point);
    CDataCellBase* focusCell = GetCell(focus.row, focus.col);
    switch (m_nMouseMode) {
    case ClickPending: {
        const int kind = focusCell ? focusCell->GetCellKind() : 0;
        if (kind == 1 || kind == 2)
            ReleaseCellKind(kind, relative);
        else
            EditCell(focus.row, focus.col, relative, VK_LBUTTON);
        break;
    }
    case DragPending: // a press on the selection that did not become a drag
        if (focusCell)
            focusCell->OnClick(relative);
        SendGridNotify(NM_CLICK, m_idClickDown.row, m_idClickDown.col);
        SendGridNotify(GN_SELCHANGING, m_idClickDown.row, m_idClickDown.col);
        ClearSelection();
        SendGridNotify(GN_SELCHANGED, m_idFocusCell.row, m_idFocusCell.col);
        break;
    case SizingColumn:
    case SizingRow:
        EndSizing(m_nMouseMode == SizingColumn, point);
        break;
    default:
        if (focusCell)
            focusCell->OnClick(relative);
        break;
    }
    m_nMouseMode = Idle;
    SetCursorShape(Qt::ArrowCursor);
    if (m_idClickDown.IsValid())
        PostClick();
    // As after a release of the capture, the mouse is seen where it is again.
    if (viewport()->rect().contains(point))
        Hover(point);
}

void CDataGrid::ReleaseCellKind(int kind, QPoint relative)
{
    if (kind == 2) {
        ChooseFilePath(QStringLiteral("ACC Files(*.acc);;All Files(*.*)"));
        return;
    }
    SendGridNotify(GN_SELCHANGED, m_idFocusCell.row, m_idFocusCell.col);
    if (CDataCellBase* cell = GetCell(m_idFocusCell.row, m_idFocusCell.col))
        cell->OnClick(relative);
    SendGridNotify(NM_CLICK, m_idClickDown.row, m_idClickDown.col);
}

void CDataGrid::PostClick()
{
    // Posted: the owner hears of the click once the release has been handled.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (GridOwner* owner = GetOwner(); owner && m_bWindowCreated)
                owner->OnGridClicked(m_nCtrlID);
        },
        Qt::QueuedConnection);
}

void CDataGrid::mousePressEvent(QMouseEvent* event)
{
    m_ptCursor = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(MouseFlags(event), m_ptCursor);
    event->accept();
}

void CDataGrid::mouseMoveEvent(QMouseEvent* event)
{
    m_ptCursor = event->position().toPoint();
    // The cursor follows the mouse only while no button holds it.
    if (event->buttons() == Qt::NoButton)
        SetCursorShape(OnSetCursor(m_ptCursor));
    OnMouseMove(MouseFlags(event), m_ptCursor);
}

void CDataGrid::mouseReleaseEvent(QMouseEvent* event)
{
    m_ptCursor = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(MouseFlags(event), m_ptCursor);
    else if (event->button() == Qt::RightButton)
        OnRButtonUp(MouseFlags(event), m_ptCursor);
    event->accept();
}

void CDataGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_ptCursor = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(MouseFlags(event), m_ptCursor);
    event->accept();
}
