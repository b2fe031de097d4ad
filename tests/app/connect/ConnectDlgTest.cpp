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

// Runs as the user "nobody" while it lives, when the test runs as root (whom no file
// permission stops); the saved user ID brings root back.
class Unprivileged
{
public:
    Unprivileged()
        : m_dropped(geteuid() == 0 && setresuid(NobodyId, NobodyId, 0) == 0)
    {
    }
    ~Unprivileged()
    {
        if (m_dropped) {
            EXPECT_EQ(setresuid(0, 0, 0), 0);
        }
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    // True when the process is not root now.
    bool Holds() const { return geteuid() != 0; }

private:
    static constexpr uid_t NobodyId = 65534;
    bool m_dropped;
};

// The trace texts written while it lives.
class TraceLines
{
public:
    TraceLines()
    {
        s_lines.clear();
        SetTraceSink([](const char* text) { s_lines.emplace_back(text); });
    }
    ~TraceLines() { SetTraceSink(nullptr); }
    TraceLines(const TraceLines&) = delete;
    TraceLines& operator=(const TraceLines&) = delete;

    const std::vector<std::string>& Lines() const { return s_lines; }

private:
    static inline std::vector<std::string> s_lines;
};

class ConnectDlgTest : public SimLineFixture
{
protected:
    void TearDown() override
    {
        g_bScheduleRunning = false;
        SimLineFixture::TearDown();
    }

    struct Result
    {
        int maximum = 0;
        int value = 0;
        std::vector<int> positions;
        std::vector<int> ids;
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
};

// A single logger, then a network, is asked for its address: a network only its first ID.
TEST_F(ConnectDlgTest, TheFirstLoggerIsAskedForItsAddress)
{
    Result result = Connect();
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(g_port.m_nComPort, ComPort);
    EXPECT_EQ(sim.Received(), "@01,01,address\r");
    EXPECT_EQ(result.maximum, 3);
    EXPECT_EQ(result.value, 3);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Connected to logger!"}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);

    g_port.m_Serial.Close();
    sim.ClearReceived();
    sim.SetLoggers({3, 5, 6});
    Record().m_bSingle = 0;
    Record().m_bLoggerUsed[2] = Record().m_bLoggerUsed[4] = Record().m_bLoggerUsed[5] = 1;
    result = Connect();
    EXPECT_EQ(result.ids, (std::vector<int>{3, 5, 6}));
    EXPECT_EQ(sim.Received(), "@01,03,address\r");
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

// A network without IDs sends nothing; a silent logger leaves the port closed.
TEST_F(ConnectDlgTest, NoAnswerLeavesThePortClosed)
{
    ShortSlices();
    for (const bool silent : {false, true}) {
        boxes.requests.clear();
        Record().m_bSingle = silent ? 1 : 0;
        sim.SetSilent(silent);
        Connect();
        EXPECT_FALSE(g_port.m_Serial.IsOpen()) << silent;
        EXPECT_EQ(sim.Received(), silent ? "@01,01,address\r" : "");
        EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"No connect to logger!"}));
        EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    }
}

// The box's first line stays; the next names the device and the system's reason, and for a
// missing permission the remedy. The trace says the same.
TEST_F(ConnectDlgTest, APortThatWillNotOpenSaysWhichDeviceAndWhy)
{
    // A missing device fails after about a tenth of a second.
    qputenv("QUORBEL_COM18", "/dev/quorbel-no-such-port");
    Record().m_nComPort = 18;
    QElapsedTimer clock;
    clock.start();
    const Result result = Connect();
    const qint64 elapsed = clock.elapsed();
    qunsetenv("QUORBEL_COM18");
    EXPECT_GE(elapsed, 90);
    EXPECT_LT(elapsed, 3000);
    EXPECT_EQ(result.value, 3);
    EXPECT_EQ(boxes.Texts(),
        (std::vector<std::string>{
            "port open fail\nCOM18 is /dev/quorbel-no-such-port: no such device."}));
    Record().m_nComPort = ComPort;
    boxes.requests.clear();

    const std::string device = sim.Path();
    const QString path = QString::fromStdString(device);
    const QFile::Permissions permissions = QFile::permissions(path);
    TraceLines traced;
    {
        // Nobody may open the line; root may open anything, so the open runs as "nobody".
        ASSERT_TRUE(QFile::setPermissions(path, {}));
        const Unprivileged nobody;
        ASSERT_TRUE(nobody.Holds());
        Connect();
    }
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    const std::string reason = "COM9 is " + device
        + ": permission denied.\nThe user needs membership of the \"dialout\" group (sudo "
          "adduser $USER dialout, then log in again).";
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"port open fail\n" + reason}));
    EXPECT_EQ(traced.Lines(), (std::vector<std::string>{"port open fail: " + reason + "\r\n"}));
    EXPECT_FALSE(g_port.m_Serial.IsOpen());

    // Another program holding the line.
    boxes.requests.clear();
    CSerialCom holder;
    holder.SetPort(ComPort);
    ASSERT_TRUE(holder.Open());
    Connect();
    EXPECT_EQ(boxes.Texts(),
        (std::vector<std::string>{
            "port open fail\nCOM9 is " + device + ": busy (another program has it open)."}));
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    holder.Close();
    Connect();
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

// A number from a file that names no port fails; it never wraps round onto another port
// (65536 + 9 would be COM9 in 16 bits, the simulated line).
TEST_F(ConnectDlgTest, APortNumberOutOfRangeOpensNoPort)
{
    for (const int port : {65536 + ComPort, 0, -ComPort}) {
        SCOPED_TRACE(port);
        boxes.requests.clear();
        Record().m_nComPort = port;
        Connect();
        EXPECT_FALSE(g_port.m_Serial.IsOpen());
        EXPECT_TRUE(sim.Commands().empty());
        EXPECT_EQ(boxes.Texts(),
            (std::vector<std::string>{
                FormatString("port open fail\nCOM %d names no port.", port)}));
    }
}

TEST_F(ConnectDlgTest, AModemLineDialsOnTheLongerBar)
{
    Record().m_bUseModem = 1;
    SetFieldText(Record().m_szPhoneNumber, "0421234567");
    const Result result = Connect();
    EXPECT_EQ(result.maximum, 19);
    EXPECT_EQ(result.value, 19);
    // Hang-up, initialisation, dial, then the positions up to CONNECT and the full bar.
    EXPECT_EQ(result.positions, (std::vector<int>{1, 8, 13, 19}));
    EXPECT_EQ(sim.Commands(),
        (std::vector<std::string>{"+++", "AT+CRM=129", "ATDT0421234567", "@01,01,address"}));
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

TEST_F(ConnectDlgTest, NoBoxesWhileTheScheduleRuns)
{
    g_bScheduleRunning = true;
    Connect();
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    g_port.m_Serial.Close();
    Record().m_bSingle = 0;
    Connect();
    Record().m_nComPort = 18;
    qputenv("QUORBEL_COM18", "/dev/quorbel-no-such-port");
    Connect();
    qunsetenv("QUORBEL_COM18");
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
    EXPECT_TRUE(driver.AllDone());
    EXPECT_TRUE(pressedInWait);
    EXPECT_EQ(sim.Received(), "@01,01,address\r");
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Connected to logger!"}));
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(result.value, 3);
}

TEST_F(ConnectDlgTest, AFailedDialEndsAsAFailedOpenWithoutAskingTheLogger)
{
    Record().m_bUseModem = 1;
    const Result result = Connect<FailingDialConnectDlg>();
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(sim.Received(), "");
    EXPECT_EQ(result.positions, (std::vector<int>{1, 19}));
    EXPECT_EQ(result.maximum, 19);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"port open fail"}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
}

} // namespace
