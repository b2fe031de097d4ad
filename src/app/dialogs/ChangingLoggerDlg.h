#pragma once

#include "record/LoggerRecord.h"
#include "platform/DialogBase.h"

// The choice of the logger IDs that form the current configuration's network.
// Use: CChangingLoggerDlg dlg; dlg.DoModal(); OK stores at least two IDs into the current
// record in memory (not into its file). Without a current record it ends at once.
class CChangingLoggerDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CChangingLoggerDlg(QWidget* parent = nullptr);

    bool m_bId[MaxLoggerIds] = {};

protected:
    bool OnInitDialog() override;

private:
    void OnBnClickedOk();
};
