#pragma once

// The logger jobs a wait popup runs, by the number its callers pass.
namespace WaitMode {
enum : int
{
    ScanChannels = 0, // "channel all" of every logger of the line; the largest sensor count
    Measure = 1, // one channel or all channels of one logger, for the measurement dialog
    MeasureForGraph = 2, // the plotted readings of one channel
    FormatMemory = 3, // "memory init"
    WriteChannels = 4, // the 16 "channel" commands of one logger
    ReadChannels = 5, // the channel table and the schedule of one logger
    Reset = 6,
};
} // namespace WaitMode
