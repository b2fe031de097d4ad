#include "platform/DebugTrace.h"

#include <cstdarg>
#include <cstdio>

Q_LOGGING_CATEGORY(lcTrace, "quorbel.trace", QtWarningMsg)

namespace {
TraceSink g_traceSink = nullptr;
}

void SetTraceSink(TraceSink sink)
{
    g_traceSink = sink;
}

void DebugTrace(const char* format, ...)
{
    const bool enabled = lcTrace().isDebugEnabled();
    if (!enabled && !g_traceSink)
        return;
    char buffer[DebugTraceBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args); // cuts at 1023 characters
    va_end(args);
    if (g_traceSink)
        g_traceSink(buffer);
    if (enabled) {
        // The logging framework ends every message itself; drop the caller's CR LF.
        QByteArray line(buffer);
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        qCDebug(lcTrace).noquote() << line;
    }
}
