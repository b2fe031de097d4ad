// Painting: the paint handler, the whole grid within a clip box, one cell at once, and the
// response to system colour and font changes.
#include "display/grid/DataGrid.h"

#include "display/grid/OffscreenDC.h"
#include "platform/GdiPaint.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

using gdi::SysColour;

namespace {

// A clip box as GDI numbers: the right and bottom edges are the first pixels outside.
QRect GdiClipBox(const QPainter* painter)
{
    const QRect box = COffscreenDC::ClipBox(painter);
    if (box.isEmpty())
        return QRect();
    return QRect(box.topLeft(), box.bottomRight() + QPoint(1, 1));
}

QColor Shown(const QColor& colour)
{
    return colour.isValid() ? colour : gdi::GetSysColour(SysColour::Window);
}

} // namespace

void CDataGrid::paintEvent(QPaintEvent* event)
{
    OnPaint(event);
}

void CDataGrid::OnPaint(QPaintEvent* event)
{
    QPainter painter(viewport());
    if (m_trackingLine.IsActive()) {
        // A divider is being dragged: the grid as it was, under the line.
        m_trackingLine.Paint(&painter, event->rect());
        return;
    }
    painter.setClipRect(event->rect());
    painter.setBackground(gdi::GetSysColour(SysColour::Window));
    if (m_bOffscreenPaint) {
        COffscreenDC offscreen(&painter);
        DrawGrid(offscreen.Painter());
    } else {
        DrawGrid(&painter);
    }
}

void CDataGrid::PaintBackground(QPainter* pDC)
{
    const QRect clip = GdiClipBox(pDC);
    if (clip.isNull())
        return;
    QRect extent;
    VisibleCellSpan(&extent);
    const int width = FixedColumnsWidth();
    const int height = FixedRowsHeight();
    const auto fill = [pDC](int l, int t, int r, int b, const QColor& colour) {
        gdi::FillRect(*pDC, QRect(QPoint(l, t), QPoint(r, b)), Shown(colour));
    };
    if (clip.left() < width && clip.top() < height)
        fill(clip.left(), clip.top(), width, height, m_cellFixedRowColDefault.GetBackColour());
    if (clip.left() < width && clip.top() < extent.bottom())
        fill(
            clip.left(), clip.top(), width, extent.bottom(), m_cellFixedColDefault.GetBackColour());
    if (clip.top() < height && clip.right() > width && clip.left() < extent.right())
        fill(width - 1, clip.top(), extent.right(), height, m_cellFixedRowDefault.GetBackColour());
    const int left = std::max(clip.left(), extent.left());
    const int top = std::max(clip.top(), extent.top());
    const int right = std::min(clip.right(), extent.right());
    const int bottom = std::min(clip.bottom(), extent.bottom());
    if (left < right && top < bottom)
        fill(std::max(left, width), std::max(top, height), right, bottom,
            m_cellNormalDefault.GetBackColour());
    if (extent.right() < clip.right())
        fill(extent.right(), clip.top(), clip.right(), clip.bottom(), m_crBackground);
    if (extent.bottom() < clip.bottom() && clip.left() < extent.right())
        fill(clip.left(), extent.bottom(), extent.right(), clip.bottom(), m_crBackground);
}

void CDataGrid::DrawGrid(QPainter* pDC)
{
    if (!m_bAllowRedraw)
        return;
    const QRect clip = GdiClipBox(pDC);
    if (clip.isNull())
        return;
    PaintBackground(pDC);
    const int fixedHeight = FixedRowsHeight();
    const int fixedWidth = FixedColumnsWidth();
    const CCellID topLeft = TopLeftScrollCell();
    QRect extent;
    const CellRange shown = VisibleCellSpan(&extent);
    if (m_bVirtualMode)
        SendCacheHint(shown);
    DrawGridLines(pDC, shown, extent);
    const int fixedRows = m_nFixedRowCount - 1;
    const int fixedCols = m_nFixedColumnCount - 1;
    DrawCellBlock(pDC, clip,
        {topLeft.row, shown.maxRow, fixedHeight, topLeft.col, shown.maxCol, fixedWidth, true});
    DrawCellBlock(pDC, clip, {topLeft.row, shown.maxRow, fixedHeight, 0, fixedCols, 0, true});
    DrawCellBlock(pDC, clip, {0, fixedRows, 0, topLeft.col, shown.maxCol, fixedWidth, true});
    DrawCellBlock(pDC, clip, {0, fixedRows, 0, 0, fixedCols, 0, false});
    if (m_bVirtualMode)
        SendCacheHint(CellRange());
}

void CDataGrid::DrawGridLines(QPainter* pDC, const CellRange& shown, const QRect& extent)
{
    // Only between scrolled cells: the headings draw their own edges.
    const int fixedHeight = FixedRowsHeight();
    const int fixedWidth = FixedColumnsWidth();
    if (m_nGridLineMode == 2 || m_nGridLineMode == 3) {
        long long x = fixedWidth;
        for (int col = shown.minCol; col <= shown.maxCol && x <= extent.right(); ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            x += GetColumnWidth(col);
            const int line = GridGeometry::Clamp(x - 1);
            gdi::Line(
                *pDC, QPoint(line, fixedHeight), QPoint(line, extent.bottom()), m_crGridLines);
        }
    }
    if (m_nGridLineMode == 1 || m_nGridLineMode == 3) {
        long long y = fixedHeight;
        for (int row = shown.minRow; row <= shown.maxRow && y <= extent.bottom(); ++row) {
            if (GetRowHeight(row) <= 0)
                continue;
            y += GetRowHeight(row);
            const int line = GridGeometry::Clamp(y - 1);
            gdi::Line(*pDC, QPoint(fixedWidth, line), QPoint(extent.right(), line), m_crGridLines);
        }
    }
}

void CDataGrid::DrawCellBlock(QPainter* pDC, const QRect& clip, const CellBlock& block)
{
    // Summed in 64 bits: sizes near the int limit must not wrap around.
    const auto clamp = [](long long coordinate) { return GridGeometry::Clamp(coordinate); };
    long long bottom = block.top - 1;
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        const long long top = bottom + 1;
        bottom = top + height - 1;
        if (block.clipTests && top > clip.bottom())
            break;
        if (block.clipTests && bottom < clip.top())
            continue;
        long long right = block.left - 1;
        for (int col = block.firstCol; col <= block.lastCol; ++col) {
            const int width = GetColumnWidth(col);
            if (width <= 0)
                continue;
            const long long left = right + 1;
            right = left + width - 1;
            if (block.clipTests && left > clip.right())
                break;
            if (block.clipTests && right < clip.left())
                continue;
            DrawCellAt(pDC, row, col,
                QRect(QPoint(clamp(left), clamp(top)), QPoint(clamp(right), clamp(bottom))));
        }
    }
}

void CDataGrid::DrawCellAt(QPainter* pDC, int row, int col, const QRect& rect)
{
    CDataCellBase* cell = GetCell(row, col);
    if (!cell)
        return;
    const CellRange merge = cell->GetMergeRange();
    if (merge.CellCount() < 2 && !cell->IsCoveredByMerge()) {
        cell->SetPosition(row, col);
        cell->Draw(pDC, row, col, rect, false);
        return;
    }
    // A merged area is drawn whole by its top-left cell, from whichever member is shown.
    const CCellID master = merge.CellCount() < 2 ? cell->GetMergeOwner() : CCellID(row, col);
    CDataCellBase* masterCell = GetCell(master.row, master.col);
    QRect area;
    if (!masterCell || !SpanRectangle(masterCell->GetMergeRange(), &area))
        return;
    area.adjust(0, 0, -1, -1);
    masterCell->SetPosition(master.row, master.col);
    masterCell->Draw(pDC, master.row, master.col, area, true);
}

bool CDataGrid::RepaintCell(int row, int col, QPainter* pDC)
{
    if (!m_bAllowRedraw || !CellInView(row, col))
        return true;
    QRect rect;
    if (!CellRectangle(row, col, &rect))
        return true;
    if (!pDC) {
        // Widgets paint only inside their paint event: the cell and its grid lines are
        // repainted on the next pass of the event loop.
        viewport()->update(rect);
        return true;
    }
    CDataCellBase* cell = GetCell(row, col);
    if (!cell)
        return true;
    const bool result = cell->Draw(pDC, row, col, rect, true);
    if (row >= m_nFixedRowCount && col >= m_nFixedColumnCount) {
        if (m_nGridLineMode == 1 || m_nGridLineMode == 3)
            gdi::Line(*pDC, QPoint(rect.left(), rect.bottom()),
                QPoint(rect.right() + 1, rect.bottom()), m_crGridLines);
        if (m_nGridLineMode == 2 || m_nGridLineMode == 3)
            gdi::Line(*pDC, QPoint(rect.right(), rect.top()),
                QPoint(rect.right(), rect.bottom() + 1), m_crGridLines);
    }
    return result;
}

void CDataGrid::OnSysColorChange()
{
    // Cells keep 8 bits a channel, so colours are compared as such.
    const auto same = [](const QColor& a, const QColor& b) {
        return a.isValid() && b.isValid() && a.rgba() == b.rgba();
    };
    for (CDataDefaultCell* cell : {&m_cellNormalDefault, &m_cellFixedRowDefault,
             &m_cellFixedColDefault, &m_cellFixedRowColDefault}) {
        if (same(cell->GetTextColour(), m_crSysText))
            cell->SetTextColour(gdi::GetSysColour(SysColour::WindowText));
        if (same(cell->GetBackColour(), m_crWindow))
            cell->SetBackColour(gdi::GetSysColour(SysColour::Window));
    }
    if (same(m_crBackground, m_crButtonShadow))
        m_crBackground = gdi::GetSysColour(SysColour::ButtonShadow);
    m_crSysText = gdi::GetSysColour(SysColour::WindowText);
    m_crWindow = gdi::GetSysColour(SysColour::Window);
    m_crButtonFace = gdi::GetSysColour(SysColour::ButtonFace);
    m_crButtonShadow = gdi::GetSysColour(SysColour::ButtonShadow);
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
}

void CDataGrid::OnSetFont(const QFont& font)
{
    for (CDataDefaultCell* cell : {&m_cellNormalDefault, &m_cellFixedColDefault,
             &m_cellFixedRowDefault, &m_cellFixedRowColDefault})
        cell->SetFont(&font);
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
}

const QFont* CDataGrid::OnGetFont() const
{
    return m_cellNormalDefault.GetCellFont();
}
