#include "MainWindowFixture.h"

#include "app/ScheduleFlag.h"
#include "app/record/DataFolder.h"
#include "app/record/LoggerTable.h"
#include "link/Port.h"
#include "platform/Format.h"

#include "support/ModalDriver.h"

#include <QAction>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>

namespace {

// The frame keeps its window state in the settings: tests keep theirs apart from the user's.
class SettingsInTestMode : public ::testing::Environment
{
public:
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }
};

const auto* const g_settingsEnvironment
    = ::testing::AddGlobalTestEnvironment(new SettingsInTestMode);

} // namespace

void MainWindowFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    g_strDataFolder = m_dir.path().toStdString() + "/";
    ClearLoggerTable();
    g_bScheduleRunning = false;
    g_port.m_Serial.Close();
}

void MainWindowFixture::TearDown()
{
    frame.reset();
    g_port.m_Serial.Close();
    sim.Stop();
    qunsetenv(FormatString("QUORBEL_COM%d", SimComPort).c_str());
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    g_bScheduleRunning = false;
    ClearLoggerTable();
}

void MainWindowFixture::MakeFrame()
{
    frame = std::make_unique<CMainFrame>();
    view = frame->View();
}

void MainWindowFixture::OpenConfigurations(std::initializer_list<LoggerRecord> records)
{
    ClearLoggerTable();
    for (const LoggerRecord& record : records)
        g_loggers[g_nLoggerCount++] = record;
    // The table stands as Open Logger's dialog leaves it; the screen then does the rest.
    ModalDriver driver;
    driver.Then([](QWidget* modal) { RejectModal(modal); });
    view->OnBnClickedOpenLogger();
    EXPECT_TRUE(driver.AllDone());
}

LoggerRecord MainWindowFixture::Single(const std::string& name, int comPort) const
{
    LoggerRecord record = NewLoggerRecord(name, g_strDataFolder);
    record.m_nComPort = comPort;
    return record;
}

LoggerRecord MainWindowFixture::Network(
    const std::string& name, std::initializer_list<int> ids, bool rs485) const
{
    LoggerRecord record = NewLoggerRecord(name, g_strDataFolder);
    record.m_bSingle = 0;
    record.m_bRs485 = rs485 ? 1 : 0;
    for (int id : ids)
        record.m_bLoggerUsed[id - 1] = 1;
    return record;
}

bool MainWindowFixture::StartLine(std::initializer_list<int> ids, int records)
{
    sim.SetLoggers(ids);
    for (int id : ids)
        sim.SetRecordCount(id, records);
    if (!sim.Start())
        return false;
    qputenv(
        FormatString("QUORBEL_COM%d", SimComPort).c_str(), QByteArray::fromStdString(sim.Path()));
    return true;
}

bool MainWindowFixture::OpenPort()
{
    g_port.m_Serial.SetPort(SimComPort);
    g_port.m_Serial.SetLoggerLine();
    return g_port.m_Serial.Open();
}

void MainWindowFixture::ConnectLine()
{
    view->OnBnClickedConnect();
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    boxes.requests.clear();
}

bool MainWindowFixture::Enabled(int controlId) const
{
    const QWidget* control = view->Item(controlId);
    EXPECT_NE(control, nullptr) << controlId;
    return control && control->isEnabled();
}

std::string MainWindowFixture::Text(int controlId) const
{
    return view->Controls().ItemText(controlId);
}

bool MainWindowFixture::CommandEnabled(int commandId) const
{
    QAction* action = frame->Command(commandId);
    EXPECT_NE(action, nullptr) << commandId;
    if (!action)
        return false;
    if (auto* button = qobject_cast<QToolButton*>(frame->ToolBar()->widgetForAction(action))) {
        EXPECT_EQ(button->isEnabled(), action->isEnabled()) << "toolbar button " << commandId;
    }
    return action->isEnabled();
}
