#include "data/AccFile.h"

#include "platform/FileSync.h"
#include "platform/LineReader.h"
#include "platform/Utf8Text.h"

#include <QFileInfo>

#include <algorithm>

AccFile::AccFile(std::string path)
    : m_path(std::move(path))
    // A path that is not UTF-8 would name another file: such a file cannot be opened.
    , m_file(IsUtf8Text(m_path) ? QFile::decodeName(m_path.c_str()) : QString())
{
}

bool AccFile::Open()
{
    if (m_file.isOpen())
        return true;
    m_created = !m_file.exists();
    m_writeError = false;
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    // A last line left without its end (a run cut short) is ended before the first append, so
    // that no record is glued onto it.
    m_lineCut = !EndsWithLineEnd();
    return true;
}

bool AccFile::EndsWithLineEnd() const
{
    QFile file(m_file.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const qint64 size = file.size();
    if (size == 0)
        return true;
    char last = '\n';
    return !file.seek(size - 1) || file.read(&last, 1) != 1 || last == '\n';
}

void AccFile::Close()
{
    m_file.close();
}

bool AccFile::WriteAll(std::string_view bytes)
{
    const auto size = static_cast<qint64>(bytes.size());
    const qint64 written = m_file.write(bytes.data(), size);
    if (written == size)
        return true;
    // Part of the bytes may have reached the file even when none are reported.
    m_writeError = true;
    m_lineCut = true;
    return false;
}

bool AccFile::AppendLine(std::string_view line)
{
    if (!m_file.isOpen()) {
        m_writeError = true;
        return false;
    }
    if (m_lineCut) {
        // Whatever part of the cut line reached the file becomes a line of its own, which
        // no reader takes for a record.
        if (!WriteAll("\r\n"))
            return false;
        m_lineCut = false;
    }
    std::string bytes;
    bytes.reserve(line.size() + 2);
    bytes.append(line);
    bytes.append("\r\n");
    return WriteAll(bytes);
}

bool AccFile::Sync()
{
    bool synced = SyncFileToDisk(m_file);
    if (synced && m_created) {
        synced = SyncFolderToDisk(QFileInfo(m_file).absolutePath());
        m_created = !synced;
    }
    if (!synced)
        m_writeError = true;
    return synced;
}

bool AccFile::ReadAll(std::string& bytes) const
{
    bytes.clear();
    QFile file(m_file.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size > 0)
        bytes.reserve(static_cast<size_t>(size));
    char chunk[65536];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(chunk, static_cast<size_t>(got));
    }
}

bool AccFile::HoldsEvery(const std::unordered_set<std::string>& lines) const
{
    std::string bytes;
    if (!ReadAll(bytes))
        return false;
    std::unordered_set<std::string_view> held;
    LineReader reader(bytes);
    for (std::string_view line; reader.Next(line);)
        held.insert(line);
    return std::all_of(lines.begin(), lines.end(),
        [&held](const std::string& line) { return held.contains(line); });
}
