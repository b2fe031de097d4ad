#include "display/grid/DataGridDropTarget.h"

#include "display/grid/DataGrid.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace {

// A drop action the source offered; copy stands in for a move it did not offer.
Qt::DropAction Offered(Qt::DropAction action, Qt::DropActions possible)
{
    if (action == Qt::IgnoreAction || (possible & action))
        return action;
    return (possible & Qt::CopyAction) ? Qt::CopyAction : Qt::IgnoreAction;
}

void Answer(QDropEvent* event, Qt::DropAction action)
{
    action = Offered(action, event->possibleActions());
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

} // namespace

CDataGridDropTarget::~CDataGridDropTarget() = default;

bool CDataGridDropTarget::Register(CDataGrid* grid)
{
    if (!grid)
        return false;
    m_pGrid = grid;
    grid->viewport()->setAcceptDrops(true);
    grid->viewport()->installEventFilter(this);
    m_bRegistered = true;
    return true;
}

void CDataGridDropTarget::Revoke()
{
    m_bRegistered = false;
    if (!m_pGrid)
        return;
    m_pGrid->viewport()->removeEventFilter(this);
    m_pGrid->viewport()->setAcceptDrops(false);
}

Qt::DropAction CDataGridDropTarget::OnDragScroll(unsigned keyState, QPoint point) const
{
    (void)point;
    return (keyState & MK_CONTROL) ? Qt::CopyAction : Qt::MoveAction;
}

unsigned CDataGridDropTarget::KeyState(const QDropEvent* event)
{
    unsigned state = 0;
    if (event->buttons() & Qt::LeftButton)
        state |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        state |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        state |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        state |= MK_CONTROL;
    return state;
}

bool CDataGridDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    // Only drags over the grid's own client area reach the grid.
    if (!m_bRegistered || !m_pGrid || watched != m_pGrid->viewport())
        return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        const QPoint point = drag->position().toPoint();
        Answer(drag, m_pGrid->OnDragEnter(drag->mimeData(), KeyState(drag), point));
        return true;
    }
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        const QPoint point = drag->position().toPoint();
        Qt::DropAction action = OnDragScroll(KeyState(drag), point);
        if (action != Qt::IgnoreAction)
            action = m_pGrid->OnDragOver(drag->mimeData(), KeyState(drag), point);
        Answer(drag, action);
        return true;
    }
    case QEvent::DragLeave:
        m_pGrid->OnDragLeave();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const Qt::DropAction effect
            = Offered(CDataGrid::DragEffect(KeyState(drop)), drop->possibleActions());
        if (m_pGrid->OnDrop(drop->mimeData(), effect, drop->position().toPoint()))
            Answer(drop, effect);
        else
            drop->ignore();
        return true;
    }
    default:
        return false;
    }
}
