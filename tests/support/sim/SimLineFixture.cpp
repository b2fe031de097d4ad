#include "support/sim/SimLineFixture.h"

#include "record/DataFolder.h"
#include "platform/Format.h"
#include "platform/LineReader.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

SimLineFixture::SimLineFixture(const loggersim::LoggerSim::Options& options)
    : sim(options)
{
}

loggersim::LoggerSim::Options SimLineFixture::DefaultOptions()
{
    loggersim::LoggerSim::Options options;
    options.ids = {1};
    options.records = 40;
    options.seed = 11;
    return options;
}

void SimLineFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_folder = m_dir.path().toStdString() + "/";
    g_strDataFolder = m_folder;
    ASSERT_TRUE(sim.Start());
    qputenv(FormatString("QUORBEL_COM%d", ComPort).c_str(), QByteArray::fromStdString(sim.Path()));
    ClearLoggerTable();
    g_loggers[0] = NewLoggerRecord("Site1", m_folder);
    g_loggers[0].m_nComPort = ComPort;
    g_nLoggerCount = 1;
    g_nCurLogger = 0;
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
}

void SimLineFixture::TearDown()
{
    m_pacer.reset();
    g_port.m_Serial.Close();
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    sim.Stop();
    ClearLoggerTable();
    qunsetenv(FormatString("QUORBEL_COM%d", ComPort).c_str());
}

bool SimLineFixture::OpenPort()
{
    g_port.m_Serial.SetPort(ComPort);
    g_port.m_Serial.SetLoggerLine();
    return QTest::qWaitFor([] { return g_port.m_Serial.Open(); }, WaitMs);
}

std::vector<std::string> SimLineFixture::FileLines(const std::string& path)
{
    std::vector<std::string> lines;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QByteArray all = file.readAll();
    LineReader reader(std::string_view(all.constData(), static_cast<size_t>(all.size())));
    for (std::string_view line; reader.Next(line);)
        lines.emplace_back(line);
    return lines;
}

bool SimLineFixture::Exists(const std::string& path)
{
    return QFileInfo::exists(QString::fromStdString(path));
}
