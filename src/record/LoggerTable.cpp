#include "record/LoggerTable.h"

#include <cstring>

LoggerRecord g_loggers[MaxOpenLoggers] = {};
int g_nLoggerCount = 0;
int g_nCurLogger = 0;

LoggerRecord* CurrentLogger()
{
    if (g_nCurLogger < 0 || g_nCurLogger >= g_nLoggerCount)
        return nullptr;
    return &g_loggers[g_nCurLogger];
}

void ClearLoggerTable()
{
    std::memset(g_loggers, 0, sizeof g_loggers);
    g_nLoggerCount = 0;
    g_nCurLogger = 0;
}

void CloseLoggerAt(int index)
{
    if (index < 0 || index >= g_nLoggerCount)
        return;
    for (int i = index; i + 1 < g_nLoggerCount; ++i)
        g_loggers[i] = g_loggers[i + 1];
    --g_nLoggerCount;
    std::memset(&g_loggers[g_nLoggerCount], 0, sizeof(LoggerRecord));
    g_nCurLogger = g_nLoggerCount > 0 ? 0 : -1;
}
