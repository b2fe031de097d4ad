#pragma once

#include <QFont>
#include <QColor>

#include <cstdint>
#include <string>

class CDataGrid;

// A cell address; valid when both parts are 0 or more. (-1, -1) names no cell.
struct CCellID
{
    int row = -1;
    int col = -1;

    constexpr CCellID() = default;
    constexpr CCellID(int r, int c)
        : row(r)
        , col(c)
    {
    }
    constexpr bool IsValid() const { return row >= 0 && col >= 0; }
    constexpr bool operator==(const CCellID&) const = default;
};

// An inclusive block of cells; all four -1 is the empty range.
struct CellRange
{
    int minRow = -1;
    int minCol = -1;
    int maxRow = -1;
    int maxCol = -1;

    constexpr CellRange() = default;
    constexpr CellRange(int r1, int c1, int r2, int c2)
        : minRow(r1)
        , minCol(c1)
        , maxRow(r2)
        , maxCol(c2)
    {
    }
    constexpr bool IsValid() const
    {
        return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow
            && minCol <= maxCol;
    }
    // Number of cells covered; an empty range (all -1) counts as one cell.
    constexpr long long CellCount() const
    {
        return static_cast<long long>(maxCol - minCol + 1) * (maxRow - minRow + 1);
    }
    constexpr bool Contains(int row, int col) const
    {
        return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
    }
    constexpr bool operator==(const CellRange&) const = default;
};

// Cell state bits.
inline constexpr std::uint32_t GCS_FOCUSED = 0x01;
inline constexpr std::uint32_t GCS_SELECTED = 0x02;
inline constexpr std::uint32_t GCS_DROPHILITED = 0x04;
inline constexpr std::uint32_t GCS_READONLY = 0x08;
inline constexpr std::uint32_t GCS_FIXED = 0x10;
inline constexpr std::uint32_t GCS_FIXEDROW = 0x20;
inline constexpr std::uint32_t GCS_FIXEDCOL = 0x40;
inline constexpr std::uint32_t GCS_MODIFIED = 0x80;

// "Take the default cell's" values of a cell's format and margin.
inline constexpr std::uint32_t CellFormatDefault = 0xFFFFFFFFu;
inline constexpr unsigned CellMarginDefault = 0xFFFFFFFFu;

// Notification codes sent to the grid's owner.
inline constexpr int NM_CLICK = -2;
inline constexpr int NM_DBLCLK = -3;
inline constexpr int NM_RCLICK = -5;
inline constexpr int GN_SELCHANGING = -100;
inline constexpr int GN_SELCHANGED = -101;
inline constexpr int GN_BEGINEDIT = -105;
inline constexpr int GN_ENDEDIT = -106;
inline constexpr int GN_BEGINDRAG = -109;
inline constexpr int GN_CACHEHINT = -113;
inline constexpr int GN_GETDISPINFO = -150;

// Who sent a notification: the sending control, its control ID and the code.
struct NotifyHeader
{
    const QObject* hwndFrom = nullptr;
    int idFrom = 0;
    int code = 0;
};

struct GridNotify
{
    NotifyHeader hdr;
    int row = -1;
    int col = -1;
};

// A cell described in full (virtual-mode queries and the in-place editor's end notice).
struct GridItem
{
    int row = -1;
    int col = -1;
    unsigned mask = 0;
    unsigned state = 0;
    std::uint32_t format = 0;
    int image = -1;
    QColor crBack;
    QColor crText;
    std::intptr_t lParam = 0;
    QFont font;
    unsigned margin = 0;
    std::string text;
};

struct GridDispInfo
{
    NotifyHeader hdr;
    GridItem item;
};

struct GridCacheHint
{
    NotifyHeader hdr;
    CellRange range;
};

// What a scroll message asks for (the two bars share the codes: up = left, down = right).
enum ScrollCode : int
{
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8
};

// What the mouse is doing (the grid's m_nMouseMode). 5 is not used.
enum GridMouseState : int
{
    Idle = 0,
    SelectingAll = 1,
    SelectingColumns = 2,
    SelectingRows = 3,
    SelectingCells = 4,
    OverRowDivider = 6,
    SizingRow = 7,
    OverColumnDivider = 8,
    SizingColumn = 9,
    ClickPending = 10,
    DragPending = 11,
    Dragging = 12
};

// Buttons and keys held during a mouse message.
inline constexpr unsigned MK_LBUTTON = 0x01;
inline constexpr unsigned MK_RBUTTON = 0x02;
inline constexpr unsigned MK_SHIFT = 0x04;
inline constexpr unsigned MK_CONTROL = 0x08;

// The character an edit gets when a click, not a key, starts it.
inline constexpr unsigned VK_LBUTTON = 0x01;

// The keys that end an in-place edit, as its end notice carries them (0: the focus left).
inline constexpr unsigned VK_TAB = 0x09;
inline constexpr unsigned VK_RETURN = 0x0D;
inline constexpr unsigned VK_ESCAPE = 0x1B;
inline constexpr unsigned VK_PRIOR = 0x21;
inline constexpr unsigned VK_NEXT = 0x22;
inline constexpr unsigned VK_END = 0x23;
inline constexpr unsigned VK_HOME = 0x24;
inline constexpr unsigned VK_LEFT = 0x25;
inline constexpr unsigned VK_UP = 0x26;
inline constexpr unsigned VK_RIGHT = 0x27;
inline constexpr unsigned VK_DOWN = 0x28;
// Added to the end key in the end notice when Shift was held with it.
inline constexpr std::intptr_t EndKeyShift = 0x10000;
// The control ID of the in-place editor.
inline constexpr int InPlaceEditId = 8;

// What the grid takes of the keyboard in a dialog.
inline constexpr unsigned DLGC_WANTARROWS = 0x01;
inline constexpr unsigned DLGC_WANTTAB = 0x02;
inline constexpr unsigned DLGC_WANTCHARS = 0x80;
inline constexpr unsigned DLGC_WANTALLKEYS = 0x04;

// Lines per wheel notch that stand for a page per notch.
inline constexpr unsigned WHEEL_PAGESCROLL = 0xFFFFFFFFu;

// Fills one cell of a virtual grid; the grid asks it before its owner.
using GridCellCallback = bool (*)(GridDispInfo* info, std::intptr_t param);
