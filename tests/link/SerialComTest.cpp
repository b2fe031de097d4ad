#include "LinkFixture.h"

#include "link/ComDevice.h"
#include "link/LineSettings.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

TEST(LineSettingsTest, ModeTextFollowsPortAndLineSettings)
{
    CSerialCom port;
    port.SetPort(12);
    EXPECT_EQ(port.CurrentModeText(), "COM12:9600,N,8,1");
    port.SetLoggerLine();
    port.SetPort(3);
    EXPECT_EQ(port.CurrentModeText(), "COM3:38400,N,8,1");
    EXPECT_EQ(port.PortNumber(), 3);
}

TEST(LineSettingsTest, StopAndParityWords)
{
    LineSettings settings;
    settings.BaudRate = 9600;
    settings.ByteSize = 7;
    settings.Parity = LineSettings::EvenParity;
    settings.StopBits = LineSettings::OneAndHalfStopBits;
    EXPECT_EQ(ModeText(2, settings), "COM2:9600,E,7,1.5");
    settings.StopBits = LineSettings::TwoStopBits;
    settings.Parity = LineSettings::SpaceParity;
    EXPECT_EQ(ModeText(2, settings), "COM2:9600,S,7,2");

    LineSettings parsed;
    ASSERT_TRUE(BuildLineSettings("COM2:9600,E,7,1.5", parsed));
    EXPECT_EQ(parsed.Parity, LineSettings::EvenParity);
    EXPECT_EQ(parsed.StopBits, LineSettings::OneAndHalfStopBits);
    EXPECT_FALSE(parsed.fOutX || parsed.fInX || parsed.fOutxCtsFlow || parsed.fOutxDsrFlow);
}

TEST(LineSettingsTest, TextThatDoesNotParseKeepsTheSettings)
{
    LineSettings settings;
    ASSERT_TRUE(BuildLineSettings("COM1:38400,N,8,1", settings));
    EXPECT_FALSE(BuildLineSettings("COM1:fast,N,8,1", settings));
    EXPECT_FALSE(BuildLineSettings("COM1:9600,Q,8,1", settings));
    EXPECT_FALSE(BuildLineSettings("COM1:9600,N,8", settings));
    EXPECT_EQ(settings.BaudRate, 38400);
}

TEST(ComDeviceTest, EnvironmentThenSettingsThenPlatformName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    qunsetenv("QUORBEL_COM7");
    EXPECT_EQ(ComDeviceName(7), "/dev/ttyS6");
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
            QString::fromUtf8(SettingsOrganization), QString::fromUtf8(SettingsApplication));
        settings.setValue("Ports/COM7", "/dev/ttyUSB0");
    }
    EXPECT_EQ(ComDeviceName(7), "/dev/ttyUSB0");
    EXPECT_EQ(ComDeviceName(8), "/dev/ttyS7");
    qputenv("QUORBEL_COM7", "/dev/pts/42");
    EXPECT_EQ(ComDeviceName(7), "/dev/pts/42");
    qunsetenv("QUORBEL_COM7");
}

TEST(SerialOpenTest, MissingPortStaysClosed)
{
    qputenv("QUORBEL_COM31", "/nonexistent/tty");
    CSerialCom port;
    port.SetPort(31);
    port.SetLoggerLine();
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.ReadByte(), 0);
    EXPECT_EQ(port.SliceCount(), 0);
    qunsetenv("QUORBEL_COM31");
}

class SerialComTest : public LinkFixture
{
};

// DTR and RTS are refused by a pseudo-terminal: the port opens all the same.
TEST_F(SerialComTest, OpenAppliesTheLoggerLine)
{
    const QSerialPort* device = g_port.m_Serial.Device();
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(QString::fromStdString(sim.Path()).endsWith(device->portName()));
    EXPECT_EQ(device->baudRate(), 38400);
    EXPECT_EQ(device->dataBits(), QSerialPort::Data8);
    EXPECT_EQ(device->parity(), QSerialPort::NoParity);
    EXPECT_EQ(device->stopBits(), QSerialPort::OneStop);
    EXPECT_EQ(device->flowControl(), QSerialPort::NoFlowControl);
    const LineSettings& settings = g_port.m_Serial.Settings();
    EXPECT_TRUE(settings.fDtrControl && settings.fRtsControl);
}

TEST_F(SerialComTest, SecondOpenOfTheSameLineIsRefused)
{
    CPort other;
    OpenOn(other);
    EXPECT_FALSE(other.m_Serial.IsOpen());
}

TEST_F(SerialComTest, OpenOnAnOpenPortDiscardsPendingInput)
{
    ASSERT_FALSE(g_port.SendCommand("@01,01,channel all\r").empty());
    WaitSent();
    ASSERT_GT(g_port.m_Serial.QueuedBytes(), 0);
    ASSERT_TRUE(g_port.m_Serial.Open());
    EXPECT_EQ(g_port.m_Serial.QueuedBytes(), 0);
}

TEST_F(SerialComTest, ReadByteTakesAQueuedByteWithoutWaiting)
{
    g_port.m_Serial.Write("@01,01,address\r");
    ASSERT_TRUE(sim.WaitForCommands(1, WaitMs));
    WaitSent();
    MarkSlices();
    EXPECT_EQ(g_port.m_Serial.ReadByte(), '@');
    EXPECT_EQ(Slices(), 0);
}

TEST_F(SerialComTest, ReadByteGivesZeroAfterTenSlicesOfSilence)
{
    ShortSlices();
    EXPECT_EQ(g_port.m_Serial.ReadByte(), 0);
    EXPECT_EQ(Slices(), 10);
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

// A slice far longer than the test may take: the reply ends it.
TEST_F(SerialComTest, SliceEndsAsSoonAsBytesArrive)
{
    CSerialCom::SetSliceMs(20000);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(g_port.ReadAddress(2), "address 02");
    EXPECT_LT(timer.elapsed(), 10000);
}

TEST_F(SerialComTest, EventsAreHandledWhileTheLinkWaits)
{
    ShortSlices();
    sim.SetSilent(true);
    int fired = 0;
    QTimer::singleShot(0, [&fired] { ++fired; });
    EXPECT_EQ(g_port.ReadAddress(1), "");
    EXPECT_EQ(fired, 1);
}

TEST_F(SerialComTest, LineThatGoesAwayWhileIdleClosesTheLink)
{
    sim.Stop();
    MarkSlices();
    EXPECT_EQ(g_port.ReadAddress(1), "");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_LE(Slices(), 2);
    EXPECT_EQ(g_port.ReadMemoryCount(1), -1);
}

// Nobody waits on the link: the event loop notices the hang-up and closes the port, so an
// idle program does not spin on a dead device.
TEST_F(SerialComTest, LineThatGoesAwayWhileIdleIsClosedByTheEventLoop)
{
    sim.Stop();
    EXPECT_TRUE(QTest::qWaitFor([] { return !g_port.m_Serial.IsOpen(); }, WaitMs));
}

} // namespace
