// Virtual mode: no cell is stored; the owner (or a callback) describes each cell when it
// is read, and the selection lives in the selection map alone.
#include "display/grid/DataGrid.h"

void CDataGrid::SetVirtualMode(bool on)
{
    if (on == m_bVirtualMode)
        return;
    DeleteAll();
    m_bVirtualMode = on;
}

void CDataGrid::SetCellCallback(GridCellCallback callback, std::intptr_t param)
{
    m_pfnCellCallback = callback;
    m_lCellCallbackParam = param;
}

CDataCellBase* CDataGrid::GetVirtualCell(int row, int col) const
{
    const bool fixedRow = row < m_nFixedRowCount;
    const bool fixedCol = col < m_nFixedColumnCount;
    const CDataDefaultCell* fallback = GetDefaultCell(fixedRow, fixedCol);
    GridItem& item = m_virtualInfo.item;
    item = GridItem();
    item.row = row;
    item.col = col;
    item.mask = 0xFFFFFFFFu;
    item.format = fallback->GetFormat();
    item.image = fallback->GetImage();
    item.crBack = fallback->GetBackColour();
    item.crText = fallback->GetTextColour();
    item.lParam = fallback->GetData();
    item.font = *fallback->GetCellFont();
    item.margin = fallback->GetMargin();
    if (m_bSelectionEnabled && IsCellSelectedInMap(row, col))
        item.state |= GCS_SELECTED;
    if (fixedRow)
        item.state |= GCS_FIXED | GCS_FIXEDROW;
    if (fixedCol)
        item.state |= GCS_FIXED | GCS_FIXEDCOL;
    if (m_idFocusCell == CCellID(row, col))
        item.state |= GCS_FOCUSED;
    m_virtualInfo.hdr = NotifyHeader{this, m_nCtrlID, GN_GETDISPINFO};
    if (m_pfnCellCallback)
        m_pfnCellCallback(&m_virtualInfo, m_lCellCallbackParam);
    else if (GridOwner* owner = GetOwner(); owner && m_bWindowCreated)
        owner->OnGridDispInfo(m_virtualInfo);

    if (!m_pVirtualCell)
        m_pVirtualCell = std::make_unique<CDataCell>();
    CDataCell& cell = *m_pVirtualCell;
    cell.SetGrid(const_cast<CDataGrid*>(this));
    cell.SetState(item.state);
    cell.SetText(item.text);
    cell.SetFormat(item.format);
    cell.SetImage(item.image);
    cell.SetTextColour(item.crText);
    cell.SetBackColour(item.crBack);
    cell.SetData(item.lParam);
    cell.SetFont(&item.font);
    cell.SetMargin(item.margin);
    cell.SetPosition(row, col);
    return &cell;
}
