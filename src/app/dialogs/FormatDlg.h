#pragma once

#include "app/dialogs/LoggerChoiceDlg.h"

// "Format memory": erases the chosen logger's memory in the wait popup ("Format complete!"),
// without a question, and stays open. Use: CFormatDlg dlg; dlg.DoModal();
class CFormatDlg final : public CLoggerChoiceDlg
{
    Q_OBJECT

public:
    explicit CFormatDlg(QWidget* parent = nullptr);

private:
    void OnBnClickedFormat();
};
