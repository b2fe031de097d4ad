#pragma once

#include "app/record/LoggerRecord.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Points the data folder at a temporary folder and empties the table of open records for
// each test; both are put back afterwards.
class ConfigDialogTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The data folder, ending in "/", and a second folder beside it.
    const std::string& DataFolder() const { return m_dataFolder; }
    const std::string& OtherFolder() const { return m_otherFolder; }

    // Saves a configuration named name into folder (the data folder when empty), with the
    // given COM port so that tests can tell files apart; returns the record written.
    LoggerRecord WriteConfig(
        const std::string& name, int comPort = 1, const std::string& folder = {});
    static bool FileExists(const std::string& path);
    static std::vector<char> FileBytes(const std::string& path);

    // Puts record into the table of open records as the next entry.
    static void OpenRecord(const LoggerRecord& record);

private:
    QTemporaryDir m_dir;
    std::string m_savedDataFolder;
    std::string m_dataFolder;
    std::string m_otherFolder;
};

// The numbered control of a template-built window, or nullptr.
template <class T> T* ControlOf(QWidget* window, int id)
{
    for (T* control : window->findChildren<T*>()) {
        if (control->property("controlId").toInt() == id)
            return control;
    }
    return nullptr;
}

// The text of a timed message dialog ("Error" box), which it then closes with its OK.
std::string TakeTimedMessage(QWidget* modal);
