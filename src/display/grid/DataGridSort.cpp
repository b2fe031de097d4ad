// Sorting the data rows by a column, and what a press on a heading cell does.
#include "display/grid/DataGrid.h"

#include "display/grid/WaitCursor.h"

#include <algorithm>
#include <cstring>
#include <numeric>

bool CDataGrid::SortByColumn(int col, bool bAscending)
{
    // The edited cell would move under its editor.
    FinishEditing();
    SetSortKeyColumn(col);
    m_bSortAscending = bAscending;
    ClearSelection();
    ChangeFocusCell(-1, -1);
    const bool sorted = SortRows(m_pfnSortCompare ? m_pfnSortCompare : &CDataGrid::CompareCellText,
        col, bAscending, m_nFixedRowCount, -1);
    if (sorted && m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
    return sorted;
}

int CDataGrid::CompareCellText(const CDataCellBase* a, const CDataCellBase* b, std::intptr_t param)
{
    (void)param;
    if (!a || !b)
        return 0;
    return std::strcmp(a->GetText(), b->GetText());
}

bool CDataGrid::SortRows(SortCompare compare, int col, bool bAscending, int low, int high)
{
    if (col < 0 || col >= m_nColumnCount)
        return false;
    if (high == -1)
        high = m_nRowCount - 1;
    if (high <= low || low < 0 || high >= m_nRowCount)
        return false;
    // The owner holds a virtual grid's data: every row looks the same from here.
    if (m_bVirtualMode)
        return true;
    if (!compare)
        compare = &CDataGrid::CompareCellText;
    const size_t count = static_cast<size_t>(high - low + 1);
    std::vector<const CDataCellBase*> keys(count);
    for (size_t i = 0; i < count; ++i)
        keys[i] = GetCell(low + static_cast<int>(i), col);
    // Indexes into keys, ordered; a stable sort keeps equal rows as they were.
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = compare(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)], 0);
        return bAscending ? result < 0 : result > 0;
    });
    for (int& index : order)
        index += low;
    MoveRows(low, order);
    return true;
}

void CDataGrid::MoveRows(int low, const std::vector<int>& order)
{
    std::vector<std::vector<std::unique_ptr<CDataCellBase>>> moved;
    moved.reserve(order.size());
    for (const int from : order)
        moved.push_back(std::move(m_arRows[static_cast<size_t>(from)]));
    for (size_t i = 0; i < moved.size(); ++i) {
        const int row = low + static_cast<int>(i);
        auto& cells = m_arRows[static_cast<size_t>(row)];
        cells = std::move(moved[i]);
        if (order[i] == row)
            continue;
        for (size_t col = 0; col < cells.size(); ++col)
            if (cells[col])
                cells[col]->SetPosition(row, static_cast<int>(col));
    }
    m_geometry.Rows().Permute(low, order);
}

void CDataGrid::FixedRowClicked(CCellID& cell)
{
    if (m_bClickSortsColumn) {
        const WaitCursor wait;
        const bool ascending = cell.col == m_nSortKeyColumn ? !m_bSortAscending : true;
        SortByColumn(cell.col, ascending);
        if (m_bWindowCreated)
            viewport()->update();
    }
    if (!m_bHeadingRowSelectsColumn)
        return;
    m_nMouseMode = cell.col < m_nFixedColumnCount ? SelectingAll : SelectingColumns;
    ExtendSelectionTo(cell);
}

void CDataGrid::FixedColumnClicked(CCellID& cell)
{
    if (!m_bHeadingColumnSelectsRow)
        return;
    m_nMouseMode = cell.row < m_nFixedRowCount ? SelectingAll : SelectingRows;
    ExtendSelectionTo(cell);
}
