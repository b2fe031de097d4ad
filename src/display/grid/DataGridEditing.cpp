// In-place editing: opening the editor over a cell, taking or refusing the edited text, and
// moving on to the next cell after Tab or an arrow key.
#include "display/grid/DataGrid.h"

#include "display/grid/CellEditor.h"

namespace {

// The grid key an end key moves the focus with; 0 for keys that only end the edit.
int MoveKeyFor(unsigned endKey)
{
    switch (endKey) {
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_END:
        return Qt::Key_End;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    default:
        return 0;
    }
}

} // namespace

void CDataGrid::EditCell(int row, int col, QPoint point, unsigned nChar)
{
    if (m_wndCellTip.IsWindowCreated())
        m_wndCellTip.Hide();
    if (!IsInGrid(CCellID(row, col)) || !m_bEditable)
        return;
    if (const CDataCellBase* cell = GetCell(row, col); cell && (cell->GetState() & GCS_READONLY))
        return;
    ScrollCellIntoView(row, col);
    QRect rect;
    if (!CellInView(row, col) || !CellRectangle(row, col, &rect))
        return;
    if (m_bWindowCreated && SendGridNotify(GN_BEGINEDIT, row, col) < 0)
        return;
    EndEditorsElsewhere(row, col);
    // Looked up only now: a virtual grid's one cell has served other positions meanwhile.
    if (CDataCellBase* cell = GetCell(row, col))
        cell->BeginEdit(row, col, rect, point, InPlaceEditId, nChar);
}

void CDataGrid::EndCellEdit(int row, int col, const std::string& text)
{
    const std::string old = GetCellText(row, col);
    if (text != old) {
        if (!m_bVirtualMode) {
            if (CDataCellBase* cell = GetCell(row, col))
                cell->SetText(text.c_str());
            SetModified(row, col);
        }
        bool keep = AcceptEditText(row, col, text.c_str());
        if (keep && m_bWindowCreated && SendGridNotify(GN_ENDEDIT, row, col) < 0)
            keep = false;
        if (!keep) {
            if (!m_bVirtualMode) {
                if (CDataCellBase* cell = GetCell(row, col))
                    cell->SetText(old.c_str());
                SetModified(row, col);
            }
        } else if (m_bWindowCreated) {
            SetModified(row, col);
            RepaintCell(row, col);
        }
    }
    if (CDataCellBase* cell = GetCell(row, col))
        cell->EditEnded();
}

bool CDataGrid::AcceptEditText(int row, int col, const char* text)
{
    CDataCellBase* cell = GetCell(row, col);
    return !cell || cell->AcceptEditText(text);
}

void CDataGrid::FinishEditing()
{
    if (!IsInGrid(m_idFocusCell))
        return;
    if (CDataCellBase* cell = GetCell(m_idFocusCell.row, m_idFocusCell.col))
        cell->StopEdit();
}

long CDataGrid::OnEndCellEdit(const GridDispInfo& info)
{
    if (!m_bWindowCreated)
        return 0;
    const GridItem& item = info.item;
    EndCellEdit(item.row, item.col, item.text);
    const int key = MoveKeyFor(static_cast<unsigned>(item.lParam & 0xFFFF));
    // Return, Esc and a plain loss of the focus only end the edit.
    if (key == 0)
        return 0;
    const bool shift = item.lParam & EndKeyShift;
    OnKeyDown(key, shift ? Qt::ShiftModifier : Qt::NoModifier);
    EditCell(m_idFocusCell.row, m_idFocusCell.col, QPoint(-1, -1), static_cast<unsigned>(key));
    return 0;
}

void CDataGrid::CloseEditorsQuietly(int firstRow, int firstCol, bool deleteNow)
{
    const auto editors = viewport()->findChildren<CCellEditor*>(Qt::FindDirectChildrenOnly);
    for (CCellEditor* editor : editors) {
        if (editor->Row() < firstRow && editor->Column() < firstCol)
            continue;
        if (!deleteNow)
            if (CDataCellBase* cell = GetCell(editor->Row(), editor->Column()))
                cell->EditEnded();
        editor->Abandon();
        if (deleteNow)
            delete editor;
    }
}

void CDataGrid::EndEditorsElsewhere(int row, int col)
{
    const auto editors = viewport()->findChildren<CCellEditor*>(Qt::FindDirectChildrenOnly);
    for (CCellEditor* editor : editors)
        if (editor->isVisible() && (editor->Row() != row || editor->Column() != col))
            editor->EndEdit();
}
