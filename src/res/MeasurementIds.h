#pragma once

// Controls of the manual measurement dialog (template 327).
namespace MeasurementIds {
inline constexpr int IDC_LOGGER_ID = 1132;
inline constexpr int IDC_CHANNEL = 1133;
inline constexpr int IDC_KIND = 1134;
inline constexpr int IDC_SAVE_READING = 1010;
inline constexpr int IDC_READING_ALL = 1011;
inline constexpr int IDC_READING_SELECT = 1009;
inline constexpr int IDC_CLEAR = 1012;
inline constexpr int IDC_CANCEL = 1004;
inline constexpr int IDC_LIST = 1007;
} // namespace MeasurementIds
