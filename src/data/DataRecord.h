#pragma once

#include <array>
#include <string>
#include <string_view>

// One record line of a raw data file, as the logger sent it (columns from 0):
//   0-1 not read, 3-4 channel 00..15, 6-11 date YYMMDD, 13-18 time HHMMSS,
//   20 kind ("1" the VW reading A, any other the analog reading B), 22-27 value.
// Only lines of exactly DataRecordLength characters are records.
inline constexpr size_t DataRecordLength = 28;

// The table has one column slot per channel reading: 2 x channel for A, 2 x channel + 1 for B.
inline constexpr int ColumnSlotCount = 32;
inline constexpr int NoColumnSlot = -1;

// The text of a table cell whose row got no reading for that column.
inline constexpr std::string_view MissingValue = "999999";

// A reading joins a row while it lies less than this many seconds after the row's first one.
inline constexpr long long RowGroupSeconds = 180;

// The fields of a record line, as views into the line (which must outlive the record).
struct DataRecord
{
    std::string_view m_strChannel;
    std::string_view m_strKind;
    std::string_view m_strDate;
    std::string_view m_strTime;
    std::string_view m_strValue;
    std::array<char, 12> m_strKey; // date then time, YYMMDDHHMMSS: the sort key
    bool m_bDuplicate; // repeats an earlier record of the same key, channel and kind
};

// Builds the record of a line; false (record untouched) when the line is no record line.
bool ParseDataRecord(std::string_view line, DataRecord& record);

// True when the table build takes the line for a record.
bool IsRecordLine(std::string_view line);

// Key order: 1 when a sorts after b, -1 before, 0 equal (byte order of the keys).
int CompareDataLines(const DataRecord* a, const DataRecord* b);

// The record's table column 0..31, or NoColumnSlot when its channel lies outside 0..15.
int ColumnSlot(const DataRecord& record);

// The heading of a column slot: "1A", "1B", "2A" ... "16B".
std::string ColumnHeader(int slot);

// The channel number (as the C library's atoi reads the two characters).
int RecordChannel(const DataRecord& record);

// The kind code as a number: 1 for reading A, the analog type code otherwise.
int RecordKindCode(const DataRecord& record);

// The raw reading: the value text without its ";" characters, read as a double and held as a
// float.
float RecordValue(const DataRecord& record);
