#include "record/LoggerFile.h"

#include "record/DataFolder.h"
#include "record/LoggerRecordCheck.h"
#include "record/LoggerTable.h"
#include "platform/Format.h"
#include "platform/Utf8Text.h"

#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace {

QString LocalPath(const std::string& path)
{
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

std::string EntryTitle(const std::string& entry)
{
    const size_t slash = entry.find_last_of('/');
    return slash == std::string::npos ? entry : entry.substr(slash + 1);
}

} // namespace

bool IsValidLoggerName(const std::string& name)
{
    if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        return false;
    return name.find_first_not_of('.') != std::string::npos;
}

std::string LoggerFilePath(const std::string& entry)
{
    if (!entry.empty() && entry[0] == '/')
        return entry + ".arg";
    return g_strDataFolder + entry + ".arg";
}

std::string SavedLoggerFilePath(const LoggerRecord& rec)
{
    return FieldText(rec.m_szDataFolder) + FieldText(rec.m_szName) + ".arg";
}

bool SaveLoggerFile(int index, const LoggerRecord* rec)
{
    if (!rec) {
        if (index < 0 || index >= g_nLoggerCount)
            return false;
        rec = &g_loggers[index];
    }
    const std::string name = FieldText(rec->m_szName);
    const std::string path = SavedLoggerFilePath(*rec);
    // A path that is not UTF-8 would be written under another name, maybe another's.
    if (!IsValidLoggerName(name) || !IsUtf8Text(path))
        return false;
    QSaveFile file(LocalPath(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(sizeof(LoggerRecord));
    // commit() would rename a file whose buffered bytes never reached the disk.
    if (file.write(reinterpret_cast<const char*>(rec), size) != size || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool LoadLoggerFile(int index, const std::string& entry, std::string* refusal)
{
    if (index < 0 || index >= MaxOpenLoggers)
        return false;
    LoggerRecord& slot = g_loggers[index];
    // Until the file says otherwise the slot is listed under the entry's title.
    SetFieldText(slot.m_szName, EntryTitle(entry));
    const std::string path = LoggerFilePath(entry);
    SetLoggerSourceFile(index, path);
    QFile file(LocalPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    char buffer[sizeof(LoggerRecord)];
    const qint64 got = file.read(buffer, sizeof buffer);
    if (got <= 0)
        return false;
    std::memcpy(&slot, buffer, static_cast<size_t>(got));
    // Any file can end in ".arg"; one that no configuration can be opens nothing.
    const std::string wrong = LoggerRecordCheck::FirstWrongField(slot, static_cast<size_t>(got));
    if (wrong.empty())
        return true;
    std::memset(&slot, 0, sizeof slot);
    SetLoggerSourceFile(index, std::string());
    if (refusal)
        *refusal = FormatString(
            "%s is not a configuration file: its %s is wrong.", path.c_str(), wrong.c_str());
    return false;
}
