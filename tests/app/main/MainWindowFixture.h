#pragma once

#include "app/MainFrame.h"
#include "app/VorlenView.h"
#include "app/record/LoggerRecord.h"

#include "loggersim/LoggerSim.h"

#include "support/RecordingPresenter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

// A main window over a table of open configurations kept in a temporary data folder, with
// message boxes recorded. The port is closed and the schedule stopped before and after.
class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the frame (and its main screen) as the program does at start.
    void MakeFrame();
    // Puts the records into the table as an Open Logger would, and refreshes the screen.
    void OpenConfigurations(std::initializer_list<LoggerRecord> records);

    LoggerRecord Single(const std::string& name, int comPort = 1) const;
    LoggerRecord Network(const std::string& name, std::initializer_list<int> ids, bool rs485) const;

    // Starts the simulated line with these loggers, mapped to COM port SimComPort.
    bool StartLine(std::initializer_list<int> ids, int records = 5);
    // Opens g_port on the simulated line as a successful connect leaves it, but without the
    // screen knowing.
    bool OpenPort();
    // Connects the current configuration through the screen's Connect (its dialog) and
    // forgets the dialog's message box.
    void ConnectLine();

    // Enabled state of a control of the main screen, by number.
    bool Enabled(int controlId) const;
    std::string Text(int controlId) const;
    // Enabled state of a frame command's menu entry and toolbar button; fails the test when
    // the two differ.
    bool CommandEnabled(int commandId) const;

    static constexpr int SimComPort = 9;

    loggersim::LoggerSim sim;
    std::unique_ptr<CMainFrame> frame;
    CVorlenView* view = nullptr;
    RecordingPresenter boxes;

private:
    QTemporaryDir m_dir;
};
