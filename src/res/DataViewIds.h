#pragma once

// Controls of the data window (template 140).
namespace DataViewIds {
inline constexpr int IDC_LOGGER_ID = 1007; // the logger IDs of the configuration
inline constexpr int IDC_GRID_PLACE = 1079; // hidden; the grid takes its place
} // namespace DataViewIds
