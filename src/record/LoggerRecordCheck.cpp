#include "record/LoggerRecordCheck.h"

#include "record/LoggerFile.h"
#include "platform/Format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

enum class Kind
{
    Int, // 32-bit integer within low..high
    Byte, // one byte within low..high
    Text, // ends inside its size
    Name, // ends inside its size and can be a file title
};

// One field, or a block of like fields: one per logger ID (loggers of them, loggerStride
// bytes apart) and, within each, one per channel (channels of them, channelStride apart).
struct Rule
{
    const char* label;
    size_t offset;
    Kind kind;
    int32_t low = 0;
    int32_t high = 0;
    size_t size = 0; // of a text field
    int loggers = 1;
    size_t loggerStride = 0;
    int channels = 1;
    size_t channelStride = 0;
};

constexpr Rule Number(const char* label, size_t offset, int32_t low, int32_t high)
{
    return {label, offset, Kind::Int, low, high};
}

constexpr Rule Flag(const char* label, size_t offset)
{
    return Number(label, offset, 0, 1);
}

constexpr Rule Text(const char* label, size_t offset, size_t size, Kind kind = Kind::Text)
{
    return {label, offset, kind, 0, 0, size};
}

// The rule for logger ID 1, repeated for each of the seven.
constexpr Rule PerLogger(Rule rule, size_t stride)
{
    rule.loggers = MaxLoggerIds;
    rule.loggerStride = stride;
    return rule;
}

// The rule for channel 1 of logger ID 1, repeated for every channel of every logger.
constexpr Rule PerChannel(Rule rule, size_t loggerStride, size_t channelStride)
{
    rule = PerLogger(rule, loggerStride);
    rule.channels = ChannelCount;
    rule.channelStride = channelStride;
    return rule;
}

// The editor's minute fields take any whole number that fits the field.
constexpr int32_t EditorMinutes = std::numeric_limits<int32_t>::max();
// Windows numbers its COM ports up to 256; 0 is a port typed that names no entry.
constexpr int32_t HighestComPort = 256;
// The channel read stores the logger's numbers as they come, at most nine digits each, the
// VW type one above the reported sweep.
constexpr int32_t LoggerNumber = 999999999;
constexpr int32_t LastDayOfMonth = 31; // 0 before the scheduler's first day
constexpr int32_t NoDateStyle = -1; // the style list left without a choice
constexpr int32_t LastDateStyle = 5;
constexpr int32_t IntervalDigits = 99; // the measuring interval fields take two digits
constexpr int32_t LongestGraphPeriod = 3600; // 0 until the graph window first closes
constexpr int32_t MostScannedSensors = 2 * ChannelCount;

constexpr size_t Units = offsetof(LoggerRecord, m_units);
constexpr size_t UnitSize = sizeof(LoggerUnit);
constexpr size_t ChannelSize = sizeof(ChannelConfig);
constexpr size_t Schedule = Units + offsetof(LoggerUnit, m_schedule);

constexpr Rule ChannelRule(const char* label, size_t field, int32_t high)
{
    return PerChannel(Number(label, Units + offsetof(LoggerUnit, m_channels) + field, 0, high),
        UnitSize, ChannelSize);
}

constexpr Rule ScheduleRule(const char* label, size_t field, int32_t high)
{
    return PerLogger(Number(label, Schedule + field, 0, high), UnitSize);
}

constexpr Rule SeriesRule(const char* label, size_t offset)
{
    Rule rule = PerChannel(Flag(label, offset), ChannelCount, 1);
    rule.kind = Kind::Byte;
    return rule;
}

// Roughly in file order; the blocks interleave, so the first wrong field is the one at the
// lowest offset, not the one of the first rule that fails.
const Rule Rules[] = {
    Text("name", offsetof(LoggerRecord, m_szName), sizeof(LoggerRecord::m_szName), Kind::Name),
    Flag("Single flag", offsetof(LoggerRecord, m_bSingle)),
    Flag("RS-485 flag", offsetof(LoggerRecord, m_bRs485)),
    PerLogger(Flag("network flag", offsetof(LoggerRecord, m_bLoggerUsed)), sizeof(int32_t)),
    Number("COM port", offsetof(LoggerRecord, m_nComPort), 0, HighestComPort),
    Flag("modem flag", offsetof(LoggerRecord, m_bUseModem)),
    Text("AT command", offsetof(LoggerRecord, m_szModemCommand),
        sizeof(LoggerRecord::m_szModemCommand)),
    Text("disconnect command", offsetof(LoggerRecord, m_szHangUpCommand),
        sizeof(LoggerRecord::m_szHangUpCommand)),
    Text("phone number", offsetof(LoggerRecord, m_szPhoneNumber),
        sizeof(LoggerRecord::m_szPhoneNumber)),
    Text("data folder", offsetof(LoggerRecord, m_szDataFolder),
        sizeof(LoggerRecord::m_szDataFolder)),
    Flag("receive schedule flag", offsetof(LoggerRecord, m_bAutoReceive)),
    Flag("minute flag", offsetof(LoggerRecord, m_bIntervalOn)),
    Flag("delay flag", offsetof(LoggerRecord, m_bDelayOn)),
    Number("receive interval", offsetof(LoggerRecord, m_nReceiveInterval), 0, EditorMinutes),
    Number("receive delay", offsetof(LoggerRecord, m_nReceiveDelay), 0, EditorMinutes),
    Number("last receive day", offsetof(LoggerRecord, m_nLastDay), 0, LastDayOfMonth),
    // The delay minute, or a minute of the day moved on by intervals and held at its end.
    Number("next receive minute", offsetof(LoggerRecord, m_nNextReceive), 0, EditorMinutes),
    Flag("erase flag", offsetof(LoggerRecord, m_bEraseAfterReceive)),
    Number("date style", offsetof(LoggerRecord, m_nDateFormat), NoDateStyle, LastDateStyle),
    ChannelRule("sensor flag", offsetof(ChannelConfig, m_bPresent), 1),
    ChannelRule("VW type", offsetof(ChannelConfig, m_nVwType), LoggerNumber + 1),
    ChannelRule("analog type", offsetof(ChannelConfig, m_nAnalogType), LoggerNumber),
    ChannelRule("value", offsetof(ChannelConfig, m_nValue), LoggerNumber),
    ScheduleRule("measuring hours", offsetof(UnitSchedule, m_nHours), IntervalDigits),
    ScheduleRule("measuring minutes", offsetof(UnitSchedule, m_nMinutes), IntervalDigits),
    ScheduleRule("schedule kind", offsetof(UnitSchedule, m_nScheduleMode), SchedulePeriodic),
    ScheduleRule("unit flag", offsetof(UnitSchedule, m_nUnitFlag), 1),
    Number("graph logger", offsetof(LoggerRecord, m_nGraphLogger), 0, MaxLoggerIds - 1),
    SeriesRule("graph A flag", offsetof(LoggerRecord, m_bGraphSeriesA)),
    SeriesRule("graph B flag", offsetof(LoggerRecord, m_bGraphSeriesB)),
    Number("graph period", offsetof(LoggerRecord, m_nGraphPeriod), 0, LongestGraphPeriod),
    Number(
        "scanned sensor count", offsetof(LoggerRecord, m_nScannedSensors), 0, MostScannedSensors),
};

bool Holds(const Rule& rule, const unsigned char* field)
{
    switch (rule.kind) {
    case Kind::Int: {
        int32_t value = 0;
        std::memcpy(&value, field, sizeof value);
        return value >= rule.low && value <= rule.high;
    }
    case Kind::Byte:
        return *field >= rule.low && *field <= rule.high;
    case Kind::Text:
        return std::memchr(field, '\0', rule.size) != nullptr;
    case Kind::Name:
        return std::memchr(field, '\0', rule.size) != nullptr
            && IsValidLoggerName(reinterpret_cast<const char*>(field));
    }
    return false;
}

std::string Label(const Rule& rule, int loggerId, int channel)
{
    std::string label;
    if (rule.loggers > 1)
        label += FormatString("logger %d ", loggerId);
    if (rule.channels > 1)
        label += FormatString("channel %d ", channel + 1);
    return label + rule.label;
}

} // namespace

std::string LoggerRecordCheck::FirstWrongField(const LoggerRecord& record)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    size_t first = sizeof record;
    std::string label;
    for (const Rule& rule : Rules) {
        for (int id = 1; id <= rule.loggers; ++id) {
            for (int ch = 0; ch < rule.channels; ++ch) {
                const size_t offset = rule.offset + static_cast<size_t>(id - 1) * rule.loggerStride
                    + static_cast<size_t>(ch) * rule.channelStride;
                if (offset < first && !Holds(rule, bytes + offset)) {
                    first = offset;
                    label = Label(rule, id, ch);
                }
            }
        }
    }
    return label;
}
