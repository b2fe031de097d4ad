#pragma once

#include <string_view>

// Walks the lines of 8-bit file text held in memory. A line ends at LF; one CR before the LF
// belongs to the line end, so LF and CR LF files read alike. A last line without an end is
// still a line; the empty text has no line.
class LineReader final
{
public:
    explicit LineReader(std::string_view text)
        : m_rest(text)
    {
    }

    // The next line without its end, as a view into the text; false after the last line.
    bool Next(std::string_view& line)
    {
        if (m_rest.empty())
            return false;
        const size_t end = m_rest.find('\n');
        if (end == std::string_view::npos) {
            line = m_rest;
            m_rest = {};
        } else {
            line = m_rest.substr(0, end);
            m_rest.remove_prefix(end + 1);
        }
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

private:
    std::string_view m_rest;
};
