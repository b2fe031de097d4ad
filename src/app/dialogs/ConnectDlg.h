#pragma once

#include "link/Port.h"
#include "platform/DialogBase.h"

#include <vector>

class QProgressBar;

// "Connect": opens g_port on the current configuration's COM port, dials its modem when it
// uses one, and checks that the line's first logger answers. The line counts as connected
// when g_port is open after the dialog has closed. Each stage runs on its own timer, and
// only the stages end the dialog: no key closes it before the logger check has decided.
class CConnectDlg : public CDialogBase
{
    Q_OBJECT

public:
    explicit CConnectDlg(QWidget* parent = nullptr);

    // Timers, one per stage.
    static constexpr int OpenFailedStage = 0;
    static constexpr int CheckLoggerStage = 1;
    static constexpr int DialStage = 2;

    std::vector<int> m_ids; // the line's logger IDs, ascending

protected:
    bool OnInitDialog() override;
    void OnTimer(int id) override;
    void OnOK() override;
    void OnCancel() override;
    // Dials the modem on g_port; false when the line could not be dialled. Tests dial their
    // own way.
    virtual bool DialModem(const ProgressPos& progress);

private:
    void OpenFailed();
    void CheckFirstLogger();
    void Dial();
    // Ends the dialog: the bar full, the port closed unless connected, the box (not while
    // the schedule runs).
    void Finish(bool connected, const char* text);

    QProgressBar* m_progress = nullptr;
    std::string m_openFailure; // the device and the system's reason, when the port would not open
};
