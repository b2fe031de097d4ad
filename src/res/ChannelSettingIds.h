#pragma once

// Controls of the channel and schedule settings (template 139).
namespace ChannelSettingIds {
inline constexpr int IDC_ID_CAPTION = 1027;
inline constexpr int IDC_LOGGER_ID = 1160;
inline constexpr int IDC_NETWORK = 1161;
inline constexpr int IDC_READING = 1148;
inline constexpr int IDC_ALL_VW = 1024;
inline constexpr int IDC_ALL_ANALOG = 1112;
inline constexpr int IDC_HOURS = 1004;
inline constexpr int IDC_MINUTES = 1013;
inline constexpr int IDC_SCHEDULE = 1007;
inline constexpr int IDC_SEND = 1058;
inline constexpr int IDC_CANCEL = 1061;

// One channel's row: its label, the VW check and list, the analog check and list.
struct ChannelRowIds
{
    int label;
    int vwCheck;
    int vwList;
    int analogCheck;
    int analogList;
};

inline constexpr ChannelRowIds ChannelRows[16] = {
    {1059, 1021, 1010, 1096, 1011},
    {1062, 1077, 1016, 1097, 1017},
    {1063, 1078, 1019, 1098, 1020},
    {1064, 1079, 1022, 1099, 1023},
    {1065, 1080, 1025, 1100, 1026},
    {1066, 1085, 1028, 1101, 1029},
    {1067, 1086, 1031, 1102, 1032},
    {1068, 1087, 1034, 1103, 1035},
    {1069, 1088, 1037, 1104, 1038},
    {1070, 1089, 1040, 1105, 1041},
    {1071, 1090, 1043, 1106, 1044},
    {1072, 1091, 1046, 1107, 1047},
    {1073, 1092, 1049, 1108, 1050},
    {1074, 1093, 1052, 1109, 1053},
    {1075, 1094, 1055, 1110, 1056},
    {1081, 1095, 1082, 1111, 1083},
};
} // namespace ChannelSettingIds
