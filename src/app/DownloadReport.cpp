#include "app/DownloadReport.h"

#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "platform/DebugTrace.h"

namespace {

void Tell(const std::string& text)
{
    if (g_bScheduleRunning)
        DebugTrace("%s\r\n", text.c_str());
    else
        TimedMessageBox(text, TimedBoxForm::Warning);
}

} // namespace

void DownloadReport::Clear()
{
    m_notes.clear();
    m_problem = false;
}

void DownloadReport::Problem(const std::string& text)
{
    m_problem = true;
    Tell(text);
}

void DownloadReport::Note(const std::string& text)
{
    m_notes.push_back(text);
}

void DownloadReport::Finish() const
{
    if (!m_notes.empty()) {
        std::string text;
        for (const std::string& note : m_notes)
            text += (text.empty() ? "" : "\n") + note;
        Tell(text);
        return;
    }
    if (!m_problem && !g_bScheduleRunning)
        TimedMessageBox("Data receiving complete!", TimedBoxForm::Information);
}
