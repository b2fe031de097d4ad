#pragma once

#include "platform/DialogBase.h"

#include <string>

// A small modal message with a title, a text and an optional close after one second.
class CTimerConfirmDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CTimerConfirmDlg(QWidget* parent = nullptr);

    std::string m_strText;
    std::string m_strCaption;
    bool m_bAutoClose = false;

    // Time before an automatic close; tests shorten it.
    static inline int s_nAutoCloseMs = 1000;

protected:
    bool OnInitDialog() override;
    void OnTimer(int id) override;
};

// Runs CTimerConfirmDlg modally over the main window.
void ShowTimedMessage(bool bAutoClose, const std::string& text, const std::string& caption);
