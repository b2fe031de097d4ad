#include "platform/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>

DialogUnits DialogUnits::ForFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    static const QString letters
        = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int width = metrics.horizontalAdvance(letters);
    const int average = (width / 26 + 1) / 2; // rounded width over 52 letters
    return DialogUnits(average > 0 ? average : 1, metrics.height() > 0 ? metrics.height() : 1);
}

QFont DialogUnits::TemplateFont(int pointSize)
{
    QFont font = QApplication::font();
    if (pointSize > 0)
        font.setPointSize(pointSize);
    return font;
}

QRect DialogUnits::Map(int x, int y, int cx, int cy) const
{
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    return QRect(left, top, ToPixelsX(x + cx) - left, ToPixelsY(y + cy) - top);
}
