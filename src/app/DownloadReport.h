#pragma once

#include <string>
#include <vector>

// What a download must tell the operator beyond its status line: problems (a lost line, a
// file that cannot be written, a target refused) and notes on loggers that did not answer or
// kept their memory. All are told once, in the closing box, whichever way the download ends.
// While the schedule runs no box waits for an operator: the box's text goes to the trace.
class DownloadReport final
{
public:
    void Clear();
    void Problem(const std::string& text);
    void Note(const std::string& text);
    // The closing box: the problems, then the notes, one a line, as a warning; with nothing
    // to tell, "Data receiving complete!" unless the download was stopped.
    void Finish(bool stopped) const;

private:
    std::vector<std::string> m_problems;
    std::vector<std::string> m_notes;
};
