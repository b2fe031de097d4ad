#include "app/ScheduleFlag.h"
#include "app/dialogs/ConnectDlg.h"

#include "support/DialogInput.h"
#include "support/ModalDriver.h"
#include "support/sim/SimLineFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTimer>

#include <unistd.h>

namespace {

// A modem that cannot be dialled: it gets as far as the first step of the bar.
class FailingDialConnectDlg final : public CConnectDlg
{
protected:
    bool DialModem(const ProgressPos& progress) override
    {
        SetProgressPos(progress, 1);
        return false;
    }
};

class ConnectDlgTest : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        Reset(Record());
    }
    void TearDown() override
    {
        g_bScheduleRunning = false;
        qunsetenv("QUORBEL_COM18");
        SimLineFixture::TearDown();
    }

    // Runs the dialog; returns the bar's positions, the last its maximum.
    template <class Dialog = CConnectDlg> std::vector<int> Connect()
    {
        Dialog dialog;
        std::vector<int> positions;
        auto* bar = dialog.template ItemAs<QProgressBar>(1003);
        QObject::connect(
            bar, &QProgressBar::valueChanged, [&](int value) { positions.push_back(value); });
        dialog.DoModal();
        EXPECT_EQ(bar->value(), bar->maximum());
        return positions;
    }
    void Reset(const LoggerRecord& record)
    {
        g_port.m_Serial.Close();
        Record() = record;
        ClearReceived();
        boxes.requests.clear();
    }
};

// The first logger is asked for its address; a failure closes the port with one warning, an
// open that fails names the device and the reason. While the schedule runs no box shows.
TEST_F(ConnectDlgTest, TheFirstLoggerIsAskedForItsAddressOrTheFailureSaysWhy)
{
    ShortSlices();
    const LoggerRecord plain = Record();
    const std::string device = sim.Path();
    const QString path = QString::fromStdString(device);
    const QFile::Permissions permissions = QFile::permissions(path);
    qputenv("QUORBEL_COM18", "/dev/quorbel-no-such-port");
    CSerialCom holder; // another program holding the line
    holder.SetPort(ComPort);
    enum Also
    {
        Nothing,
        Modem,
        Network,
        NoIds,
        Silent,
        Busy,
        Denied,
        FailedDial
    };
    const std::string connected = "Connected to logger!", none = "No connect to logger!";
    const struct
    {
        int comPort;
        Also also;
        std::string text; // after "port open fail" when empty or on a line of its own
        Texts commands;
        std::vector<int> positions;
    } cases[] = {
        {ComPort, Nothing, connected, {"@01,01,address"}, {3}},
        {ComPort, Modem, connected, {"+++", "AT+CRM=129", "ATDT0421234567", "@01,01,address"},
            {1, 8, 13, 19}},
        {ComPort, Network, connected, {"@01,03,address"}, {3}},
        {ComPort, NoIds, none, {}, {3}},
        {ComPort, Silent, none, {"@01,01,address"}, {3}},
        {65536 + ComPort, Nothing, "\nCOM 65545 names no port.", {}, {3}},
        {0, Nothing, "\nCOM 0 names no port.", {}, {3}},
        {18, Nothing, "\nCOM18 is /dev/quorbel-no-such-port: no such device.", {}, {3}},
        {ComPort, Busy, "\nCOM9 is " + device + ": busy (another program has it open).", {}, {3}},
        {ComPort, Denied,
            "\nCOM9 is " + device
                + ": permission denied.\nThe user needs membership of the \"dialout\" group "
                  "(sudo adduser $USER dialout, then log in again).",
            {}, {3}},
        {ComPort, FailedDial, "", {}, {1, 19}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Reset(plain);
        Record().m_nComPort = c.comPort;
        Record().m_bSingle = c.also != NoIds && c.also != Network;
        Record().m_bUseModem = c.also == Modem || c.also == FailedDial;
        SetFieldText(Record().m_szPhoneNumber, "0421234567");
        if (c.also == Network)
            Record().m_bLoggerUsed[2] = Record().m_bLoggerUsed[4] = Record().m_bLoggerUsed[5] = 1;
        sim.SetLoggers(c.also == Network ? std::vector<int>{3, 5, 6} : std::vector<int>{1});
        sim.SetSilent(c.also == Silent);
        ASSERT_TRUE(c.also != Busy || holder.Open());
        // Nobody may open the line; root may open anything, so the open runs as "nobody".
        bool dropped = false;
        if (c.also == Denied) {
            ASSERT_TRUE(QFile::setPermissions(path, {}));
            dropped = geteuid() == 0 && setresuid(65534, 65534, 0) == 0;
            EXPECT_NE(geteuid(), 0u);
        }
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(c.also == FailedDial ? Connect<FailingDialConnectDlg>() : Connect(), c.positions);
        const qint64 elapsed = clock.elapsed();
        EXPECT_TRUE(!dropped || setresuid(0, 0, 0) == 0);
        ASSERT_TRUE(QFile::setPermissions(path, permissions));
        holder.Close();
        const bool openFail = c.text.empty() || c.text[0] == '\n';
        EXPECT_EQ(g_port.m_Serial.IsOpen(), c.text == connected);
        EXPECT_EQ(sim.Commands(), c.commands);
        EXPECT_EQ(boxes.Texts(), Texts{openFail ? "port open fail" + c.text : c.text});
        EXPECT_EQ(boxes.requests[0].icon,
            c.text == connected ? MessageIcon::Information : MessageIcon::Warning);
        EXPECT_TRUE(!openFail || c.also == FailedDial || (elapsed >= 90 && elapsed < 3000))
            << elapsed;
    }
    sim.SetSilent(false);
    g_bScheduleRunning = true;
    for (const int comPort : {18, int{ComPort}}) {
        Reset(plain);
        Record().m_nComPort = comPort;
        Connect();
        EXPECT_EQ(g_port.m_Serial.IsOpen(), comPort == ComPort);
        EXPECT_TRUE(boxes.requests.empty());
    }
}

// Enter and Esc, before the first stage and once the logger is asked, leave the dialog be.
TEST_F(ConnectDlgTest, KeysDoNotEndTheDialogBeforeItsOutcome)
{
    sim.SetReplyDelay(200);
    const auto pressKeys = [](QWidget* dialog) {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(dialog, key);
    };
    bool pressedInWait = false;
    QTimer asked;
    ModalDriver driver;
    driver.Then([&](QWidget* dialog) {
        pressKeys(dialog);
        QObject::connect(&asked, &QTimer::timeout, dialog, [&, dialog] {
            if (!pressedInWait && !sim.Received().empty()) {
                pressedInWait = true;
                pressKeys(dialog);
            }
        });
        asked.start(1);
    });
    EXPECT_EQ(Connect(), std::vector<int>{3});
    EXPECT_TRUE(driver.AllDone() && pressedInWait);
    EXPECT_EQ(sim.Received(), "@01,01,address\r");
    EXPECT_EQ(boxes.Texts(), Texts{"Connected to logger!"});
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

} // namespace
