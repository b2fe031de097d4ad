#pragma once

// Controls of the main screen (form 101).
inline constexpr int IDC_LOGGER_LIST = 1002;
inline constexpr int IDC_OPEN_LOGGER = 1005;
inline constexpr int IDC_CLOSE_LOGGER = 1037;
inline constexpr int IDC_SCHEDULE_START = 1035;
inline constexpr int IDC_SCHEDULE_STOP = 1036;
inline constexpr int IDC_LOGGER_COMBO = 1006;
inline constexpr int IDC_QUANTITY = 1094;
inline constexpr int IDC_COM_PORT = 1090;
inline constexpr int IDC_NETWORK = 1096;
inline constexpr int IDC_RECEIVE_SCHEDULE = 1097;
inline constexpr int IDC_ERASE_SCHEDULE = 1098;
inline constexpr int IDC_CONNECT = 1058;
inline constexpr int IDC_RECEIVE_DATA = 1060;
inline constexpr int IDC_VIEW_DATA = 1061;
inline constexpr int IDC_DISCONNECT = 1063;
inline constexpr int IDC_LOGGER_ID_COMBO = 1132;
inline constexpr int IDC_LOGGER_COUNT = 1095;
inline constexpr int IDC_CALL = 1059;
inline constexpr int IDC_LAMP_GOOD = 1101;
inline constexpr int IDC_LAMP_BAD = 1100;
inline constexpr int IDC_MEASUREMENT = 1062;

// The five section captions.
inline constexpr int IDC_CAPTION_SELECTION = 1086;
inline constexpr int IDC_CAPTION_INFORMATION = 1087;
inline constexpr int IDC_CAPTION_COMMUNICATION = 1088;
inline constexpr int IDC_CAPTION_SCHEDULE = 1089;
inline constexpr int IDC_CAPTION_MEASUREMENT = 1091;
