#pragma once

#include "platform/DialogBase.h"

// "Logger setting": one button per logger ID of the current configuration, each opening the
// channel settings of that logger, and for a network the choice of its loggers.
// Use: CLoggerSettingDlg dlg; dlg.DoModal(); without a current record it ends at once.
class CLoggerSettingDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CLoggerSettingDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;

private:
    void OnBnClickedLogger(int loggerId);
    void OnBnClickedChangeQuantity();
    void OnBnClickedOk();
    // Enables the button of every logger ID on the current configuration's line.
    void EnableLoggerButtons();
};
