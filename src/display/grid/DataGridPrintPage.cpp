// The parts of a printed page: headings, data cells, grid lines, header and footer.
#include "display/grid/DataGrid.h"

#include "platform/GdiPaint.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>

void CDataGrid::PrintCellBlock(QPainter* pDC, const CellBlock& block)
{
    int top = block.top;
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        int left = block.left;
        for (int col = block.firstCol; col <= block.lastCol; ++col) {
            const int width = GetColumnWidth(col);
            if (width <= 0)
                continue;
            if (CDataCellBase* cell = GetCell(row, col)) {
                cell->SetPosition(row, col);
                cell->Print(pDC, row, col,
                    QRect(QPoint(left, top), QPoint(left + width - 1, top + height - 1)));
            }
            left += width;
        }
        top += height;
    }
}

void CDataGrid::PrintColumnRange(QPainter* pDC, int firstRow, int lastRow, int top)
{
    PrintCellBlock(pDC, {firstRow, lastRow, top, 0, m_nFixedColumnCount - 1, 0, false});
    PrintCellBlock(pDC,
        {firstRow, lastRow, top, m_nPrintFirstCol, LastOnPage(true, m_nPrintFirstCol),
            FixedColumnsWidth(), false});
}

void CDataGrid::PrintColumnTitles(QPainter* pDC, int top)
{
    PrintColumnRange(pDC, 0, m_nFixedRowCount - 1, top);
}

void CDataGrid::PrintRowTitles(QPainter* pDC, int top)
{
    PrintCellBlock(pDC,
        {m_nPrintFirstRow, LastOnPage(false, m_nPrintFirstRow), top, 0, m_nFixedColumnCount - 1, 0,
            false});
}

void CDataGrid::PrintDataCells(QPainter* pDC, int top)
{
    const CellBlock block{m_nPrintFirstRow, LastOnPage(false, m_nPrintFirstRow), top,
        m_nPrintFirstCol, LastOnPage(true, m_nPrintFirstCol), FixedColumnsWidth(), false};
    PrintCellBlock(pDC, block);
    PrintGridLines(pDC, block);
}

void CDataGrid::PrintGridLines(QPainter* pDC, const CellBlock& block)
{
    // As on screen: the last pixel row and column of each data cell.
    long long width = 0;
    for (int col = block.firstCol; col <= block.lastCol; ++col)
        width += std::max(GetColumnWidth(col), 0);
    long long height = 0;
    for (int row = block.firstRow; row <= block.lastRow; ++row)
        height += std::max(GetRowHeight(row), 0);
    const int right = block.left + static_cast<int>(width);
    const int bottom = block.top + static_cast<int>(height);
    if (m_nGridLineMode == 2 || m_nGridLineMode == 3) {
        int x = block.left;
        for (int col = block.firstCol; col <= block.lastCol; ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            x += GetColumnWidth(col);
            gdi::Line(*pDC, QPoint(x - 1, block.top), QPoint(x - 1, bottom), m_crGridLines);
        }
    }
    if (m_nGridLineMode == 1 || m_nGridLineMode == 3) {
        int y = block.top;
        for (int row = block.firstRow; row <= block.lastRow; ++row) {
            if (GetRowHeight(row) <= 0)
                continue;
            y += GetRowHeight(row);
            gdi::Line(*pDC, QPoint(block.left, y - 1), QPoint(right, y - 1), m_crGridLines);
        }
    }
}

void CDataGrid::PrintPageHeader(QPainter* pDC, const QRect& rect)
{
    QString title;
    for (const QWidget* ancestor = parentWidget(); ancestor && title.isEmpty();
         ancestor = ancestor->parentWidget())
        title = ancestor->windowTitle();
    pDC->save();
    QFont bold = *m_fontPrint;
    bold.setWeight(QFont::Bold);
    pDC->setFont(bold);
    pDC->setPen(Qt::black);
    const std::uint32_t line = gdi::dt::SingleLine | gdi::dt::VCenter | gdi::dt::NoPrefix;
    gdi::DrawText(*pDC, title, rect, line | gdi::dt::Center);
    gdi::DrawText(*pDC, QStringLiteral("Quorbel"), rect, line | gdi::dt::Right);
    gdi::Line(
        *pDC, QPoint(rect.left(), rect.bottom()), QPoint(rect.right(), rect.bottom()), Qt::black);
    pDC->restore();
}

void CDataGrid::PrintPageFooter(QPainter* pDC, const QRect& rect, GridPrintInfo* pInfo)
{
    pDC->save();
    gdi::Line(*pDC, QPoint(rect.left(), rect.top()), QPoint(rect.right(), rect.top()), Qt::black);
    QFont bold = *m_fontPrint;
    bold.setWeight(QFont::Bold);
    pDC->setFont(bold);
    pDC->setPen(Qt::black);
    const std::uint32_t line = gdi::dt::SingleLine | gdi::dt::VCenter | gdi::dt::NoPrefix;
    gdi::DrawText(*pDC, QStringLiteral("Page %1 of %2").arg(pInfo->nCurPage).arg(pInfo->nMaxPage),
        rect, line | gdi::dt::Left);
    const QString now = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    gdi::DrawText(*pDC, now, rect, line | gdi::dt::Right);
    pDC->restore();
}
