#include "ConfigDialogFixture.h"

#include "app/record/DataFolder.h"
#include "app/record/LoggerFile.h"
#include "app/record/LoggerTable.h"
#include "platform/Text.h"

#include "support/ModalDriver.h"

#include <QDir>
#include <QFile>
#include <QLabel>

void ConfigDialogTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_savedDataFolder = g_strDataFolder;
    const std::string root = FromQt(m_dir.path());
    m_dataFolder = root + "/Data/";
    m_otherFolder = root + "/Other/";
    ASSERT_TRUE(QDir().mkpath(ToQt(m_dataFolder)));
    ASSERT_TRUE(QDir().mkpath(ToQt(m_otherFolder)));
    g_strDataFolder = m_dataFolder;
    ClearLoggerTable();
}

void ConfigDialogTest::TearDown()
{
    g_strDataFolder = m_savedDataFolder;
    ClearLoggerTable();
}

LoggerRecord ConfigDialogTest::WriteConfig(
    const std::string& name, int comPort, const std::string& folder)
{
    LoggerRecord record = NewLoggerRecord(name, folder.empty() ? m_dataFolder : folder);
    record.m_nComPort = comPort;
    EXPECT_TRUE(SaveLoggerFile(0, &record)) << name;
    return record;
}

bool ConfigDialogTest::FileExists(const std::string& path)
{
    return QFile::exists(ToQt(path));
}

std::vector<char> ConfigDialogTest::FileBytes(const std::string& path)
{
    QFile file(ToQt(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::vector<char>(bytes.begin(), bytes.end());
}

void ConfigDialogTest::OpenRecord(const LoggerRecord& record)
{
    g_loggers[g_nLoggerCount++] = record;
}

std::string TakeTimedMessage(QWidget* modal)
{
    auto* label = ControlOf<QLabel>(modal, 1002);
    const std::string text = label ? FromQt(label->text()) : std::string();
    ClickItem(modal, 1001);
    return text;
}
