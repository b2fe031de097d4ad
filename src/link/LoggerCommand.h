#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A logger memory holds at most this many records; a larger reported count is cut to it.
inline constexpr int LoggerMemoryCapacity = 35000;

// The logger command protocol. A command line is "@01," the logger ID in two digits, a comma,
// the command words and arguments, and CR. A reply repeats that head; each operation keeps
// what follows a fixed number of characters (the cut), "" when the reply is no longer.
namespace LoggerCommand {
inline constexpr size_t AddressCut = 7; // @01,NN,
inline constexpr size_t DataLoadCut = 10; // a stored record line
inline constexpr size_t MemoryCut = 13; // @01,NN,memory
inline constexpr size_t MeasureCut = 15; // @01,NN,measure and its blank
inline constexpr size_t ScheduleCut = 16; // @01,NN,schedule and its blank

// The reply without its first cut characters; "" when it has cut characters or fewer.
std::string CutHead(const std::string& reply, size_t cut);

// Fields separated by single blanks: two blanks in a row enclose an empty field.
std::vector<std::string> SplitFields(const std::string& text);
// Field index of SplitFields, "" when missing.
std::string Field(const std::string& text, size_t index);

// The head "@01,NN," with which logger id begins every reply line.
std::string LoggerHead(int id);
bool HasLoggerHead(const std::string& reply, int id);

// The value of a field of digits only, at most MaxDigitField digits of them; nothing for any
// other text (empty, a sign, a blank, a letter, more digits), so that no reply can make what
// is computed from it overflow.
inline constexpr size_t MaxDigitField = 9;
std::optional<int> DigitField(std::string_view text);
} // namespace LoggerCommand

// Reply types, each named by what remains after its head is cut.
// Blank-separated fields; field 2 is the raw reading.
using MeasureReply = std::string;
// One stored record, kept unchanged in the raw data file (28 characters).
using DataLoadReply = std::string;
// After every ';' is removed: field 0 hours, 1 minutes of the interval, 3 the mode word
// ("fixed" means Fixed).
using ScheduleReply = std::string;

// A logger's stored record count as its "memory" reply gave it.
struct MemoryCount
{
    int records = -1; // 0..LoggerMemoryCapacity; -1 when no well-formed reply came
    long long reported = -1; // the count as the logger gave it, capacity or not
    bool cut = false; // the logger holds more records than a download reads

    // Only a reply that begins "@01,NN,memory" of logger id and then gives blanks and digits
    // (blanks may follow) is a count; anything else is taken as no answer.
    static MemoryCount FromReply(const std::string& reply, int id);
};

// One line of a "data load" transfer as it came.
struct DataLoadLine
{
    std::string reply; // the whole line, "" when none came
    bool fromLogger = false; // it begins with the head of the logger asked
    DataLoadReply record; // the line without its head

    // The transfer's first line, which repeats the command ("@01,NN,data load ...").
    bool IsHead() const
    {
        constexpr std::string_view Word = "data load";
        return fromLogger && reply.compare(LoggerCommand::AddressCut, Word.size(), Word) == 0;
    }
};

// One channel's settings as the "channel" command sets them and "channel all" reports them:
// "cc aa bb cccc dd".
struct ChannelLine
{
    int channel = 0; // 0-based
    int vwOn = 0; // reading A on: 1
    int vwSweep = 0; // sweep setting, 0-based (m_nVwType - 1)
    int value = 0; // 20 when reading A is on
    int analogType = 0; // reading B: 0 off, 2 RTD, 3 Thermistor, 4 mV

    // "%02d %02d %02d %04d %02d"
    std::string Text() const;
    // The fields after the head of a "channel" reply (fields 1..5, field 1's last two
    // characters giving the channel); a missing field counts as 0. A field that is not made
    // of digits damages the line: its channel is then -1, which names no channel.
    static ChannelLine FromReply(const std::string& reply);
};
