#include "app/dialogs/ChangingLoggerDlg.h"

#include "app/TimedMessageBox.h"
#include "app/dialogs/LoggerIdChecks.h"
#include "record/LoggerTable.h"
#include "res/DialogTemplates.h"

namespace {
constexpr int IDC_OK = 1001;
} // namespace

CChangingLoggerDlg::CChangingLoggerDlg(QWidget* parent)
    : CDialogBase(Dialog324(), parent)
{
    Controls().OnClicked(IDC_OK, this, &CChangingLoggerDlg::OnBnClickedOk);
}

bool CChangingLoggerDlg::OnInitDialog()
{
    const LoggerRecord* record = CurrentLogger();
    if (!record) {
        EndDialog(IDCANCEL);
        return true;
    }
    for (int i = 0; i < MaxLoggerIds; ++i) {
        m_bId[i] = record->m_bLoggerUsed[i] != 0;
        Controls().SetCheck(LoggerIdCheckIds[i], m_bId[i]);
    }
    return true;
}

void CChangingLoggerDlg::OnBnClickedOk()
{
    int used = 0;
    for (int i = 0; i < MaxLoggerIds; ++i) {
        m_bId[i] = Controls().IsChecked(LoggerIdCheckIds[i]);
        used += m_bId[i] ? 1 : 0;
    }
    LoggerRecord* record = CurrentLogger();
    if (!record) {
        OnCancel();
        return;
    }
    if (used < 2) {
        TimedMessageBox("To use the multi network, you have to select over two loggers!",
            TimedBoxForm::Warning);
        return;
    }
    for (int i = 0; i < MaxLoggerIds; ++i)
        record->m_bLoggerUsed[i] = m_bId[i];
    OnOK();
}
