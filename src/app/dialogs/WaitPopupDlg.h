#pragma once

#include "app/MeasuredReading.h"
#include "app/WaitMode.h"
#include "platform/DialogBase.h"

#include <string>
#include <vector>

class CIconButton;
class QProgressBar;

// A small popup that runs one logger job (WaitMode) while it is up: the job starts from a
// timer shortly after the popup opens and runs to its end, then the popup closes by itself.
// The caller reads m_strResults afterwards; no result line means no answer. Measure and
// MeasureForGraph show an animated image instead of the text and the bar.
//
// Use: CWaitPopupDlg dlg("Reading!!", WaitMode::Measure, index, ch, kind); set
// m_bSaveManualReading; dlg.DoModal(). Esc and the close box do nothing: a job stopped half
// way would leave the logger not saving or half its channels written.
class CWaitPopupDlg final : public CDialogBase
{
    Q_OBJECT

public:
    CWaitPopupDlg(const std::string& strText, int nMode, int nLogger, int nChannel, int nKind,
        QWidget* pParent = nullptr);

    // Shows the popup (after Create) on top where the caller placed it, disabling no other
    // window, and runs events until the popup has closed. Returns the dialog result.
    int RunModalLoop();

    std::vector<std::string> m_strResults;
    std::string m_strText;
    int m_nMode;
    int m_nLogger;
    int m_nChannel;
    int m_nKind;
    QWidget* m_pParent;
    bool m_bFirstImage = true;
    bool m_bSaveManualReading = false; // Measure: the caller's "Save the manual reading"

    // What measuring callers need to place and judge the lines: the channel and reading of
    // each result line, whether a read (or a "channel" command) went unanswered, and whether
    // the logger was left possibly not saving.
    std::vector<MeasuredReading> m_readings;
    bool m_bReplyMissing = false;
    bool m_bSaveOnFailed = false;
    bool m_bJobRan = false; // false: no job ran (mode or arguments out of range)

    // Timer intervals; tests shorten them.
    static inline int StartDelayMs = 100;
    static inline int CloseDelayMs = 500;
    static inline int ImageStepMs = 1000;

    // Timers.
    static constexpr int StartTimer = 0;
    static constexpr int ImageTimer = 1;
    static constexpr int CloseTimer = 2;

    bool IsImageForm() const;
    // A popup whose text names the graph never shows on screen.
    void setVisible(bool visible) override;

protected:
    bool OnInitDialog() override;
    void OnTimer(int id) override;
    void OnOK() override;
    void OnCancel() override;
    QWidget* CreateCustomControl(const ControlTemplate& control, QWidget* parent) override;

private:
    void InitImageForm();
    void CentreOnParent();
    void ShowImage(int bitmapId);
    void RunJob();

    QProgressBar* m_progress = nullptr;
    CIconButton* m_btnImage = nullptr;
    bool m_bJobDone = false;
};
