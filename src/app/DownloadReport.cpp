#include "app/DownloadReport.h"

#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "platform/DebugTrace.h"

void DownloadReport::Clear()
{
    m_problems.clear();
    m_notes.clear();
}

void DownloadReport::Problem(const std::string& text)
{
    m_problems.push_back(text);
}

void DownloadReport::Note(const std::string& text)
{
    m_notes.push_back(text);
}

void DownloadReport::Finish(bool stopped) const
{
    std::string text;
    for (const auto* told : {&m_problems, &m_notes}) {
        for (const std::string& line : *told) {
            text += (text.empty() ? "" : "\n") + line;
            // A trace line is cut at its buffer: one for each.
            if (g_bScheduleRunning)
                DebugTrace("%s\r\n", line.c_str());
        }
    }
    if (!text.empty()) {
        if (!g_bScheduleRunning)
            TimedMessageBox(text, TimedBoxForm::Warning);
        return;
    }
    if (!stopped && !g_bScheduleRunning)
        TimedMessageBox("Data receiving complete!", TimedBoxForm::Information);
}
