#include "link/LoggerCommand.h"

#include "platform/Format.h"

#include <limits>

namespace LoggerCommand {

std::string CutHead(const std::string& reply, size_t cut)
{
    return reply.size() > cut ? reply.substr(cut) : std::string();
}

std::vector<std::string> SplitFields(const std::string& text)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t blank = text.find(' ', start);
        fields.push_back(text.substr(start, blank == std::string::npos ? blank : blank - start));
        if (blank == std::string::npos)
            return fields;
        start = blank + 1;
    }
}

std::string Field(const std::string& text, size_t index)
{
    const std::vector<std::string> fields = SplitFields(text);
    return index < fields.size() ? fields[index] : std::string();
}

std::string LoggerHead(int id)
{
    return FormatString("@01,%02d,", id);
}

bool HasLoggerHead(const std::string& reply, int id)
{
    return reply.rfind(LoggerHead(id), 0) == 0;
}

std::optional<int> DigitField(std::string_view text)
{
    if (text.empty() || text.size() > MaxDigitField)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace LoggerCommand

MemoryCount MemoryCount::FromReply(const std::string& reply, int id)
{
    MemoryCount count;
    if (reply.size() <= LoggerCommand::MemoryCut
        || reply.compare(0, LoggerCommand::MemoryCut, LoggerCommand::LoggerHead(id) + "memory")
            != 0)
        return count;
    std::string_view rest(reply);
    rest.remove_prefix(LoggerCommand::MemoryCut);
    const size_t first = rest.find_first_not_of(' ');
    const size_t end = rest.find_last_not_of(' ');
    // The count must be set apart from the word by a blank.
    if (first == 0 || first == std::string_view::npos)
        return count;
    std::string_view digits = rest.substr(first, end + 1 - first);
    if (digits.find_first_not_of("0123456789") != std::string_view::npos)
        return count;
    // Leading zeros say nothing; a count too long for a number is more than any memory holds.
    const size_t significant = digits.find_first_not_of('0');
    const std::optional<int> value = LoggerCommand::DigitField(
        significant == std::string_view::npos ? std::string_view("0") : digits.substr(significant));
    count.reported = value ? *value : std::numeric_limits<long long>::max();
    count.cut = count.reported > LoggerMemoryCapacity;
    count.records = count.cut ? LoggerMemoryCapacity : static_cast<int>(count.reported);
    return count;
}

std::string ChannelLine::Text() const
{
    return FormatString("%02d %02d %02d %04d %02d", channel, vwOn, vwSweep, value, analogType);
}

ChannelLine ChannelLine::FromReply(const std::string& reply)
{
    const std::vector<std::string> fields = LoggerCommand::SplitFields(reply);
    bool damaged = false;
    const auto number = [&fields, &damaged](size_t index, std::string_view text) {
        if (index >= fields.size())
            return 0;
        const std::optional<int> value = LoggerCommand::DigitField(text);
        damaged = damaged || !value;
        return value.value_or(0);
    };
    const auto field = [&fields](size_t index) {
        return index < fields.size() ? std::string_view(fields[index]) : std::string_view();
    };
    ChannelLine line;
    const std::string_view head = field(1);
    line.channel = number(1, head.substr(head.size() > 2 ? head.size() - 2 : 0));
    line.vwOn = number(2, field(2));
    line.vwSweep = number(3, field(3));
    line.value = number(4, field(4));
    line.analogType = number(5, field(5));
    if (damaged)
        line.channel = -1;
    return line;
}
