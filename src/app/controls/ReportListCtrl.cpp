#include "app/controls/ReportListCtrl.h"

#include "app/controls/ReportCellGeometry.h"
#include "app/controls/ReportHeaderCtrl.h"
#include "platform/DialogUnits.h"
#include "platform/Text.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int RowFontPoints = 9;
const QColor GridLineColour(192, 192, 192);

} // namespace

CReportListCtrl::CReportListCtrl(QWidget* parent)
    : QTreeWidget(parent)
    , m_header(new CReportHeaderCtrl(this))
{
    m_logFont = DialogUnits::TemplateFont(RowFontPoints);
    m_logFont.setWeight(QFont::Normal);
    setHeader(m_header);
    m_header->setStretchLastSection(false);
    m_header->setSectionsMovable(false);
    m_header->setMinimumSectionSize(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // A report list scrolls by whole rows and by pixels sideways.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHeaderLabels({QString()});
}

void CReportListCtrl::SetColumns(const std::vector<ReportColumn>& columns)
{
    setColumnCount(static_cast<int>(columns.size()));
    QTreeWidgetItem* head = headerItem();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        head->setText(i, ToQt(columns[i].heading));
        head->setTextAlignment(i, columns[i].format);
        setColumnWidth(i, columns[i].width);
    }
    viewport()->update();
}

int CReportListCtrl::GetColumnWidth(int column) const
{
    return column >= 0 && column < columnCount() ? columnWidth(column) : 0;
}

int CReportListCtrl::InsertItem(int row, const std::string& text)
{
    row = std::clamp(row, 0, topLevelItemCount());
    auto* item = new QTreeWidgetItem();
    item->setText(0, ToQt(text));
    insertTopLevelItem(row, item);
    return row;
}

void CReportListCtrl::SetItemText(int row, int column, const std::string& text)
{
    if (QTreeWidgetItem* item = topLevelItem(row); item && column >= 0)
        item->setText(column, ToQt(text));
}

std::string CReportListCtrl::GetItemText(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && column >= 0 ? FromQt(item->text(column)) : std::string();
}

int CReportListCtrl::RowHeight() const
{
    if (topLevelItemCount() > 0) {
        const int height = visualRect(model()->index(0, 0)).height();
        if (height > 0)
            return height;
    }
    return std::max(1, fontMetrics().height());
}

int CReportListCtrl::GetTopIndex() const
{
    return verticalScrollBar()->value();
}

int CReportListCtrl::GetCountPerPage() const
{
    return viewport()->height() / RowHeight();
}

void CReportListCtrl::Scroll(int dx, int dy)
{
    QScrollBar* across = horizontalScrollBar();
    across->setValue(across->value() + dx);
    const int rows = static_cast<int>(std::lround(static_cast<double>(dy) / RowHeight()));
    QScrollBar* down = verticalScrollBar();
    down->setValue(down->value() + rows);
}

void CReportListCtrl::SetShowSelectionAlways(bool always)
{
    m_bShowSelAlways = always;
    viewport()->update();
}

void CReportListCtrl::SetGridLines(bool on)
{
    m_bGridLines = on;
    viewport()->update();
}

QRect CReportListCtrl::ColumnRect(int column, const QRect& rowRect) const
{
    return QRect(m_header->sectionViewportPosition(column), rowRect.top(),
        m_header->sectionSize(column), rowRect.height());
}

QRect CReportListCtrl::RowBounds(int row) const
{
    const QRect cell = visualRect(model()->index(row, 0));
    return QRect(
        m_header->sectionViewportPosition(0), cell.top(), m_header->length(), cell.height());
}

int CReportListCtrl::FindCellAtPoint(const QPoint& point, QRect* rect, int* column) const
{
    const int count = topLevelItemCount();
    const int top = GetTopIndex();
    const int last = std::min(top + GetCountPerPage(), count - 1);
    std::vector<ReportRowBounds> rows;
    for (int row = std::max(top, 0); row <= last; ++row)
        rows.push_back({row, RowBounds(row)});
    std::vector<int> widths;
    for (int i = 0; i < columnCount(); ++i)
        widths.push_back(GetColumnWidth(i));
    const ReportCellHit hit
        = FindReportCell(point, rows, widths, m_nColumns, viewport()->rect().right() + 1);
    if (hit.row >= 0) {
        if (rect)
            *rect = hit.rect;
        if (column)
            *column = hit.column;
    }
    return hit.row;
}

bool CReportListCtrl::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        ShowCellTip(static_cast<QHelpEvent*>(event));
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

void CReportListCtrl::ShowCellTip(QHelpEvent* event)
{
    QRect cell;
    int column = -1;
    const int row = FindCellAtPoint(event->pos(), &cell, &column);
    if (row < 0) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    const QString text = topLevelItem(row)->text(column).left(MaxTipText);
    QToolTip::showText(event->globalPos(), text, viewport(), cell);
}

void CReportListCtrl::drawRow(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    DrawItem(painter, option.rect, index.row());
}

void CReportListCtrl::DrawItem(QPainter* painter, const QRect& rowRect, int row) const
{
    const bool selected = selectionModel()->isSelected(model()->index(row, 0));
    const bool highlighted = selected && (hasFocus() || m_bShowSelAlways);
    const QRect bounds(
        m_header->sectionViewportPosition(0), rowRect.top(), m_header->length(), rowRect.height());
    const int inset = 2 * fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const bool odd = row % 2 != 0;

    painter->save();
    painter->fillRect(bounds, highlighted ? m_crSelBack : (odd ? m_crBackOdd : m_crBackEven));
    painter->setFont(m_logFont);
    painter->setPen(highlighted ? m_crSelText : (odd ? m_crTextOdd : m_crTextEven));
    DrawTexts(painter, rowRect, row, inset);
    if (m_bGridLines)
        DrawGridLines(painter, bounds);
    if (hasFocus() && currentIndex().isValid() && currentIndex().row() == row) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = bounds;
        focus.backgroundColor = highlighted ? m_crSelBack : palette().color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, this);
    }
    painter->restore();
}

// Column 0 is centred whatever its format; the others follow theirs. Columns past the last
// one paint nothing.
void CReportListCtrl::DrawTexts(QPainter* painter, const QRect& rowRect, int row, int inset) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    const QFontMetrics metrics(m_logFont);
    const int columns = std::min(m_nColumns, columnCount());
    for (int column = 0; column < columns; ++column) {
        const QRect cell = ColumnRect(column, rowRect);
        QRect text;
        int flags = Qt::AlignVCenter | Qt::TextSingleLine;
        if (column == 0) {
            text = cell.adjusted(inset / 2, 0, -inset, 0);
            flags |= Qt::AlignHCenter | Qt::TextDontClip;
        } else {
            text = cell.adjusted(inset, 0, -inset, 0);
            flags |= m_header->SectionFormat(column);
        }
        if (text.width() <= 0)
            continue;
        painter->drawText(
            text, flags, metrics.elidedText(item->text(column), Qt::ElideRight, text.width()));
    }
}

void CReportListCtrl::DrawGridLines(QPainter* painter, const QRect& bounds) const
{
    painter->save();
    painter->setPen(GridLineColour);
    for (int column = 0; column < columnCount(); ++column) {
        const int x = m_header->sectionViewportPosition(column) + m_header->sectionSize(column) - 1;
        painter->drawLine(x, bounds.top(), x, bounds.bottom());
    }
    painter->drawLine(bounds.left(), bounds.bottom(), bounds.right(), bounds.bottom());
    painter->restore();
}
