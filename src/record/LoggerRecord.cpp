#include "record/LoggerRecord.h"

#include <cstring>

LoggerRecord NewLoggerRecord(std::string_view name, std::string_view dataFolder)
{
    LoggerRecord record;
    std::memset(&record, 0, sizeof record);
    SetFieldText(record.m_szName, name);
    record.m_bSingle = 1;
    record.m_bRs485 = 1;
    record.m_nComPort = 1;
    SetFieldText(record.m_szModemCommand, "AT+CRM=129,ATDT");
    SetFieldText(record.m_szHangUpCommand, "+++");
    SetFieldText(record.m_szDataFolder, dataFolder);
    for (LoggerUnit& unit : record.m_units)
        unit.m_schedule.m_nUnitFlag = 1;
    return record;
}

bool IsLoggerIdUsed(const LoggerRecord& record, int loggerId)
{
    if (loggerId < 1 || loggerId > MaxLoggerIds)
        return false;
    if (record.m_bSingle)
        return loggerId == 1;
    return record.m_bLoggerUsed[loggerId - 1] != 0;
}
