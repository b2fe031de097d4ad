#include "app/controls/ReportCellGeometry.h"

#include <algorithm>

namespace {

int WidthOf(const std::vector<int>& widths, int column)
{
    return column >= 0 && column < static_cast<int>(widths.size()) ? widths[column] : 0;
}

} // namespace

ReportCellHit FindReportCell(const QPoint& point, const std::vector<ReportRowBounds>& rows,
    const std::vector<int>& widths, int columns, int clientRight)
{
    for (const ReportRowBounds& row : rows) {
        if (!row.bounds.contains(point) || columns <= 0)
            continue;
        int left = row.bounds.left();
        for (int column = 0; column < columns; ++column) {
            const int width = WidthOf(widths, column);
            if (point.x() >= left && point.x() <= left + width) {
                const int right = std::min(clientRight, left + width); // exclusive
                ReportCellHit hit;
                hit.row = row.row;
                hit.column = column;
                hit.rect
                    = QRect(QPoint(left, row.bounds.top()), QPoint(right - 1, row.bounds.bottom()));
                return hit;
            }
            left += width;
        }
    }
    return {};
}
