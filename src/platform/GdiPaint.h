#pragma once

#include <QColor>
#include <QRect>

#include <cstdint>

class QPainter;
class QPaintDevice;
class QString;

// Drawing in the manner of the Windows GDI on a QPainter. A rectangle given to these helpers
// holds the four GDI numbers: left and top are drawn, right and bottom are excluded (as
// FillRect, FrameRect and DrawText treat them). Lines exclude their end point (LineTo).
// Everything is drawn with solid, unantialiased fills, so pixels land exactly where GDI
// would put them.
namespace gdi {

// The system colours the painting code names.
enum class SysColour
{
    WindowText, // COLOR_WINDOWTEXT
    Window, // COLOR_WINDOW
    ButtonFace, // COLOR_BTNFACE
    ButtonShadow, // COLOR_BTNSHADOW, COLOR_3DSHADOW
    ButtonLight, // COLOR_BTNHIGHLIGHT, COLOR_3DHIGHLIGHT
    Light3D, // COLOR_3DLIGHT
    DarkShadow3D, // COLOR_3DDKSHADOW
    Highlight, // COLOR_HIGHLIGHT
    HighlightText, // COLOR_HIGHLIGHTTEXT
};

// The colour as the application palette gives it now.
QColor GetSysColour(SysColour which);

// Fills [left, right) x [top, bottom); nothing when empty.
void FillRect(QPainter& painter, const QRect& rect, const QColor& colour);
// A one-pixel frame just inside [left, right) x [top, bottom).
void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour);
// An axis-parallel line from 'from' towards 'to', the end point excluded.
void Line(QPainter& painter, QPoint from, QPoint to, const QColor& colour);
// The raised look of a heading: top and left light, right and bottom dark shadow, one pixel.
void DrawRaisedEdge(QPainter& painter, const QRect& rect);
// A sunken inner edge (dark shadow top and left, light bottom and right) inside the rect.
void DrawSunkenInnerEdge(QPainter& painter, const QRect& rect);

// DrawText format flags (the bits of a cell's format word).
namespace dt {
inline constexpr std::uint32_t Left = 0x0000;
inline constexpr std::uint32_t Center = 0x0001;
inline constexpr std::uint32_t Right = 0x0002;
inline constexpr std::uint32_t VCenter = 0x0004;
inline constexpr std::uint32_t Bottom = 0x0008;
inline constexpr std::uint32_t WordBreak = 0x0010;
inline constexpr std::uint32_t SingleLine = 0x0020;
inline constexpr std::uint32_t CalcRect = 0x0400;
inline constexpr std::uint32_t NoPrefix = 0x0800;
inline constexpr std::uint32_t EndEllipsis = 0x8000;
} // namespace dt

// DrawText: the text laid out in the rectangle by the format, clipped to it, in the
// painter's font and pen colour.
void DrawText(QPainter& painter, const QString& text, const QRect& rect, std::uint32_t format);

// True for a printer that prints black and white only.
bool IsMonochromePrinter(const QPaintDevice* device);
// True when the device is a printer.
bool IsPrinter(const QPaintDevice* device);

} // namespace gdi
