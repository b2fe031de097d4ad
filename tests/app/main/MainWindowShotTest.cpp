#include "MainWindowFixture.h"

#include "app/record/LoggerTable.h"
#include "res/MainScreenIds.h"

#include "support/Screenshot.h"

TEST_F(MainWindowFixture, ScreenshotWithConfigurationsOpen)
{
    MakeFrame();
    LoggerRecord plant = Network("Dam-North", {1, 2, 3, 5}, true);
    plant.m_bAutoReceive = 1;
    plant.m_nReceiveInterval = 60;
    plant.m_bDelayOn = 1;
    plant.m_nReceiveDelay = 15;
    plant.m_bEraseAfterReceive = 1;
    plant.m_nComPort = 3;
    OpenConfigurations({plant, Single("Tunnel-A"), Network("Bridge-Pier", {2, 4}, false)});
    frame->show();
    EXPECT_TRUE(SaveScreenshot(frame.get(), "main_window"));
}

TEST_F(MainWindowFixture, ScreenshotConnectedWithTheGoodLampLit)
{
    ASSERT_TRUE(StartLine({2, 5}));
    MakeFrame();
    LoggerRecord line = Network("Dam-North", {2, 5}, false);
    line.m_nComPort = SimComPort;
    OpenConfigurations({line, Single("Tunnel-A")});
    ConnectLine();
    view->OnBnClickedCall();
    frame->UpdateCommandUI();
    frame->show();
    EXPECT_TRUE(view->Item(IDC_LAMP_GOOD)->isEnabled());
    EXPECT_TRUE(SaveScreenshot(frame.get(), "main_window_connected"));
}
