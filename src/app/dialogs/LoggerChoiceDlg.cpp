#include "app/dialogs/LoggerChoiceDlg.h"

#include "app/dialogs/LoggerIdCombo.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "record/LoggerTable.h"

#include <QComboBox>

namespace {

constexpr int IDC_LOGGER_ID = 1132;

} // namespace

CLoggerChoiceDlg::CLoggerChoiceDlg(const DialogTemplate& tmpl, int actionId, QWidget* parent)
    : CDialogBase(tmpl, parent)
    , m_actionId(actionId)
{
    m_comboId = ItemAs<QComboBox>(IDC_LOGGER_ID);
}

bool CLoggerChoiceDlg::OnInitDialog()
{
    const LoggerRecord* record = CurrentLogger();
    if (!record) {
        EndDialog(IDCANCEL);
        return true;
    }
    FillLoggerIdCombo(m_comboId, record);
    return true;
}

void CLoggerChoiceDlg::OnOK()
{
    if (!m_bBusy)
        CDialogBase::OnOK();
}

void CLoggerChoiceDlg::OnCancel()
{
    if (!m_bBusy)
        CDialogBase::OnCancel();
}

int CLoggerChoiceDlg::ChosenLoggerId() const
{
    return SelectedLoggerId(m_comboId);
}

CommandGuard CLoggerChoiceDlg::Busy()
{
    return CommandGuard(Controls(), {IDC_LOGGER_ID, m_actionId}, m_bBusy);
}

void CLoggerChoiceDlg::RunJobOnChosenLogger(const char* text, int mode)
{
    const int id = ChosenLoggerId();
    if (m_bBusy || id < 0)
        return;
    const CommandGuard guard = Busy();
    CWaitPopupDlg popup(text, mode, id, -1, -1);
    popup.DoModal();
}
