#include "display/grid/GridTrackingLine.h"

#include <QPainter>

QRect GridTrackingLine::Begin(const QPixmap& picture, const QRect& line)
{
    m_picture = picture;
    m_line = line;
    m_bActive = true;
    return line;
}

QRect GridTrackingLine::MoveTo(const QRect& line)
{
    const QRect dirty = m_line.united(line);
    m_line = line;
    return dirty;
}

QRect GridTrackingLine::End()
{
    m_bActive = false;
    m_picture = QPixmap();
    return m_line;
}

void GridTrackingLine::Paint(QPainter* painter, const QRect& clip) const
{
    const qreal ratio = m_picture.devicePixelRatio();
    const QRect source(clip.topLeft() * ratio, clip.size() * ratio);
    painter->drawPixmap(clip, m_picture, source);
    const QRect line = m_line.intersected(clip);
    if (line.isEmpty())
        return;
    QImage strip = m_picture.copy(QRect(line.topLeft() * ratio, line.size() * ratio)).toImage();
    strip.invertPixels();
    strip.setDevicePixelRatio(ratio);
    painter->drawImage(line.topLeft(), strip);
}
