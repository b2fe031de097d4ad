#include "display/TableFileText.h"

#include "platform/LineReader.h"
#include "platform/Text.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr qint64 ChunkBytes = 1 << 20;

// Counts the lines of text fed in blocks up to the first empty one, with the commas of the
// first line, by the rule of LineReader: a line ends at LF and one CR before it is no part
// of it.
class LineCounter final
{
public:
    // Takes the next block; false once the first empty line has been seen.
    bool Feed(std::string_view block)
    {
        while (!m_bEnded && !block.empty()) {
            const size_t lf = block.find('\n');
            const std::string_view part = block.substr(0, lf);
            if (m_nLines == 0)
                m_nCommas += std::count(part.begin(), part.end(), ',');
            if (m_nLineBytes == 0 && !part.empty())
                m_cFirst = part.front();
            m_nLineBytes += static_cast<long long>(part.size());
            if (lf == std::string_view::npos)
                break;
            EndLine();
            block.remove_prefix(lf + 1);
        }
        return !m_bEnded;
    }

    // The last line needs no end.
    void Finish()
    {
        if (!m_bEnded && m_nLineBytes > 0)
            EndLine();
    }

    long long Lines() const { return m_nLines; }
    long long Columns() const { return m_nCommas + 1; }
    bool Ended() const { return m_bEnded; }

private:
    void EndLine()
    {
        const bool empty = m_nLineBytes == 0 || (m_nLineBytes == 1 && m_cFirst == '\r');
        if (empty)
            m_bEnded = true;
        else
            ++m_nLines;
        m_nLineBytes = 0;
    }

    long long m_nLines = 0;
    long long m_nCommas = 0;
    long long m_nLineBytes = 0;
    char m_cFirst = 0;
    bool m_bEnded = false;
};

bool OverBounds(const LineCounter& counter, size_t bytesKept)
{
    const long long columns = counter.Columns();
    return columns > TableFileText::MaxColumns
        || counter.Lines() > TableFileText::MaxCells / columns
        || static_cast<long long>(bytesKept) > TableFileText::MaxBytes;
}

} // namespace

TableFileText::Status TableFileText::Read(const std::string& path)
{
    m_text.clear();
    m_lines.clear();
    m_nRows = m_nColumns = 0;
    QFile file(ToQt(path));
    if (!file.open(QIODevice::ReadOnly))
        return Status::Unreadable;
    if (file.size() > 0 && file.size() <= MaxBytes)
        m_text.reserve(static_cast<size_t>(file.size()));

    // Only the text up to the first empty line is read, and once over a bound none is kept.
    LineCounter counter;
    std::string chunk(static_cast<size_t>(ChunkBytes), '\0');
    bool keeping = true;
    while (!counter.Ended()) {
        const qint64 got = file.read(chunk.data(), ChunkBytes);
        if (got < 0) {
            m_text.clear();
            return Status::Unreadable;
        }
        if (got == 0)
            break;
        const std::string_view block(chunk.data(), static_cast<size_t>(got));
        counter.Feed(block);
        if (keeping)
            m_text.append(block);
        if (keeping && OverBounds(counter, m_text.size())) {
            keeping = false;
            std::string().swap(m_text);
        }
    }
    counter.Finish();
    m_nRows = counter.Lines();
    m_nColumns = m_nRows > 0 ? counter.Columns() : 0;
    if (m_nRows == 0)
        return Status::Empty;
    if (!keeping || OverBounds(counter, m_text.size())) {
        std::string().swap(m_text);
        return Status::TooLarge;
    }
    SplitLines();
    return Status::Read;
}

void TableFileText::SplitLines()
{
    m_lines.reserve(static_cast<size_t>(m_nRows));
    LineReader reader(m_text);
    std::string_view line;
    while (static_cast<long long>(m_lines.size()) < m_nRows && reader.Next(line))
        m_lines.push_back(line);
    // Both walks follow the same rule; the count of views is the one the grid gets.
    m_nRows = static_cast<long long>(m_lines.size());
}
