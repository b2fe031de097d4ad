// Row and column dividers: the drag that sizes them, the double-click that fits them; the
// double-click on a cell and the two cell kinds.
#include "display/grid/DataGrid.h"
#include "platform/Text.h"

#include <QFileDialog>

#include <algorithm>

int CDataGrid::SizedIndex(bool columns, QPoint point)
{
    const GridAxis& axis = columns ? m_geometry.Columns() : m_geometry.Rows();
    const int pos = columns ? point.x() : point.y();
    const int last = axis.Count() - 1;
    int index = columns ? m_idClickDown.col : m_idClickDown.row;
    // A last row or column thinner than the grip is grabbed at the end of the shown cells.
    QRect extent;
    VisibleCellSpan(&extent);
    const int end = columns ? extent.right() : extent.bottom();
    const bool thinLast = axis.Size(last) < m_nDividerHitRange;
    if (thinLast && std::abs(pos - end) < m_nDividerHitRange)
        index = last;
    QPoint origin;
    if (!CellOrigin(columns ? 0 : index, columns ? index : 0, &origin))
        return -1;
    // At its start the divider is the previous one's end.
    if (pos - (columns ? origin.x() : origin.y()) < m_nDividerHitRange
        && !(index == last && thinLast))
        --index;
    if (!(columns ? m_bHiddenColumnsResizable : m_bHiddenRowsResizable))
        index = columns ? NextShownColumn(index, -1, 0) : NextShownRow(index, -1, 0);
    return index;
}

void CDataGrid::BeginSizing(bool columns, QPoint point)
{
    const int index = SizedIndex(columns, point);
    if (index < 0) {
        m_nMouseMode = Idle;
        SetCursorShape(Qt::ArrowCursor);
        return;
    }
    m_nMouseMode = columns ? SizingColumn : SizingRow;
    if (columns)
        m_idClickDown.col = index;
    else
        m_idClickDown.row = index;
    // The line lies over a picture of the grid, so that moving it repaints no cell.
    const QPixmap picture = viewport()->grab();
    viewport()->update(m_trackingLine.Begin(picture, TrackingLineAt(ClampSizingPoint(point))));
}

QPoint CDataGrid::ClampSizingPoint(QPoint point)
{
    const bool columns = m_nMouseMode == SizingColumn;
    QPoint origin;
    if (!CellOrigin(m_idClickDown.row, m_idClickDown.col, &origin))
        return point;
    const QSize client = ClientSize();
    // The mouse is held from the start of the row or column (one pixel on unless it may
    // collapse) to a client size on, as the cursor would be confined.
    if (columns) {
        const int least = origin.x() + (m_bColumnsCanCollapse ? 0 : 1);
        const int most = origin.x() + 1 + client.width() - FixedColumnsWidth() - 1;
        point.setX(std::clamp(point.x(), least, std::max(least, most)));
    } else {
        const int least = origin.y() + (m_bRowsCanCollapse ? 0 : 1);
        const int most = origin.y() + 1 + client.height() - FixedRowsHeight() - 1;
        point.setY(std::clamp(point.y(), least, std::max(least, most)));
    }
    return point;
}

QRect CDataGrid::TrackingLineAt(QPoint point) const
{
    const QSize client = viewport()->size();
    if (m_nMouseMode == SizingColumn)
        return QRect(point.x(), 0, 2, client.height());
    return QRect(0, point.y(), client.width(), 2);
}

void CDataGrid::MoveSizing(QPoint point)
{
    if (m_trackingLine.IsActive())
        viewport()->update(m_trackingLine.MoveTo(TrackingLineAt(ClampSizingPoint(point))));
}

void CDataGrid::EndSizing(bool columns, QPoint point)
{
    point = ClampSizingPoint(point);
    viewport()->update(m_trackingLine.End());
    // A release where the press was changes nothing.
    if (point == m_ptClickDown || point.isNull())
        return;
    m_idClickDown = GetMergeOrigin(m_idClickDown.row, m_idClickDown.col);
    const CCellID cell = m_idClickDown;
    QPoint origin;
    if (!CellOrigin(cell.row, cell.col, &origin))
        return;
    if (columns) {
        const int size = std::max(point.x() - origin.x(), m_bColumnsCanCollapse ? 0 : 1);
        const long long width = static_cast<long long>(size) + GetColumnWidth(cell.col)
            - GetMergedColumnWidth(cell.row, cell.col);
        if (width >= 0)
            m_geometry.Columns().SetSize(cell.col, static_cast<int>(width));
    } else {
        const int size = std::max(point.y() - origin.y(), m_bRowsCanCollapse ? 0 : 1);
        const long long height = static_cast<long long>(size) + GetRowHeight(cell.row)
            - GetMergedRowHeight(cell.row, cell.col);
        if (height >= 0)
            m_geometry.Rows().SetSize(cell.row, static_cast<int>(height));
    }
    // Twice: the first may show or hide a bar, which changes the room of the second.
    UpdateScrollBars();
    UpdateScrollBars();
    viewport()->update();
}

void CDataGrid::OnLButtonDblClk(unsigned flags, QPoint point)
{
    (void)flags;
    const CCellID id = CellAtPoint(point, true);
    CDataCellBase* cell = GetCell(id.row, id.col);
    if (!id.IsValid())
        return;
    const int kind = cell ? cell->GetCellKind() : 0;
    if (kind == 1 || kind == 2) {
        if (kind == 2)
            ChooseFilePath(QStringLiteral("ACT Files(*.acc);;All Files(*.*)"));
        viewport()->update();
        return;
    }
    if (m_nMouseMode == OverColumnDivider || m_nMouseMode == OverRowDivider) {
        FitDivider(m_nMouseMode == OverColumnDivider, point);
        return;
    }
    if (m_nMouseMode != Idle || !cell)
        return;
    const QPoint relative = PointInCell(id.row, id.col, point);
    QRect text;
    const bool inText = CellRectangle(id.row, id.col, &text) && cell->TextRectangle(&text)
        && text.contains(point);
    if (id.row >= m_nFixedRowCount && id.col >= m_nFixedColumnCount && inText
        && (m_idClickDown.IsValid() || m_bRowSelectMode))
        EditCell(id.row, id.col, relative, VK_LBUTTON);
    // The edit may have changed the grid: look the cell up again.
    if (CDataCellBase* clicked = GetCell(id.row, id.col))
        clicked->OnDoubleClick(relative);
    SendGridNotify(NM_DBLCLK, id.row, id.col);
}

void CDataGrid::FitDivider(bool columns, QPoint point)
{
    const CCellID id = CellAtPoint(point, true);
    int index = columns ? id.col : id.row;
    QPoint origin;
    if (!CellOrigin(columns ? 0 : index, columns ? index : 0, &origin))
        return;
    if ((columns ? point.x() - origin.x() : point.y() - origin.y()) < m_nDividerHitRange)
        --index;
    index = columns ? NextShownColumn(index, -1, 0) : NextShownRow(index, -1, 0);
    if (index < 0)
        return;
    if (columns)
        FitColumnToText(index, m_nAutoSizeStyle);
    else
        FitRowToText(index);
    viewport()->update();
}

void CDataGrid::ChooseFilePath(const QString& filter)
{
    const std::optional<std::string> path
        = m_chooseSaveFile ? m_chooseSaveFile(filter) : std::nullopt;
    const CCellID focus = m_idFocusCell;
    if (path && !m_bVirtualMode) {
        if (CDataCellBase* cell = GetCell(focus.row, focus.col)) {
            cell->SetText(path->c_str());
            SetModified(focus.row, focus.col);
        }
    }
    viewport()->update();
}

std::optional<std::string> CDataGrid::ChooseSaveFile(const QString& filter)
{
    QFileDialog dialog(nullptr);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("act"));
    dialog.setNameFilters(filter.split(QStringLiteral(";;")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FromQt(dialog.selectedFiles().first());
}
