#pragma once

#include "app/dialogs/LoggerChoiceDlg.h"

// "Memory Check": how many readings the chosen logger holds and how full its memory is.
// "Check" is the dialog's OK button (and Enter's): it checks and the dialog stays open.
// Use: CMemoryCheckDlg dlg; dlg.DoModal();
class CMemoryCheckDlg final : public CLoggerChoiceDlg
{
    Q_OBJECT

public:
    explicit CMemoryCheckDlg(QWidget* parent = nullptr);

protected:
    void OnOK() override;

private:
    void ClearFigures();
    void OnBnClickedCheck();
};
