#pragma once

// Controls of the graph window (template 141).
namespace GraphIds {
inline constexpr int IDC_GRAPH_FRAME = 1080; // group box the graph is drawn in
inline constexpr int IDC_GRAPH_SET = 1034; // "&Graph set"
inline constexpr int IDC_MEASURE_ONCE = 1033; // "&Measured one time"
inline constexpr int IDC_EVERY = 1157; // "Measured every"
inline constexpr int IDC_INTERVAL = 1004; // seconds between periodic passes
inline constexpr int IDC_SEC = 1158; // "sec."
inline constexpr int IDC_NOW_MEASURE = 1062; // check button "&Now measure" / "Stop"
inline constexpr int IDC_SAVE_READING = 1010; // "Save the manual reading"
} // namespace GraphIds

// Controls of the graph settings (template 146).
namespace GraphSetIds {
inline constexpr int IDC_LOGGER = 1132; // the logger IDs of the configuration
inline constexpr int IDC_SET = 1033;
inline constexpr int IDC_CANCEL = 1034;

// The A (VW reading) and B (analog reading) check boxes of each channel.
struct SeriesCheckIds
{
    int a;
    int b;
};

inline constexpr SeriesCheckIds SeriesChecks[16] = {
    {1005, 1007},
    {1006, 1008},
    {1010, 1009},
    {1011, 1024},
    {1012, 1025},
    {1013, 1026},
    {1014, 1027},
    {1015, 1028},
    {1016, 1029},
    {1017, 1030},
    {1018, 1031},
    {1019, 1032},
    {1020, 1035},
    {1021, 1036},
    {1022, 1037},
    {1023, 1038},
};
} // namespace GraphSetIds
