#pragma once

#include "app/MainFrame.h"
#include "app/ScheduleFlag.h"
#include "app/VorlenView.h"
#include "link/Port.h"
#include "loggersim/LoggerSim.h"
#include "record/DataFolder.h"
#include "record/LoggerTable.h"
#include "res/MainScreenIds.h"
#include "support/RecordingPresenter.h"

#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

// A main window over configurations in a temporary data folder, message boxes recorded.
class MainWindowFixture : public ::testing::Test
{
protected:
    using Strings = std::vector<std::string>;

    void SetUp() override;
    void TearDown() override;

    void MakeFrame()
    {
        frame = std::make_unique<CMainFrame>();
        view = frame->View();
    }
    // The records put into the table as an Open Logger would, the screen refreshed.
    void OpenConfigurations(std::initializer_list<LoggerRecord> records);
    // One logger, or a network of these IDs; receiveEvery > 0 receives on schedule.
    LoggerRecord Single(
        const std::string& name, int comPort = 1, int receiveEvery = 0, int delay = 0) const;
    LoggerRecord Network(const std::string& name, std::initializer_list<int> ids, bool rs485,
        int receiveEvery = 0, int delay = 0) const;

    // The simulated loggers on the line behind COM port SimComPort.
    bool StartLine(std::initializer_list<int> ids, int records = 5);
    // Opens g_port on the line without the screen knowing; a port of another test program
    // may hold this pseudo-terminal's lock for a moment.
    bool OpenPort()
    {
        g_port.m_Serial.SetPort(SimComPort);
        g_port.m_Serial.SetLoggerLine();
        return QTest::qWaitFor([] { return g_port.m_Serial.Open(); }, 5000);
    }
    // Connect on the screen, its box forgotten.
    void ConnectLine()
    {
        view->OnBnClickedConnect();
        EXPECT_TRUE(g_port.m_Serial.IsOpen());
        boxes.requests.clear();
    }
    static void HandlePosted() { QCoreApplication::processEvents(); }

    // The screen's buttons on; the commands on (menu entry and toolbar button agreeing).
    std::set<int> ScreenOn() const;
    std::set<int> CommandsOn() const;

    void Click(int controlId) { QTest::mouseClick(view->Item(controlId), Qt::LeftButton); }
    bool Enabled(int controlId) const { return view->Item(controlId)->isEnabled(); }
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
