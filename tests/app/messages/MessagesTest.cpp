#include "app/TimedMessageBox.h"
#include "app/dialogs/TimerConfirmDlg.h"
#include "platform/DebugTrace.h"

#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

TEST(TimedMessageBoxTest, TheTwoFormsKeepTheirIconCaptionAndTime)
{
    RecordingPresenter presenter;
    TimedMessageBox("No response from logger!", TimedBoxForm::Warning);
    TimedMessageBox("Data receiving complete!", TimedBoxForm::Information);
    ASSERT_EQ(presenter.requests.size(), 2u);
    const auto& [warning, information] = std::tie(presenter.requests[0], presenter.requests[1]);
    EXPECT_EQ(std::tie(warning.text, warning.caption, warning.icon, warning.timeoutMs),
        std::tuple("No response from logger!", "Quorbel", MessageIcon::Warning, 100000));
    EXPECT_EQ(std::tie(information.icon, information.timeoutMs),
        std::tuple(MessageIcon::Information, 1000));
}

// Without auto close the box shows its title and text until OK or Esc; with it, the box ends
// by itself (one still open after five seconds is closed and told).
TEST(ShowTimedMessageTest, AutoCloseEndsByItselfElseItWaitsForOkOrEsc)
{
    CTimerConfirmDlg::s_nAutoCloseMs = 1;
    QString title, text;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        title = modal->windowTitle();
        for (auto* label : modal->findChildren<QLabel*>())
            if (label->property("controlId").toInt() == 1002)
                text = label->text();
        ClickItem(modal, 1001);
    });
    driver.Then(RejectModal);
    ShowTimedMessage(false, "The same Logger name Exists.", "Error");
    ShowTimedMessage(false, "second", "Error");
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(title, "Error");
    EXPECT_EQ(text, "The same Logger name Exists.");

    bool forced = false;
    ModalDriver closer;
    closer.Then([&forced](QWidget* modal) {
        forced = !QTest::qWaitFor([modal] { return !modal->isVisible(); }, 5000);
        if (forced)
            RejectModal(modal);
    });
    ShowTimedMessage(true, "closing", "Error");
    CTimerConfirmDlg::s_nAutoCloseMs = 1000;
    EXPECT_FALSE(forced);
}

std::string g_lastTrace;

TEST(DebugTraceTest, FormatsAndCutsAtTheBuffer)
{
    SetTraceSink([](const char* text) { g_lastTrace = text; });
    DebugTrace("MemoryCnt %d\r\n", 42);
    EXPECT_EQ(g_lastTrace, "MemoryCnt 42\r\n");
    const std::string longText(3000, 'x');
    DebugTrace("mrawdata [%d] [%s]\r\n", 1, longText.c_str());
    EXPECT_EQ(g_lastTrace, "mrawdata [1] [" + std::string(1023 - 14, 'x'));
    SetTraceSink(nullptr);
}

TEST(ScreenshotTest, TimerConfirm)
{
    CTimerConfirmDlg dialog;
    dialog.m_strText = "You should enter the from 1 to 3600!";
    dialog.m_strCaption = "Error";
    dialog.Create();
    dialog.show();
    EXPECT_TRUE(SaveScreenshot(&dialog, "timer_confirm"));
}

} // namespace
