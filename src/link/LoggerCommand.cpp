#include "link/LoggerCommand.h"

#include "platform/Format.h"

#include <cstdlib>

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

} // namespace LoggerCommand

std::string ChannelLine::Text() const
{
    return FormatString("%02d %02d %02d %04d %02d", channel, vwOn, vwSweep, value, analogType);
}

ChannelLine ChannelLine::FromReply(const std::string& reply)
{
    const std::vector<std::string> fields = LoggerCommand::SplitFields(reply);
    const auto number = [&fields](size_t index) {
        return index < fields.size() ? std::atoi(fields[index].c_str()) : 0;
    };
    ChannelLine line;
    if (fields.size() > 1) {
        const std::string& head = fields[1];
        line.channel = std::atoi(head.substr(head.size() > 2 ? head.size() - 2 : 0).c_str());
    }
    line.vwOn = number(2);
    line.vwSweep = number(3);
    line.value = number(4);
    line.analogType = number(5);
    return line;
}
