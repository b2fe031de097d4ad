#pragma once

// Controls of Open Logger (template 311).
namespace OpenLoggerIds {
inline constexpr int IDC_FILE_LIST = 1001;
inline constexpr int IDC_OPEN_LIST = 1002;
inline constexpr int IDC_ADD_NEW = 1003;
inline constexpr int IDC_DELETE = 1004;
inline constexpr int IDC_OPEN = 1005;
inline constexpr int IDC_CANCEL = 1019;
inline constexpr int IDC_REMOVE = 1033;
inline constexpr int IDC_APPLY = 1034;
} // namespace OpenLoggerIds
