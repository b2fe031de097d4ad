#pragma once

#include <QPointer>
#include <QWidget>

// The title tip a grid can lay over a cell whose text is clipped. The grid only ever hides
// it: scrolling, a press or a new edit take it away. Until something shows a tip there is
// no window, and hiding does nothing.
class CCellTip
{
public:
    bool IsWindowCreated() const { return !m_pWnd.isNull(); }
    // Hides the tip window, giving back the mouse when the tip holds it.
    void Hide();

private:
    QPointer<QWidget> m_pWnd;
};
