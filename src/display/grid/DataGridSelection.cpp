// The selection: selecting and deselecting ranges, extending from the anchor, its bounds.
#include "display/grid/DataGrid.h"

#include "display/grid/WaitCursor.h"

#include <algorithm>

bool CDataGrid::IsSelected(int row, int col, const CDataCellBase* cell) const
{
    if (m_bVirtualMode || !cell)
        return IsCellSelectedInMap(row, col);
    return cell->GetState() & GCS_SELECTED;
}

void CDataGrid::SetSelectedBit(int row, int col, bool selected)
{
    const CDataCellBase* cell = m_bVirtualMode ? nullptr : GetCell(row, col);
    const std::uint32_t state = cell ? cell->GetState() : 0;
    SetCellState(row, col, selected ? (state | GCS_SELECTED) : (state & ~GCS_SELECTED));
}

void CDataGrid::RepaintIfShown(int row, int col, const CellRange& shown)
{
    const bool fixedRow = row < m_nFixedRowCount;
    const bool fixedCol = col < m_nFixedColumnCount;
    if (!fixedRow && (row < shown.minRow || row > shown.maxRow))
        return;
    if (!fixedCol && (col < shown.minCol || col > shown.maxCol))
        return;
    InvalidateCell(row, col);
}

void CDataGrid::ClearSelectedCells(const CellRange& keep, const CellRange& shown)
{
    // One pass over the map: the bits are cleared as the entries go, and only shown cells
    // are repainted. A cell the grid no longer has just goes.
    std::erase_if(m_mapSelected, [&](const auto& entry) {
        const CCellID id = entry.second;
        if (id.row >= m_nRowCount || id.col >= m_nColumnCount)
            return true;
        if (keep.Contains(id.row, id.col))
            return false;
        if (CDataCellBase* cell = m_bVirtualMode ? nullptr : GetCell(id.row, id.col))
            cell->SetState(cell->GetState() & ~GCS_SELECTED);
        RepaintIfShown(id.row, id.col, shown);
        return true;
    });
}

void CDataGrid::ApplySelectionRange(const CellRange& range, bool repaint, bool select)
{
    if (!m_bSelectionEnabled)
        return;
    const WaitCursor wait;
    // Widgets draw only in their paint event: "at once" is the next pass of the loop.
    (void)repaint;
    const CellRange shown = m_bWindowCreated ? VisibleCellSpan() : CellRange();
    CellRange target = range;
    if (target.minRow >= 0 && target.minRow < m_nFixedRowCount)
        target.minRow = m_nFixedRowCount;
    if (target.maxRow >= 0 && target.maxRow < m_nFixedRowCount)
        target.maxRow = m_nFixedRowCount;
    if (target.minCol >= 0 && target.minCol < m_nFixedColumnCount)
        target.minCol = m_nFixedColumnCount;
    if (target.maxCol >= 0 && target.maxCol < m_nFixedColumnCount)
        target.maxCol = m_nFixedColumnCount;
    const bool boundsSet
        = target.minRow >= 0 && target.minCol >= 0 && target.maxRow >= 0 && target.maxCol >= 0;
    const bool inGrid = boundsSet && target.maxRow < m_nRowCount && target.maxCol < m_nColumnCount
        && target.minRow <= target.maxRow && target.minCol <= target.maxCol;
    if (select) {
        // Cells already selected inside the new range keep their bit; nothing to repaint.
        ClearSelectedCells(inGrid ? target : CellRange(), shown);
        if (boundsSet && !(m_bRowSelectMode && m_bOneRowOnly))
            for (const auto& [key, id] : m_mapPrevSelected) {
                if (id.row >= m_nRowCount || id.col >= m_nColumnCount
                    || IsSelected(id.row, id.col, GetCell(id.row, id.col)))
                    continue;
                SetSelectedBit(id.row, id.col, true);
                RepaintIfShown(id.row, id.col, shown);
            }
    }
    if (!inGrid)
        return;
    for (int row = target.minRow; row <= target.maxRow; ++row)
        for (int col = target.minCol; col <= target.maxCol; ++col) {
            const CDataCellBase* cell = m_bVirtualMode ? nullptr : GetCell(row, col);
            if (IsSelected(row, col, cell) == select)
                continue;
            SetSelectedBit(row, col, select);
            RepaintIfShown(row, col, shown);
        }
}

void CDataGrid::SelectRowSpan(bool repaint, bool select, int row, int col)
{
    if (!m_bSelectionEnabled || row < m_nFixedRowCount || row >= m_nRowCount || col < 0
        || col >= m_nColumnCount)
        return;
    if (m_bRowSelectMode && m_bOneRowOnly) {
        ApplySelectionRange(
            CellRange(row, m_nFixedColumnCount, row, m_nColumnCount - 1), repaint, select);
        return;
    }
    const int anchor = m_idSelectionStart.row;
    ApplySelectionRange(CellRange(std::min(row, anchor), m_nFixedColumnCount, std::max(row, anchor),
                            m_nColumnCount - 1),
        repaint, select);
}

void CDataGrid::SelectCellBlock(bool repaint, bool select, int row, int col)
{
    if (!m_bSelectionEnabled || row < m_nFixedRowCount || row >= m_nRowCount
        || col < m_nFixedColumnCount || col >= m_nColumnCount)
        return;
    const CCellID anchor = m_idSelectionStart;
    ApplySelectionRange(CellRange(std::min(row, anchor.row), std::min(col, anchor.col),
                            std::max(row, anchor.row), std::max(col, anchor.col)),
        repaint, select);
}

void CDataGrid::ExtendSelectionTo(CCellID cell)
{
    if (!m_bSelectionEnabled)
        return;
    switch (m_nMouseMode) {
    case SelectingAll:
        ApplySelectionRange(
            CellRange(m_nFixedRowCount, m_nFixedColumnCount, m_nRowCount - 1, m_nColumnCount - 1),
            false, true);
        break;
    case SelectingColumns: {
        if (cell.row < 0 || cell.col < m_nFixedColumnCount || cell.col >= m_nColumnCount)
            break;
        const int anchor = m_bOneColumnOnly ? cell.col : m_idSelectionStart.col;
        ApplySelectionRange(CellRange(m_nFixedRowCount, std::min(cell.col, anchor), m_nRowCount - 1,
                                std::max(cell.col, anchor)),
            false, true);
        break;
    }
    case SelectingRows:
        SelectRowSpan(false, true, cell.row, cell.col);
        break;
    case SelectingCells:
        SelectCellBlock(false, true, cell.row, cell.col);
        break;
    default:
        break;
    }
}

CellRange CDataGrid::SelectionBounds() const
{
    CellRange bounds(m_nRowCount, m_nColumnCount, -1, -1);
    for (const auto& [key, id] : m_mapSelected) {
        bounds.minRow = std::min(bounds.minRow, id.row);
        bounds.minCol = std::min(bounds.minCol, id.col);
        bounds.maxRow = std::max(bounds.maxRow, id.row);
        bounds.maxCol = std::max(bounds.maxCol, id.col);
    }
    return bounds;
}

void CDataGrid::ClearSelection()
{
    m_mapPrevSelected.clear();
    ApplySelectionRange(CellRange(), false, true);
    ChangeFocusCell(-1, -1);
}

void CDataGrid::PruneSelection()
{
    const auto gone = [this](const auto& entry) {
        return entry.second.row >= m_nRowCount || entry.second.col >= m_nColumnCount;
    };
    std::erase_if(m_mapSelected, gone);
    std::erase_if(m_mapPrevSelected, gone);
}
