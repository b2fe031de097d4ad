#include "display/grid/CellTip.h"

void CCellTip::Hide()
{
    if (!m_pWnd)
        return;
    if (QWidget::mouseGrabber() == m_pWnd)
        m_pWnd->releaseMouse();
    m_pWnd->hide();
}
