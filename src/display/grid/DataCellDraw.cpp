// Drawing, measuring and printing of a cell: shared by every cell class.
#include "display/grid/DataCellBase.h"

#include "display/grid/DataDefaultCell.h"
#include "display/grid/DataGrid.h"
#include "platform/GdiPaint.h"
#include "platform/Text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

using gdi::SysColour;

namespace {

QColor Resolve(const QColor& own, const QColor& fallback, SysColour lastResort)
{
    if (own.isValid())
        return own;
    return fallback.isValid() ? fallback : gdi::GetSysColour(lastResort);
}

QRect Grown(const QRect& rect)
{
    return rect.adjusted(0, 0, 1, 1);
}

// Each channel scaled on its own, as a monochrome printer is given it.
QColor MonochromeText(const QColor& colour)
{
    return QColor(static_cast<int>(colour.red() * 0.30), static_cast<int>(colour.green() * 0.59),
        static_cast<int>(colour.blue() * 0.11));
}

// A font in page units: the grid's own pixels. A size in points would be taken at the
// printer's resolution and then scaled once more by the page mapping.
QFont PageFont(const QFont& font, const QPaintDevice* grid)
{
    if (font.pixelSize() > 0)
        return font;
    QFont scaled = font;
    scaled.setPixelSize(std::max(1, qRound(font.pointSizeF() * grid->logicalDpiY() / 72.0)));
    return scaled;
}

const QPixmap* CellImage(const CDataCellBase& cell)
{
    const CDataGrid* grid = cell.GetGrid();
    const QList<QPixmap>* images = grid ? grid->GetImageList() : nullptr;
    const int image = cell.GetImage();
    if (!images || image < 0 || image >= images->size())
        return nullptr;
    return &images->at(image);
}

// The sort column's marker in the heading row; narrows the text rectangle past it.
void DrawSortMarker(const CDataCellBase& cell, QPainter& painter, QRect* rect, bool ascending)
{
    const int margin = static_cast<int>(cell.GetMargin());
    int side = cell.GetTextExtent("M", &painter).height() - 4;
    side = std::min(side, rect->bottom() - rect->top() - 4);
    if (side <= 0 || rect->right() - rect->left() + 2 * margin <= side)
        return;
    const int x = rect->right() - side;
    const int base = rect->bottom() - 2;
    QPolygon outline;
    if (ascending)
        outline << QPoint(x + side / 2, base - side) << QPoint(x + side, base) << QPoint(x, base);
    else
        outline << QPoint(x + side / 2, base) << QPoint(x + side, base - side)
                << QPoint(x, base - side);
    outline << outline.first();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(gdi::GetSysColour(SysColour::ButtonLight), 0));
    painter.drawPolyline(outline.translated(1, 1));
    painter.setPen(QPen(gdi::GetSysColour(SysColour::ButtonShadow), 0));
    painter.drawPolyline(outline);
    rect->setRight(rect->right() - side);
}

} // namespace

bool CDataCellBase::Draw(QPainter* pDC, int row, int col, QRect rect, bool bEraseBkgnd)
{
    if (!IsShown() && GetMergeRange().CellCount() < 2)
        return true;
    CDataGrid* grid = GetGrid();
    const CDataCellBase* fallback = GetDefaultCell();
    if (!grid || !pDC || !fallback || rect.right() <= rect.left() || rect.bottom() <= rect.top())
        return false;
    pDC->save();
    QColor text = Resolve(GetTextColour(), fallback->GetTextColour(), SysColour::WindowText);
    QColor back = Resolve(GetBackColour(), fallback->GetBackColour(), SysColour::Window);
    const bool paintBack = GetBackColour().isValid() || bEraseBkgnd;
    const bool gridLines = grid->GetGridLines() != 0;
    if (IsSelected()) {
        back = gdi::GetSysColour(SysColour::Highlight);
        text = gdi::GetSysColour(SysColour::HighlightText);
    }
    if (!IsFocused() && !IsDropTarget()) {
        if (IsSelected() || paintBack)
            gdi::FillRect(*pDC, Grown(rect), back);
    } else {
        rect = Grown(rect);
        if (IsSelected() || paintBack)
            gdi::FillRect(*pDC, rect, back);
        if (gridLines)
            rect.adjust(0, 0, -1, -1);
        if (grid->GetFocusFrame())
            gdi::FrameRect(*pDC, rect, text);
        if (!gridLines)
            rect.adjust(0, 0, -1, -1);
        // Keep the text inside the frame.
        rect.adjust(0, 1, -1, -1);
    }
    if (IsFixed() && gridLines) {
        const CCellID focus = grid->GetFocusCell();
        if (grid->GetHighlightFocusHeadings() && focus.IsValid()
            && (focus.row == row || focus.col == col))
            gdi::DrawSunkenInnerEdge(*pDC, Grown(rect));
        else
            gdi::DrawRaisedEdge(*pDC, rect);
        rect.adjust(1, 1, -1, -1);
    }
    if (const QFont* font = GetCellFont(); font && !gdi::IsPrinter(pDC->device()))
        pDC->setFont(*font);
    const int margin = static_cast<int>(GetMargin());
    rect.adjust(margin, 0, -margin, 0);
    if (const QPixmap* image = CellImage(*this); image
        && image->width() <= rect.right() - rect.left() + 2 * margin
        && image->height() <= rect.bottom() - rect.top() + 2 * margin)
        pDC->drawPixmap(rect.topLeft(), *image);
    if (row == 0 && col == grid->GetSortKeyColumn())
        DrawSortMarker(*this, *pDC, &rect, grid->GetSortAscending());
    TextRectangle(&rect);
    pDC->setPen(text);
    gdi::DrawText(*pDC, ToQt(GetText()), rect, GetFormat() | gdi::dt::NoPrefix);
    pDC->restore();
    return true;
}

bool CDataCellBase::TextRectangle(QRect* rect) const
{
    if (const QPixmap* image = CellImage(*this))
        rect->setLeft(rect->left() + static_cast<int>(GetMargin()) + image->width() + 1);
    return true;
}

QSize CDataCellBase::GetTextExtent(const char* text, QPainter* pDC) const
{
    const CDataGrid* grid = GetGrid();
    const bool canMeasure = pDC || (grid && grid->IsWindowCreated());
    if (!canMeasure || !text || !*text) {
        const auto* fallback = dynamic_cast<const CDataDefaultCell*>(GetDefaultCell());
        return fallback ? QSize(fallback->GetWidth(), fallback->GetHeight()) : QSize();
    }
    const QFont* own = GetCellFont();
    const QFont font = own ? *own : (pDC ? pDC->font() : QFont());
    const QFontMetrics metrics = pDC ? QFontMetrics(font, pDC->device()) : QFontMetrics(font);
    const QString shown = ToQt(text);
    const std::uint32_t format = GetFormat();
    QSize size;
    if ((format & gdi::dt::WordBreak) && !(format & gdi::dt::SingleLine)) {
        int widest = 0;
        for (const QString& line : shown.split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const QRect bounds = metrics.boundingRect(
            QRect(0, 0, widest + 1, 1 << 20), Qt::AlignLeft | Qt::TextWordWrap, shown);
        size = QSize(widest, bounds.height());
    } else {
        size = QSize(metrics.horizontalAdvance(shown), metrics.height());
    }
    const int margin = static_cast<int>(GetMargin());
    return QSize(size.width() + 4 * margin, size.height() + 2 * margin);
}

QSize CDataCellBase::CellExtent(QPainter* pDC) const
{
    QSize size = GetTextExtent(GetText(), pDC);
    if (const QPixmap* image = CellImage(*this)) {
        size.rwidth() += image->width();
        size.setHeight(std::max(size.height(), image->height()));
    }
    return size;
}

bool CDataCellBase::Print(QPainter* pDC, int row, int col, QRect rect)
{
    (void)row, (void)col;
    if (!IsShown() && GetMergeRange().CellCount() < 2)
        return true;
    const CDataGrid* grid = GetGrid();
    const CDataCellBase* fallback = GetDefaultCell();
    if (!grid || !pDC || rect.right() <= rect.left() || rect.bottom() <= rect.top())
        return false;
    pDC->save();
    pDC->setClipRect(rect, Qt::IntersectClip);
    const QColor ownBack = GetBackColour();
    const QColor defaultBack = fallback ? fallback->GetBackColour() : QColor();
    QColor text(Qt::black);
    QColor back;
    if (grid->GetShadePrintedHeadings()) {
        if (IsFixed())
            back = ownBack.isValid() ? ownBack : defaultBack;
        else if (ownBack.isValid() && ownBack != defaultBack)
            back = ownBack;
        text = Resolve(GetTextColour(), fallback ? fallback->GetTextColour() : QColor(),
            SysColour::WindowText);
    }
    if (back.isValid())
        gdi::FillRect(*pDC, Grown(rect), back);
    else if (gdi::IsMonochromePrinter(pDC->device()))
        text = MonochromeText(text);
    if (const QFont* font = GetCellFont())
        pDC->setFont(PageFont(*font, grid));
    if (IsFixed() && grid->GetGridLines() != 0) {
        gdi::DrawRaisedEdge(*pDC, rect);
        rect.adjust(1, 1, -1, -1);
    }
    const int margin = static_cast<int>(GetMargin());
    rect.adjust(margin, 0, -margin, 0);
    if (const QPixmap* image = CellImage(*this)) {
        pDC->drawPixmap(rect.topLeft(), *image);
        rect.setLeft(rect.left() + margin + image->width());
    }
    pDC->setPen(text);
    gdi::DrawText(*pDC, ToQt(GetText()), rect, GetFormat() | gdi::dt::NoPrefix);
    pDC->restore();
    return true;
}
