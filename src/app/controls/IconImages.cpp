#include "app/controls/IconImages.h"

#include <functional>

namespace {

bool SameColour(QRgb a, QRgb b)
{
    return (a & 0x00FFFFFF) == (b & 0x00FFFFFF);
}

QImage MapPixels(const QImage& source, QRgb kept, const std::function<QRgb(QRgb)>& map)
{
    QImage out = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (!SameColour(row[x], kept))
                row[x] = map(row[x]);
        }
    }
    return out;
}

} // namespace

int GreyOf(QRgb pixel)
{
    const double g = qGreen(pixel) * 0.587 + qRed(pixel) * 0.299 + qBlue(pixel) * 0.114;
    return static_cast<int>(g);
}

int DarkOf(int channel)
{
    return static_cast<int>(channel - channel * 0.25);
}

QImage ToGreyImage(const QImage& source, QRgb kept)
{
    return MapPixels(source, kept, [](QRgb p) {
        const int g = GreyOf(p);
        return qRgba(g, g, g, qAlpha(p));
    });
}

QImage ToDarkImage(const QImage& source, QRgb kept)
{
    return MapPixels(source, kept, [](QRgb p) {
        return qRgba(DarkOf(qRed(p)), DarkOf(qGreen(p)), DarkOf(qBlue(p)), qAlpha(p));
    });
}

QImage MakeKeyMask(QImage& source, QRgb key)
{
    source = source.convertToFormat(QImage::Format_ARGB32);
    QImage mask(source.size(), QImage::Format_Mono);
    if (mask.isNull())
        return mask;
    mask.fill(0);
    for (int y = 0; y < source.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (SameColour(row[x], key)) {
                mask.setPixel(x, y, 1);
                row[x] = qRgba(0, 0, 0, qAlpha(row[x]));
            }
        }
    }
    return mask;
}

QImage ApplyKeyMask(const QImage& source, const QImage& mask)
{
    QImage out = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height() && y < mask.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width() && x < mask.width(); ++x) {
            if (mask.pixelIndex(x, y) == 1)
                row[x] = qRgba(0, 0, 0, 0);
        }
    }
    return out;
}
