#include "display/grid/GridGeometry.h"

#include <algorithm>

namespace {

// The last entry shown when the entries from 'first' on fill 'room' pixels, and where the
// shown entries end (at most at room).
int LastShown(const GridAxis& axis, int first, int start, int room, int* end)
{
    const int last = axis.FirstReaching(first, static_cast<long long>(room) - start);
    if (last < axis.Count()) {
        *end = room;
        return last;
    }
    *end = start + static_cast<int>(axis.Span(first, axis.Count()));
    return axis.Count() - 1;
}

} // namespace

CCellID GridGeometry::TopLeftScrollCell(QPoint scroll) const
{
    return CCellID(m_rows.FirstAtScroll(m_rows.FixedCount(), scroll.y()),
        m_cols.FirstAtScroll(m_cols.FixedCount(), scroll.x()));
}

CellRange GridGeometry::VisibleCellSpan(QSize client, CCellID topLeft, QRect* extent) const
{
    int bottom = 0;
    int right = 0;
    const int maxRow = LastShown(m_rows, topLeft.row, FixedRowsHeight(), client.height(), &bottom);
    const int maxCol = LastShown(m_cols, topLeft.col, FixedColumnsWidth(), client.width(), &right);
    if (extent)
        *extent = QRect(QPoint(0, 0), QPoint(right, bottom));
    return CellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

int GridGeometry::Position(const GridAxis& axis, int index, int firstScrolled)
{
    if (index < axis.FixedCount())
        return static_cast<int>(axis.Span(0, index));
    return axis.FixedExtent() + static_cast<int>(axis.Span(firstScrolled, index));
}

bool GridGeometry::CellOrigin(int row, int col, CCellID topLeft, QPoint* origin) const
{
    if (row < 0 || row >= m_rows.Count() || col < 0 || col >= m_cols.Count())
        return false;
    *origin = QPoint(Position(m_cols, col, topLeft.col), Position(m_rows, row, topLeft.row));
    return true;
}

bool GridGeometry::CellRectangle(int row, int col, CCellID topLeft, QRect* rect) const
{
    QPoint origin;
    if (!CellOrigin(row, col, topLeft, &origin))
        return false;
    *rect = QRect(
        origin, QPoint(origin.x() + m_cols.Size(col) - 1, origin.y() + m_rows.Size(row) - 1));
    return true;
}

bool GridGeometry::SpanRectangle(const CellRange& range, CCellID topLeft, QRect* rect) const
{
    QPoint first;
    QPoint last;
    if (!CellOrigin(range.minRow, range.minCol, topLeft, &first)
        || !CellOrigin(range.maxRow, range.maxCol, topLeft, &last))
        return false;
    *rect = QRect(first,
        QPoint(last.x() + m_cols.Size(range.maxCol) - 1, last.y() + m_rows.Size(range.maxRow) - 1));
    return true;
}

bool GridGeometry::CellInView(int row, int col, QSize client, CCellID topLeft) const
{
    if (row < 0 || row >= m_rows.Count() || col < 0 || col >= m_cols.Count())
        return false;
    if (col >= m_cols.FixedCount() && col < topLeft.col)
        return false;
    if (row >= m_rows.FixedCount() && row < topLeft.row)
        return false;
    return Position(m_cols, col, topLeft.col) < client.width()
        && Position(m_rows, row, topLeft.row) < client.height();
}
