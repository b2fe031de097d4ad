#include "MainWindowFixture.h"

#include "support/Screenshot.h"

#include <QComboBox>

namespace {

using Strings = std::vector<std::string>;

class MainScreenTest : public MainWindowFixture
{
protected:
    Strings Information() const
    {
        return {Text(IDC_QUANTITY), Text(IDC_LOGGER_COUNT), Text(IDC_COM_PORT), Text(IDC_NETWORK),
            Text(IDC_RECEIVE_SCHEDULE), Text(IDC_ERASE_SCHEDULE)};
    }
    QComboBox* NameCombo() const { return view->ItemAs<QComboBox>(IDC_LOGGER_COMBO); }
    void ChooseByName(int index)
    {
        NameCombo()->setCurrentIndex(index);
        emit NameCombo()->activated(index);
    }
    void ConnectNetwork(std::initializer_list<int> onLine, int records)
    {
        ASSERT_TRUE(StartLine(onLine, records));
        LoggerRecord network = Network("Dam", {2, 5}, true);
        network.m_nComPort = SimComPort;
        OpenConfigurations({network});
        ConnectLine();
        sim.ClearReceived();
    }
    std::string Call(int idIndex)
    {
        view->ItemAs<QComboBox>(IDC_LOGGER_ID_COMBO)->setCurrentIndex(idIndex);
        view->OnBnClickedCall();
        return std::string(Enabled(IDC_LAMP_GOOD) ? "GOOD" : "")
            + (Enabled(IDC_LAMP_BAD) ? "BAD" : "");
    }
};

TEST_F(MainScreenTest, InformationOfSingleAndNetworkConfigurations)
{
    LoggerRecord rs485 = Network("Dam", {2, 5}, true, 60);
    rs485.m_nReceiveDelay = 30; // the delay is off: it reads 0
    LoggerRecord zigbee = Network("Pier", {1, 3, 7}, false, 120, 30);
    zigbee.m_bEraseAfterReceive = 1;
    OpenConfigurations({Single("Tunnel", 4), rs485, zigbee});
    EXPECT_EQ(Information(), (Strings{"Single", "1 Nos", "COM 4", "None", "Not used", "Not used"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), Strings{"01"});

    List()->setCurrentRow(1);
    EXPECT_EQ(NameCombo()->currentIndex(), 1);
    EXPECT_EQ(Information(),
        (Strings{
            "Multiple (2 Nos)", "2 Nos", "COM 1", "RS485", "60 min, Delay 0 min", "Not used"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), (Strings{"02", "05"}));
    EXPECT_EQ(Text(IDC_LOGGER_ID_COMBO), "02");

    ChooseByName(2); // the name combo selects in the list
    EXPECT_EQ(List()->currentRow(), 2);
    EXPECT_EQ(g_nCurLogger, 2);
    EXPECT_EQ(Information(),
        (Strings{"Multiple (3 Nos)", "3 Nos", "COM 1", "Zigbee", "120 min, Delay 30 min",
            "Every received"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), (Strings{"01", "03", "07"}));
}

TEST_F(MainScreenTest, OpenAndCloseLoggerReloadTheScreenFromTheTable)
{
    OpenConfigurations({Single("A", 1), Single("B", 2), Single("C", 3, 60)});
    List()->setCurrentRow(2);
    OpenConfigurations({Single("A", 1), Single("B", 2), Single("C", 3, 60)}); // a cancelled Open
    EXPECT_EQ(g_nCurLogger, 0);
    EXPECT_EQ(List()->currentRow(), 0);

    List()->setCurrentRow(1);
    view->OnBnClickedCloseLogger();
    EXPECT_EQ(FieldText(g_loggers[1].m_szName), "C");
    EXPECT_EQ(Items(IDC_LOGGER_LIST), (Strings{"A", "C"}));
    EXPECT_EQ(Items(IDC_LOGGER_COMBO), (Strings{"A", "C"}));
    EXPECT_EQ(g_nCurLogger, 0); // the first becomes current
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(Text(IDC_COM_PORT), "COM 1");

    view->OnBnClickedCloseLogger();
    view->OnBnClickedCloseLogger();
    view->OnBnClickedCloseLogger(); // nothing selected: nothing to close
    EXPECT_EQ(g_nLoggerCount, 0);
    EXPECT_TRUE(Items(IDC_LOGGER_LIST).empty());
    EXPECT_EQ(Information(), Strings(6));
    ExpectScreen({IDC_OPEN_LOGGER}, "all closed");

    OpenConfigurations({Single("C", 3, 60)});
    OpenConfigurations({});
    EXPECT_TRUE(Items(IDC_LOGGER_COMBO).empty());
    EXPECT_EQ(Information(), Strings(6));
    ExpectScreen({IDC_OPEN_LOGGER}, "none opened");
}

TEST_F(MainScreenTest, DisconnectClosesTheLinePutsTheLampsOutAndHangsUpOnlyAModem)
{
    LoggerRecord dialled = Single("Dialled", SimComPort);
    dialled.m_bUseModem = 1;
    OpenConfigurations({Single("Direct", SimComPort), dialled});
    ASSERT_TRUE(StartLine({1}));
    for (int row : {0, 1}) {
        List()->setCurrentRow(row);
        ConnectLine();
        view->OnBnClickedCall();
        ASSERT_TRUE(Enabled(IDC_LAMP_GOOD));
        sim.ClearReceived();
        view->DisconnectLogger();
        EXPECT_FALSE(g_port.m_Serial.IsOpen());
        EXPECT_FALSE(Enabled(IDC_LAMP_GOOD));
        EXPECT_EQ(sim.Received().find("+++") != std::string::npos, row == 1) << row;
        ASSERT_EQ(boxes.Texts(), Strings{"Disconnected to logger!"});
        EXPECT_EQ(boxes.requests.back().icon, MessageIcon::Information);
    }
}

// Call on a connected network of IDs 2 and 5; the lamp lit, or "" for none.
TEST_F(MainScreenTest, CallLightsGoodOnAnAnswerEvenWithNoRecordsAndBadOnSilence)
{
    ConnectNetwork({2}, 0); // logger 5 is not on the line
    CSerialCom::SetSliceMs(1);
    EXPECT_EQ(Call(0), "GOOD");
    EXPECT_EQ(sim.Commands(), Strings{"@01,02,memory"});
    EXPECT_EQ(Call(1), "BAD");
    EXPECT_EQ(sim.Commands().back(), "@01,05,memory");
    EXPECT_EQ(Call(0), "GOOD");
    sim.SetSilent(true); // a logger that answered before goes silent
    EXPECT_EQ(Call(0), "BAD");
}

TEST_F(MainScreenTest, ScreenshotsWithConfigurationsOpenAndConnected)
{
    LoggerRecord plant = Network("Dam-North", {1, 2, 3, 5}, true, 60, 15);
    plant.m_bEraseAfterReceive = 1;
    plant.m_nComPort = SimComPort;
    OpenConfigurations({plant, Single("Tunnel-A"), Network("Bridge-Pier", {2, 4}, false)});
    frame->show();
    EXPECT_TRUE(SaveScreenshot(frame.get(), "main_window"));

    ASSERT_TRUE(StartLine({1, 2, 3, 5}));
    ConnectLine();
    view->OnBnClickedCall();
    EXPECT_TRUE(SaveScreenshot(frame.get(), "main_window_connected"));
}

} // namespace
