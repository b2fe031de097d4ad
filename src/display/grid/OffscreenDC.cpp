#include "display/grid/OffscreenDC.h"

#include "platform/GdiPaint.h"

#include <QPaintDevice>

COffscreenDC::COffscreenDC(QPainter* target)
    : m_pDC(target)
    , m_bMemDC(target && target->isActive() && !gdi::IsPrinter(target->device()))
{
    if (!m_bMemDC)
        return;
    m_rect = ClipBox(target);
    if (m_rect.isEmpty()) {
        m_bMemDC = false;
        return;
    }
    const qreal ratio = target->device()->devicePixelRatioF();
    m_bitmap = QPixmap(m_rect.size() * ratio);
    m_bitmap.setDevicePixelRatio(ratio);
    m_memDC.begin(&m_bitmap);
    m_memDC.translate(-m_rect.topLeft());
    m_memDC.setClipRect(m_rect);
    m_memDC.setFont(target->font());
    m_memDC.setBackground(target->background());
    m_memDC.fillRect(m_rect, target->background().color());
}

COffscreenDC::~COffscreenDC()
{
    if (!m_bMemDC)
        return;
    m_memDC.end();
    m_pDC->drawPixmap(m_rect.topLeft(), m_bitmap);
}

QRect COffscreenDC::ClipBox(const QPainter* painter)
{
    if (!painter || !painter->isActive())
        return QRect();
    if (painter->hasClipping())
        return painter->clipBoundingRect().toAlignedRect();
    const QPaintDevice* device = painter->device();
    const QRect whole(0, 0, device->width(), device->height());
    return painter->transform().inverted().mapRect(whole);
}
