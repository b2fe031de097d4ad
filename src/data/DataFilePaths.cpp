#include "data/DataFilePaths.h"

#include "platform/Format.h"

namespace {

std::string DataFilePath(const LoggerRecord& record, int loggerId, const char* extension)
{
    const std::string name = FieldText(record.m_szName);
    return FormatString(
        "%s/%s-%02d.%s", LoggerFolderPath(record).c_str(), name.c_str(), loggerId, extension);
}

} // namespace

std::string LoggerFolderPath(const LoggerRecord& record)
{
    return FieldText(record.m_szDataFolder) + FieldText(record.m_szName);
}

std::string AccFilePath(const LoggerRecord& record, int loggerId)
{
    return DataFilePath(record, loggerId, "acc");
}

std::string CsvFilePath(const LoggerRecord& record, int loggerId)
{
    return DataFilePath(record, loggerId, "csv");
}
