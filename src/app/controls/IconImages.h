#pragma once

#include <QImage>
#include <QRgb>

// Derived images of the icon button. Each returns a new image of the same size; pixels of
// the kept colour (black for icons, the key colour for bitmaps) and the alpha channel stay
// as they are. Arithmetic in double precision, each result truncated toward zero.

// g = trunc(G x 0.587 + R x 0.299 + B x 0.114) on every channel.
QImage ToGreyImage(const QImage& source, QRgb kept);
// Each channel c becomes trunc(c - c x 0.25).
QImage ToDarkImage(const QImage& source, QRgb kept);

// Grey value of one pixel by the rule of ToGreyImage.
int GreyOf(QRgb pixel);
// Channel value after darkening by the rule of ToDarkImage.
int DarkOf(int channel);

// The transparent colour of bitmap images.
inline constexpr QRgb BitmapKeyColour = 0xFFFF00FF;

// A mask that is 1 where the source has the key colour (Format_Mono, colour 1 = key); the
// key-coloured pixels of the source itself are turned black, so the source can be laid over
// a background through the mask.
QImage MakeKeyMask(QImage& source, QRgb key);

// The source with the key-coloured pixels made fully transparent, for drawing.
QImage ApplyKeyMask(const QImage& source, const QImage& mask);
