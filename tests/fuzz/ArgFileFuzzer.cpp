// A ".arg" file of any content, loaded and then run through a day of the receive schedule:
// no overflow, no read outside the record, no text field without its end.

#include "data/ReceiveSchedule.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

QTemporaryDir* g_dir = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_dir = new QTemporaryDir;
    if (!g_dir->isValid())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = g_dir->path() + "/Fuzz.arg";
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const std::string entry = (g_dir->path() + "/Fuzz").toStdString();
    ClearLoggerTable();
    LoadLoggerFile(0, entry);
    LoggerRecord& record = g_loggers[0];
    // Every text field ends within its bounds.
    if (std::memchr(record.m_szName, '\0', sizeof record.m_szName) == nullptr
        || std::memchr(record.m_szDataFolder, '\0', sizeof record.m_szDataFolder) == nullptr)
        std::abort();
    // Two days of ticks, starting on whatever day and minute the file left behind.
    for (int day = 1; day <= 2; ++day) {
        for (int minute = 0; minute < 24 * 60; ++minute)
            TakeScheduledTurn(record, {day, minute});
    }
    return 0;
}
