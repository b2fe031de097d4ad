#include "data/DataRecordList.h"

#include "platform/DebugTrace.h"
#include "platform/EventPump.h"
#include "platform/LineReader.h"

#include <algorithm>

std::vector<DataRecord> ReadDataRecords(std::string_view text, bool traceLines)
{
    std::vector<DataRecord> records;
    records.reserve(text.size() / (DataRecordLength + 2) + 1);
    LineReader reader(text);
    std::string_view line;
    DataRecord record{};
    while (reader.Next(line)) {
        if (!ParseDataRecord(line, record))
            continue;
        if (traceLines) {
            DebugTrace("mrawdata [%d] [%.*s]\r\n", static_cast<int>(records.size()),
                static_cast<int>(line.size()), line.data());
        }
        records.push_back(record);
    }
    return records;
}

void SortDataRecords(std::vector<DataRecord>& records)
{
    std::stable_sort(records.begin(), records.end(), [](const DataRecord& a, const DataRecord& b) {
        if (const int order = CompareDataLines(&a, &b))
            return order < 0;
        if (a.m_strChannel != b.m_strChannel)
            return a.m_strChannel < b.m_strChannel;
        return a.m_strKind < b.m_strKind;
    });
}

void MarkDuplicates(std::vector<DataRecord>& records)
{
    for (size_t i = 1; i < records.size(); ++i) {
        const DataRecord& before = records[i - 1];
        DataRecord& record = records[i];
        record.m_bDuplicate = CompareDataLines(&before, &record) == 0
            && before.m_strChannel == record.m_strChannel && before.m_strKind == record.m_strKind;
    }
}

UsedSlots FindUsedSlots(const std::vector<DataRecord>& records, EventPump& pump)
{
    UsedSlots used{};
    for (const DataRecord& record : records) {
        if (record.m_bDuplicate)
            continue;
        pump.Poll();
        const int slot = ColumnSlot(record);
        if (slot != NoColumnSlot)
            used[static_cast<size_t>(slot)] = true;
    }
    return used;
}
