#include "MainWindowFixture.h"

#include "res/CommandIds.h"

#include "support/ModalDriver.h"

#include <QAction>

#include <gtest/gtest.h>

namespace {

using OperationCommandsTest = MainWindowFixture;

// The caption of the modal window a command opens, closed again with Esc; "" for none.
std::string DialogOf(const std::function<void()>& command)
{
    std::string caption;
    ModalDriver driver;
    driver.Then([&caption](QWidget* modal) {
        caption = modal->windowTitle().toStdString();
        RejectModal(modal);
    });
    command();
    return caption;
}

TEST_F(OperationCommandsTest, EachCommandOpensItsDialog)
{
    ASSERT_TRUE(StartLine({1}));
    OpenConfigurations({Single("Site1", SimComPort)});
    ConnectLine();
    const struct
    {
        int command;
        const char* caption;
    } lineCommands[] = {
        {ID_MEMORY_CHECK, "Memory Check"},
        {ID_FORMAT_MEMORY, "Format memory"},
        {ID_TIME_SET_CHECK, "Time Set"},
        {ID_LOGGER_RESET, "Reset"},
    };
    for (const auto& c : lineCommands)
        EXPECT_EQ(DialogOf([&] { frame->OnCommand(c.command); }), c.caption) << c.command;
    EXPECT_TRUE(g_port.m_Serial.IsOpen());

    // Zigbee set wants the line closed; its toolbar button is the same action.
    g_port.m_Serial.Close();
    frame->UpdateCommandUI();
    EXPECT_EQ(DialogOf([&] { frame->Command(ID_ZIGBEE_SET)->trigger(); }), "Zigbee set");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_TRUE(boxes.requests.empty());
}

} // namespace
