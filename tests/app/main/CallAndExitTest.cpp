#include "MainWindowFixture.h"

#include "app/record/DataFolder.h"
#include "app/record/LoggerTable.h"
#include "link/Port.h"
#include "res/CommandIds.h"
#include "res/MainScreenIds.h"

#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QTimer>

#include <string>
#include <vector>

namespace {

class CallTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        MakeFrame();
    }

    // A connected network of IDs 2 and 5 on the simulated line.
    void ConnectNetwork(std::initializer_list<int> onLine, int records)
    {
        ASSERT_TRUE(StartLine(onLine, records));
        LoggerRecord network = Network("Dam", {2, 5}, true);
        network.m_nComPort = SimComPort;
        OpenConfigurations({network});
        ConnectLine();
        sim.ClearReceived();
    }

    void ChooseId(int index)
    {
        view->ItemAs<QComboBox>(IDC_LOGGER_ID_COMBO)->setCurrentIndex(index);
    }
};

TEST_F(CallTest, ALoggerThatAnswersLightsGoodEvenWithNoRecords)
{
    ConnectNetwork({2, 5}, 0);
    view->OnBnClickedCall();
    EXPECT_TRUE(Enabled(IDC_LAMP_GOOD));
    EXPECT_FALSE(Enabled(IDC_LAMP_BAD));
    EXPECT_EQ(sim.Commands(), (std::vector<std::string>{"@01,02,memory"}));

    ChooseId(1);
    view->OnBnClickedCall();
    EXPECT_TRUE(Enabled(IDC_LAMP_GOOD));
    EXPECT_EQ(sim.Commands().back(), "@01,05,memory");
}

TEST_F(CallTest, SilenceLightsBad)
{
    ConnectNetwork({2}, 3);
    CSerialCom::SetSliceMs(1);
    ChooseId(1); // logger 5 is not on the line
    view->OnBnClickedCall();
    EXPECT_FALSE(Enabled(IDC_LAMP_GOOD));
    EXPECT_TRUE(Enabled(IDC_LAMP_BAD));

    // A logger that answered before goes silent: the lamps change over.
    ChooseId(0);
    view->OnBnClickedCall();
    ASSERT_TRUE(Enabled(IDC_LAMP_GOOD));
    sim.SetSilent(true);
    view->OnBnClickedCall();
    EXPECT_FALSE(Enabled(IDC_LAMP_GOOD));
    EXPECT_TRUE(Enabled(IDC_LAMP_BAD));
}

TEST_F(CallTest, ADisconnectDuringTheCallLeavesBothLampsDark)
{
    ConnectNetwork({2, 5}, 3);
    sim.SetReplyDelay(200);
    QTimer::singleShot(0, view, [this] { view->DisconnectLogger(); });
    view->OnBnClickedCall();
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_FALSE(Enabled(IDC_LAMP_GOOD));
    EXPECT_FALSE(Enabled(IDC_LAMP_BAD));
}

TEST_F(CallTest, ASecondCallDuringTheWaitIsIgnored)
{
    ConnectNetwork({2, 5}, 3);
    sim.SetReplyDelay(100);
    QTimer::singleShot(0, view, [this] { view->OnBnClickedCall(); });
    view->OnBnClickedCall();
    EXPECT_EQ(sim.Commands().size(), 1u);
    EXPECT_TRUE(Enabled(IDC_LAMP_GOOD));
    EXPECT_FALSE(Enabled(IDC_LAMP_BAD));
}

class ExitTest : public MainWindowFixture
{
};

TEST_F(ExitTest, LeavingWithTheLineOpenHangsUpTheModemAndClosesThePort)
{
    ASSERT_TRUE(StartLine({1}));
    MakeFrame();
    LoggerRecord dialled = Single("Remote", SimComPort);
    dialled.m_bUseModem = 1;
    SetFieldText(dialled.m_szHangUpCommand, "+++");
    OpenConfigurations({dialled});
    ASSERT_TRUE(OpenPort());
    sim.ClearReceived();

    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(sim.Received(), "+++");
}

TEST_F(ExitTest, LeavingADirectLineClosesThePortWithoutAHangUp)
{
    ASSERT_TRUE(StartLine({1}));
    MakeFrame();
    OpenConfigurations({Single("Direct", SimComPort)});
    ASSERT_TRUE(OpenPort());
    sim.ClearReceived();

    frame->OnCommand(ID_APP_EXIT);
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_TRUE(sim.Received().empty());
}

TEST_F(ExitTest, DestroyingTheFrameClosesThePort)
{
    ASSERT_TRUE(StartLine({1}));
    MakeFrame();
    ASSERT_TRUE(OpenPort());
    frame.reset();
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
}

} // namespace

namespace {

class ReceiveTest : public MainWindowFixture
{
};

TEST_F(ReceiveTest, ReceiveDataDownloadsTheSelectedConfigurationOnly)
{
    ASSERT_TRUE(StartLine({1}, 4));
    MakeFrame();
    OpenConfigurations({Single("Other"), Single("Site1", SimComPort)});
    view->ItemAs<QListWidget>(IDC_LOGGER_LIST)->setCurrentRow(1);
    ConnectLine();

    frame->OnCommand(ID_RECEIVE_DATA);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(g_strDataFolder + "Site1/Site1-01.csv")));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(g_strDataFolder + "Other")));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Data receiving complete!"}));
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

} // namespace
