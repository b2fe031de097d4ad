#pragma once

#include <string>
#include <string_view>
#include <vector>

// A table file (".csv") read for the data window, as bytes: its lines up to the first empty
// one or the end of the file, each without its line end (LineReader: LF, or CR LF), and the
// column count of its first line (its commas + 1).
class TableFileText final
{
public:
    enum class Status
    {
        Unreadable, // missing, or not readable
        Empty, // no line before the first empty one
        TooLarge, // over one of the bounds below; only counted
        Read,
    };

    // A damaged or foreign file could ask for more cells than memory holds; as the system
    // ends a process rather than fail its allocation, such a table is refused before it is
    // built. A full logger memory takes 35,001 x 34 cells.
    static constexpr long long MaxColumns = 16384;
    static constexpr long long MaxCells = 20'000'000;
    // File text kept at most; beyond it the file is only counted.
    static constexpr long long MaxBytes = 1LL << 30;

    Status Read(const std::string& path);

    // The lines and columns read, or for TooLarge those counted.
    long long Rows() const { return m_nRows; }
    long long Columns() const { return m_nColumns; }
    // Line row (0 .. Rows() - 1) of a table read.
    std::string_view Line(long long row) const { return m_lines[static_cast<size_t>(row)]; }

private:
    void SplitLines();

    std::string m_text;
    std::vector<std::string_view> m_lines; // views into m_text
    long long m_nRows = 0;
    long long m_nColumns = 0;
};
