#pragma once

#include "app/dialogs/WaitPopupDlg.h"
#include "platform/Format.h"

#include "support/DialogInput.h"
#include "support/ModalDriver.h"
#include "support/Screenshot.h"
#include "support/sim/SimLineFixture.h"

#include <QTimer>

#include <cstring>
#include <functional>
#include <memory>

// The logger dialogs on the simulated line, open, silence and wait popups costing milliseconds.
class OperationDlgFixture : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ShortSlices();
        CWaitPopupDlg::StartDelayMs = CWaitPopupDlg::CloseDelayMs = 5;
        ASSERT_TRUE(OpenPort()) << g_port.m_Serial.OpenFailure();
    }
    void TearDown() override
    {
        CWaitPopupDlg::StartDelayMs = 100;
        CWaitPopupDlg::CloseDelayMs = 500;
        CWaitPopupDlg::ImageStepMs = 1000;
        SimLineFixture::TearDown();
    }

    // A network of these logger IDs on the line and in the current record.
    void UseNetwork(const std::vector<int>& ids)
    {
        sim.SetLoggers(ids);
        Record().m_bSingle = 0;
        Record().m_bRs485 = 1;
        for (int id : ids)
            Record().m_bLoggerUsed[id - 1] = 1;
    }
    // The dialog built, initialised and shown at its real size, the line's log cleared.
    template <class Dlg, class... Args> std::unique_ptr<Dlg> Open(Args... args)
    {
        auto dlg = std::make_unique<Dlg>(args...);
        dlg->Create();
        dlg->show();
        ClearReceived();
        return dlg;
    }
    static bool SameRecord(const LoggerRecord& a, const LoggerRecord& b)
    {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
    // The boxes shown since the last look, as "W:text", "I:text" or "Q:text" by their icon.
    Texts Told()
    {
        Texts told;
        for (const MessageBoxRequest& r : boxes.requests)
            told.push_back(std::string(1, "WIQ"[static_cast<int>(r.icon)]) + ":" + r.text);
        boxes.requests.clear();
        return told;
    }
};
