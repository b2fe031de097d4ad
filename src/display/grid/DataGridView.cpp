// Where cells lie at the current scroll positions, the scroll ranges, the focus cell and
// clearing the selection.
#include "display/grid/DataGrid.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include <vector>

QPoint CDataGrid::ScrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QSize CDataGrid::ClientSize() const
{
    return viewport()->size();
}

CCellID CDataGrid::TopLeftScrollCell()
{
    if (m_idTopLeftCache.row < 0 || m_idTopLeftCache.col < 0)
        m_idTopLeftCache = m_geometry.TopLeftScrollCell(ScrollPosition());
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

void CDataGrid::UpdateScrollBars()
{
    m_idTopLeftCache.row = -1;
    if (!m_bAllowRedraw || !m_bWindowCreated)
        return;
    // The client area as it would be without scroll bars.
    const QSize area = maximumViewportSize();
    if (area.width() <= 0 || area.height() <= 0)
        return;
    const int fixedWidth = FixedColumnsWidth();
    const int fixedHeight = FixedRowsHeight();
    if (fixedWidth >= area.width() || fixedHeight >= area.height()) {
        m_nScrollBarsShown = 0;
        m_nVertScrollRange = m_nHorzScrollRange = 0;
        horizontalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setRange(0, 0);
        return;
    }
    const long long scrollHeight = m_geometry.Rows().Total() - fixedHeight;
    const long long scrollWidth = m_geometry.Columns().Total() - fixedWidth;
    const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    int areaWidth = area.width();
    int areaHeight = area.height();
    int heightRoom = areaHeight - fixedHeight;
    if (heightRoom < scrollHeight)
        areaWidth -= barExtent;
    const int widthRoom = areaWidth - fixedWidth;
    if (widthRoom < scrollWidth) {
        areaHeight -= barExtent;
        heightRoom = areaHeight - fixedHeight;
    }
    const bool vertical = heightRoom < scrollHeight;
    const bool horizontal = widthRoom < scrollWidth;
    m_nScrollBarsShown = (horizontal ? 0x1u : 0u) | (vertical ? 0x2u : 0u);
    m_nVertScrollRange = vertical ? static_cast<int>(scrollHeight - 1) : 0;
    m_nHorzScrollRange = horizontal ? static_cast<int>(scrollWidth - 1) : 0;
    // A scroll position is the pixel offset of the first scrolled row or column; a line
    // step is one default row or column.
    verticalScrollBar()->setSingleStep(std::max(m_cellNormalDefault.GetHeight(), 1));
    horizontalScrollBar()->setSingleStep(std::max(m_cellNormalDefault.GetWidth(), 1));
    verticalScrollBar()->setPageStep(std::max(heightRoom, 0));
    verticalScrollBar()->setRange(0, vertical ? static_cast<int>(scrollHeight - heightRoom) : 0);
    horizontalScrollBar()->setPageStep(std::max(widthRoom, 0));
    horizontalScrollBar()->setRange(0, horizontal ? static_cast<int>(scrollWidth - widthRoom) : 0);
}

void CDataGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CDataGrid::scrollContentsBy(int dx, int dy)
{
    m_idTopLeftCache.row = -1;
    if (!m_bAllowRedraw)
        return;
    const QSize client = ClientSize();
    // The fixed rows stay put on a vertical scroll, the fixed columns on a horizontal one.
    if (dy != 0)
        viewport()->update(0, FixedRowsHeight(), client.width(), client.height());
    if (dx != 0)
        viewport()->update(FixedColumnsWidth(), 0, client.width(), client.height());
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

void CDataGrid::ClearSelection()
{
    m_mapPrevSelected.clear();
    if (m_bSelectionEnabled) {
        std::vector<CCellID> selected;
        selected.reserve(m_mapSelected.size());
        for (const auto& entry : m_mapSelected)
            selected.push_back(entry.second);
        for (const CCellID& id : selected) {
            if (const CDataCellBase* cell = GetCell(id.row, id.col)) {
                SetCellState(id.row, id.col, cell->GetState() & ~GCS_SELECTED);
                InvalidateCell(id.row, id.col);
            }
            m_mapSelected.erase(SelectionKey(id.row, id.col));
        }
    }
    ChangeFocusCell(-1, -1);
}
