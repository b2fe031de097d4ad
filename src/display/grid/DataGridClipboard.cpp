// Text exchange through the clipboard: the selected cells as tab-separated text, cutting,
// pasting text into a block of cells, the Edit commands and their enabling.
#include "display/grid/DataGrid.h"
#include "platform/Text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

#include <algorithm>
#include <cctype>

namespace {

const QString TextPlain = QStringLiteral("text/plain");

bool OffersText(const QMimeData* data)
{
    return data && data->hasFormat(TextPlain);
}

std::string Trimmed(const std::string& field)
{
    const auto blank = [](char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; };
    size_t first = 0;
    size_t last = field.size();
    while (first < last && blank(field[first]))
        ++first;
    while (last > first && blank(field[last - 1]))
        --last;
    return field.substr(first, last - first);
}

// The first shown row (column) at or after index, raising offset for each hidden one.
int ShownFrom(const GridAxis& axis, int index, int* offset)
{
    while (index < axis.Count() && axis.IsHidden(index)) {
        ++index;
        ++*offset;
    }
    return index;
}

} // namespace

void CDataGrid::ChangeCellText(int row, int col, const char* text)
{
    if (!m_bEditable)
        return;
    if (const CDataCellBase* cell = GetCell(row, col); cell && (cell->GetState() & GCS_READONLY))
        return;
    if (m_bWindowCreated && SendGridNotify(GN_BEGINEDIT, row, col) < 0)
        return;
    const std::string old = GetCellText(row, col);
    if (old == text)
        return;
    const auto put = [&](const char* value) {
        if (m_bVirtualMode)
            return;
        if (CDataCellBase* cell = GetCell(row, col))
            cell->SetText(value);
        SetModified(row, col);
    };
    put(text);
    if (!AcceptEditText(row, col, text)
        || (m_bWindowCreated && SendGridNotify(GN_ENDEDIT, row, col) < 0)) {
        put(old.c_str());
        return;
    }
    SetModified(row, col);
    RepaintCell(row, col);
}

void CDataGrid::CutSelectionText()
{
    if (!m_bEditable)
        return;
    // Emptying a cell may touch the map (its modified bit): walk a copy.
    std::vector<CCellID> cells;
    cells.reserve(m_mapSelected.size());
    for (const auto& [key, id] : m_mapSelected)
        cells.push_back(id);
    for (const CCellID& id : cells)
        ChangeCellText(id.row, id.col, "");
}

QMimeData* CDataGrid::MakeSelectionText()
{
    const CellRange range = SelectionBounds();
    if (!range.IsValid() || range.maxRow >= m_nRowCount || range.maxCol >= m_nColumnCount)
        return nullptr;
    if (m_bVirtualMode)
        SendCacheHint(range);
    std::string text;
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            // Unselected cells inside the bounds are empty fields.
            if (const CDataCellBase* cell = GetCell(row, col);
                cell && (cell->GetState() & GCS_SELECTED))
                text += cell->GetText();
            if (col != range.maxCol)
                text += '\t';
        }
        if (row != range.maxRow)
            text += '\n';
    }
    if (m_bVirtualMode)
        SendCacheHint(CellRange());
    auto* data = new QMimeData;
    data->setText(ToQt(text));
    return data;
}

void CDataGrid::PasteLine(const std::string& line, int row, int col, CellRange* pasted)
{
    int colOffset = 0;
    size_t pos = 0;
    while (pos < line.size()) {
        // A TAB or a comma ends a field.
        const size_t end = std::min(line.find_first_of("\t,", pos), line.size());
        const int target = ShownFrom(m_geometry.Columns(), col + colOffset, &colOffset);
        if (row < m_nRowCount && target < m_nColumnCount) {
            ChangeCellText(row, target, Trimmed(line.substr(pos, end - pos)).c_str());
            const CDataCellBase* cell = GetCell(row, target);
            SetCellState(row, target, (cell ? cell->GetState() : 0) & ~GCS_SELECTED);
            pasted->maxRow = std::max(pasted->maxRow, row);
            pasted->maxCol = std::max(pasted->maxCol, target);
        }
        pos = end + 1;
        ++colOffset;
    }
}

bool CDataGrid::PasteClipboardText(int row, int col, const QMimeData* pData, bool bSelectPasted)
{
    if (!IsInGrid(CCellID(row, col)) || !m_bEditable || !OffersText(pData))
        return false;
    if (const CDataCellBase* cell = GetCell(row, col); cell && (cell->GetState() & GCS_READONLY))
        return false;
    std::string text = FromQt(pData->text());
    // The text ends at its first NUL.
    text.resize(std::min(text.find('\0'), text.size()));
    CellRange pasted(row, col, -1, -1);
    int rowOffset = 0;
    size_t pos = 0;
    do {
        const size_t end = std::min(text.find('\n', pos), text.size());
        const int target = ShownFrom(m_geometry.Rows(), row + rowOffset, &rowOffset);
        PasteLine(text.substr(pos, end - pos), target, col, &pasted);
        pos = end + 1;
        ++rowOffset;
    } while (pos < text.size());
    if (bSelectPasted) {
        ApplySelectionRange(pasted, true, true);
    } else {
        ClearSelection();
        if (m_bWindowCreated && m_bAllowRedraw)
            viewport()->update();
    }
    return true;
}

void CDataGrid::OnEditCut()
{
    if (!m_bEditable)
        return;
    if (QMimeData* data = MakeSelectionText()) {
        QGuiApplication::clipboard()->setMimeData(data);
        CutSelectionText();
    }
}

void CDataGrid::OnEditCopy()
{
    if (QMimeData* data = MakeSelectionText())
        QGuiApplication::clipboard()->setMimeData(data);
}

void CDataGrid::OnEditPaste()
{
    if (!m_bEditable)
        return;
    const CellRange bounds = SelectionBounds();
    CCellID target;
    if (bounds.IsValid())
        target = CCellID(bounds.minRow, bounds.minCol);
    else if (IsInGrid(m_idFocusCell))
        target = m_idFocusCell;
    else
        target = TopLeftScrollCell();
    if (!IsInGrid(target))
        return;
    // An editor open on the target takes the text itself.
    if (const CDataCellBase* cell = GetCell(target.row, target.col); cell && cell->IsEditing()) {
        if (auto* editor = qobject_cast<QLineEdit*>(cell->GetEditor())) {
            editor->paste();
            return;
        }
    }
    PasteClipboardText(target.row, target.col, QGuiApplication::clipboard()->mimeData(), true);
}

void CDataGrid::OnEditSelectAll()
{
    SendGridNotify(GN_SELCHANGING, m_idClickDown.row, m_idClickDown.col);
    if (m_bSelectionEnabled)
        ApplySelectionRange(
            CellRange(m_nFixedRowCount, m_nFixedColumnCount, m_nRowCount - 1, m_nColumnCount - 1),
            false, true);
    SendGridNotify(GN_SELCHANGED, m_idFocusCell.row, m_idFocusCell.col);
}

bool CDataGrid::OnUpdateEditCopy() const
{
    return !m_mapSelected.empty();
}

bool CDataGrid::OnUpdateEditCut() const
{
    return m_bEditable && !m_mapSelected.empty();
}

bool CDataGrid::OnUpdateEditPaste() const
{
    if (!IsInGrid(m_idFocusCell) || !m_bEditable)
        return false;
    const CDataCellBase* cell = GetCell(m_idFocusCell.row, m_idFocusCell.col);
    return (!cell || !(cell->GetState() & GCS_READONLY))
        && OffersText(QGuiApplication::clipboard()->mimeData());
}

bool CDataGrid::OnUpdateEditSelectAll() const
{
    return m_bSelectionEnabled;
}
