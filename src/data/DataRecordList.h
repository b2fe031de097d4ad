#pragma once

#include "data/DataRecord.h"

#include <array>
#include <string_view>
#include <vector>

class EventPump;

using UsedSlots = std::array<bool, ColumnSlotCount>;

// The records of raw file text, in file order; every line that is not exactly one record long
// is passed over. The records view into text. With traceLines each accepted line is traced
// ("mrawdata [n] [line]").
std::vector<DataRecord> ReadDataRecords(std::string_view text, bool traceLines);

// Sorts into key order. Within one key the records fall into runs of equal channel and kind
// text, each run in file order, so the duplicate pass needs to look one record back only.
void SortDataRecords(std::vector<DataRecord>& records);

// Marks every record that repeats the key, channel text and kind text of the record before
// it (records sorted by SortDataRecords): of each such group the first downloaded stays.
void MarkDuplicates(std::vector<DataRecord>& records);

// The column slots that at least one non-duplicate record maps to.
UsedSlots FindUsedSlots(const std::vector<DataRecord>& records, EventPump& pump);
