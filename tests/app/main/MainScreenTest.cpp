#include "MainWindowFixture.h"

#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "app/record/LoggerTable.h"
#include "link/Port.h"
#include "res/MainScreenIds.h"

#include "support/ModalDriver.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QTimer>

#include <string>
#include <vector>

namespace {

class MainScreenTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        MakeFrame();
    }

    std::vector<std::string> Items(int controlId) const
    {
        std::vector<std::string> items;
        if (auto* list = view->ItemAs<QListWidget>(controlId)) {
            for (int i = 0; i < list->count(); ++i)
                items.push_back(list->item(i)->text().toStdString());
        } else if (auto* combo = view->ItemAs<QComboBox>(controlId)) {
            for (int i = 0; i < combo->count(); ++i)
                items.push_back(combo->itemText(i).toStdString());
        }
        return items;
    }

    std::vector<std::string> Information() const
    {
        return {Text(IDC_QUANTITY), Text(IDC_LOGGER_COUNT), Text(IDC_COM_PORT), Text(IDC_NETWORK),
            Text(IDC_RECEIVE_SCHEDULE), Text(IDC_ERASE_SCHEDULE)};
    }

    // The controls whose state the screen's handlers set, by the row of the state table.
    void ExpectEnabled(std::initializer_list<int> enabled, std::initializer_list<int> disabled)
    {
        for (int id : enabled)
            EXPECT_TRUE(Enabled(id)) << "control " << id << " should be enabled";
        for (int id : disabled)
            EXPECT_FALSE(Enabled(id)) << "control " << id << " should be disabled";
    }

    void Connect()
    {
        ASSERT_TRUE(StartLine({1, 2, 5}));
        ConnectLine();
    }

    QListWidget* List() const { return view->ItemAs<QListWidget>(IDC_LOGGER_LIST); }
};

TEST_F(MainScreenTest, AtStartOnlyOpenLoggerIsOffered)
{
    ExpectEnabled({IDC_OPEN_LOGGER},
        {IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_SCHEDULE_STOP, IDC_CONNECT, IDC_MEASUREMENT,
            IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_LAMP_GOOD, IDC_LAMP_BAD, IDC_RECEIVE_DATA,
            IDC_VIEW_DATA, IDC_DISCONNECT});
    EXPECT_EQ(Information(), std::vector<std::string>(6));
    EXPECT_EQ(frame->windowTitle(), "Quorbel");
}

TEST_F(MainScreenTest, OpenConfigurationsWithThePortClosed)
{
    OpenConfigurations({Single("A"), Single("B")});
    ExpectEnabled({IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_CONNECT, IDC_VIEW_DATA},
        {IDC_SCHEDULE_START, IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_LAMP_GOOD,
            IDC_LAMP_BAD, IDC_RECEIVE_DATA, IDC_DISCONNECT});
    EXPECT_EQ(Items(IDC_LOGGER_LIST), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Items(IDC_LOGGER_COMBO), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(g_nCurLogger, 0);

    LoggerRecord automatic = Single("C");
    automatic.m_bAutoReceive = 1;
    OpenConfigurations({Single("A"), automatic});
    EXPECT_TRUE(Enabled(IDC_SCHEDULE_START));
}

TEST_F(MainScreenTest, InformationOfASingleLogger)
{
    OpenConfigurations({Single("Tunnel", 4)});
    EXPECT_EQ(Information(),
        (std::vector<std::string>{"Single", "1 Nos", "COM 4", "None", "Not used", "Not used"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), (std::vector<std::string>{"01"}));
}

TEST_F(MainScreenTest, InformationOfNetworks)
{
    LoggerRecord rs485 = Network("Dam", {2, 5}, true);
    rs485.m_bAutoReceive = 1;
    rs485.m_nReceiveInterval = 60;
    rs485.m_nReceiveDelay = 30; // the delay is off: it reads 0
    LoggerRecord zigbee = Network("Pier", {1, 3, 7}, false);
    zigbee.m_bAutoReceive = 1;
    zigbee.m_nReceiveInterval = 120;
    zigbee.m_bDelayOn = 1;
    zigbee.m_nReceiveDelay = 30;
    zigbee.m_bEraseAfterReceive = 1;
    OpenConfigurations({rs485, zigbee});

    EXPECT_EQ(Information(),
        (std::vector<std::string>{
            "Multiple (2 Nos)", "2 Nos", "COM 1", "RS485", "60 min, Delay 0 min", "Not used"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), (std::vector<std::string>{"02", "05"}));
    EXPECT_EQ(Text(IDC_LOGGER_ID_COMBO), "02");

    List()->setCurrentRow(1);
    EXPECT_EQ(g_nCurLogger, 1);
    EXPECT_EQ(view->ItemAs<QComboBox>(IDC_LOGGER_COMBO)->currentIndex(), 1);
    EXPECT_EQ(Information(),
        (std::vector<std::string>{"Multiple (3 Nos)", "3 Nos", "COM 1", "Zigbee",
            "120 min, Delay 30 min", "Every received"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), (std::vector<std::string>{"01", "03", "07"}));
}

TEST_F(MainScreenTest, TheNameComboSelectsInTheList)
{
    OpenConfigurations({Single("A"), Single("B", 6)});
    auto* combo = view->ItemAs<QComboBox>(IDC_LOGGER_COMBO);
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(List()->currentRow(), 1);
    EXPECT_EQ(g_nCurLogger, 1);
    EXPECT_EQ(Text(IDC_COM_PORT), "COM 6");
}

TEST_F(MainScreenTest, ClosingTheMiddleOfThreeKeepsTheOthersAndMakesTheFirstCurrent)
{
    OpenConfigurations({Single("A", 1), Single("B", 2), Single("C", 3)});
    List()->setCurrentRow(1);
    view->OnBnClickedCloseLogger();
    EXPECT_EQ(g_nLoggerCount, 2);
    EXPECT_EQ(g_nCurLogger, 0);
    EXPECT_EQ(Items(IDC_LOGGER_LIST), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(Items(IDC_LOGGER_COMBO), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(Text(IDC_COM_PORT), "COM 1");
    EXPECT_EQ(FieldText(g_loggers[1].m_szName), "C");
    ExpectEnabled({IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_CONNECT}, {IDC_CALL, IDC_MEASUREMENT});
}

TEST_F(MainScreenTest, ClosingTheLastOneLeavesOnlyOpenLogger)
{
    OpenConfigurations({Single("A")});
    view->OnBnClickedCloseLogger();
    EXPECT_EQ(g_nLoggerCount, 0);
    EXPECT_TRUE(Items(IDC_LOGGER_LIST).empty());
    EXPECT_EQ(Information(), std::vector<std::string>(6));
    ExpectEnabled(
        {IDC_OPEN_LOGGER}, {IDC_CLOSE_LOGGER, IDC_CONNECT, IDC_SCHEDULE_START, IDC_VIEW_DATA});

    // Nothing selected: nothing to close.
    view->OnBnClickedCloseLogger();
    EXPECT_EQ(g_nLoggerCount, 0);
}

TEST_F(MainScreenTest, OpeningAnEmptySetEmptiesTheScreen)
{
    LoggerRecord automatic = Single("A");
    automatic.m_bAutoReceive = 1;
    OpenConfigurations({automatic});
    OpenConfigurations({});
    EXPECT_TRUE(Items(IDC_LOGGER_LIST).empty());
    EXPECT_TRUE(Items(IDC_LOGGER_COMBO).empty());
    EXPECT_EQ(Information(), std::vector<std::string>(6));
    ExpectEnabled(
        {IDC_OPEN_LOGGER}, {IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_CONNECT, IDC_VIEW_DATA});
}

TEST_F(MainScreenTest, CancellingOpenLoggerMakesTheFirstConfigurationCurrent)
{
    OpenConfigurations({Single("A"), Single("B"), Single("C")});
    List()->setCurrentRow(2);
    ASSERT_EQ(g_nCurLogger, 2);
    ModalDriver driver;
    driver.Then([](QWidget* modal) { RejectModal(modal); });
    view->OnBnClickedOpenLogger();
    EXPECT_EQ(g_nLoggerCount, 3);
    EXPECT_EQ(g_nCurLogger, 0);
    EXPECT_EQ(List()->currentRow(), 0);
}

TEST_F(MainScreenTest, ConnectedLineOffersTheLineCommands)
{
    OpenConfigurations({Network("Dam", {1, 2, 5}, true)});
    g_loggers[0].m_nComPort = SimComPort;
    Connect();
    ASSERT_TRUE(g_port.m_Serial.IsOpen());
    ExpectEnabled({IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_RECEIVE_DATA, IDC_DISCONNECT,
                      IDC_VIEW_DATA},
        {IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_CONNECT, IDC_SCHEDULE_START, IDC_LAMP_GOOD,
            IDC_LAMP_BAD});
}

TEST_F(MainScreenTest, AnotherConfigurationCannotBeChosenWhileConnected)
{
    OpenConfigurations({Single("A", SimComPort), Single("B")});
    Connect();
    List()->setCurrentRow(1);
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(g_nCurLogger, 0);

    auto* combo = view->ItemAs<QComboBox>(IDC_LOGGER_COMBO);
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(combo->currentIndex(), 0);

    emit List()->itemDoubleClicked(List()->item(0));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>(3, "already port open")));
    EXPECT_EQ(boxes.requests.front().icon, MessageIcon::Warning);
}

TEST_F(MainScreenTest, DoubleClickDoesNothingWhileTheScheduleRuns)
{
    OpenConfigurations({Single("A"), Single("B")});
    ASSERT_TRUE(StartLine({1}));
    ASSERT_TRUE(OpenPort());
    g_bScheduleRunning = true;
    emit List()->itemDoubleClicked(List()->item(1));
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

TEST_F(MainScreenTest, DisconnectClosesTheLineAndPutsTheLampsOut)
{
    OpenConfigurations({Network("Dam", {1, 2, 5}, true)});
    g_loggers[0].m_nComPort = SimComPort;
    Connect();
    view->OnBnClickedCall();
    ASSERT_TRUE(Enabled(IDC_LAMP_GOOD));

    view->DisconnectLogger();
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    ExpectEnabled({IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_CONNECT, IDC_VIEW_DATA},
        {IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_LAMP_GOOD, IDC_LAMP_BAD,
            IDC_RECEIVE_DATA, IDC_DISCONNECT});
    ASSERT_FALSE(boxes.requests.empty());
    EXPECT_EQ(boxes.requests.back().text, "Disconnected to logger!");
    EXPECT_EQ(boxes.requests.back().icon, MessageIcon::Information);
    // A direct line is not sent the modem's hang-up.
    EXPECT_EQ(sim.Received().find("+++"), std::string::npos);
}

TEST_F(MainScreenTest, DisconnectHangsUpAModem)
{
    LoggerRecord dialled = Single("Remote", SimComPort);
    dialled.m_bUseModem = 1;
    OpenConfigurations({dialled});
    Connect();
    view->DisconnectLogger();
    EXPECT_NE(sim.Received().find("+++"), std::string::npos);
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
}

TEST_F(MainScreenTest, TheContextMenuOffersEditCommandsItDoesNotHandle)
{
    std::vector<std::string> entries;
    bool anyEnabled = false;
    QTimer::singleShot(0, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        if (auto* menu = qobject_cast<QMenu*>(popup)) {
            for (QAction* action : menu->actions()) {
                entries.push_back(action->text().toStdString());
                anyEnabled = anyEnabled || action->isEnabled();
            }
        }
        if (popup)
            popup->close();
    });
    QContextMenuEvent event(
        QContextMenuEvent::Mouse, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view, &event);
    EXPECT_EQ(entries, (std::vector<std::string>{"Cu&t", "&Copy", "&Paste"}));
    EXPECT_FALSE(anyEnabled);
}

} // namespace
