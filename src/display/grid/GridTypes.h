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
