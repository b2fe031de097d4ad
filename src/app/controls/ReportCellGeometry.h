#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

// Where the cells of a report list lie, without a widget: rows by their bounds, columns by
// their widths walked from the row's left edge.

struct ReportRowBounds
{
    int row = -1;
    QRect bounds; // the whole row, every column, in client coordinates
};

struct ReportCellHit
{
    int row = -1; // -1: no cell under the point
    int column = -1;
    QRect rect; // the cell, cut at the client's right edge
};

// The cell under point among the given rows and the first `columns` columns. widths[i] is the
// width of column i; a column past the last one has width 0. A column holds the point from
// its left edge to its right edge, both included; the first one that does wins.
ReportCellHit FindReportCell(const QPoint& point, const std::vector<ReportRowBounds>& rows,
    const std::vector<int>& widths, int columns, int clientRight);
