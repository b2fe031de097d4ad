#pragma once

// Controls of the configuration editor (template 312).
namespace NewLoggerIds {
inline constexpr int IDC_NAME = 1004;
inline constexpr int IDC_SINGLE = 1005;
inline constexpr int IDC_MULTI = 1006;
inline constexpr int IDC_COM = 1007;
inline constexpr int IDC_DIRECT = 1008;
inline constexpr int IDC_ZIGBEE = 1009;
inline constexpr int IDC_RS485 = 1010;
inline constexpr int IDC_MODEM = 1011;
inline constexpr int IDC_PHONE = 1012;
inline constexpr int IDC_SCHEDULE = 1013;
inline constexpr int IDC_MINUTE = 1014;
inline constexpr int IDC_INTERVAL = 1015;
inline constexpr int IDC_DELAY = 1016;
inline constexpr int IDC_DELAY_MINUTE = 1017;
inline constexpr int IDC_ERASE = 1018;
inline constexpr int IDC_HANG_UP = 1019;
inline constexpr int IDC_SAVE = 1024;
inline constexpr int IDC_CANCEL = 1025;
inline constexpr int IDC_MODEM_COMMAND = 1026;
inline constexpr int IDC_NAME_CAPTION = 1028;
inline constexpr int IDC_BROWSE = 1033;
inline constexpr int IDC_NETWORK_CAPTION = 1081;
inline constexpr int IDC_SCHEDULE_CAPTION = 1082;
inline constexpr int IDC_CONNECT_CAPTION = 1083;
inline constexpr int IDC_FOLDER = 1084;
} // namespace NewLoggerIds
