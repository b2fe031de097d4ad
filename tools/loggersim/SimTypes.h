#pragma once

#include <cstdint>

namespace loggersim {

// A date and time on a logger clock; the year is the full year (2026).
struct SimDateTime
{
    int year = 2024;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// One channel of a logger, as the "channel" command sets it and "channel all" reports it.
struct SimChannel
{
    int vwOn = 0; // reading A on: 1
    int vwSweep = 0; // 0-based sweep setting
    int value = 0; // 20 when reading A is on
    int analogType = 0; // reading B: 0 off, 2 RTD, 3 Thermistor, 4 mV
};

// A measuring schedule: interval and mode.
struct SimSchedule
{
    int hours = 1;
    int minutes = 0;
    int seconds = 0;
    bool periodic = true;
};

// Faults the simulated line can inject into one reply line.
enum class SimFault
{
    DropReply, // the line is not sent
    CutLine, // the first half of the line is sent, without line end; the rest of that
             // reply never comes
    Garbage, // the line's bytes are replaced by printable junk (line end kept)
    NoLineEnd, // the whole line is sent without its line end; the rest of that reply never
               // comes
    LongLine, // the line is padded with filler to 400 characters before its line end
    Vanish, // the first half of the line is sent, then, once the client has read what was
            // sent (at most 5 s later), the pseudo-terminal goes away (a pulled adapter)
    NulByte, // a NUL byte replaces the middle byte of the line
    HugeLine, // the line is padded with filler to 5000 characters before its line end
    Repeat, // the line is sent twice
    EndReply, // neither the line nor the rest of its reply is sent (a stream that stops)
    Flood, // the line is padded with filler to 1 MiB before its line end; it and the rest of
           // its reply are sent even after a new command (a device babbling on a shared line)
    OtherLogger, // before the line, the same line under the next logger's head is sent; a
                 // stored record in it is that logger's, taken in 2099 (a second logger
                 // speaking on a shared bus)
};

inline constexpr int LongLineLength = 400;
inline constexpr int HugeLineLength = 5000;
inline constexpr int FloodLineLength = 1 << 20;

} // namespace loggersim
