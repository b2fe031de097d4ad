#include "display/grid/DataCellBase.h"

#include "display/grid/DataGrid.h"

CDataCellBase::~CDataCellBase() = default;

CDataCellBase* CDataCellBase::GetDefaultCell() const
{
    CDataGrid* grid = GetGrid();
    if (!grid)
        return nullptr;
    return grid->GetDefaultCell(IsInFixedRow(), IsInFixedColumn());
}

void CDataCellBase::CopyFrom(const CDataCellBase& other)
{
    if (&other == this)
        return;
    SetGrid(other.GetGrid());
    SetText(other.GetText());
    SetImage(other.GetImage());
    SetData(other.GetData());
    SetState(other.GetState());
    SetFormat(other.GetFormat());
    SetTextColour(other.GetTextColour());
    SetBackColour(other.GetBackColour());
    SetFont(other.UsesDefaultFont() ? nullptr : other.GetFont());
    SetMargin(other.GetMargin());
    const CCellID owner = other.GetMergeOwner();
    SetMergeOwner(owner.row, owner.col);
    SetMergeRange(other.GetMergeRange());
    m_bHidden = !other.IsShown();
}

void CDataCellBase::Reset()
{
    m_bHidden = false;
    m_nState = 0;
    m_pMerge.reset();
}

bool CDataCellBase::BeginEdit(
    int row, int col, QRect rect, QPoint point, unsigned nID, unsigned nChar)
{
    (void)row, (void)col, (void)rect, (void)point, (void)nID, (void)nChar;
    return false;
}

bool CDataCellBase::AcceptEditText(const char* text)
{
    (void)text;
    return true;
}

bool CDataCellBase::OnSetCursor(Qt::CursorShape* shape) const
{
    *shape = Qt::ArrowCursor;
    return true;
}

CDataCellBase::MergeInfo& CDataCellBase::Merge()
{
    if (!m_pMerge)
        m_pMerge = std::make_unique<MergeInfo>();
    return *m_pMerge;
}

CellRange CDataCellBase::GetMergeRange() const
{
    return m_pMerge ? m_pMerge->range : CellRange();
}

bool CDataCellBase::IsCoveredByMerge() const
{
    return m_pMerge && m_pMerge->mergedIntoOther;
}

CCellID CDataCellBase::GetMergeOwner() const
{
    return m_pMerge ? m_pMerge->owner : CCellID();
}

void CDataCellBase::SetMergeOwner(int row, int col)
{
    if (!m_pMerge && row == -1 && col == -1)
        return;
    Merge().owner = CCellID(row, col);
    Merge().mergedIntoOther = row != -1;
}

void CDataCellBase::SetMergeRange(const CellRange& range)
{
    if (!m_pMerge && range == CellRange())
        return;
    Merge().range = range;
}
