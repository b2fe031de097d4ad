#include "data/CsvRowWriter.h"

#include "data/ChannelValue.h"
#include "data/DateFormat.h"
#include "platform/DebugTrace.h"
#include "platform/TextNumber.h"

namespace {

int FieldNumber(std::string_view text, size_t at)
{
    return LeadingInt(text.substr(at, 2));
}

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

// The raw date or time text, digits only as the record format has them: a damaged record
// must not carry a separator of the table into a row.
void AssignDigits(std::string& to, std::string_view from)
{
    to.clear();
    for (const char c : from) {
        if (c >= '0' && c <= '9')
            to += c;
    }
}

} // namespace

CsvRowWriter::CsvRowWriter(const UsedSlots& used, int dateFormat)
    : m_used(used)
    , m_style(FindDateFormat(dateFormat))
{
}

void CsvRowWriter::WriteHeader(std::string& out) const
{
    out += "Measured Date,Time";
    for (int slot = 0; slot < ColumnSlotCount; ++slot) {
        if (m_used[static_cast<size_t>(slot)]) {
            out += ',';
            out += ColumnHeader(slot);
        }
    }
    out += "\r\n";
}

CsvRowWriter::RecordTime CsvRowWriter::TimeOf(const DataRecord& record)
{
    if (m_haveTime && m_timeKey == record.m_strKey)
        return m_time;
    m_haveTime = true;
    m_timeKey = record.m_strKey;
    m_time = {false, 0};
    const int month = FieldNumber(record.m_strDate, 2);
    const int day = FieldNumber(record.m_strDate, 4);
    const int hour = FieldNumber(record.m_strTime, 0);
    const int minute = FieldNumber(record.m_strTime, 2);
    const int second = FieldNumber(record.m_strTime, 4);
    if (!InRange(month, 1, 12) || !InRange(day, 1, 31) || !InRange(hour, 0, 23)
        || !InRange(minute, 0, 59) || !InRange(second, 0, 59))
        return m_time;
    const int year = 2000 + FieldNumber(record.m_strDate, 0);
    if (const auto t = m_converter.Convert(year, month, day, hour, minute, second))
        m_time = {true, *t};
    return m_time;
}

void CsvRowWriter::Add(const DataRecord& record, std::string& out)
{
    if (record.m_bDuplicate)
        return;
    const int slot = ColumnSlot(record);
    if (slot == NoColumnSlot)
        return;
    const RecordTime time = TimeOf(record);
    if (!time.valid)
        return;
    std::string cell = FormatChannelValue(RecordKindCode(record), RecordValue(record));
    if (!m_rowDate.empty())
        m_d = static_cast<long long>(time.t) - static_cast<long long>(m_t0);
    DebugTrace("channel_id %d\r\n", RecordChannel(record));

    const auto index = static_cast<size_t>(slot);
    if (m_d < RowGroupSeconds && m_rowOpen && !m_filled[index]) {
        m_cells[index] = std::move(cell);
        m_filled[index] = true;
        return;
    }
    if (m_rowOpen)
        WriteRow(out);
    StartRow(record, time.t);
    m_cells[index] = std::move(cell);
    m_filled[index] = true;
}

void CsvRowWriter::StartRow(const DataRecord& record, std::time_t t)
{
    for (std::string& cell : m_cells)
        cell.assign(MissingValue);
    m_filled.fill(false);
    m_rowOpen = true;
    m_t0 = t;
    if (m_style) {
        DateTimeTexts texts = FormatDateTime(*m_style, t);
        m_rowDate = std::move(texts.date);
        m_rowTime = std::move(texts.time);
    } else {
        AssignDigits(m_rowDate, record.m_strDate);
        AssignDigits(m_rowTime, record.m_strTime);
    }
}

void CsvRowWriter::WriteRow(std::string& out) const
{
    out += m_rowDate;
    out += ',';
    out += m_rowTime;
    for (size_t slot = 0; slot < m_cells.size(); ++slot) {
        if (m_used[slot]) {
            out += ',';
            out += m_cells[slot];
        }
    }
    out += "\r\n";
}

void CsvRowWriter::Finish(std::string& out)
{
    if (m_rowOpen)
        WriteRow(out);
    m_rowOpen = false;
}
