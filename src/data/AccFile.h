#pragma once

#include <QFile>

#include <string>
#include <string_view>
#include <unordered_set>

// A logger's raw data file: every record line ever downloaded, one per CR LF line, only ever
// appended. Appends go straight to the system (no buffer in this process), so a line that
// AppendLine accepted survives a crash of the program; Sync makes the lines survive a power
// loss too. A failed write is never silent: the call that made it returns false and
// HasWriteError stays set.
class AccFile final
{
public:
    explicit AccFile(std::string path);
    AccFile(const AccFile&) = delete;
    AccFile& operator=(const AccFile&) = delete;

    const std::string& Path() const { return m_path; }

    // Opens the file for appending, creating it empty when it is missing. False when it
    // cannot be opened (for example its folder is missing, or its path is not UTF-8). A last
    // line without its line end is ended by the first append.
    bool Open();
    bool IsOpen() const { return m_file.isOpen(); }
    void Close();

    // Appends one line and its CR LF; the line is stored as given (an empty line stands for a
    // record that got no reply). False when not all of it reached the system. A line cut by
    // a failed write is ended before the next line, so the later lines stay records.
    bool AppendLine(std::string_view line);

    // Pushes every line appended so far to the disk, and the file's folder entry when this
    // AccFile created it. Call before anything that destroys the only other copy of the
    // records (erasing the logger's memory). False when the disk did not confirm it.
    bool Sync();

    // True once any append or sync since Open has failed.
    bool HasWriteError() const { return m_writeError; }

    // The whole file as it is on disk, from its first byte; appends made so far are included.
    // False when it cannot be read.
    bool ReadAll(std::string& bytes) const;
    // True when the file at the path, read again, holds every one of lines: another program
    // may have emptied, replaced or moved it while this one still appends to what it opened.
    bool HoldsEvery(const std::unordered_set<std::string>& lines) const;

private:
    bool WriteAll(std::string_view bytes);
    bool EndsWithLineEnd() const;

    std::string m_path;
    QFile m_file;
    bool m_created = false;
    bool m_lineCut = false;
    bool m_writeError = false;
};
