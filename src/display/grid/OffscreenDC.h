#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRect>

// Double buffering for one paint: drawing goes to a pixmap the size of the target's clip
// box, in the target's coordinates, and the destructor copies the picture onto the target.
// A printer is drawn on directly. Lives on the stack for one paint only.
class COffscreenDC
{
public:
    explicit COffscreenDC(QPainter* target);
    ~COffscreenDC();
    COffscreenDC(const COffscreenDC&) = delete;
    COffscreenDC& operator=(const COffscreenDC&) = delete;

    // The painter to draw with while the object lives.
    QPainter* Painter() { return m_bMemDC ? &m_memDC : m_pDC; }
    bool IsMemoryDC() const { return m_bMemDC; }

    // The clip box of a painter in its logical coordinates; a null rectangle when the
    // painter cannot paint.
    static QRect ClipBox(const QPainter* painter);

private:
    QPixmap m_bitmap;
    QPainter* m_pDC;
    QRect m_rect;
    bool m_bMemDC;
    QPainter m_memDC;
};
