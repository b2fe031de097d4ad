#include "display/grid/CellEditor.h"

#include "display/grid/DataGrid.h"
#include "platform/Text.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

#include <memory>

namespace {

// Set while an end sequence runs anywhere in the program.
bool g_bEditEnding = false;

// The end key an arrow or page key stands for; 0 for any other key.
unsigned NavigationEndKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    default:
        return 0;
    }
}

bool IsQtKey(unsigned ch)
{
    return ch >= static_cast<unsigned>(Qt::Key_Escape);
}

// Keys that open an edit with the whole text selected and type nothing.
bool SelectsAll(unsigned ch)
{
    if (ch == '\t' || ch == ' ')
        return true;
    switch (ch) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

// The key event a typed character (or a Qt key code) arrives as.
QKeyEvent* KeyEventFor(unsigned ch)
{
    if (IsQtKey(ch))
        return new QKeyEvent(QEvent::KeyPress, static_cast<int>(ch), Qt::NoModifier);
    const char32_t text = ch;
    int key = 0;
    switch (ch) {
    case '\t':
        key = Qt::Key_Tab;
        break;
    case '\r':
        key = Qt::Key_Return;
        break;
    case 0x1B:
        key = Qt::Key_Escape;
        break;
    case '\b':
        key = Qt::Key_Backspace;
        break;
    default:
        break;
    }
    return new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString::fromUcs4(&text, 1));
}

} // namespace

CCellEditor::CCellEditor(CDataGrid* pParent, const QRect& rect, Qt::Alignment alignment, int nID,
    int nRow, int nColumn, const std::string& initText, unsigned nFirstChar)
    : QLineEdit(pParent->viewport())
    , m_pGrid(pParent)
    , m_nID(nID)
    , m_nRow(nRow)
    , m_nColumn(nColumn)
    , m_initBytes(initText)
    , m_strInitText(ToQt(initText))
    , m_bArrowsEndEdit(nFirstChar != VK_LBUTTON)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAlignment(alignment | Qt::AlignVCenter);
    if (const QFont* font = pParent->OnGetFont())
        setFont(*font);
    setText(m_strInitText);
    setGeometry(rect);
    show();
    setFocus(Qt::OtherFocusReason);
    ApplyFirstChar(nFirstChar);
}

CCellEditor::~CCellEditor() = default;

void CCellEditor::ApplyFirstChar(unsigned ch)
{
    if (ch == VK_LBUTTON || ch == '\r' || ch == '\b') {
        deselect();
        setCursorPosition(static_cast<int>(text().size()));
        // Posted, as the key would have come: it deletes the last character.
        if (ch == '\b')
            QCoreApplication::postEvent(this, KeyEventFor(ch));
        return;
    }
    selectAll();
    // Any other character replaces the selected text when it arrives.
    if (!SelectsAll(ch))
        QCoreApplication::postEvent(this, KeyEventFor(ch));
}

void CCellEditor::SendChar(unsigned ch)
{
    if (ch == VK_LBUTTON)
        return;
    std::unique_ptr<QKeyEvent> key(KeyEventFor(ch));
    QCoreApplication::sendEvent(this, key.get());
}

bool CCellEditor::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Alt+key belongs to the editor (no menu or button shortcut fires), and so do the
        // keys that end it.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ends = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
            || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Tab
            || key->key() == Qt::Key_Backtab;
        if ((key->modifiers() & Qt::AltModifier) || ends) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // Tab ends the edit instead of moving the focus on through the dialog.
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & Qt::ControlModifier)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CCellEditor::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        EndWithKey(VK_TAB, shift || key == Qt::Key_Backtab);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Taken here: the dialog around the grid would close on it.
        EndWithKey(VK_RETURN, shift);
    } else if (key == Qt::Key_Escape) {
        setText(m_strInitText);
        EndWithKey(VK_ESCAPE, false);
    } else if (const unsigned endKey = NavigationEndKey(key);
               endKey && (m_bArrowsEndEdit || (event->modifiers() & Qt::ControlModifier))) {
        EndWithKey(endKey, shift);
    } else if (endKey) {
        // Kept here even where the line edit has no use for them (Up, Down, the page keys):
        // passed on, they would move the grid's focus cell from under the open editor.
        QLineEdit::keyPressEvent(event);
    } else if ((event->modifiers() & Qt::AltModifier) && !event->text().isEmpty()) {
        // Alt+key types nothing.
    } else {
        QLineEdit::keyPressEvent(event);
        if (!event->text().isEmpty())
            GrowToText();
        return;
    }
    event->accept();
}

void CCellEditor::EndWithKey(unsigned key, bool shift)
{
    m_nEndKey = key;
    m_bEndShift = shift;
    // Losing the focus ends the edit; a window that is not active sends no focus change.
    if (m_pGrid)
        m_pGrid->setFocus(Qt::OtherFocusReason);
    EndEdit();
}

void CCellEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The editor's own context menu takes the focus for a while; the edit goes on.
    if (event->reason() != Qt::PopupFocusReason)
        EndEdit();
}

void CCellEditor::EndEdit()
{
    if (g_bEditEnding || m_bEnded)
        return;
    g_bEditEnding = true;
    m_bEnded = true;
    GridDispInfo info;
    info.hdr = NotifyHeader{this, m_nID, GN_ENDEDIT};
    info.item.row = m_nRow;
    info.item.col = m_nColumn;
    info.item.mask = 5;
    info.item.text = EditedBytes(text(), m_initBytes);
    info.item.lParam = static_cast<std::intptr_t>(m_nEndKey) | (m_bEndShift ? EndKeyShift : 0);
    const QPointer<CCellEditor> self(this);
    if (m_pGrid)
        m_pGrid->OnEndCellEdit(info);
    if (self) {
        if (hasFocus() && m_pGrid)
            m_pGrid->setFocus(Qt::OtherFocusReason);
        close();
    }
    g_bEditEnding = false;
}

void CCellEditor::Abandon()
{
    m_bEnded = true;
    close();
}

void CCellEditor::GrowToText()
{
    const QWidget* client = parentWidget();
    if (!client)
        return;
    // The frame and inner margins come on top of the text.
    const int frame = width() - contentsRect().width() + 4;
    const int wanted
        = QFontMetrics(font()).horizontalAdvance(text() + QStringLiteral("  ")) + frame;
    if (wanted <= width())
        return;
    const int room = client->width() - x();
    const int newWidth = std::max(std::min(wanted, room), width());
    if (newWidth == width())
        return;
    setGeometry(x(), y(), newWidth, height());
}
