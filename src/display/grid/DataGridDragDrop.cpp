// Drag-and-drop of cell text between grids (off unless switched on), and the drag image.
#include "display/grid/DataGrid.h"

#include <QBitmap>
#include <QDrag>
#include <QMimeData>
#include <QPainter>

namespace {

bool OffersText(const QMimeData* data)
{
    return data && data->hasFormat(QStringLiteral("text/plain"));
}

} // namespace

Qt::DropAction CDataGrid::DragEffect(unsigned keyState)
{
    return (keyState & MK_CONTROL) ? Qt::CopyAction : Qt::MoveAction;
}

Qt::DropAction CDataGrid::RunDrag(QWidget* source, QMimeData* data, Qt::DropActions offered)
{
    // Qt deletes the drag, and the data with it, once the drop is over.
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    return drag->exec(offered, Qt::MoveAction);
}

void CDataGrid::StartDragAndDrop()
{
    if (!m_bDragDropEnabled)
        return;
    QMimeData* data = MakeSelectionText();
    if (!data)
        return;
    const CellRange bounds = SelectionBounds();
    SendGridNotify(GN_BEGINDRAG, bounds.minRow, bounds.minCol);
    m_nMouseMode = Dragging;
    m_bLeftButtonDown = false;
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    const Qt::DropAction result
        = m_runDrag ? m_runDrag(data, offered) : RunDrag(viewport(), data, offered);
    if (result == Qt::MoveAction)
        CutSelectionText();
}

void CDataGrid::SetDropHilite(CCellID id, bool on)
{
    if (!IsInGrid(id))
        return;
    const CDataCellBase* cell = GetCell(id.row, id.col);
    const std::uint32_t state = cell ? cell->GetState() : 0;
    SetCellState(id.row, id.col, on ? (state | GCS_DROPHILITED) : (state & ~GCS_DROPHILITED));
    RepaintCell(id.row, id.col);
}

Qt::DropAction CDataGrid::OnDragEnter(const QMimeData* data, unsigned keyState, QPoint point)
{
    if (!m_bDragDropEnabled || !OffersText(data))
        return Qt::IgnoreAction;
    m_idDragOver = CellAtPoint(point, false);
    if (!IsInGrid(m_idDragOver) || !m_bEditable)
        return Qt::IgnoreAction;
    if (const CDataCellBase* cell = GetCell(m_idDragOver.row, m_idDragOver.col);
        cell && (cell->GetState() & GCS_READONLY))
        return Qt::IgnoreAction;
    SetDropHilite(m_idDragOver, true);
    return DragEffect(keyState);
}

Qt::DropAction CDataGrid::OnDragOver(const QMimeData* data, unsigned keyState, QPoint point)
{
    if (!m_bDragDropEnabled || !m_bEditable || !OffersText(data))
        return Qt::IgnoreAction;
    const CCellID id = CellAtPoint(point, false);
    if (!IsInGrid(id)) {
        OnDragLeave();
        m_idDragOver = CCellID();
        return Qt::IgnoreAction;
    }
    if (const CDataCellBase* cell = GetCell(id.row, id.col);
        cell && (cell->GetState() & GCS_READONLY))
        return Qt::IgnoreAction;
    if (id != m_idDragOver) {
        SetDropHilite(m_idDragOver, false);
        m_idDragOver = id;
        SetDropHilite(id, true);
    }
    return DragEffect(keyState);
}

void CDataGrid::OnDragLeave()
{
    SetDropHilite(m_idDragOver, false);
}

bool CDataGrid::OnDrop(const QMimeData* data, Qt::DropAction effect, QPoint point)
{
    (void)effect, (void)point;
    m_nMouseMode = Idle;
    if (!m_bDragDropEnabled || !m_bEditable)
        return false;
    if (const CDataCellBase* cell = GetCell(m_idDragOver.row, m_idDragOver.col);
        cell && (cell->GetState() & GCS_READONLY))
        return false;
    OnDragLeave();
    return PasteClipboardText(m_idDragOver.row, m_idDragOver.col, data, false);
}

QPixmap CDataGrid::CreateDragImage(QPoint* pHotSpot)
{
    const CCellID focus = m_idFocusCell;
    CDataCellBase* cell = GetCell(focus.row, focus.col);
    QRect rect;
    if (!cell || !CellRectangle(focus.row, focus.col, &rect) || rect.isEmpty())
        return QPixmap();
    *pHotSpot = QPoint(rect.width(), rect.height());
    const QColor back = m_cellNormalDefault.GetBackColour();
    QPixmap image(rect.size());
    image.fill(back);
    {
        QPainter painter(&image);
        painter.translate(-rect.topLeft());
        cell->Draw(&painter, focus.row, focus.col, rect, true);
    }
    // The default background shows through.
    image.setMask(image.createMaskFromColor(back, Qt::MaskOutColor));
    return image;
}
