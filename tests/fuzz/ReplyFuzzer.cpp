// Reply lines of any content through the link's parsers: no overflow, counts within the
// memory, channels within the table or none.

#include "link/LoggerCommand.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);
    const int id = size > 0 ? 1 + data[0] % 7 : 1;

    const MemoryCount count = MemoryCount::FromReply(reply, id);
    if (count.records < -1 || count.records > LoggerMemoryCapacity)
        std::abort();
    if (count.cut != (count.reported > LoggerMemoryCapacity))
        std::abort();

    const ChannelLine line = ChannelLine::FromReply(reply);
    if (line.channel >= 0) {
        // The sums the channel scan makes stay within int.
        const long long sensors = (line.analogType > 0) + (line.vwOn > 0 ? line.vwSweep + 1 : 0);
        const long long present = static_cast<long long>(line.vwOn) + line.analogType;
        if (sensors < 0 || present < 0)
            std::abort();
        // As the scan computes them, in int.
        volatile int vwType = line.vwOn > 0 ? line.vwSweep + 1 : 0;
        volatile int fields = line.vwOn + line.analogType;
        (void)vwType;
        (void)fields;
    }
    (void)LoggerCommand::CutHead(reply, LoggerCommand::ScheduleCut);
    (void)LoggerCommand::Field(reply, 3);
    (void)LoggerCommand::HasLoggerHead(reply, id);
    return 0;
}
