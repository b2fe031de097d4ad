#pragma once

#include <QPoint>
#include <QRect>

// Where the icon button puts its image and its caption. Rectangles hold GDI numbers: left
// and top inside, right (x + width) and bottom (y + height) just outside.
enum class ImagePlacement
{
    Left = 0,
    Above = 1,
    Right = 2
};

struct ImageLayoutParams
{
    ImagePlacement placement = ImagePlacement::Left;
    QPoint margin{3, 3}; // gap between the button's edge and the image
    QPoint pressShift{1, 1}; // move of image and caption while drawn pressed
    int imageIndent = 0; // extra left indent beside a caption
    bool toggleMode = false;
};

// The image rectangle of a w x h image in itemRect; moves the caption rectangle's edges to
// leave room for the image when there is a caption.
QRect PlaceImage(const ImageLayoutParams& params, bool hasCaption, const QRect& itemRect,
    QRect& captionRect, bool pressed, int w, int h);
