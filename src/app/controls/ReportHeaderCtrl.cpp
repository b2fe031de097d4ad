#include "app/controls/ReportHeaderCtrl.h"

#include <QPaintEvent>
#include <QPainter>

CReportHeaderCtrl::CReportHeaderCtrl(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
}

Qt::Alignment CReportHeaderCtrl::SectionFormat(int logicalIndex) const
{
    if (!model())
        return Qt::AlignLeft;
    const QVariant data = model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
    const Qt::Alignment format = data.metaType() == QMetaType::fromType<Qt::Alignment>()
        ? data.value<Qt::Alignment>()
        : Qt::Alignment::fromInt(data.toInt());
    if (format & Qt::AlignRight)
        return Qt::AlignRight;
    if (format & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

// Fill and a 1-pixel outline over the rectangle's own pixels, as a GDI rectangle draws it.
void CReportHeaderCtrl::FillOutlined(QPainter* painter, const QRect& rect) const
{
    painter->setPen(QPen(m_crLine, 1));
    painter->setBrush(m_crBack);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
}

void CReportHeaderCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    FillOutlined(&painter, viewport()->rect());
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical) || sectionSize(logical) <= 0)
            continue;
        const QRect rect(sectionViewportPosition(logical), 0, sectionSize(logical), height());
        if (rect.intersects(event->rect()))
            paintSection(&painter, rect, logical);
    }
}

void CReportHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    FillOutlined(painter, rect);
    const QString text
        = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    if (!text.isEmpty()) {
        const Qt::Alignment align = SectionFormat(logicalIndex);
        const int inset = 2 * fontMetrics().horizontalAdvance(QLatin1Char(' '));
        const QRect textRect(QPoint(rect.left() + inset, rect.top() + 2),
            QPoint(rect.right() - inset, rect.bottom()));
        painter->setFont(font());
        painter->setPen(m_crText);
        painter->drawText(
            textRect, align | Qt::AlignVCenter | Qt::TextSingleLine, text.left(MaxHeadText));
    }
    painter->restore();
}
