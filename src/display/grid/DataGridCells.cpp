// Rows, columns and cells: counts, sizes, cell creation and look-up, cell state.
#include "display/grid/DataGrid.h"

#include <algorithm>
#include <limits>
#include <new>

bool CDataGrid::SetRowCount(int nRows)
{
    nRows = std::max(nRows, 0);
    if (nRows == m_nRowCount)
        return true;
    m_idTopLeftCache.col = -1;
    CloseEditorsQuietly(nRows, std::numeric_limits<int>::max(), false);
    if (nRows < m_nFixedRowCount) {
        m_nFixedRowCount = nRows;
        m_geometry.Rows().SetFixedCount(nRows);
    }
    if (m_idFocusCell.row >= nRows)
        ChangeFocusCell(-1, -1);
    bool result = true;
    if (m_bVirtualMode) {
        result = ResizeVirtual(m_geometry.Rows(), nRows, m_cellNormalDefault.GetHeight());
        if (result)
            m_nRowCount = nRows;
    } else if (nRows < m_nRowCount) {
        for (int row = nRows; row < m_nRowCount; ++row)
            for (int col = 0; col < m_nColumnCount; ++col)
                DestroyCell(row, col);
        m_arRows.resize(static_cast<size_t>(nRows));
        m_nRowCount = nRows;
        m_geometry.Rows().Resize(nRows, 0);
    } else {
        const int height = m_cellNormalDefault.GetHeight();
        try {
            m_arRows.reserve(static_cast<size_t>(nRows));
            m_geometry.Rows().Resize(nRows, height);
            while (m_nRowCount < nRows) {
                std::vector<std::unique_ptr<CDataCellBase>> cells;
                FillNewRow(cells, m_nRowCount);
                m_arRows.push_back(std::move(cells));
                ++m_nRowCount;
            }
        } catch (const std::bad_alloc&) {
            // The rows completed so far stay.
            m_geometry.Rows().Resize(m_nRowCount, height);
            ReportMemoryError();
            result = false;
        }
    }
    PruneSelection();
    SetModified(-1, -1);
    UpdateScrollBars();
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
    return result;
}

bool CDataGrid::ResizeVirtual(GridAxis& axis, int count, int sizeOfNew)
{
    try {
        axis.Resize(count, sizeOfNew);
        return true;
    } catch (const std::bad_alloc&) {
        ReportMemoryError();
        return false;
    }
}

void CDataGrid::FillNewRow(std::vector<std::unique_ptr<CDataCellBase>>& cells, int row)
{
    cells.reserve(static_cast<size_t>(m_nColumnCount));
    for (int col = 0; col < m_nColumnCount; ++col)
        cells.push_back(CreateCell(row, col));
}

bool CDataGrid::SetColumnCount(int nCols)
{
    nCols = std::max(nCols, 0);
    if (nCols == m_nColumnCount)
        return true;
    m_idTopLeftCache.col = -1;
    CloseEditorsQuietly(std::numeric_limits<int>::max(), nCols, false);
    if (nCols < m_nFixedColumnCount) {
        m_nFixedColumnCount = nCols;
        m_geometry.Columns().SetFixedCount(nCols);
    }
    if (m_idFocusCell.col >= nCols)
        ChangeFocusCell(-1, -1);
    bool result = true;
    if (m_bVirtualMode) {
        result = ResizeVirtual(m_geometry.Columns(), nCols, m_cellFixedColDefault.GetWidth());
        if (result)
            m_nColumnCount = nCols;
    } else if (nCols < m_nColumnCount) {
        for (int row = 0; row < m_nRowCount; ++row) {
            for (int col = nCols; col < m_nColumnCount; ++col)
                DestroyCell(row, col);
            m_arRows[static_cast<size_t>(row)].resize(static_cast<size_t>(nCols));
        }
        m_geometry.Columns().Resize(nCols, 0);
        m_nColumnCount = nCols;
    } else {
        // All or nothing: every allocation happens before the grid changes, so a failure
        // leaves every row as long as the column count.
        try {
            std::vector<std::vector<std::unique_ptr<CDataCellBase>>> added(
                static_cast<size_t>(m_nRowCount));
            for (int row = 0; row < m_nRowCount; ++row) {
                m_arRows[static_cast<size_t>(row)].reserve(static_cast<size_t>(nCols));
                auto& cells = added[static_cast<size_t>(row)];
                cells.reserve(static_cast<size_t>(nCols - m_nColumnCount));
                for (int col = m_nColumnCount; col < nCols; ++col)
                    cells.push_back(CreateCell(row, col));
            }
            m_geometry.Columns().Resize(nCols, m_cellFixedColDefault.GetWidth());
            for (int row = 0; row < m_nRowCount; ++row)
                for (auto& cell : added[static_cast<size_t>(row)])
                    m_arRows[static_cast<size_t>(row)].push_back(std::move(cell));
            m_nColumnCount = nCols;
        } catch (const std::bad_alloc&) {
            ReportMemoryError();
            result = false;
        }
    }
    PruneSelection();
    SetModified(-1, -1);
    UpdateScrollBars();
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
    return result;
}

void CDataGrid::MarkFixedCell(
    int row, int col, bool fixed, std::uint32_t bandBit, bool fixedByOtherBand)
{
    CDataCellBase* cell = GetCell(row, col);
    if (!cell)
        return;
    const std::uint32_t state = cell->GetState();
    if (fixed) {
        SetCellState(row, col, state | GCS_FIXED | bandBit);
    } else if (fixedByOtherBand) {
        SetCellState(row, col, state & ~bandBit);
        return;
    } else {
        SetCellState(row, col, state & ~(GCS_FIXED | bandBit));
    }
    cell->SetTextColour(QColor());
    cell->SetBackColour(QColor());
}

void CDataGrid::MarkFixedRows(int first, int last, bool fixed)
{
    for (int row = first; row < last; ++row) {
        for (int col = 0; col < m_nColumnCount; ++col)
            MarkFixedCell(row, col, fixed, GCS_FIXEDROW, col < m_nFixedColumnCount);
    }
}

void CDataGrid::MarkFixedColumns(int first, int last, bool fixed)
{
    for (int row = 0; row < m_nRowCount; ++row) {
        for (int col = first; col < last; ++col)
            MarkFixedCell(row, col, fixed, GCS_FIXEDCOL, row < m_nFixedRowCount);
    }
}

bool CDataGrid::SetFixedRowCount(int nFixedRows)
{
    nFixedRows = std::max(nFixedRows, 0);
    if (nFixedRows == m_nFixedRowCount)
        return true;
    ClearSelection();
    m_idTopLeftCache.col = -1;
    if (nFixedRows > m_nRowCount && !SetRowCount(nFixedRows))
        return false;
    if (m_idFocusCell.row < nFixedRows)
        ChangeFocusCell(-1, -1);
    // A virtual grid's owner gives the fixed bits with each cell.
    if (!m_bVirtualMode && nFixedRows > m_nFixedRowCount)
        MarkFixedRows(m_nFixedRowCount, nFixedRows, true);
    else if (!m_bVirtualMode)
        MarkFixedRows(nFixedRows, m_nFixedRowCount, false);
    m_nFixedRowCount = nFixedRows;
    m_geometry.Rows().SetFixedCount(nFixedRows);
    UpdateScrollBars();
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
    return true;
}

bool CDataGrid::SetFixedColumnCount(int nFixedCols)
{
    nFixedCols = std::max(nFixedCols, 0);
    if (nFixedCols == m_nFixedColumnCount)
        return true;
    if (nFixedCols > m_nColumnCount && !SetColumnCount(nFixedCols))
        return false;
    if (m_idFocusCell.col < nFixedCols)
        ChangeFocusCell(-1, -1);
    ClearSelection();
    m_idTopLeftCache.col = -1;
    // A virtual grid's owner gives the fixed bits with each cell.
    if (!m_bVirtualMode && nFixedCols > m_nFixedColumnCount)
        MarkFixedColumns(m_nFixedColumnCount, nFixedCols, true);
    else if (!m_bVirtualMode)
        MarkFixedColumns(nFixedCols, m_nFixedColumnCount, false);
    m_nFixedColumnCount = nFixedCols;
    m_geometry.Columns().SetFixedCount(nFixedCols);
    UpdateScrollBars();
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
    return true;
}

void CDataGrid::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_nRowCount)
        return;
    m_geometry.Rows().SetSize(row, height);
    UpdateScrollBars();
}

void CDataGrid::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_nColumnCount)
        return;
    m_geometry.Columns().SetSize(col, width);
    UpdateScrollBars();
}

std::unique_ptr<CDataCellBase> CDataGrid::CreateCell(int row, int col)
{
    if (!m_pCellClass)
        return nullptr;
    std::unique_ptr<CDataCellBase> cell = m_pCellClass();
    if (!cell)
        return nullptr;
    cell->SetGrid(this);
    cell->SetPosition(row, col);
    std::uint32_t state = cell->GetState();
    if (col < m_nFixedColumnCount)
        state |= GCS_FIXED | GCS_FIXEDCOL;
    if (row < m_nFixedRowCount)
        state |= GCS_FIXED | GCS_FIXEDROW;
    cell->SetState(state);
    if (const CDataCellBase* fallback = cell->GetDefaultCell())
        cell->SetFormat(fallback->GetFormat());
    return cell;
}

void CDataGrid::DestroyCell(int row, int col)
{
    SetCellState(row, col, 0);
    if (row >= 0 && row < static_cast<int>(m_arRows.size())) {
        auto& cells = m_arRows[static_cast<size_t>(row)];
        if (col >= 0 && col < static_cast<int>(cells.size()))
            cells[static_cast<size_t>(col)].reset();
    }
}

bool CDataGrid::DeleteAll()
{
    CloseEditorsQuietly(0, 0, false);
    ClearSelection();
    if (!m_bVirtualMode)
        for (int row = 0; row < m_nRowCount; ++row)
            for (int col = 0; col < m_nColumnCount; ++col)
                DestroyCell(row, col);
    m_arRows.clear();
    m_geometry.Rows().Clear();
    m_geometry.Columns().Clear();
    m_idFocusCell = CCellID();
    m_nRowCount = m_nColumnCount = m_nFixedRowCount = m_nFixedColumnCount = 0;
    m_idTopLeftCache = CCellID();
    m_mapSelected.clear();
    m_mapPrevSelected.clear();
    UpdateScrollBars();
    m_nSortKeyColumn = -1;
    m_bModified = true;
    return true;
}

CDataCellBase* CDataGrid::GetCell(int row, int col) const
{
    if (row < 0 || row >= m_nRowCount || col < 0 || col >= m_nColumnCount)
        return nullptr;
    if (m_bVirtualMode)
        return GetVirtualCell(row, col);
    const auto& cells = m_arRows[static_cast<size_t>(row)];
    return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)].get()
                                                   : nullptr;
}

std::string CDataGrid::GetCellText(int row, int col) const
{
    const CDataCellBase* cell = GetCell(row, col);
    return cell ? std::string(cell->GetText()) : std::string();
}

std::uint64_t CDataGrid::SelectionKey(int row, int col)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(col)) << 32)
        | static_cast<std::uint32_t>(row);
}

bool CDataGrid::IsCellSelectedInMap(int row, int col) const
{
    return m_mapSelected.count(SelectionKey(row, col)) != 0;
}

bool CDataGrid::SetCellState(int row, int col, std::uint32_t state)
{
    if (row < 0 || row >= m_nRowCount || col < 0 || col >= m_nColumnCount)
        return false;
    CDataCellBase* cell = m_bVirtualMode ? nullptr : GetCell(row, col);
    const std::uint64_t key = SelectionKey(row, col);
    const bool selectedNow = m_bVirtualMode ? IsCellSelectedInMap(row, col)
                                            : cell && (cell->GetState() & GCS_SELECTED);
    if (m_bSelectionEnabled && selectedNow && !(state & GCS_SELECTED))
        m_mapSelected.erase(key);
    if ((!selectedNow || !m_bSelectionEnabled) && (state & GCS_SELECTED))
        m_mapSelected[key] = CCellID(row, col);
    if (!cell)
        return false;
    cell->SetState(state);
    return true;
}

void CDataGrid::SetModified(int row, int col)
{
    if (col < 0 || col == m_nSortKeyColumn) {
        if (m_nSortKeyColumn >= 0)
            RepaintHeadingCell(m_nSortKeyColumn);
        m_nSortKeyColumn = -1;
    }
    if (row >= 0 && col >= 0) {
        if (const CDataCellBase* cell = GetCell(row, col))
            SetCellState(row, col, cell->GetState() | GCS_MODIFIED);
    }
    m_bModified = true;
}

void CDataGrid::SetSortKeyColumn(int col)
{
    if (m_nSortKeyColumn >= 0)
        RepaintHeadingCell(m_nSortKeyColumn);
    m_nSortKeyColumn = col;
    if (col >= 0)
        RepaintHeadingCell(col);
}

void CDataGrid::RepaintHeadingCell(int col)
{
    if (!m_bWindowCreated || !m_bAllowRedraw || m_nRowCount < 1 || col >= m_nColumnCount
        || !CellInView(0, col))
        return;
    QRect rect;
    if (CellRectangle(0, col, &rect))
        viewport()->update(rect);
}

bool CDataGrid::FitColumnToText(int col, unsigned nStyle)
{
    if (col < 0 || col >= m_nColumnCount || GetColumnWidth(col) < 1 || !m_bWindowCreated)
        return false;
    const unsigned style = nStyle ? nStyle : m_nAutoSizeStyle;
    const int first = (style & 0x1) ? 0 : m_nFixedRowCount;
    const int end = (style & 0x2) ? m_nRowCount : m_nFixedRowCount;
    int width = 0;
    if (m_bVirtualMode)
        SendCacheHint(CellRange(first, col, end - 1, col));
    for (int row = first; row < end; ++row)
        if (const CDataCellBase* cell = GetCell(row, col))
            width = std::max(width, cell->CellExtent(nullptr).width());
    if (m_bVirtualMode)
        SendCacheHint(CellRange());
    m_geometry.Columns().SetSize(col, width);
    UpdateScrollBars();
    return true;
}

bool CDataGrid::FitRowToText(int row)
{
    if (row < 0 || row >= m_nRowCount || GetRowHeight(row) < 1 || !m_bWindowCreated)
        return false;
    int height = 0;
    if (m_bVirtualMode)
        SendCacheHint(CellRange(row, 0, row, m_nColumnCount - 1));
    for (int col = 0; col < m_nColumnCount; ++col)
        if (const CDataCellBase* cell = GetCell(row, col))
            height = std::max(height, cell->CellExtent(nullptr).height());
    if (m_bVirtualMode)
        SendCacheHint(CellRange());
    m_geometry.Rows().SetSize(row, height);
    UpdateScrollBars();
    return true;
}

CCellID CDataGrid::GetMergeOrigin(int row, int col) const
{
    const CDataCellBase* cell = GetCell(row, col);
    if (cell && cell->IsCoveredByMerge())
        return cell->GetMergeOwner();
    return CCellID(row, col);
}

int CDataGrid::GetMergedColumnWidth(int row, int col) const
{
    const CCellID origin = GetMergeOrigin(row, col);
    const CDataCellBase* cell = GetCell(origin.row, origin.col);
    const CellRange range = cell ? cell->GetMergeRange() : CellRange();
    if (!cell || range.CellCount() < 2)
        return GetColumnWidth(col);
    int width = 0;
    for (int c = range.maxCol; c >= range.minCol; --c)
        width += GetColumnWidth(c);
    return width;
}

int CDataGrid::GetMergedRowHeight(int row, int col) const
{
    const CCellID origin = GetMergeOrigin(row, col);
    const CDataCellBase* cell = GetCell(origin.row, origin.col);
    const CellRange range = cell ? cell->GetMergeRange() : CellRange();
    if (!cell || range.CellCount() < 2)
        return GetRowHeight(row);
    int height = 0;
    for (int r = range.maxRow; r >= range.minRow; --r)
        height += GetRowHeight(r);
    return height;
}
