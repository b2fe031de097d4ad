#include "record/LoggerTable.h"

#include <cstring>

LoggerRecord g_loggers[MaxOpenLoggers] = {};
int g_nLoggerCount = 0;
int g_nCurLogger = 0;

namespace {
// Beside g_loggers, slot for slot: where each record came from is no part of its file.
std::string s_sourceFiles[MaxOpenLoggers];

bool IsSlot(int index)
{
    return index >= 0 && index < MaxOpenLoggers;
}
} // namespace

std::string LoggerSourceFile(int index)
{
    return IsSlot(index) ? s_sourceFiles[index] : std::string();
}

void SetLoggerSourceFile(int index, const std::string& path)
{
    if (IsSlot(index))
        s_sourceFiles[index] = path;
}

LoggerRecord* CurrentLogger()
{
    if (g_nCurLogger < 0 || g_nCurLogger >= g_nLoggerCount)
        return nullptr;
    return &g_loggers[g_nCurLogger];
}

void ClearLoggerTable()
{
    std::memset(g_loggers, 0, sizeof g_loggers);
    for (std::string& path : s_sourceFiles)
        path.clear();
    g_nLoggerCount = 0;
    g_nCurLogger = 0;
}

void CloseLoggerAt(int index)
{
    if (index < 0 || index >= g_nLoggerCount)
        return;
    for (int i = index; i + 1 < g_nLoggerCount; ++i) {
        g_loggers[i] = g_loggers[i + 1];
        s_sourceFiles[i] = s_sourceFiles[i + 1];
    }
    --g_nLoggerCount;
    std::memset(&g_loggers[g_nLoggerCount], 0, sizeof(LoggerRecord));
    s_sourceFiles[g_nLoggerCount].clear();
    g_nCurLogger = g_nLoggerCount > 0 ? 0 : -1;
}
