#include "LinkFixture.h"

#include "link/ComDevice.h"
#include "link/LineSettings.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <tuple>

namespace {

// SetPort rebuilds the settings from their mode text; a text that does not parse keeps them.
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

// DTR and RTS are refused by a pseudo-terminal: the port opens all the same. The line is
// the link's alone.
TEST_F(SerialComTest, OpenAppliesTheLoggerLine)
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
}

// A slice far longer than the test may take: the reply, however late, ends it. Events are
// handled while the link waits.
TEST_F(SerialComTest, SliceEndsAsSoonAsBytesArrive)
{
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

// Nobody waits on the link: the event loop notices the hang-up and closes the port, so an
// idle program does not spin on a dead device.
TEST_F(SerialComTest, LineThatGoesAwayWhileIdleIsClosedByTheEventLoop)
{
    sim.Stop();
    EXPECT_TRUE(QTest::qWaitFor([] { return !g_port.m_Serial.IsOpen(); }, WaitMs));
}

} // namespace
