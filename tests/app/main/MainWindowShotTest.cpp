#include "MainWindowFixture.h"

#include "app/record/LoggerTable.h"

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
