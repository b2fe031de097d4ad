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

#include <functional>
#include <optional>

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

private:
    static constexpr uid_t NobodyId = 65534;
    bool m_dropped;
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
    void MissingCom18()
    {
        qputenv("QUORBEL_COM18", "/dev/quorbel-no-such-port");
        Record().m_nComPort = 18;
    }
    void Reset(const LoggerRecord& record)
    {
        g_port.m_Serial.Close();
        Record() = record;
        sim.ClearReceived();
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
    const LoggerRecord plain = Record();
    const std::string device = sim.Path();
    const QString path = QString::fromStdString(device);
    const QFile::Permissions permissions = QFile::permissions(path);
    const std::string denied = "COM9 is " + device
        + ": permission denied.\nThe user needs membership of the \"dialout\" group (sudo "
          "adduser $USER dialout, then log in again).";
    CSerialCom holder;
    std::optional<Unprivileged> nobody;
    const struct
    {
        const char* name;
        std::function<void()> setUp;
        std::string reason; // after "port open fail", or the whole text
        std::string heard;
        bool failDial = false;
    } cases[] = {
        {"network without IDs", [this] { Record().m_bSingle = 0; }, "No connect to logger!", ""},
        {"silent",
            [this] {
                ShortSlices();
                sim.SetSilent(true);
            },
            "No connect to logger!", "@01,01,address\r"},
        {"port past 16 bits", [this] { Record().m_nComPort = 65536 + ComPort; },
            "\nCOM 65545 names no port.", ""},
        {"port 0", [this] { Record().m_nComPort = 0; }, "\nCOM 0 names no port.", ""},
        {"port -9", [this] { Record().m_nComPort = -ComPort; }, "\nCOM -9 names no port.", ""},
        {"missing", [this] { MissingCom18(); },
            "\nCOM18 is /dev/quorbel-no-such-port: no such device.", ""},
        {"busy",
            [&] {
                holder.SetPort(ComPort);
                ASSERT_TRUE(holder.Open());
            },
            "\nCOM9 is " + device + ": busy (another program has it open).", ""},
        {"no permission",
            [&] {
                ASSERT_TRUE(QFile::setPermissions(path, {}));
                nobody.emplace();
                ASSERT_NE(geteuid(), 0u);
            },
            "\n" + denied, ""},
        {"failed dial", [this] { Record().m_bUseModem = 1; }, "", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reset(plain);
        c.setUp();
        QElapsedTimer clock;
        clock.start();
        const Result result = c.failDial ? Connect<FailingDialConnectDlg>() : Connect();
        const qint64 elapsed = clock.elapsed();
        nobody.reset();
        holder.Close();
        sim.SetSilent(false);
        ASSERT_TRUE(QFile::setPermissions(path, permissions));
        const bool openFail = !c.reason.starts_with("No");
        const std::string text = openFail ? "port open fail" + c.reason : c.reason;
        EXPECT_FALSE(g_port.m_Serial.IsOpen());
        EXPECT_EQ(sim.Received(), c.heard);
        EXPECT_EQ(result.value, c.failDial ? 19 : 3);
        EXPECT_EQ(boxes.Texts(), Texts{text});
        EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
        const bool traced = openFail && c.reason.find(" is ") != std::string::npos;
        EXPECT_EQ(
            g_traced, traced ? Texts{"port open fail: " + c.reason.substr(1) + "\r\n"} : Texts{});
        if (openFail && !c.failDial) {
            EXPECT_GE(elapsed, 90);
            EXPECT_LT(elapsed, 3000);
        }
        if (c.failDial) {
            EXPECT_EQ(result.positions, (std::vector<int>{1, 19}));
        }
    }
    Reset(plain);
    g_bScheduleRunning = true;
    Record().m_bSingle = 0;
    Connect();
    MissingCom18();
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
