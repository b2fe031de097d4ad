#pragma once

#include "record/DataFolder.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"
#include "platform/Text.h"

#include "support/DialogInput.h"
#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

// A data folder and another beside it, and an empty table of open records, for each test.
class ConfigDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(ToQt(data)) && QDir().mkpath(ToQt(other)));
        m_savedDataFolder = g_strDataFolder;
        g_strDataFolder = data;
        ClearLoggerTable();
    }
    void TearDown() override
    {
        g_strDataFolder = m_savedDataFolder;
        ClearLoggerTable();
    }

    // Saves a configuration into folder (default: the data folder), told apart by its COM port.
    LoggerRecord WriteConfig(const std::string& name, int comPort = 1, std::string folder = {})
    {
        LoggerRecord record = NewLoggerRecord(name, folder.empty() ? data : folder);
        record.m_nComPort = comPort;
        EXPECT_TRUE(SaveLoggerFile(0, &record)) << name;
        return record;
    }
    static void OpenRecord(const LoggerRecord& record) { g_loggers[g_nLoggerCount++] = record; }
    void OpenNew(const std::string& name) { OpenRecord(NewLoggerRecord(name, data)); }
    static bool FileExists(const std::string& path) { return QFile::exists(ToQt(path)); }

    static bool Same(const LoggerRecord& a, const LoggerRecord& b)
    {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
    // True when the file at path holds exactly record.
    static bool FileHolds(const std::string& path, const LoggerRecord& record)
    {
        QFile file(ToQt(path));
        return file.open(QIODevice::ReadOnly)
            && file.readAll() == QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
    }

    QTemporaryDir m_dir;
    const std::string data = FromQt(m_dir.path()) + "/Data/";
    const std::string other = FromQt(m_dir.path()) + "/Other/";

private:
    std::string m_savedDataFolder;
};

// The text of a timed message dialog ("Error" box), which it then closes with its OK.
inline std::string TakeTimedMessage(QWidget* modal)
{
    const std::string text = DialogInput::Text(modal, 1002);
    ClickItem(modal, 1001);
    return text;
}
