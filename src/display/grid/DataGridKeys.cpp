// The keyboard: moving the focus cell, selecting with Shift, the edit keys and typing.
#include "display/grid/DataGrid.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

bool IsTab(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

} // namespace

bool CDataGrid::IsInGrid(CCellID cell) const
{
    return cell.IsValid() && cell.row < m_nRowCount && cell.col < m_nColumnCount;
}

CCellID CDataGrid::TabTarget(bool back, bool* wrap) const
{
    *wrap = false;
    const CCellID focus = m_idFocusCell;
    if (!IsInGrid(focus))
        return CCellID();
    const int lastRow = m_nRowCount - 1;
    const int lastCol = m_nColumnCount - 1;
    const int col = back ? NextShownColumn(focus.col - 1, -1, m_nFixedColumnCount)
                         : NextShownColumn(focus.col + 1, 1, lastCol);
    if (col >= 0)
        return CCellID(focus.row, col);
    // Past the end of the row: on to the next (previous) shown row, when there is one.
    const int row = back ? NextShownRow(focus.row - 1, -1, m_nFixedRowCount)
                         : NextShownRow(focus.row + 1, 1, lastRow);
    const int wrapCol = back ? NextShownColumn(lastCol, -1, m_nFixedColumnCount)
                             : NextShownColumn(m_nFixedColumnCount, 1, lastCol);
    if (row < 0 || wrapCol < 0)
        return CCellID();
    *wrap = true;
    return CCellID(row, wrapCol);
}

unsigned CDataGrid::OnGetDlgCode(const QKeyEvent* key)
{
    unsigned code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (!m_bTabMovesFocus || (key && (key->modifiers() & Qt::ControlModifier)))
        return code;
    // Tab out of the last cell (Shift+Tab out of the first) moves on as in any dialog.
    bool wrap = false;
    const bool back
        = key && (key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
    if (!key || TabTarget(back, &wrap).IsValid())
        code |= DLGC_WANTTAB;
    return code;
}

CCellID CDataGrid::PageTarget(bool down)
{
    const int before = TopLeftScrollCell().row;
    OnVScroll(down ? SB_PAGEDOWN : SB_PAGEUP);
    const int moved = TopLeftScrollCell().row - before;
    const int lastRow = m_nRowCount - 1;
    int row = m_idFocusCell.row + moved;
    if (moved == 0)
        row = down ? lastRow : m_nFixedRowCount;
    row = std::clamp(row, m_nFixedRowCount, lastRow);
    // Hidden rows never take the focus: the nearest shown one, first in the direction moved.
    int shown = down ? NextShownRow(row, 1, lastRow) : NextShownRow(row, -1, m_nFixedRowCount);
    if (shown < 0)
        shown = down ? NextShownRow(row, -1, m_nFixedRowCount) : NextShownRow(row, 1, lastRow);
    return shown < 0 ? m_idFocusCell : CCellID(shown, m_idFocusCell.col);
}

CCellID CDataGrid::HomeEndTarget(bool end, bool ctrl)
{
    if (ctrl)
        OnVScroll(end ? SB_BOTTOM : SB_TOP);
    OnHScroll(end ? SB_RIGHT : SB_LEFT);
    const int lastRow = m_nRowCount - 1;
    const int lastCol = m_nColumnCount - 1;
    int row = m_idFocusCell.row;
    if (ctrl)
        row = end ? NextShownRow(lastRow, -1, m_nFixedRowCount)
                  : NextShownRow(m_nFixedRowCount, 1, lastRow);
    const int col = end ? NextShownColumn(lastCol, -1, m_nFixedColumnCount)
                        : NextShownColumn(m_nFixedColumnCount, 1, lastCol);
    if (row < 0 || col < 0)
        return m_idFocusCell;
    return CCellID(row, col);
}

bool CDataGrid::OnKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    // The edit commands act on the selection, which a heading click makes without a focus
    // cell.
    if (ctrl) {
        if (key == Qt::Key_C || key == Qt::Key_Insert)
            OnEditCopy();
        else if (key == Qt::Key_V)
            OnEditPaste();
        else if (key == Qt::Key_X)
            OnEditCut();
        else if (key == Qt::Key_A)
            OnEditSelectAll();
    } else if (shift && key == Qt::Key_Insert) {
        OnEditPaste();
        return false;
    }
    if (!IsInGrid(m_idFocusCell))
        return false;
    const CCellID focus = m_idFocusCell;
    CCellID target = focus;
    const bool back = key == Qt::Key_Backtab || (key == Qt::Key_Tab && shift);
    bool wrap = false;
    switch (key) {
    case Qt::Key_Delete:
        CutSelectionText();
        break;
    case Qt::Key_Down:
    case Qt::Key_Up: {
        const bool down = key == Qt::Key_Down;
        const int row = down ? NextShownRow(focus.row + 1, 1, m_nRowCount - 1)
                             : NextShownRow(focus.row - 1, -1, m_nFixedRowCount);
        if (row >= 0)
            target.row = row;
        break;
    }
    case Qt::Key_Right:
    case Qt::Key_Left: {
        const bool right = key == Qt::Key_Right;
        const int col = right ? NextShownColumn(focus.col + 1, 1, m_nColumnCount - 1)
                              : NextShownColumn(focus.col - 1, -1, m_nFixedColumnCount);
        if (col >= 0)
            target.col = col;
        break;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (ctrl)
            return false;
        target = TabTarget(back, &wrap);
        if (!target.IsValid())
            return false;
        break;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        target = PageTarget(key == Qt::Key_PageDown);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        target = HomeEndTarget(key == Qt::Key_End, ctrl);
        break;
    case Qt::Key_F2:
        EditCell(focus.row, focus.col, QPoint(-1, -1), VK_LBUTTON);
        break;
    default:
        return false;
    }
    if (target == focus)
        return true;
    if (m_nMouseMode == Idle) {
        // Shift with no anchor yet extends from the focus cell, as a Shift+click does.
        if (shift && !m_idSelectionStart.IsValid())
            m_idSelectionStart = focus;
        SelectByKeyboard(target, shift && !IsTab(key));
    }
    ChangeFocusCell(target);
    if (!CellInView(target.row, target.col)) {
        ScrollTowards(key, back, wrap);
        ScrollCellIntoView(target.row, target.col);
        viewport()->update();
    }
    ScrollCellIntoView(target.row, target.col);
    EndKeyScroll(key, wrap, ctrl);
    return true;
}

void CDataGrid::SelectByKeyboard(CCellID target, bool keepAnchor)
{
    m_mapPrevSelected.clear();
    m_nMouseMode = m_bRowSelectMode ? SelectingRows : SelectingCells;
    if (!keepAnchor)
        m_idSelectionStart = target;
    SendGridNotify(GN_SELCHANGING, target.row, target.col);
    ExtendSelectionTo(target);
    SendGridNotify(GN_SELCHANGED, target.row, target.col);
    m_nMouseMode = Idle;
}

void CDataGrid::ScrollTowards(int key, bool back, bool wrap)
{
    switch (key) {
    case Qt::Key_Left:
        OnHScroll(SB_LINELEFT);
        break;
    case Qt::Key_Right:
        OnHScroll(SB_LINERIGHT);
        break;
    case Qt::Key_Up:
        OnVScroll(SB_LINEUP);
        break;
    case Qt::Key_Down:
        OnVScroll(SB_LINEDOWN);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (wrap) {
            OnVScroll(back ? SB_LINEUP : SB_LINEDOWN);
            SetScrollPos(false, back ? m_scrollH.Limit() : 0);
        } else {
            OnHScroll(back ? SB_LINELEFT : SB_LINERIGHT);
        }
        break;
    default:
        break;
    }
}

void CDataGrid::EndKeyScroll(int key, bool wrap, bool ctrl)
{
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp
        || key == Qt::Key_PageDown || (IsTab(key) && wrap)
        || ((key == Qt::Key_Home || key == Qt::Key_End) && ctrl);
    if (vertical)
        OnVScroll(SB_ENDSCROLL);
    else
        OnHScroll(SB_ENDSCROLL);
}

bool CDataGrid::OnChar(unsigned ch, Qt::KeyboardModifiers modifiers)
{
    // Return and Esc belong to the dialog around the grid (its default button, closing).
    if ((modifiers & Qt::ControlModifier) || m_nMouseMode != Idle || ch == 0x1B || ch == '\r'
        || (ch == '\t' && m_bTabMovesFocus) || !IsInGrid(m_idFocusCell))
        return false;
    EditCell(m_idFocusCell.row, m_idFocusCell.col, QPoint(-1, -1), ch);
    return true;
}

void CDataGrid::OnImeChar(unsigned ch)
{
    if (m_nMouseMode != Idle || ch == 0x1B || ch == '\r' || !IsInGrid(m_idFocusCell))
        return;
    EditCell(m_idFocusCell.row, m_idFocusCell.col, QPoint(-1, -1), ch);
}

bool CDataGrid::event(QEvent* event)
{
    // Tab moves between cells while the grid wants it; otherwise the focus moves on.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsTab(key->key()) && !(key->modifiers() & Qt::ControlModifier)
            && (OnGetDlgCode(key) & DLGC_WANTTAB)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CDataGrid::keyPressEvent(QKeyEvent* event)
{
    bool taken = OnKeyDown(event->key(), event->modifiers());
    if (!taken)
        for (const char32_t ch : event->text().toUcs4())
            taken = OnChar(ch, event->modifiers()) || taken;
    event->setAccepted(taken);
}

void CDataGrid::inputMethodEvent(QInputMethodEvent* event)
{
    for (const char32_t ch : event->commitString().toUcs4())
        OnImeChar(ch);
    event->accept();
}
