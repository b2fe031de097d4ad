#include "app/dialogs/FormatDlg.h"

#include "app/WaitMode.h"
#include "res/DialogTemplates.h"

namespace {

constexpr int IDC_FORMAT = 1107;

} // namespace

CFormatDlg::CFormatDlg(QWidget* parent)
    : CLoggerChoiceDlg(Dialog134(), IDC_FORMAT, parent)
{
    Controls().OnClicked(IDC_FORMAT, this, &CFormatDlg::OnBnClickedFormat);
}

void CFormatDlg::OnBnClickedFormat()
{
    RunJobOnChosenLogger("Formatting...", WaitMode::FormatMemory);
}
