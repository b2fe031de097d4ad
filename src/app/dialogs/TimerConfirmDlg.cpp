#include "app/dialogs/TimerConfirmDlg.h"

#include "platform/Text.h"
#include "res/DialogTemplates.h"

namespace {
constexpr int IDC_OK = 1001;
constexpr int IDC_TEXT = 1002;
} // namespace

CTimerConfirmDlg::CTimerConfirmDlg(QWidget* parent)
    : CDialogBase(Dialog317(), parent)
{
    Controls().OnClicked(IDC_OK, this, &CTimerConfirmDlg::OnOK);
}

bool CTimerConfirmDlg::OnInitDialog()
{
    Controls().SetItemText(IDC_TEXT, m_strText);
    setWindowTitle(ToQt(m_strCaption));
    if (m_bAutoClose)
        SetTimer(0, s_nAutoCloseMs);
    return true;
}

void CTimerConfirmDlg::OnTimer(int)
{
    KillTimer(0);
    OnOK();
}

void ShowTimedMessage(bool bAutoClose, const std::string& text, const std::string& caption)
{
    CTimerConfirmDlg dialog;
    dialog.m_strText = text;
    dialog.m_strCaption = caption;
    dialog.m_bAutoClose = bAutoClose;
    dialog.DoModal();
}
