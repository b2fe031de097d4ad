#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QRect>
#include <QString>

#include <string>

class CDataGrid;
class QFocusEvent;
class QKeyEvent;

// The edit control laid over a cell while its text is edited in place. Tab, Return and Esc
// end it, the arrow and page keys too when the edit was started by a key (or with Ctrl), and
// so does losing the focus. It then sends the grid its end notice (the final text and the
// key that ended it) and deletes itself.
class CCellEditor final : public QLineEdit
{
    Q_OBJECT

public:
    // Shows the editor over rect (the grid's client coordinates) with the cell's text (its
    // bytes) and takes the focus. nFirstChar is what started the edit: VK_LBUTTON for the
    // mouse or F2, a typed character, or a Qt key code for a key that moved on from the last
    // cell.
    CCellEditor(CDataGrid* pParent, const QRect& rect, Qt::Alignment alignment, int nID, int nRow,
        int nColumn, const std::string& initText, unsigned nFirstChar);
    ~CCellEditor() override;

    // The end sequence: the end notice to the grid, then the editor closes. One at a time in
    // the whole program: closing moves the focus, which would start it again.
    void EndEdit();
    // Closes without an end notice: the grid or the edited cell is going away.
    void Abandon();
    // Hands the open editor a key, as if typed.
    void SendChar(unsigned ch);

    int Row() const { return m_nRow; }
    int Column() const { return m_nColumn; }
    unsigned EndKey() const { return m_nEndKey; }
    bool ArrowsEndEdit() const { return m_bArrowsEndEdit; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ApplyFirstChar(unsigned ch);
    void EndWithKey(unsigned key, bool shift);
    // Widens the editor to its text and two spaces, up to the right edge of the grid's
    // client area; it never gets narrower.
    void GrowToText();

    QPointer<CDataGrid> m_pGrid;
    int m_nID;
    int m_nRow;
    int m_nColumn;
    std::string m_initBytes; // the cell's text as it was: what an unchanged edit gives back
    QString m_strInitText;
    unsigned m_nEndKey = 0;
    bool m_bEndShift = false;
    bool m_bArrowsEndEdit;
    bool m_bEnded = false;
};
