#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One logger configuration. The byte layout is the ".arg" file format: 32-bit
// little-endian integers, NUL-terminated 8-bit text in fixed fields, 3960 bytes, no header.

inline constexpr int MaxLoggerIds = 7; // logger IDs 1..7 on one line
inline constexpr int ChannelCount = 16; // channels 0..15 of a logger
inline constexpr int MaxOpenLoggers = 32;

struct ChannelConfig
{
    int32_t m_bPresent; // the logger reported a sensor on this channel
    int32_t m_nVwType; // reading A: 0 off, 1..4 "Sweep %02d"
    int32_t m_nAnalogType; // reading B: 0 off, 2 RTD, 3 Thermistor, 4 mV
    int32_t m_nReserved1;
    int32_t m_nValue; // fourth value of the logger's channel line
    int32_t m_nReserved2;
};

struct UnitSchedule
{
    int32_t m_nHours;
    int32_t m_nMinutes;
    int32_t m_nReserved1;
    int32_t m_nScheduleMode; // 0 Fixed, 1 Periodic
    int32_t m_nReserved2;
    int32_t m_nUnitFlag; // 1 in records the editor creates
};

enum ScheduleMode : int32_t
{
    ScheduleFixed = 0,
    SchedulePeriodic = 1
};

struct LoggerUnit
{
    ChannelConfig m_channels[ChannelCount];
    UnitSchedule m_schedule;
};

struct LoggerRecord
{
    char m_szName[20];
    int32_t m_bSingle;
    int32_t m_bRs485;
    int32_t m_bLoggerUsed[MaxLoggerIds];
    int32_t m_nComPort;
    int32_t m_bUseModem;
    char m_szModemCommand[20];
    char m_szHangUpCommand[20];
    char m_szPhoneNumber[20];
    char m_szDataFolder[260];
    int32_t m_bAutoReceive;
    int32_t m_bIntervalOn;
    int32_t m_bDelayOn;
    int32_t m_nReceiveInterval;
    int32_t m_nReceiveDelay;
    int32_t m_nLastDay;
    int32_t m_nNextReceive;
    int32_t m_bEraseAfterReceive;
    int32_t m_nDateFormat;
    LoggerUnit m_units[MaxLoggerIds];
    int32_t m_nGraphLogger;
    uint8_t m_bGraphSeriesA[MaxLoggerIds][ChannelCount];
    uint8_t m_bGraphSeriesB[MaxLoggerIds][ChannelCount];
    uint8_t m_reserved[448];
    int32_t m_nGraphPeriod;
    int32_t m_nScannedSensors;
};

inline constexpr size_t LoggerRecordSize = 3960;

static_assert(sizeof(ChannelConfig) == 24);
static_assert(sizeof(UnitSchedule) == 24);
static_assert(sizeof(LoggerUnit) == 408);
static_assert(sizeof(LoggerRecord) == LoggerRecordSize);
static_assert(offsetof(LoggerRecord, m_bSingle) == 20);
static_assert(offsetof(LoggerRecord, m_bRs485) == 24);
static_assert(offsetof(LoggerRecord, m_bLoggerUsed) == 28);
static_assert(offsetof(LoggerRecord, m_nComPort) == 56);
static_assert(offsetof(LoggerRecord, m_bUseModem) == 60);
static_assert(offsetof(LoggerRecord, m_szModemCommand) == 64);
static_assert(offsetof(LoggerRecord, m_szHangUpCommand) == 84);
static_assert(offsetof(LoggerRecord, m_szPhoneNumber) == 104);
static_assert(offsetof(LoggerRecord, m_szDataFolder) == 124);
static_assert(offsetof(LoggerRecord, m_bAutoReceive) == 384);
static_assert(offsetof(LoggerRecord, m_bIntervalOn) == 388);
static_assert(offsetof(LoggerRecord, m_bDelayOn) == 392);
static_assert(offsetof(LoggerRecord, m_nReceiveInterval) == 396);
static_assert(offsetof(LoggerRecord, m_nReceiveDelay) == 400);
static_assert(offsetof(LoggerRecord, m_nLastDay) == 404);
static_assert(offsetof(LoggerRecord, m_nNextReceive) == 408);
static_assert(offsetof(LoggerRecord, m_bEraseAfterReceive) == 412);
static_assert(offsetof(LoggerRecord, m_nDateFormat) == 416);
static_assert(offsetof(LoggerRecord, m_units) == 420);
static_assert(offsetof(LoggerRecord, m_units) + offsetof(LoggerUnit, m_schedule) == 804);
static_assert(offsetof(LoggerRecord, m_nGraphLogger) == 3276);
static_assert(offsetof(LoggerRecord, m_bGraphSeriesA) == 3280);
static_assert(offsetof(LoggerRecord, m_bGraphSeriesB) == 3392);
static_assert(offsetof(LoggerRecord, m_reserved) == 3504);
static_assert(offsetof(LoggerRecord, m_nGraphPeriod) == 3952);
static_assert(offsetof(LoggerRecord, m_nScannedSensors) == 3956);
static_assert(offsetof(ChannelConfig, m_nValue) == 16);
static_assert(offsetof(UnitSchedule, m_nScheduleMode) == 12);
static_assert(offsetof(UnitSchedule, m_nUnitFlag) == 20);

// Text of a fixed field, up to its NUL or its end, whichever comes first.
template <size_t N> std::string FieldText(const char (&field)[N])
{
    size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return std::string(field, length);
}

// Stores text in a fixed field: at most N - 1 characters, the rest of the field zero.
template <size_t N> void SetFieldText(char (&field)[N], std::string_view text)
{
    const size_t length = text.size() < N - 1 ? text.size() : N - 1;
    size_t i = 0;
    for (; i < length; ++i)
        field[i] = text[i];
    for (; i < N; ++i)
        field[i] = '\0';
}

// A new configuration as the editor starts it: single logger on COM1, the default modem
// strings, the given data folder, every unit flagged.
LoggerRecord NewLoggerRecord(std::string_view name, std::string_view dataFolder);

// True when logger ID (1..7) belongs to the record's line: ID 1 of a single logger, or a
// used ID of a network.
bool IsLoggerIdUsed(const LoggerRecord& record, int loggerId);
