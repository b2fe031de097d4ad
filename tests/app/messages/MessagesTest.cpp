#include "app/TimedMessageBox.h"
#include "app/dialogs/TimerConfirmDlg.h"
#include "platform/DebugTrace.h"

#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TimedMessageBoxTest, TheTwoFormsKeepTheirIconCaptionAndTime)
{
    RecordingPresenter presenter;
    TimedMessageBox("No response from logger!", TimedBoxForm::Warning);
    TimedMessageBox("Data receiving complete!", TimedBoxForm::Information);
    ASSERT_EQ(presenter.requests.size(), 2u);
    EXPECT_EQ(presenter.requests[0].text, "No response from logger!");
    EXPECT_EQ(presenter.requests[0].caption, "Quorbel");
    EXPECT_EQ(presenter.requests[0].icon, MessageIcon::Warning);
    EXPECT_EQ(presenter.requests[0].timeoutMs, 100000);
    EXPECT_EQ(presenter.requests[1].icon, MessageIcon::Information);
    EXPECT_EQ(presenter.requests[1].timeoutMs, 1000);
}

TEST(ShowTimedMessageTest, AutoCloseEndsByItselfShowingTitleAndText)
{
    CTimerConfirmDlg::s_nAutoCloseMs = 20;
    QString title;
    QString text;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        title = modal->windowTitle();
        for (auto* label : modal->findChildren<QLabel*>())
            if (label->property("controlId").toInt() == 1002)
                text = label->text();
    });
    ShowTimedMessage(true, "The same Logger name Exists.", "Error");
    CTimerConfirmDlg::s_nAutoCloseMs = 1000;
    EXPECT_EQ(title, "Error");
    EXPECT_EQ(text, "The same Logger name Exists.");
}

TEST(ShowTimedMessageTest, WithoutAutoCloseItWaitsForOkOrEsc)
{
    CTimerConfirmDlg::s_nAutoCloseMs = 1;
    ModalDriver driver;
    bool stillOpen = false;
    driver.Then([&](QWidget* modal) {
        // An auto close would have ended it long before the driver's next look.
        stillOpen = modal->isVisible();
        ClickItem(modal, 1001);
    });
    driver.Then([](QWidget* modal) { RejectModal(modal); });
    ShowTimedMessage(false, "Do not delete logger of open", "Error");
    ShowTimedMessage(false, "second", "Error");
    CTimerConfirmDlg::s_nAutoCloseMs = 1000;
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(driver.AllDone());
}

std::string g_lastTrace;
void KeepTrace(const char* text)
{
    g_lastTrace = text;
}

TEST(DebugTraceTest, FormatsAndCutsAtTheBuffer)
{
    SetTraceSink(KeepTrace);
    DebugTrace("MemoryCnt %d\r\n", 42);
    EXPECT_EQ(g_lastTrace, "MemoryCnt 42\r\n");
    const std::string longText(3000, 'x');
    DebugTrace("mrawdata [%d] [%s]\r\n", 1, longText.c_str());
    EXPECT_EQ(g_lastTrace.size(), 1023u);
    EXPECT_EQ(g_lastTrace.substr(0, 14), "mrawdata [1] [");
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
