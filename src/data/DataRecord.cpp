#include "data/DataRecord.h"

#include "platform/Format.h"
#include "platform/TextNumber.h"

#include <algorithm>
#include <cstring>

bool ParseDataRecord(std::string_view line, DataRecord& record)
{
    if (line.size() != DataRecordLength)
        return false;
    record.m_strChannel = line.substr(3, 2);
    record.m_strDate = line.substr(6, 6);
    record.m_strTime = line.substr(13, 6);
    record.m_strKind = line.substr(20, 1);
    record.m_strValue = line.substr(22, 6);
    std::copy(record.m_strDate.begin(), record.m_strDate.end(), record.m_strKey.begin());
    std::copy(record.m_strTime.begin(), record.m_strTime.end(), record.m_strKey.begin() + 6);
    record.m_bDuplicate = false;
    return true;
}

bool IsRecordLine(std::string_view line)
{
    DataRecord record{};
    return ParseDataRecord(line, record);
}

int CompareDataLines(const DataRecord* a, const DataRecord* b)
{
    const int order = std::memcmp(a->m_strKey.data(), b->m_strKey.data(), a->m_strKey.size());
    return (order > 0) - (order < 0);
}

int RecordChannel(const DataRecord& record)
{
    return LeadingInt(record.m_strChannel);
}

int RecordKindCode(const DataRecord& record)
{
    return LeadingInt(record.m_strKind);
}

int ColumnSlot(const DataRecord& record)
{
    const int channel = RecordChannel(record);
    if (channel < 0 || channel >= ColumnSlotCount / 2)
        return NoColumnSlot;
    return 2 * channel + (record.m_strKind == "1" ? 0 : 1);
}

std::string ColumnHeader(int slot)
{
    return FormatString("%d%c", slot / 2 + 1, slot % 2 == 0 ? 'A' : 'B');
}

float RecordValue(const DataRecord& record)
{
    char digits[DataRecordLength];
    size_t length = 0;
    for (const char c : record.m_strValue) {
        if (c != ';' && length < sizeof digits)
            digits[length++] = c;
    }
    return static_cast<float>(LeadingDouble({digits, length}));
}
