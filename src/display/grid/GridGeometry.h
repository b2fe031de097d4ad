#pragma once

#include "display/grid/GridAxis.h"
#include "display/grid/GridTypes.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// Where cells lie in the grid's client area, computed from the row heights and column
// widths alone (no widget). Fixed rows and columns never scroll; a scrolled cell is placed
// from the top-left scrolled cell. A cell rectangle runs from the cell's origin to origin +
// size - 1 (its last pixel row and column are the grid line).
//
// Extents are summed in 64 bits; a coordinate handed out as an int is clamped to
// +-CoordinateLimit, far outside any client area, so that huge sizes cannot overflow it.
class GridGeometry
{
public:
    static constexpr long long CoordinateLimit = 1LL << 29;

    GridAxis& Rows() { return m_rows; }
    GridAxis& Columns() { return m_cols; }
    const GridAxis& Rows() const { return m_rows; }
    const GridAxis& Columns() const { return m_cols; }

    int FixedRowsHeight() const { return Clamp(m_rows.FixedExtent()); }
    int FixedColumnsWidth() const { return Clamp(m_cols.FixedExtent()); }

    // The first non-fixed row and column shown at these scroll positions (pixels).
    CCellID TopLeftScrollCell(long long scrollX, long long scrollY) const;
    CCellID TopLeftScrollCell(QPoint scroll) const
    {
        return TopLeftScrollCell(scroll.x(), scroll.y());
    }
    // The non-fixed cells at least partly shown in a client area of this size. The extent,
    // when asked for, holds GDI numbers: (0, 0) to the first pixel column and row past the
    // shown cells, at most the client size.
    CellRange VisibleCellSpan(QSize client, CCellID topLeft, QRect* extent = nullptr) const;
    // The top-left pixel of a cell; false for a row or column outside the grid.
    bool CellOrigin(int row, int col, CCellID topLeft, QPoint* origin) const;
    // The rectangle of one cell, its merge ignored.
    bool CellRectangle(int row, int col, CCellID topLeft, QRect* rect) const;
    // From the top-left cell's origin to the bottom-right cell's last pixel.
    bool SpanRectangle(const CellRange& range, CCellID topLeft, QRect* rect) const;
    // The cell starts inside the client area and is not scrolled out above or to the left.
    bool CellInView(int row, int col, QSize client, CCellID topLeft) const;

    // A client point relative to a cell's origin; (0, 0) when the cell has none.
    QPoint PointInCell(int row, int col, CCellID topLeft, QPoint point) const;
    // The cell under a client point, merges ignored; (-1, -1) when none is there. Without
    // fixedCells, a point over a heading gives none.
    CCellID CellAtPoint(QPoint point, CCellID topLeft, bool fixedCells) const;
    // The point lies within hitRange pixels of a row border in the fixed columns, or of a
    // column border in the fixed rows.
    bool HitsRowDivider(QPoint point, CCellID topLeft, int hitRange) const;
    bool HitsColumnDivider(QPoint point, CCellID topLeft, int hitRange) const;

    // The scroll position that shows a row (column) whose first shown one is topIndex at
    // position pos, in a room of so many pixels below (right of) the fixed band: the row is
    // moved to the top when it lies above, and just into the room when it sticks out below
    // (its last pixel, the grid line, may be cut). A position already showing it is kept.
    static long long ScrollToShow(
        const GridAxis& axis, long long pos, int topIndex, int index, int room);

    static int Clamp(long long coordinate);

private:
    static long long Position(const GridAxis& axis, int index, int firstScrolled);
    static int IndexAt(const GridAxis& axis, int pos, int firstScrolled, bool fixedCells);

    GridAxis m_rows;
    GridAxis m_cols;
};
