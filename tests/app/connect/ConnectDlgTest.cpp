#include "app/ScheduleFlag.h"
#include "app/dialogs/ConnectDlg.h"

#include "platform/DebugTrace.h"
#include "platform/Format.h"

#include "support/ModalDriver.h"
#include "support/sim/SimLineFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using Texts = std::vector<std::string>;

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

std::vector<std::string> g_traced;

class ConnectDlgTest : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        g_traced.clear();
        SetTraceSink([](const char* text) {
            if (std::string(text).starts_with("port open fail"))
                g_traced.emplace_back(text);
        });
    }
    void TearDown() override
    {
        SetTraceSink(nullptr);
        g_bScheduleRunning = false;
        qunsetenv("QUORBEL_COM18");
        SimLineFixture::TearDown();
    }

    struct Result
    {
        int maximum = 0, value = 0;
        std::vector<int> positions, ids;
    };

    template <class Dialog = CConnectDlg> Result Connect()
    {
        Dialog dialog;
        Result result;
        auto* bar = dialog.template ItemAs<QProgressBar>(1003);
        QObject::connect(bar, &QProgressBar::valueChanged,
            [&result](int value) { result.positions.push_back(value); });
        dialog.DoModal();
        result.maximum = bar->maximum();
        result.value = bar->value();
        result.ids = dialog.m_ids;
        return result;
    }
    void Reset(const LoggerRecord& record)
    {
        g_port.m_Serial.Close();
        Record() = record;
        ClearReceived();
        boxes.requests.clear();
        g_traced.clear();
    }
};

// A single logger, one over a modem, then a network is asked for its address: a network
// only its first ID.
TEST_F(ConnectDlgTest, TheFirstLoggerIsAskedForItsAddress)
{
    Result result = Connect();
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(g_port.m_nComPort, ComPort);
    EXPECT_EQ(sim.Received(), "@01,01,address\r");
    EXPECT_EQ(std::make_pair(result.maximum, result.value), std::make_pair(3, 3));
    EXPECT_EQ(boxes.Texts(), Texts{"Connected to logger!"});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);
    // A modem line dials first, on the longer bar: hang-up, initialisation, dial, then the
    // positions up to CONNECT and the full bar.
    Reset(Record());
    Record().m_bUseModem = 1;
    SetFieldText(Record().m_szPhoneNumber, "0421234567");
    result = Connect();
    EXPECT_EQ(std::make_pair(result.maximum, result.value), std::make_pair(19, 19));
    EXPECT_EQ(result.positions, (std::vector<int>{1, 8, 13, 19}));
    EXPECT_EQ(sim.Commands(), (Texts{"+++", "AT+CRM=129", "ATDT0421234567", "@01,01,address"}));
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    Reset(Record());
    Record().m_bUseModem = 0;
    sim.SetLoggers({3, 5, 6});
    Record().m_bSingle = 0;
    Record().m_bLoggerUsed[2] = Record().m_bLoggerUsed[4] = Record().m_bLoggerUsed[5] = 1;
    result = Connect();
    EXPECT_EQ(result.ids, (std::vector<int>{3, 5, 6}));
    EXPECT_EQ(sim.Received(), "@01,03,address\r");
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

// Each failure leaves the port closed with one warning; a port that will not open names the
// device and the system's reason (for a missing permission the remedy) after about a tenth
// of a second, and the trace says the same. While the schedule runs no box shows.
TEST_F(ConnectDlgTest, AFailureLeavesThePortClosedAndSaysWhy)
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
        Silent,
        Busy,
        Denied,
        FailedDial
    };
    const struct
    {
        int comPort, single;
        Also also;
        std::string reason; // after "port open fail", or the whole text
    } cases[] = {
        {ComPort, 0, Nothing, "No connect to logger!"}, // a network without IDs
        {ComPort, 1, Silent, "No connect to logger!"},
        {65536 + ComPort, 1, Nothing, "\nCOM 65545 names no port."},
        {0, 1, Nothing, "\nCOM 0 names no port."},
        {18, 1, Nothing, "\nCOM18 is /dev/quorbel-no-such-port: no such device."},
        {ComPort, 1, Busy, "\nCOM9 is " + device + ": busy (another program has it open)."},
        {ComPort, 1, Denied,
            "\nCOM9 is " + device
                + ": permission denied.\nThe user needs membership of the \"dialout\" group "
                  "(sudo adduser $USER dialout, then log in again)."},
        {ComPort, 1, FailedDial, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        Reset(plain);
        Record().m_nComPort = c.comPort;
        Record().m_bSingle = c.single;
        Record().m_bUseModem = c.also == FailedDial;
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
        const Result result = c.also == FailedDial ? Connect<FailingDialConnectDlg>() : Connect();
        const qint64 elapsed = clock.elapsed();
        EXPECT_TRUE(!dropped || setresuid(0, 0, 0) == 0);
        ASSERT_TRUE(QFile::setPermissions(path, permissions));
        holder.Close();
        const bool openFail = !c.reason.starts_with("No");
        EXPECT_FALSE(g_port.m_Serial.IsOpen());
        EXPECT_EQ(sim.Received(), c.also == Silent ? "@01,01,address\r" : "");
        EXPECT_EQ(boxes.Texts(), Texts{openFail ? "port open fail" + c.reason : c.reason});
        EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
        const bool traced = c.reason.find(" is ") != std::string::npos;
        EXPECT_EQ(
            g_traced, traced ? Texts{"port open fail: " + c.reason.substr(1) + "\r\n"} : Texts{});
        if (c.also == FailedDial) {
            EXPECT_EQ(result.positions, (std::vector<int>{1, 19}));
        } else if (openFail) {
            EXPECT_EQ(result.value, 3);
            EXPECT_TRUE(elapsed >= 90 && elapsed < 3000) << elapsed;
        }
    }
    sim.SetSilent(false);
    Reset(plain);
    g_bScheduleRunning = true;
    Record().m_bSingle = 0;
    Connect();
    Record().m_nComPort = 18;
    Connect();
    EXPECT_TRUE(boxes.requests.empty());
    Reset(plain);
    Connect();
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    EXPECT_TRUE(boxes.requests.empty());
}

// Enter and Esc before the first stage, and again while the logger is asked, leave the dialog
// to its stages: the line is connected only once the logger has answered.
TEST_F(ConnectDlgTest, KeysDoNotEndTheDialogBeforeItsOutcome)
{
    sim.SetReplyDelay(200);
    const auto pressKeys = [](QWidget* dialog) {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(dialog, key);
    };
    bool pressedInWait = false;
    ModalDriver driver;
    driver.Then([&](QWidget* dialog) {
        pressKeys(dialog);
        QTimer::singleShot(600, dialog, [&, dialog] {
            pressedInWait = true;
            pressKeys(dialog);
        });
    });
    const Result result = Connect();
    EXPECT_TRUE(driver.AllDone() && pressedInWait);
    EXPECT_EQ(sim.Received(), "@01,01,address\r");
    EXPECT_EQ(boxes.Texts(), Texts{"Connected to logger!"});
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(result.value, 3);
}

} // namespace
