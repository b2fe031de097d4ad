#include "MainWindowFixture.h"

#include "platform/Format.h"
#include "res/CommandIds.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QStandardPaths>
#include <QToolBar>

const std::vector<int> MainWindowFixture::AllCommands{ID_OPEN_LOGGER, ID_CLOSE_LOGGER, ID_APP_EXIT,
    ID_CONNECT, ID_CONNECT_OPTION, ID_DISCONNECT, ID_RECEIVE_DATA, ID_MEMORY_CHECK,
    ID_FORMAT_MEMORY, ID_TIME_SET_CHECK, ID_LOGGER_RESET, ID_VIEW_DATA, ID_VIEW_GRAPH,
    ID_LOGGER_SETTING, ID_ZIGBEE_SET, ID_APP_ABOUT};

void MainWindowFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    QStandardPaths::setTestModeEnabled(true); // the frame keeps its window state in settings
    g_strDataFolder = m_dir.path().toStdString() + "/";
    MakeFrame();
}

void MainWindowFixture::TearDown()
{
    frame.reset();
    g_port.m_Serial.Close();
    sim.Stop();
    qunsetenv(FormatString("QUORBEL_COM%d", SimComPort).c_str());
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    CVorlenView::s_nScheduleTickMs = 1000;
    g_bScheduleRunning = false;
    ClearLoggerTable();
}

void MainWindowFixture::OpenConfigurations(std::initializer_list<LoggerRecord> records)
{
    ClearLoggerTable();
    for (const LoggerRecord& record : records)
        g_loggers[g_nLoggerCount++] = record;
    // The table stands as Open Logger's dialog leaves it; the screen does the rest.
    ModalDriver driver;
    driver.Then(RejectModal);
    view->OnBnClickedOpenLogger();
    EXPECT_TRUE(driver.AllDone());
}

LoggerRecord MainWindowFixture::Single(
    const std::string& name, int comPort, int receiveEvery, int delay) const
{
    LoggerRecord record = NewLoggerRecord(name, g_strDataFolder);
    record.m_nComPort = comPort;
    record.m_bAutoReceive = receiveEvery > 0;
    record.m_nReceiveInterval = receiveEvery;
    record.m_bDelayOn = delay > 0;
    record.m_nReceiveDelay = delay;
    return record;
}

LoggerRecord MainWindowFixture::Network(const std::string& name, std::initializer_list<int> ids,
    bool rs485, int receiveEvery, int delay) const
{
    LoggerRecord record = Single(name, 1, receiveEvery, delay);
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
    return sim.Start()
        && qputenv(FormatString("QUORBEL_COM%d", SimComPort).c_str(),
            QByteArray::fromStdString(sim.Path()));
}

std::set<int> MainWindowFixture::ScreenOn() const
{
    std::set<int> on;
    for (int id : {IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_SCHEDULE_STOP,
             IDC_CONNECT, IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_LAMP_GOOD,
             IDC_LAMP_BAD, IDC_RECEIVE_DATA, IDC_VIEW_DATA, IDC_DISCONNECT})
        if (Enabled(id))
            on.insert(id);
    return on;
}

std::set<int> MainWindowFixture::CommandsOn() const
{
    std::set<int> on;
    for (int id : AllCommands) {
        QAction* action = frame->Command(id);
        const QWidget* button = frame->ToolBar()->widgetForAction(action);
        EXPECT_EQ(button ? button->isEnabled() : action->isEnabled(), action->isEnabled()) << id;
        if (action->isEnabled())
            on.insert(id);
    }
    return on;
}

std::vector<std::string> MainWindowFixture::Items(int controlId) const
{
    auto* combo = view->ItemAs<QComboBox>(controlId);
    const QAbstractItemModel* model = combo ? combo->model() : List()->model();
    std::vector<std::string> items;
    for (int i = 0; i < model->rowCount(); ++i)
        items.push_back(model->index(i, 0).data().toString().toStdString());
    return items;
}
