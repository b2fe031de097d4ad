#include "platform/GdiPaint.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPrinter>

namespace gdi {

QColor GetSysColour(SysColour which)
{
    const QPalette palette = QGuiApplication::palette();
    switch (which) {
    case SysColour::WindowText:
        return palette.color(QPalette::Text);
    case SysColour::Window:
        return palette.color(QPalette::Base);
    case SysColour::ButtonFace:
        return palette.color(QPalette::Button);
    case SysColour::ButtonShadow:
        return palette.color(QPalette::Dark);
    case SysColour::ButtonLight:
        return palette.color(QPalette::Light);
    case SysColour::Light3D:
        return palette.color(QPalette::Midlight);
    case SysColour::DarkShadow3D:
        return palette.color(QPalette::Shadow);
    case SysColour::Highlight:
        return palette.color(QPalette::Highlight);
    case SysColour::HighlightText:
        return palette.color(QPalette::HighlightedText);
    }
    return palette.color(QPalette::Text);
}

void FillRect(QPainter& painter, const QRect& rect, const QColor& colour)
{
    const int width = rect.right() - rect.left();
    const int height = rect.bottom() - rect.top();
    if (width <= 0 || height <= 0)
        return;
    painter.fillRect(QRect(rect.left(), rect.top(), width, height), colour);
}

void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour)
{
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    if (r <= l || b <= t)
        return;
    FillRect(painter, QRect(QPoint(l, t), QPoint(r, t + 1)), colour);
    FillRect(painter, QRect(QPoint(l, b - 1), QPoint(r, b)), colour);
    FillRect(painter, QRect(QPoint(l, t), QPoint(l + 1, b)), colour);
    FillRect(painter, QRect(QPoint(r - 1, t), QPoint(r, b)), colour);
}

void Line(QPainter& painter, QPoint from, QPoint to, const QColor& colour)
{
    if (from.y() == to.y()) {
        if (from.x() == to.x())
            return;
        // The end point is left out, whichever way the line runs.
        const int first = from.x() < to.x() ? from.x() : to.x() + 1;
        const int last = from.x() < to.x() ? to.x() - 1 : from.x();
        painter.fillRect(QRect(first, from.y(), last - first + 1, 1), colour);
    } else if (from.x() == to.x()) {
        const int first = from.y() < to.y() ? from.y() : to.y() + 1;
        const int last = from.y() < to.y() ? to.y() - 1 : from.y();
        painter.fillRect(QRect(from.x(), first, 1, last - first + 1), colour);
    } else {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(colour, 0));
        painter.drawLine(from, to);
        painter.restore();
    }
}

void DrawRaisedEdge(QPainter& painter, const QRect& rect)
{
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    const QColor light = GetSysColour(SysColour::ButtonLight);
    const QColor dark = GetSysColour(SysColour::DarkShadow3D);
    Line(painter, QPoint(r, t), QPoint(l, t), light);
    Line(painter, QPoint(l, t), QPoint(l, b), light);
    Line(painter, QPoint(r, t), QPoint(r, b), dark);
    Line(painter, QPoint(r, b), QPoint(l, b), dark);
}

void DrawSunkenInnerEdge(QPainter& painter, const QRect& rect)
{
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    if (r <= l || b <= t)
        return;
    const QColor dark = GetSysColour(SysColour::DarkShadow3D);
    const QColor light = GetSysColour(SysColour::Light3D);
    FillRect(painter, QRect(QPoint(l, t), QPoint(r - 1, t + 1)), dark);
    FillRect(painter, QRect(QPoint(l, t), QPoint(l + 1, b - 1)), dark);
    FillRect(painter, QRect(QPoint(r - 1, t), QPoint(r, b)), light);
    FillRect(painter, QRect(QPoint(l, b - 1), QPoint(r, b)), light);
}

void DrawText(QPainter& painter, const QString& text, const QRect& rect, std::uint32_t format)
{
    const QRect box(
        rect.left(), rect.top(), rect.right() - rect.left(), rect.bottom() - rect.top());
    if (box.width() <= 0 || box.height() <= 0 || text.isEmpty())
        return;
    int flags = (format & dt::Center) ? Qt::AlignHCenter
        : (format & dt::Right)        ? Qt::AlignRight
                                      : Qt::AlignLeft;
    QString shown = text;
    if (format & dt::SingleLine) {
        flags |= (format & dt::VCenter) ? Qt::AlignVCenter
            : (format & dt::Bottom)     ? Qt::AlignBottom
                                        : Qt::AlignTop;
        flags |= Qt::TextSingleLine;
        if (format & dt::EndEllipsis)
            shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, box.width());
    } else {
        flags |= Qt::AlignTop;
        if (format & dt::WordBreak)
            flags |= Qt::TextWordWrap;
    }
    painter.drawText(box, flags, shown);
}

bool IsPrinter(const QPaintDevice* device)
{
    return device && device->devType() == QInternal::Printer;
}

bool IsMonochromePrinter(const QPaintDevice* device)
{
    if (!IsPrinter(device))
        return false;
    const auto* printer = dynamic_cast<const QPrinter*>(device);
    return printer && printer->colorMode() == QPrinter::GrayScale;
}

} // namespace gdi
