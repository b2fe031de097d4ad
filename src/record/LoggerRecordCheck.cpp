#include "record/LoggerRecordCheck.h"

#include "record/LoggerFile.h"
#include "platform/Format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

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

// A kind that only a list writes is one of the list's positions, or -1 where the list can be
// left without a choice. Every other number is read as stored: the COM port is a port number
// that the connect opens or names as no port, the editor's minute fields are unsigned and take
// any 32-bit pattern, the measuring interval is atoi of an edit without a limit, the channel
// read keeps atoi of the logger's reply, and the scheduler's state, the graph period and the
// scanned sensor count are only compared, clamped or carried.
constexpr int32_t NoChoice = -1;
constexpr int32_t LastDateStyle = 5;

constexpr size_t Units = offsetof(LoggerRecord, m_units);
constexpr size_t UnitSize = sizeof(LoggerUnit);
constexpr size_t ChannelSize = sizeof(ChannelConfig);
constexpr size_t Schedule = Units + offsetof(LoggerUnit, m_schedule);

constexpr Rule ChannelFlag(const char* label, size_t field)
{
    return PerChannel(
        Flag(label, Units + offsetof(LoggerUnit, m_channels) + field), UnitSize, ChannelSize);
}

constexpr Rule ScheduleRule(const char* label, size_t field, int32_t low, int32_t high)
{
    return PerLogger(Number(label, Schedule + field, low, high), UnitSize);
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
    Flag("erase flag", offsetof(LoggerRecord, m_bEraseAfterReceive)),
    // The style list's position, -1 when it was left without a choice.
    Number("date style", offsetof(LoggerRecord, m_nDateFormat), NoChoice, LastDateStyle),
    ChannelFlag("sensor flag", offsetof(ChannelConfig, m_bPresent)),
    // The schedule list's position (or "fixed" in the logger's reply read as 0 or 1).
    ScheduleRule(
        "schedule kind", offsetof(UnitSchedule, m_nScheduleMode), NoChoice, SchedulePeriodic),
    ScheduleRule("unit flag", offsetof(UnitSchedule, m_nUnitFlag), 0, 1),
    // Indexes the logger's units and graph flags.
    Number("graph logger", offsetof(LoggerRecord, m_nGraphLogger), 0, MaxLoggerIds - 1),
    SeriesRule("graph A flag", offsetof(LoggerRecord, m_bGraphSeriesA)),
    SeriesRule("graph B flag", offsetof(LoggerRecord, m_bGraphSeriesB)),
};

// A text must end within the bytes that the file held of it: the rest of the field is
// still what the slot held before (its entry's title, in the name).
bool TextEnds(const unsigned char* field, size_t size, size_t held)
{
    const size_t judged = held > 0 && held < size ? held : size;
    return std::memchr(field, '\0', judged) != nullptr;
}

// held: how many of the field's bytes came from the file (0: none, it is the slot's own).
bool Holds(const Rule& rule, const unsigned char* field, size_t held)
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
        return TextEnds(field, rule.size, held);
    case Kind::Name:
        return TextEnds(field, rule.size, held)
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

std::string LoggerRecordCheck::FirstWrongField(const LoggerRecord& record, size_t fileSize)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    size_t first = sizeof record;
    std::string label;
    for (const Rule& rule : Rules) {
        for (int id = 1; id <= rule.loggers; ++id) {
            for (int ch = 0; ch < rule.channels; ++ch) {
                const size_t offset = rule.offset + static_cast<size_t>(id - 1) * rule.loggerStride
                    + static_cast<size_t>(ch) * rule.channelStride;
                const size_t held = fileSize > offset ? fileSize - offset : 0;
                if (offset < first && !Holds(rule, bytes + offset, held)) {
                    first = offset;
                    label = Label(rule, id, ch);
                }
            }
        }
    }
    return label;
}
