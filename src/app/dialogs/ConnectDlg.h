#pragma once

#include "platform/DialogBase.h"

#include <vector>

class QProgressBar;

// "Connect": opens g_port on the current configuration's COM port, dials its modem when it
// uses one, and checks that the line's first logger answers. The line counts as connected
// when g_port is open after the dialog has closed. Each stage runs on its own timer.
class CConnectDlg final : public CDialogBase
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

private:
    void OpenFailed();
    void CheckFirstLogger();
    void Dial();
    // Ends the dialog: the bar full, the port closed unless connected, the box (not while
    // the schedule runs).
    void Finish(bool connected, const char* text);

    QProgressBar* m_progress = nullptr;
    bool m_bStageRunning = false; // keys do not end the dialog while the link waits
};
