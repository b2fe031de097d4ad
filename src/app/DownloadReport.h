#pragma once

#include <string>
#include <vector>

// What a download must tell the operator beyond its status line. Problems are told as they
// happen; notes on loggers that did not answer or kept their memory are told when the download
// ends, in place of "Data receiving complete!". While the schedule runs no box waits for an
// operator: both go to the trace only.
class DownloadReport final
{
public:
    void Clear();
    // Tells text at once, as a warning.
    void Problem(const std::string& text);
    // Keeps text for the end.
    void Note(const std::string& text);
    // The closing box: the notes, one a line, as a warning; else "Data receiving complete!"
    // unless a problem was told.
    void Finish() const;

    bool HasProblem() const { return m_problem; }
    const std::vector<std::string>& Notes() const { return m_notes; }

private:
    std::vector<std::string> m_notes;
    bool m_problem = false;
};
