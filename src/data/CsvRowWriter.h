#pragma once

#include "data/DataRecordList.h"
#include "platform/LocalTimeConverter.h"

#include <array>
#include <ctime>
#include <string>

struct DateFormatStyle;

// Turns sorted records into the lines of a table file: the header, then one row per measuring
// moment. A reading joins the open row while it lies less than RowGroupSeconds after the row's
// first reading and its cell is still free; otherwise it starts a new row, labelled with its
// own date and time. Lines end in CR LF and are appended to the caller's text.
class CsvRowWriter final
{
public:
    CsvRowWriter(const UsedSlots& used, int dateFormat);

    void WriteHeader(std::string& out) const;

    // Places one record; a row it closes is appended to out. Duplicates, records without a
    // column slot and records whose date or time is no valid local time are passed over.
    void Add(const DataRecord& record, std::string& out);

    // Appends the open row, if any.
    void Finish(std::string& out);

private:
    struct RecordTime
    {
        bool valid;
        std::time_t t;
    };

    RecordTime TimeOf(const DataRecord& record);
    void StartRow(const DataRecord& record, std::time_t t);
    void WriteRow(std::string& out) const;

    UsedSlots m_used;
    const DateFormatStyle* m_style;
    std::array<std::string, ColumnSlotCount> m_cells;
    std::array<bool, ColumnSlotCount> m_filled{};
    std::string m_rowDate;
    std::string m_rowTime;
    std::time_t m_t0 = 0;
    long long m_d = 1000;
    bool m_rowOpen = false;

    // Equal keys follow each other in sorted order: their time is worked out once.
    std::array<char, 12> m_timeKey{};
    RecordTime m_time{false, 0};
    bool m_haveTime = false;
    LocalTimeConverter m_converter;
};
