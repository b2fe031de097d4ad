#pragma once

#include <QRgb>

#include <array>

// The colour of each channel's series, channel 1 first: the graph draws the series in them and
// the graph settings show them beside the channels.
inline constexpr std::array<QRgb, 16> GraphSeriesColours = {
    0xFFED1C24, 0xFFFF7F27, 0xFFFFF200, 0xFF22B14C, //
    0xFF00A2E8, 0xFF3F48CC, 0xFFA349A4, 0xFFFFFFFF, //
    0xFFB97A57, 0xFFFFAEC9, 0xFFFFC90E, 0xFFB5E61D, //
    0xFF99D9EA, 0xFF7092BE, 0xFFC8BFE7, 0xFF880015, //
};
