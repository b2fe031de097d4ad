// The scroll bars and scrolling: ranges, the scroll messages, the bars' own actions.
#include "display/grid/DataGrid.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

// A bar's own action as a scroll message; -1 for none.
int ScrollCodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return SB_THUMBTRACK;
    default:
        return -1;
    }
}

// The first shown entry from 'from' on in direction step, no further than 'limit'; -1 when
// there is none.
int ShownFrom(const GridAxis& axis, int from, int step, int limit)
{
    for (int index = from; step > 0 ? index <= limit : index >= limit; index += step)
        if (!axis.IsHidden(index))
            return index;
    return -1;
}

} // namespace

QPoint CDataGrid::ScrollPosition() const
{
    return QPoint(GridGeometry::Clamp(m_scrollH.Pos()), GridGeometry::Clamp(m_scrollV.Pos()));
}

long long CDataGrid::GetScrollPos(bool vertical) const
{
    return vertical ? m_scrollV.Pos() : m_scrollH.Pos();
}

void CDataGrid::ConnectScrollBars()
{
    // The bars' arrows, pages and thumb go through the scroll messages, which step by the
    // row or column at the top, not by a fixed amount.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
        [this](int action) { OnScrollAction(true, action); });
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
        [this](int action) { OnScrollAction(false, action); });
}

void CDataGrid::OnScrollAction(bool vertical, int action)
{
    const int code = ScrollCodeOf(action);
    if (code < 0)
        return;
    OnScroll(vertical, code);
    // The bar applies its slider position once this returns: make it ours.
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    bar->setSliderPosition((vertical ? m_scrollV : m_scrollH).SliderValue());
}

void CDataGrid::SyncScrollBar(bool vertical)
{
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    const GridScrollAxis& axis = vertical ? m_scrollV : m_scrollH;
    m_bSettingBars = true;
    bar->setRange(0, axis.SliderMax());
    bar->setPageStep(axis.SliderPage());
    bar->setSingleStep(1);
    bar->setValue(axis.SliderValue());
    m_bSettingBars = false;
}

bool CDataGrid::SetScrollPos(bool vertical, long long pos)
{
    GridScrollAxis& axis = vertical ? m_scrollV : m_scrollH;
    if (!axis.SetPos(pos))
        return false;
    m_idTopLeftCache.row = -1;
    m_bSettingBars = true;
    (vertical ? verticalScrollBar() : horizontalScrollBar())->setValue(axis.SliderValue());
    m_bSettingBars = false;
    return true;
}

void CDataGrid::scrollContentsBy(int dx, int dy)
{
    // A bar moved by anything but the grid itself: take its position.
    if (!m_bSettingBars) {
        if (dx != 0)
            m_scrollH.SetPos(m_scrollH.FromSlider(horizontalScrollBar()->value()));
        if (dy != 0)
            m_scrollV.SetPos(m_scrollV.FromSlider(verticalScrollBar()->value()));
    }
    m_idTopLeftCache.row = -1;
    FinishEditing();
    m_wndCellTip.Hide();
    if (!m_bAllowRedraw)
        return;
    // The fixed rows stay put on a vertical scroll, the fixed columns on a horizontal one.
    if (dy != 0)
        InvalidateScrolled(true);
    if (dx != 0)
        InvalidateScrolled(false);
}

void CDataGrid::InvalidateScrolled(bool vertical)
{
    const QSize client = ClientSize();
    if (vertical)
        viewport()->update(0, FixedRowsHeight(), client.width(), client.height());
    else
        viewport()->update(FixedColumnsWidth(), 0, client.width(), client.height());
}

void CDataGrid::UpdateScrollBars()
{
    m_idTopLeftCache.row = -1;
    if (!m_bAllowRedraw || !m_bWindowCreated)
        return;
    // The client area as it would be without scroll bars.
    const QSize area = maximumViewportSize();
    if (area.width() <= 0 || area.height() <= 0)
        return;
    const long long oldH = m_scrollH.Pos();
    const long long oldV = m_scrollV.Pos();
    const int fixedWidth = FixedColumnsWidth();
    const int fixedHeight = FixedRowsHeight();
    long long scrollHeight = 0;
    long long scrollWidth = 0;
    int heightRoom = 0;
    int widthRoom = 0;
    // Headings that fill the window leave nothing to scroll: no bar.
    if (fixedWidth < area.width() && fixedHeight < area.height()) {
        scrollHeight = m_geometry.Rows().Total() - m_geometry.Rows().FixedExtent();
        scrollWidth = m_geometry.Columns().Total() - m_geometry.Columns().FixedExtent();
        const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        int areaWidth = area.width();
        heightRoom = area.height() - fixedHeight;
        if (heightRoom < scrollHeight)
            areaWidth -= barExtent;
        widthRoom = areaWidth - fixedWidth;
        if (widthRoom < scrollWidth)
            heightRoom = area.height() - barExtent - fixedHeight;
    }
    const bool vertical = heightRoom < scrollHeight;
    const bool horizontal = widthRoom < scrollWidth;
    // A position is the pixel offset of the first scrolled row or column; the last one
    // shows the end of the cells at the end of the room.
    m_scrollV.SetLimit(vertical ? scrollHeight - heightRoom : 0, std::max(heightRoom, 0));
    m_scrollH.SetLimit(horizontal ? scrollWidth - widthRoom : 0, std::max(widthRoom, 0));
    SyncScrollBar(true);
    SyncScrollBar(false);
    ShowScrollBarsNow(vertical, horizontal);
    if (m_scrollH.Pos() != oldH || m_scrollV.Pos() != oldV)
        viewport()->update();
}

void CDataGrid::ShowScrollBarsNow(bool vertical, bool horizontal)
{
    // Qt shows or hides a bar for its new range only on a later turn of the event loop, and
    // the client area's resize then ends any edit opened meanwhile (a Tab's next cell, say).
    // The client area takes its size now, while the counts change.
    if (verticalScrollBar()->isVisibleTo(this) == vertical
        && horizontalScrollBar()->isVisibleTo(this) == horizontal)
        return;
    QEvent layout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &layout);
}

void CDataGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    OnSize();
}

void CDataGrid::OnSize()
{
    if (!m_bWindowCreated)
        return;
    // Drops are taken once the window has a size.
    if (!m_dropTarget.IsRegistered())
        m_dropTarget.Register(this);
    FinishEditing();
    UpdateScrollBars();
}

void CDataGrid::OnVScroll(int code)
{
    OnScroll(true, code);
}

void CDataGrid::OnHScroll(int code)
{
    OnScroll(false, code);
}

void CDataGrid::OnScroll(bool vertical, int code)
{
    FinishEditing();
    m_wndCellTip.Hide();
    GridScrollAxis& scroll = vertical ? m_scrollV : m_scrollH;
    const GridAxis& axis = vertical ? m_geometry.Rows() : m_geometry.Columns();
    const long long pos = scroll.Pos();
    const long long limit = scroll.Limit();
    const CCellID topLeftCell = TopLeftScrollCell();
    const int topLeft = vertical ? topLeftCell.row : topLeftCell.col;
    const QSize client = ClientSize();
    const long long page
        = vertical ? client.height() - FixedRowsHeight() : client.width() - FixedColumnsWidth();
    const int first = axis.FixedCount();
    long long target = pos;
    switch (code) {
    case SB_LINEDOWN: {
        const int shown = ShownFrom(axis, topLeft, 1, axis.Count() - 1);
        if (pos >= limit || shown < 0)
            return;
        target = pos + axis.Size(shown);
        break;
    }
    case SB_LINEUP: {
        const int shown = ShownFrom(axis, topLeft - 1, -1, first);
        if (pos <= 0 || topLeft <= first || shown < 0)
            return;
        target = std::max(0LL, pos - axis.Size(shown));
        break;
    }
    case SB_PAGEDOWN:
        if (pos >= limit)
            return;
        target = std::min(limit, pos + page);
        break;
    case SB_PAGEUP:
        if (pos <= 0)
            return;
        target = std::max(0LL, pos - page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
        if (!SetScrollPos(vertical, scroll.FromSlider(bar->sliderPosition()))
            || TopLeftScrollCell() == topLeftCell)
            return;
        InvalidateScrolled(vertical);
        return;
    }
    case SB_TOP:
    case SB_BOTTOM:
        if (code == SB_TOP ? pos <= 0 : pos >= limit)
            return;
        SetScrollPos(vertical, code == SB_TOP ? 0 : limit);
        viewport()->update();
        return;
    default: // SB_ENDSCROLL
        return;
    }
    if (SetScrollPos(vertical, target))
        InvalidateScrolled(vertical);
}

void CDataGrid::SetAllowRedraw(bool on)
{
    const bool resumed = on && !m_bAllowRedraw;
    m_bAllowRedraw = on;
    if (resumed && m_bWindowCreated) {
        UpdateScrollBars();
        viewport()->update();
    }
}
