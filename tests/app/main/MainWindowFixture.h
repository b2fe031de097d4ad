#pragma once

#include "app/MainFrame.h"
#include "app/ScheduleFlag.h"
#include "app/VorlenView.h"
#include "record/DataFolder.h"
#include "record/LoggerRecord.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "res/MainScreenIds.h"

#include "loggersim/LoggerSim.h"

#include "support/RecordingPresenter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <vector>

// A main window over a table of open configurations kept in a temporary data folder, with
// message boxes recorded. The port is closed and the schedule stopped after each test.
class MainWindowFixture : public ::testing::Test
{
protected:
    using Strings = std::vector<std::string>;

    void SetUp() override;
    void TearDown() override;

    // Builds the frame (and its main screen) as the program does at start.
    void MakeFrame()
    {
        frame = std::make_unique<CMainFrame>();
        view = frame->View();
    }
    // Puts the records into the table as an Open Logger would, and refreshes the screen.
    void OpenConfigurations(std::initializer_list<LoggerRecord> records);

    // A configuration of one logger or of a network of these IDs; with receiveEvery minutes it
    // receives on schedule, delayed by delay minutes.
    LoggerRecord Single(
        const std::string& name, int comPort = 1, int receiveEvery = 0, int delay = 0) const;
    LoggerRecord Network(const std::string& name, std::initializer_list<int> ids, bool rs485,
        int receiveEvery = 0, int delay = 0) const;

    // Starts the simulated line with these loggers, mapped to COM port SimComPort.
    bool StartLine(std::initializer_list<int> ids, int records = 5);
    // Opens g_port on the simulated line without the screen knowing.
    bool OpenPort();
    // Connects the current configuration through the screen's Connect and forgets its box.
    void ConnectLine();
    // Runs what the handlers left for after the input (a refused choice's warning).
    static void HandlePosted() { QCoreApplication::processEvents(); }

    // The screen's buttons that are on, and the frame's commands that are on (a command's
    // menu entry and toolbar button must agree).
    std::set<int> ScreenOn() const;
    std::set<int> CommandsOn() const;

    // A mouse click on a control of the screen.
    void Click(int controlId) { QTest::mouseClick(view->Item(controlId), Qt::LeftButton); }
    bool Enabled(int controlId) const;
    std::string Text(int controlId) const { return view->Controls().ItemText(controlId); }
    // The entries of a combo box of the screen, or of the logger list.
    std::vector<std::string> Items(int controlId) const;
    QListWidget* List() const { return view->ItemAs<QListWidget>(IDC_LOGGER_LIST); }
    QComboBox* NameCombo() const { return view->ItemAs<QComboBox>(IDC_LOGGER_COMBO); }
    static bool Exists(const std::string& inDataFolder)
    {
        return QFileInfo::exists(QString::fromStdString(g_strDataFolder + inDataFolder));
    }

    static constexpr int SimComPort = 9;
    static const std::vector<int> AllCommands;

    loggersim::LoggerSim sim;
    std::unique_ptr<CMainFrame> frame;
    CVorlenView* view = nullptr;
    RecordingPresenter boxes;

private:
    QTemporaryDir m_dir;
};
