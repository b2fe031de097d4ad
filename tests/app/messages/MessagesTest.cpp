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
    const MessageBoxRequest& warning = presenter.requests[0];
    EXPECT_EQ(std::tie(warning.text, warning.caption, warning.icon, warning.timeoutMs),
        std::tuple("No response from logger!", "Quorbel", MessageIcon::Warning, 100000));
    EXPECT_EQ(presenter.requests[1].icon, MessageIcon::Information);
    EXPECT_EQ(presenter.requests[1].timeoutMs, 1000);
}

// Without auto close the box waits for OK or Esc; with it, it ends by itself.
TEST(ShowTimedMessageTest, AutoCloseEndsByItselfElseItWaitsForOkOrEsc)
{
    CTimerConfirmDlg::s_nAutoCloseMs = 1;
    QString title, text;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* box = dynamic_cast<CTimerConfirmDlg*>(modal);
        EXPECT_TRUE(box && !box->IsTimerRunning(0)); // no close armed
        for (auto* label : modal->findChildren<QLabel*>())
            if (label->property("controlId").toInt() == 1002)
                text = label->text();
        EXPECT_TRUE(SaveScreenshot(modal, "timer_confirm"));
        ClickItem(modal, 1001);
    });
    driver.Then(RejectModal);
    bool forced = false;
    driver.Then([&forced](QWidget* modal) {
        forced = !QTest::qWaitFor([modal] { return !modal->isVisible(); }, 5000);
        if (forced)
            RejectModal(modal);
    });
    ShowTimedMessage(false, "You should enter the from 1 to 3600!", "Error");
    ShowTimedMessage(false, "second", "Error");
    ShowTimedMessage(true, "closing", "Error");
    CTimerConfirmDlg::s_nAutoCloseMs = 1000;
    EXPECT_TRUE(driver.StepsDone() >= 2 && !forced); // the last box may end before it is seen
    EXPECT_EQ(std::pair(title, text),
        std::pair(QString("Error"), QString("You should enter the from 1 to 3600!")));
}

TEST(DebugTraceTest, FormatsAndCutsAtTheBuffer)
{
    static std::string last;
    SetTraceSink([](const char* text) { last = text; });
    DebugTrace("MemoryCnt %d\r\n", 42);
    EXPECT_EQ(last, "MemoryCnt 42\r\n");
    DebugTrace("mrawdata [%d] [%s]\r\n", 1, std::string(3000, 'x').c_str());
    EXPECT_EQ(last, "mrawdata [1] [" + std::string(1023 - 14, 'x'));
    SetTraceSink(nullptr);
}

} // namespace
