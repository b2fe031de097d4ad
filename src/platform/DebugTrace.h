#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcTrace)

// Size of the trace buffer: a line keeps at most DebugTraceBufferSize - 1 characters.
inline constexpr int DebugTraceBufferSize = 1024;

// Developer trace, printf-style, into the logging category "quorbel.trace" (off unless
// QT_LOGGING_RULES="quorbel.trace=true"). The caller ends the format with "\r\n" itself.
// Longer texts are cut at the buffer; nothing is ever written to a file.
void DebugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Receives every formatted trace text, even while the category is off; tests install one
// to read the trace. Pass nullptr to remove it.
using TraceSink = void (*)(const char* text);
void SetTraceSink(TraceSink sink);
