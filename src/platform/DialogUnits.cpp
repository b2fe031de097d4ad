#include "platform/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>

namespace {

const QString Letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// 96 dots per inch.
constexpr int UsualDotsPerMeter = 3780;

} // namespace

DialogUnits DialogUnits::ForFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(Letters);
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

double DialogUnits::FontGrowth(const QFont& font)
{
    QImage usualScreen(1, 1, QImage::Format_RGB32);
    usualScreen.setDotsPerMeterX(UsualDotsPerMeter);
    usualScreen.setDotsPerMeterY(UsualDotsPerMeter);
    const double usual = QFontMetricsF(font, &usualScreen).horizontalAdvance(Letters);
    const double here = QFontMetricsF(font).horizontalAdvance(Letters);
    return usual > 0 && here > 0 ? here / usual : 1.0;
}

QRect DialogUnits::Map(int x, int y, int cx, int cy) const
{
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    return QRect(left, top, ToPixelsX(x + cx) - left, ToPixelsY(y + cy) - top);
}
