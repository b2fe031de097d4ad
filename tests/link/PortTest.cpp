#include "LinkFixture.h"

#include "link/ComDevice.h"
#include "link/LineSettings.h"

#include <gmock/gmock.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTest>
#include <QTimer>

using loggersim::SimFault;
using namespace ::testing;

namespace {

using CommandChannelTest = LinkFixture;

// CR ends a direct line, LF any line, a silent second (ten slices) a line as far as it came.
TEST_F(CommandChannelTest, ReplyLinesAreAssembledFromTheBytes)
{
    sim.OverrideNextReply("\r\n@01,01,a\rb\nc");
    EXPECT_EQ(g_port.SendCommand("@01,01,address\r"), "@01,01,a");
    EXPECT_THAT(s_trace,
        ElementsAre("Send [@01,01,address\r]\r\n", MatchesRegex("ReadString1 [1-9][0-9]*\r\n"),
            "ReadString2 [13] [@01,01,a\r]\r\n"));
    WaitSent();
    MarkSlices();
    EXPECT_EQ(g_port.SendCommand(""), "b");
    EXPECT_EQ(Slices(), 0); // queued bytes are taken without waiting
    ShortSlices();
    MarkSlices();
    EXPECT_EQ(g_port.SendCommand(""), "c");
    EXPECT_EQ(Slices(), 10);
    EXPECT_EQ(TakeReceived(), "@01,01,address\r");

    sim.OverrideNextReply("\n\rOK\r more\r\nnext\n");
    EXPECT_EQ(g_port.SendCommand("@01,01,address\r", true), "OK more");
    EXPECT_EQ(g_port.SendCommand("", true), "next");

    // Unread lines of an earlier reply never answer a later command, nor survive reopening.
    ASSERT_FALSE(g_port.SendCommand("@01,01,channel all\r").empty());
    WaitSent();
    ASSERT_GT(g_port.m_Serial.QueuedBytes(), 0);
    EXPECT_EQ(g_port.SendCommand("@01,01,memory\r"), "@01,01,memory 40");
    ASSERT_FALSE(g_port.SendCommand("@01,01,channel all\r").empty());
    WaitSent();
    ASSERT_TRUE(g_port.m_Serial.Open());
    EXPECT_EQ(g_port.m_Serial.QueuedBytes(), 0);
}

// An overlong line is cut to 259 characters and its tail dropped: the next line starts clean.
TEST_F(CommandChannelTest, DamagedLinesDoNotSpillIntoTheNextLine)
{
    sim.InjectFault(SimFault::LongLine, 0);
    EXPECT_THAT(g_port.SendCommand("@01,01,channel all\r"),
        MatchesRegex("@01,01,channel 00 01 00 0020 03#{228}")); // 259 characters
    EXPECT_EQ(g_port.SendCommand(""), "@01,01,channel 01 01 00 0020 03");

    sim.InjectFault(SimFault::Garbage, 0);
    EXPECT_THAT(
        g_port.SendCommand("@01,03,channel all\r"), AllOf(SizeIs(31), Not(StartsWith("@01,"))));
    EXPECT_EQ(g_port.SendCommand(""), "@01,03,channel 01 01 00 0020 03");

    ShortSlices();
    sim.InjectFault(SimFault::CutLine, 0);
    EXPECT_EQ(g_port.SendCommand("@01,01,memory\r"), "@01,01,m");
    sim.InjectFault(SimFault::NoLineEnd, 1);
    ASSERT_EQ(g_port.SendCommand("@01,01,channel all\r"), "@01,01,channel 00 01 00 0020 03");
    WaitSent();
    MarkSlices();
    EXPECT_EQ(g_port.SendCommand(""), "@01,01,channel 01 01 00 0020 03");
    EXPECT_EQ(Slices(), 10);
}

// Lines that arrived before the hang-up exist nowhere else: they are still delivered. Then half a
// line and the end: no reply, at once, and the link is closed from then on.
TEST_F(CommandChannelTest, RecordsReceivedBeforeTheLineWentAwayAreStillRead)
{
    sim.InjectFault(SimFault::Vanish, 3);
    ASSERT_EQ(g_port.LoadData(1, false), "");
    ASSERT_TRUE(QTest::qWaitFor([this] { return sim.Vanished(); }, WaitMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(g_port.LoadData(1, true), sim.Records(1)[0]);
    EXPECT_EQ(g_port.LoadData(1, true), sim.Records(1)[1]);
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    MarkSlices();
    EXPECT_EQ(g_port.LoadData(1, true), "");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_LE(Slices(), 2);
    MarkSlices();
    EXPECT_EQ(g_port.ReadAddress(1), "");
    EXPECT_EQ(Slices(), 0);
}

using ModemTest = LinkFixture;

// The modem string is "initialisation,dial prefix"; without an answer the connect still succeeds.
TEST_F(ModemTest, ConnectHangsUpInitialisesAndDials)
{
    SetFieldText(Record().m_szPhoneNumber, "0123");
    sim.SetDialDelay(300);
    EXPECT_TRUE(g_port.ModemConnect(progress));
    EXPECT_EQ(positions, (std::vector<int>{1, 8, 13}));
    EXPECT_TRUE(g_port.IsLoggerPresent(1));
    EXPECT_EQ(TakeReceived(), "+++AT+CRM=129\r\nATDT0123\r\n@01,01,address\r");

    SetFieldText(Record().m_szModemCommand, "ATZ");
    SetFieldText(Record().m_szHangUpCommand, "ATH0\r");
    positions.clear();
    Silence();
    EXPECT_TRUE(g_port.ModemConnect(progress));
    EXPECT_EQ(positions, (std::vector<int>{1, 8, 10, 11, 12, 13}));
    EXPECT_EQ(Slices(), 60 + 110 + 110 + 4 * 60);
    EXPECT_EQ(TakeReceived(3), "ATH0\rATZ\r\n0123\r\n");
}

TEST_F(ModemTest, DestructorHangsUpAnOpenModemLine)
{
    g_port.m_Serial.Close();
    using Case = std::tuple<char, int, const char*>;
    for (const auto& [useModem, current, sent] :
        {Case{1, 0, "+++"}, Case{0, 0, ""}, Case{1, -1, ""}}) {
        Record().m_bUseModem = useModem;
        g_nCurLogger = current;
        {
            CPort own;
            OpenOn(own);
            ASSERT_TRUE(own.m_Serial.IsOpen());
        }
        EXPECT_EQ(TakeReceived(sent[0] ? 1 : 0), sent) << int(useModem) << current;
    }
    OpenOn(g_port); // only a closed line opens again, and nothing more was sent on it
    EXPECT_EQ(g_port.SendCommand("@01,01,address\r"), "@01,01,address 01");
    EXPECT_EQ(TakeReceived(), "@01,01,address\r");
}

// A mode text that does not parse keeps the settings.
TEST(LineSettingsTest, ModeTextFollowsPortAndLineSettings)
{
    CSerialCom port;
    port.SetPort(12);
    EXPECT_EQ(port.CurrentModeText(), "COM12:9600,N,8,1");
    port.SetLoggerLine();
    port.SetPort(3);
    EXPECT_EQ(port.CurrentModeText(), "COM3:38400,N,8,1");
    EXPECT_TRUE(port.Settings().fDtrControl && port.Settings().fRtsControl);

    LineSettings settings;
    ASSERT_TRUE(BuildLineSettings("COM2:4800,S,5,2", settings));
    EXPECT_EQ(ModeText(2, settings), "COM2:4800,S,5,2");
    ASSERT_TRUE(BuildLineSettings("COM2:9600,E,7,1.5", settings));
    EXPECT_FALSE(settings.fOutX || settings.fInX || settings.fOutxCtsFlow || settings.fOutxDsrFlow);
    for (const char* bad : {"COM1:fast,N,8,1", "COM1:9600,Q,8,1", "COM1:9600,N,8"})
        EXPECT_FALSE(BuildLineSettings(bad, settings)) << bad;
    EXPECT_EQ(ModeText(2, settings), "COM2:9600,E,7,1.5");
}

TEST(ComDeviceTest, EnvironmentThenSettingsThenPlatformName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    qunsetenv("QUORBEL_COM7");
    EXPECT_EQ(ComDeviceName(7), "/dev/ttyS6");
    QSettings(QSettings::NativeFormat, QSettings::UserScope,
        QString::fromUtf8(SettingsOrganization), QString::fromUtf8(SettingsApplication))
        .setValue("Ports/COM7", "/dev/ttyUSB0");
    EXPECT_EQ(ComDeviceName(7), "/dev/ttyUSB0");
    EXPECT_EQ(ComDeviceName(8), "/dev/ttyS7");
    qputenv("QUORBEL_COM7", "/nonexistent/tty");
    EXPECT_EQ(ComDeviceName(7), "/nonexistent/tty");
    CSerialCom port; // a missing device stays closed
    port.SetPort(7);
    EXPECT_FALSE(port.Open() || port.IsOpen());
    EXPECT_EQ(port.ReadByte(), 0);
    qunsetenv("QUORBEL_COM7");
}

using SerialComTest = LinkFixture;

// DTR and RTS are refused by a pseudo-terminal: the port opens all the same, the link's alone. A
// slice far longer than the test may take ends with the reply; events run while it waits.
TEST_F(SerialComTest, OpenAppliesTheLoggerLineAndASliceEndsWithTheReply)
{
    const QSerialPort* device = g_port.m_Serial.Device();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(std::tuple(device->baudRate(), device->dataBits(), device->parity(),
                  device->stopBits(), device->flowControl()),
        std::tuple(38400, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop,
            QSerialPort::NoFlowControl));
    CPort other;
    OpenOn(other);
    EXPECT_FALSE(other.m_Serial.IsOpen());

    CSerialCom::SetSliceMs(20000);
    sim.SetReplyDelay(200);
    int fired = 0;
    QTimer::singleShot(0, [&fired] { ++fired; });
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(g_port.ReadAddress(2), "address 02");
    EXPECT_GE(timer.elapsed(), 200);
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(fired, 1);
}

TEST_F(SerialComTest, LineThatGoesAwayWhileIdleClosesTheLink)
{
    sim.Stop();
    MarkSlices();
    EXPECT_EQ(g_port.ReadAddress(1), "");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_LE(Slices(), 2);
}

// With nobody waiting on the link the event loop closes it: no spinning on a dead device.
TEST_F(SerialComTest, LineThatGoesAwayWhileIdleIsClosedByTheEventLoop)
{
    sim.Stop();
    EXPECT_TRUE(QTest::qWaitFor([] { return !g_port.m_Serial.IsOpen(); }, WaitMs));
}

} // namespace
