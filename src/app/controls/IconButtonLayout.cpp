#include "app/controls/IconButtonLayout.h"

namespace {

int CentredStart(int start, int extent, int size)
{
    return start + (extent - size) / 2;
}

} // namespace

QRect PlaceImage(const ImageLayoutParams& params, bool hasCaption, const QRect& itemRect,
    QRect& captionRect, bool pressed, int w, int h)
{
    int left = itemRect.x();
    int top = itemRect.y();
    const int itemWidth = itemRect.width();
    const int itemHeight = itemRect.height();

    switch (params.placement) {
    case ImagePlacement::Left:
        if (hasCaption) {
            left += params.imageIndent + params.margin.x();
            captionRect.setLeft(captionRect.left() + params.margin.x() + w);
        } else {
            left = CentredStart(left, itemWidth, w);
        }
        top = CentredStart(top, itemHeight, h);
        break;
    case ImagePlacement::Above:
        left = CentredStart(left, itemWidth, w);
        if (hasCaption) {
            top = params.margin.y();
            captionRect.setTop(captionRect.top() + h);
        } else {
            top = CentredStart(top, itemHeight, h);
        }
        break;
    case ImagePlacement::Right:
        if (hasCaption) {
            const int right = captionRect.x() + captionRect.width();
            const int newRight = right - (params.margin.x() + captionRect.x() + w);
            captionRect.setLeft(params.margin.x());
            captionRect.setWidth(newRight - captionRect.x());
            left = itemRect.x() + itemWidth - params.margin.x() - w;
            top = CentredStart(top, itemHeight, h);
        } else {
            left = CentredStart(left, itemWidth, w);
        }
        break;
    }

    QRect image(left, top, w, h);
    if (pressed && !params.toggleMode)
        image.translate(params.pressShift);
    return image;
}
