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
    int32_t high = 1; // a flag unless said otherwise
    size_t size = 0;
    int loggers = 1;
    size_t loggerStride = 0;
    int channels = 1;
    size_t channelStride = 0;
};

constexpr int32_t AnyCount = std::numeric_limits<int32_t>::max();
// The minute fields of the editor take any whole number that fits the field.
constexpr int32_t EditorMinutes = AnyCount;
// Windows numbers its COM ports up to 256; 0 is a port typed that names no entry.
constexpr int32_t HighestComPort = 256;
// The channel read stores the logger's numbers as they come, at most nine digits each, the
// VW type one above the reported sweep.
constexpr int32_t LoggerNumber = 999999999;
// Days of the month the scheduler last saw; 0 before the first.
constexpr int32_t LastDayOfMonth = 31;
// The style list's entries, or -1 when none was chosen.
constexpr int32_t NoDateStyle = -1;
constexpr int32_t LastDateStyle = 5;
// The measuring interval fields take two digits.
constexpr int32_t IntervalDigits = 99;
constexpr int32_t LongestGraphPeriod = 3600;
constexpr int32_t MostScannedSensors = 2 * ChannelCount;

constexpr size_t Units = offsetof(LoggerRecord, m_units);
constexpr size_t UnitSize = sizeof(LoggerUnit);
constexpr size_t ChannelSize = sizeof(ChannelConfig);
constexpr size_t Schedule = Units + offsetof(LoggerUnit, m_schedule);

constexpr size_t Channel(size_t field)
{
    return Units + offsetof(LoggerUnit, m_channels) + field;
}

// In file order; a block's fields interleave with others, so the first wrong field is the
// one at the lowest offset, not the first rule that fails.
const Rule Rules[] = {
    {.label = "name", .offset = offsetof(LoggerRecord, m_szName), .kind = Kind::Name,
        .size = sizeof(LoggerRecord::m_szName)},
    {.label = "Single flag", .offset = offsetof(LoggerRecord, m_bSingle), .kind = Kind::Int},
    {.label = "RS-485 flag", .offset = offsetof(LoggerRecord, m_bRs485), .kind = Kind::Int},
    {.label = "network flag", .offset = offsetof(LoggerRecord, m_bLoggerUsed), .kind = Kind::Int,
        .loggers = MaxLoggerIds, .loggerStride = sizeof(int32_t)},
    {.label = "COM port", .offset = offsetof(LoggerRecord, m_nComPort), .kind = Kind::Int,
        .high = HighestComPort},
    {.label = "modem flag", .offset = offsetof(LoggerRecord, m_bUseModem), .kind = Kind::Int},
    {.label = "AT command", .offset = offsetof(LoggerRecord, m_szModemCommand),
        .kind = Kind::Text, .size = sizeof(LoggerRecord::m_szModemCommand)},
    {.label = "disconnect command", .offset = offsetof(LoggerRecord, m_szHangUpCommand),
        .kind = Kind::Text, .size = sizeof(LoggerRecord::m_szHangUpCommand)},
    {.label = "phone number", .offset = offsetof(LoggerRecord, m_szPhoneNumber),
        .kind = Kind::Text, .size = sizeof(LoggerRecord::m_szPhoneNumber)},
    {.label = "data folder", .offset = offsetof(LoggerRecord, m_szDataFolder), .kind = Kind::Text,
        .size = sizeof(LoggerRecord::m_szDataFolder)},
    {.label = "receive schedule flag", .offset = offsetof(LoggerRecord, m_bAutoReceive),
        .kind = Kind::Int},
    {.label = "minute flag", .offset = offsetof(LoggerRecord, m_bIntervalOn), .kind = Kind::Int},
    {.label = "delay flag", .offset = offsetof(LoggerRecord, m_bDelayOn), .kind = Kind::Int},
    {.label = "receive interval", .offset = offsetof(LoggerRecord, m_nReceiveInterval),
        .kind = Kind::Int, .high = EditorMinutes},
    {.label = "receive delay", .offset = offsetof(LoggerRecord, m_nReceiveDelay),
        .kind = Kind::Int, .high = EditorMinutes},
    {.label = "last receive day", .offset = offsetof(LoggerRecord, m_nLastDay), .kind = Kind::Int,
        .high = LastDayOfMonth},
    // The delay minute, or a minute of the day moved on by intervals and held at its end.
    {.label = "next receive minute", .offset = offsetof(LoggerRecord, m_nNextReceive),
        .kind = Kind::Int, .high = EditorMinutes},
    {.label = "erase flag", .offset = offsetof(LoggerRecord, m_bEraseAfterReceive),
        .kind = Kind::Int},
    {.label = "date style", .offset = offsetof(LoggerRecord, m_nDateFormat), .kind = Kind::Int,
        .low = NoDateStyle, .high = LastDateStyle},
    {.label = "sensor flag", .offset = Channel(offsetof(ChannelConfig, m_bPresent)),
        .kind = Kind::Int, .loggers = MaxLoggerIds, .loggerStride = UnitSize,
        .channels = ChannelCount, .channelStride = ChannelSize},
    {.label = "VW type", .offset = Channel(offsetof(ChannelConfig, m_nVwType)), .kind = Kind::Int,
        .high = LoggerNumber + 1, .loggers = MaxLoggerIds, .loggerStride = UnitSize,
        .channels = ChannelCount, .channelStride = ChannelSize},
    {.label = "analog type", .offset = Channel(offsetof(ChannelConfig, m_nAnalogType)),
        .kind = Kind::Int, .high = LoggerNumber, .loggers = MaxLoggerIds,
        .loggerStride = UnitSize, .channels = ChannelCount, .channelStride = ChannelSize},
    {.label = "value", .offset = Channel(offsetof(ChannelConfig, m_nValue)), .kind = Kind::Int,
        .high = LoggerNumber, .loggers = MaxLoggerIds, .loggerStride = UnitSize,
        .channels = ChannelCount, .channelStride = ChannelSize},
    {.label = "measuring hours", .offset = Schedule + offsetof(UnitSchedule, m_nHours),
        .kind = Kind::Int, .high = IntervalDigits, .loggers = MaxLoggerIds,
        .loggerStride = UnitSize},
    {.label = "measuring minutes", .offset = Schedule + offsetof(UnitSchedule, m_nMinutes),
        .kind = Kind::Int, .high = IntervalDigits, .loggers = MaxLoggerIds,
        .loggerStride = UnitSize},
    {.label = "schedule kind", .offset = Schedule + offsetof(UnitSchedule, m_nScheduleMode),
        .kind = Kind::Int, .loggers = MaxLoggerIds, .loggerStride = UnitSize},
    {.label = "unit flag", .offset = Schedule + offsetof(UnitSchedule, m_nUnitFlag),
        .kind = Kind::Int, .loggers = MaxLoggerIds, .loggerStride = UnitSize},
    {.label = "graph logger", .offset = offsetof(LoggerRecord, m_nGraphLogger), .kind = Kind::Int,
        .high = MaxLoggerIds - 1},
    {.label = "graph A flag", .offset = offsetof(LoggerRecord, m_bGraphSeriesA),
        .kind = Kind::Byte, .loggers = MaxLoggerIds, .loggerStride = ChannelCount,
        .channels = ChannelCount, .channelStride = 1},
    {.label = "graph B flag", .offset = offsetof(LoggerRecord, m_bGraphSeriesB),
        .kind = Kind::Byte, .loggers = MaxLoggerIds, .loggerStride = ChannelCount,
        .channels = ChannelCount, .channelStride = 1},
    {.label = "graph period", .offset = offsetof(LoggerRecord, m_nGraphPeriod), .kind = Kind::Int,
        .high = LongestGraphPeriod},
    {.label = "scanned sensor count", .offset = offsetof(LoggerRecord, m_nScannedSensors),
        .kind = Kind::Int, .high = MostScannedSensors},
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
