#include "app/dialogs/ResetDlg.h"

#include "app/WaitMode.h"
#include "res/DialogTemplates.h"

namespace {

constexpr int IDC_RESET = 1000;

} // namespace

CResetDlg::CResetDlg(QWidget* parent)
    : CLoggerChoiceDlg(Dialog313(), IDC_RESET, parent)
{
    Controls().OnClicked(IDC_RESET, this, &CResetDlg::OnBnClickedReset);
}

void CResetDlg::OnBnClickedReset()
{
    RunJobOnChosenLogger("Reset...", WaitMode::Reset);
}
