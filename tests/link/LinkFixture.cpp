#include "LinkFixture.h"

#include "platform/Format.h"

std::vector<std::string> LinkFixture::s_trace;

void LinkFixture::SetUp()
{
    ASSERT_TRUE(sim.Start());
    qputenv(FormatString("QUORBEL_COM%d", ComPort).c_str(), QByteArray::fromStdString(sim.Path()));
    ClearLoggerTable();
    g_loggers[0] = NewLoggerRecord("Site1", "/tmp/");
    g_nLoggerCount = 1;
    g_nCurLogger = 0;
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    OpenOn(g_port);
    ASSERT_TRUE(g_port.m_Serial.IsOpen());
    s_trace.clear();
    SetTraceSink(&LinkFixture::CollectTrace);
    MarkSlices();
}

void LinkFixture::TearDown()
{
    SetTraceSink(nullptr);
    g_port.m_Serial.Close();
    g_port.m_nSensorCount = 0;
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    sim.Stop();
    ClearLoggerTable();
    qunsetenv(FormatString("QUORBEL_COM%d", ComPort).c_str());
}

void LinkFixture::OpenOn(CPort& port)
{
    port.m_Serial.SetPort(ComPort);
    port.m_Serial.SetLoggerLine();
    port.m_Serial.Open();
}

std::string LinkFixture::TakeReceived(size_t commands)
{
    EXPECT_TRUE(sim.WaitForCommands(m_commandsTaken + commands, WaitMs));
    m_commandsTaken = sim.Commands().size();
    const std::string all = sim.Received();
    const std::string fresh = all.substr(std::min(m_receivedTaken, all.size()));
    m_receivedTaken = all.size();
    return fresh;
}
