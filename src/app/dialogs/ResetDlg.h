#pragma once

#include "app/dialogs/LoggerChoiceDlg.h"

// "Reset": resets the chosen logger in the wait popup ("Reset complete!" or "No response from
// logger!") and stays open. Use: CResetDlg dlg; dlg.DoModal();
class CResetDlg final : public CLoggerChoiceDlg
{
    Q_OBJECT

public:
    explicit CResetDlg(QWidget* parent = nullptr);

private:
    void OnBnClickedReset();
};
