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
    *end = GridGeometry::Clamp(start + axis.Span(first, axis.Count()));
    return axis.Count() - 1;
}

} // namespace

int GridGeometry::Clamp(long long coordinate)
{
    return static_cast<int>(std::clamp(coordinate, -CoordinateLimit, CoordinateLimit));
}

CCellID GridGeometry::TopLeftScrollCell(long long scrollX, long long scrollY) const
{
    return CCellID(m_rows.FirstAtScroll(m_rows.FixedCount(), scrollY),
        m_cols.FirstAtScroll(m_cols.FixedCount(), scrollX));
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

long long GridGeometry::Position(const GridAxis& axis, int index, int firstScrolled)
{
    if (index < axis.FixedCount())
        return axis.Span(0, index);
    return axis.FixedExtent() + axis.Span(firstScrolled, index);
}

bool GridGeometry::CellOrigin(int row, int col, CCellID topLeft, QPoint* origin) const
{
    if (row < 0 || row >= m_rows.Count() || col < 0 || col >= m_cols.Count())
        return false;
    *origin = QPoint(
        Clamp(Position(m_cols, col, topLeft.col)), Clamp(Position(m_rows, row, topLeft.row)));
    return true;
}

bool GridGeometry::CellRectangle(int row, int col, CCellID topLeft, QRect* rect) const
{
    QPoint origin;
    if (!CellOrigin(row, col, topLeft, &origin))
        return false;
    *rect = QRect(origin,
        QPoint(Clamp(origin.x() + static_cast<long long>(m_cols.Size(col)) - 1),
            Clamp(origin.y() + static_cast<long long>(m_rows.Size(row)) - 1)));
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
        QPoint(Clamp(last.x() + static_cast<long long>(m_cols.Size(range.maxCol)) - 1),
            Clamp(last.y() + static_cast<long long>(m_rows.Size(range.maxRow)) - 1)));
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

QPoint GridGeometry::PointInCell(int row, int col, CCellID topLeft, QPoint point) const
{
    QPoint origin;
    if (!CellOrigin(row, col, topLeft, &origin))
        return QPoint(0, 0);
    return point - origin;
}

int GridGeometry::IndexAt(const GridAxis& axis, int pos, int firstScrolled, bool fixedCells)
{
    if (pos < 0)
        return -1;
    const long long fixedExtent = axis.FixedExtent();
    int index = -1;
    if (pos < fixedExtent)
        index = fixedCells ? axis.FirstReaching(0, static_cast<long long>(pos) + 1) : -1;
    else if (firstScrolled >= 0)
        index = axis.FirstReaching(firstScrolled, pos - fixedExtent + 1);
    return index < axis.Count() ? index : -1;
}

CCellID GridGeometry::CellAtPoint(QPoint point, CCellID topLeft, bool fixedCells) const
{
    if (!fixedCells && !topLeft.IsValid())
        return CCellID();
    const int col = IndexAt(m_cols, point.x(), topLeft.col, fixedCells);
    const int row = IndexAt(m_rows, point.y(), topLeft.row, fixedCells);
    if (row < 0 || col < 0)
        return CCellID();
    return CCellID(row, col);
}

bool GridGeometry::HitsRowDivider(QPoint point, CCellID topLeft, int hitRange) const
{
    if (point.x() >= FixedColumnsWidth())
        return false;
    const CCellID cell = CellAtPoint(point, topLeft, true);
    QPoint origin;
    if (!CellOrigin(cell.row, cell.col, topLeft, &origin))
        return false;
    // Near the top border, which is the previous row's, or near the row's own bottom.
    return (point.y() - origin.y() < hitRange && cell.row != 0)
        || (origin.y() + static_cast<long long>(m_rows.Size(cell.row)) - point.y() < hitRange);
}

bool GridGeometry::HitsColumnDivider(QPoint point, CCellID topLeft, int hitRange) const
{
    if (point.y() >= FixedRowsHeight())
        return false;
    const CCellID cell = CellAtPoint(point, topLeft, true);
    QPoint origin;
    if (!CellOrigin(cell.row, cell.col, topLeft, &origin))
        return false;
    return (point.x() - origin.x() < hitRange && cell.col != 0)
        || (origin.x() + static_cast<long long>(m_cols.Size(cell.col)) - point.x() < hitRange);
}

long long GridGeometry::ScrollToShow(
    const GridAxis& axis, long long pos, int topIndex, int index, int room)
{
    const int first = axis.FixedCount();
    if (index < first || index >= axis.Count() || topIndex < first)
        return pos;
    if (index < topIndex)
        return axis.Span(first, index);
    // The first row from which the rows up to this one fit the room.
    const long long fits = axis.Span(first, index + 1) - (static_cast<long long>(room) + 1);
    if (axis.Span(topIndex, index + 1) <= static_cast<long long>(room) + 1)
        return pos;
    const int top = std::min(std::max(axis.FirstAtScroll(first, fits), topIndex), index);
    return axis.Span(first, top);
}
