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
class GridGeometry
{
public:
    GridAxis& Rows() { return m_rows; }
    GridAxis& Columns() { return m_cols; }
    const GridAxis& Rows() const { return m_rows; }
    const GridAxis& Columns() const { return m_cols; }

    int FixedRowsHeight() const { return m_rows.FixedExtent(); }
    int FixedColumnsWidth() const { return m_cols.FixedExtent(); }

    // The first non-fixed row and column shown at these scroll positions (pixels).
    CCellID TopLeftScrollCell(QPoint scroll) const;
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

private:
    static int Position(const GridAxis& axis, int index, int firstScrolled);

    GridAxis m_rows;
    GridAxis m_cols;
};
