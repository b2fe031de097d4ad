// Where cells lie at the current scroll positions, hit tests and the focus cell.
#include "display/grid/DataGrid.h"

#include <QApplication>
#include <QPointer>

QSize CDataGrid::ClientSize() const
{
    return viewport()->size();
}

CCellID CDataGrid::TopLeftScrollCell()
{
    if (m_idTopLeftCache.row < 0 || m_idTopLeftCache.col < 0)
        m_idTopLeftCache = m_geometry.TopLeftScrollCell(m_scrollH.Pos(), m_scrollV.Pos());
    return m_idTopLeftCache;
}

CellRange CDataGrid::VisibleCellSpan(QRect* extent)
{
    return m_geometry.VisibleCellSpan(ClientSize(), TopLeftScrollCell(), extent);
}

bool CDataGrid::CellOrigin(int row, int col, QPoint* origin)
{
    return m_geometry.CellOrigin(row, col, TopLeftScrollCell(), origin);
}

bool CDataGrid::CellRectangle(int row, int col, QRect* rect)
{
    const CDataCellBase* cell = GetCell(row, col);
    if (cell && cell->GetMergeRange().CellCount() >= 2)
        return SpanRectangle(cell->GetMergeRange(), rect);
    return m_geometry.CellRectangle(row, col, TopLeftScrollCell(), rect);
}

bool CDataGrid::SpanRectangle(const CellRange& range, QRect* rect)
{
    return m_geometry.SpanRectangle(range, TopLeftScrollCell(), rect);
}

bool CDataGrid::CellInView(int row, int col)
{
    if (!m_bWindowCreated)
        return false;
    return m_geometry.CellInView(row, col, ClientSize(), TopLeftScrollCell());
}

bool CDataGrid::InvalidateCell(int row, int col)
{
    if (!m_bWindowCreated || !m_bAllowRedraw || !CCellID(row, col).IsValid()
        || !CellInView(row, col))
        return false;
    QRect rect;
    if (!CellRectangle(row, col, &rect))
        return false;
    // The cell rectangle takes in the grid line at its right and bottom.
    viewport()->update(rect);
    return true;
}

void CDataGrid::RepaintFocusHeadings(CCellID cell, CCellID other)
{
    if (!m_bHighlightFocusHeadings)
        return;
    if (cell.col != other.col)
        for (int row = 0; row < m_nFixedRowCount; ++row)
            RepaintCell(row, cell.col);
    if (cell.row != other.row)
        for (int col = 0; col < m_nFixedColumnCount; ++col)
            RepaintCell(cell.row, col);
}

CCellID CDataGrid::ChangeFocusCell(int row, int col)
{
    if (CCellID(row, col) == m_idFocusCell)
        return m_idFocusCell;
    if (row != -1 && row < m_nFixedRowCount)
        row = m_nFixedRowCount;
    if (col != -1 && col < m_nFixedColumnCount)
        col = m_nFixedColumnCount;
    // An all-fixed grid has no cell to take the focus.
    if (row >= m_nRowCount || col >= m_nColumnCount)
        row = col = -1;
    if (CCellID(row, col) == m_idFocusCell)
        return m_idFocusCell;
    const CCellID old = m_idFocusCell;
    m_idFocusCell = CCellID(row, col);
    if (old.IsValid()) {
        if (const CDataCellBase* cell = GetCell(old.row, old.col))
            SetCellState(old.row, old.col, cell->GetState() & ~GCS_FOCUSED);
        RepaintCell(old.row, old.col);
        RepaintFocusHeadings(old, m_idFocusCell);
    }
    if (m_idFocusCell.IsValid()) {
        if (const CDataCellBase* cell = GetCell(row, col))
            SetCellState(row, col, cell->GetState() | GCS_FOCUSED);
        RepaintCell(row, col);
        RepaintFocusHeadings(m_idFocusCell, old);
    }
    return old;
}

QPoint CDataGrid::PointInCell(int row, int col, QPoint point)
{
    return m_geometry.PointInCell(row, col, TopLeftScrollCell(), point);
}

CCellID CDataGrid::CellAtPoint(QPoint point, bool fixedCells)
{
    const CCellID cell = m_geometry.CellAtPoint(point, TopLeftScrollCell(), fixedCells);
    const CDataCellBase* found = GetCell(cell.row, cell.col);
    if (found && found->IsCoveredByMerge())
        return found->GetMergeOwner();
    return cell;
}

bool CDataGrid::HitsRowDivider(QPoint point)
{
    return m_geometry.HitsRowDivider(point, TopLeftScrollCell(), m_nDividerHitRange);
}

bool CDataGrid::HitsColumnDivider(QPoint point)
{
    return m_geometry.HitsColumnDivider(point, TopLeftScrollCell(), m_nDividerHitRange);
}

void CDataGrid::ScrollCellIntoView(int row, int col)
{
    if (!m_bAllowRedraw || !m_bWindowCreated)
        return;
    // Scrolling must not take the keyboard focus from where it is.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const CCellID topLeft = TopLeftScrollCell();
    const QSize client = ClientSize();
    const int height = client.height() - FixedRowsHeight();
    const int width = client.width() - FixedColumnsWidth();
    if (row >= m_nFixedRowCount)
        SetScrollPos(true,
            GridGeometry::ScrollToShow(
                m_geometry.Rows(), m_scrollV.Pos(), topLeft.row, row, height));
    if (col >= m_nFixedColumnCount)
        SetScrollPos(false,
            GridGeometry::ScrollToShow(
                m_geometry.Columns(), m_scrollH.Pos(), topLeft.col, col, width));
    if (focus && QApplication::focusWidget() != focus)
        focus->setFocus();
}
