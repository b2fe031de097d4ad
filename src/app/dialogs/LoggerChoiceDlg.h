#pragma once

#include "platform/CommandGuard.h"
#include "platform/DialogBase.h"

class QComboBox;

// The shape of the small dialogs that act on one logger of the current configuration: the ID
// list 1132 ("%d" of each ID of the line, ascending, the first selected) and one action that
// leaves the dialog open for the next logger. While the action waits, the list and the
// action's button are off and Enter and Esc do nothing.
class CLoggerChoiceDlg : public CDialogBase
{
    Q_OBJECT

public:
    QComboBox* m_comboId = nullptr;

protected:
    CLoggerChoiceDlg(const DialogTemplate& tmpl, int actionId, QWidget* parent);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The ID of the chosen entry; -1 when the list's text names none (nothing is to act).
    int ChosenLoggerId() const;
    bool IsBusy() const { return m_bBusy; }
    // The list and the action's button off for the guard's life.
    CommandGuard Busy();
    // Runs a logger job (WaitMode) on the chosen logger in the wait popup, which tells how
    // it went; nothing when the list names no logger.
    void RunJobOnChosenLogger(const char* text, int mode);

private:
    int m_actionId;
    bool m_bBusy = false;
};
