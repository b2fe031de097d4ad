#include "app/dialogs/LoggerSettingDlg.h"

#include "app/dialogs/ChangingLoggerDlg.h"
#include "app/dialogs/ChannelSettingDlg.h"
#include "record/LoggerTable.h"
#include "res/DialogTemplates.h"

namespace {

constexpr int IDC_FIRST_LOGGER = 1014; // "Logger #1"; the seven follow in order
constexpr int IDC_CHANGE_QUANTITY = 1012;
constexpr int IDC_OK = 1004;

} // namespace

CLoggerSettingDlg::CLoggerSettingDlg(QWidget* parent)
    : CDialogBase(Dialog322(), parent)
{
    for (int id = 1; id <= MaxLoggerIds; ++id)
        Controls().OnClicked(
            IDC_FIRST_LOGGER + id - 1, this, [this, id] { OnBnClickedLogger(id); });
    Controls().OnClicked(IDC_CHANGE_QUANTITY, this, &CLoggerSettingDlg::OnBnClickedChangeQuantity);
    Controls().OnClicked(IDC_OK, this, &CLoggerSettingDlg::OnBnClickedOk);
}

bool CLoggerSettingDlg::OnInitDialog()
{
    const LoggerRecord* record = CurrentLogger();
    if (!record) {
        EndDialog(IDCANCEL);
        return true;
    }
    EnableLoggerButtons();
    Controls().EnableItem(IDC_CHANGE_QUANTITY, !record->m_bSingle);
    return true;
}

void CLoggerSettingDlg::EnableLoggerButtons()
{
    const LoggerRecord* record = CurrentLogger();
    for (int id = 1; id <= MaxLoggerIds; ++id)
        Controls().EnableItem(IDC_FIRST_LOGGER + id - 1, record && IsLoggerIdUsed(*record, id));
}

void CLoggerSettingDlg::OnBnClickedLogger(int loggerId)
{
    CChannelSettingDlg dlg(loggerId);
    dlg.DoModal();
}

void CLoggerSettingDlg::OnBnClickedChangeQuantity()
{
    CChangingLoggerDlg dlg;
    dlg.DoModal();
    EnableLoggerButtons();
}

void CLoggerSettingDlg::OnBnClickedOk()
{
    OnOK();
}
