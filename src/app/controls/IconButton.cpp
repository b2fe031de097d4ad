#include "app/controls/IconButton.h"

#include "app/controls/IconImages.h"
#include "platform/GdiPaint.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

using gdi::GetSysColour;
using gdi::SysColour;

// The GDI numbers of a widget rectangle: right and bottom just outside.
QRect ToGdi(const QRect& r)
{
    return QRect(r.topLeft(), QPoint(r.x() + r.width(), r.y() + r.height()));
}

// Light top-left, dark bottom-right, one pixel, as the GDI's Draw3dRect.
void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    painter.fillRect(QRect(r.x(), r.y(), r.width() - 1, 1), topLeft);
    painter.fillRect(QRect(r.x(), r.y(), 1, r.height() - 1), topLeft);
    painter.fillRect(QRect(r.x() + r.width() - 1, r.y(), 1, r.height()), bottomRight);
    painter.fillRect(QRect(r.x(), r.y() + r.height() - 1, r.width(), 1), bottomRight);
}

// An image laid flat in one colour wherever it is neither transparent nor white, as the
// GDI's disabled-state drawing sees its shape.
QImage Silhouette(const QImage& image, const QColor& colour)
{
    QImage out(image.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 127 && (p & 0x00FFFFFF) != 0x00FFFFFF)
                out.setPixel(x, y, colour.rgb());
        }
    }
    return out;
}

// Reads an image file into image; an empty name reads nothing and succeeds.
template <class Image> bool ReadImageFile(const QString& file, Image& image)
{
    image = Image();
    return file.isEmpty() || image.load(file);
}

} // namespace

CIconButton::CIconButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void CIconButton::ClearImages()
{
    for (int i = 0; i < 2; ++i) {
        m_icon[i] = QPixmap();
        m_bitmap[i] = QImage();
    }
}

int CIconButton::SetIconPair(const QPixmap& icon0, const QPixmap& icon1)
{
    ClearImages();
    if (!icon0.isNull()) {
        m_icon[0] = icon0;
        m_icon[1] = icon1;
    }
    update();
    return ImageResultOk;
}

int CIconButton::SetIconPair(const QPixmap& icon0, SecondImage second)
{
    if (icon0.isNull())
        return SetIconPair(icon0);
    const QImage source = icon0.toImage();
    const QImage derived = second == SecondImage::Grey ? ToGreyImage(source, 0xFF000000)
                                                       : ToDarkImage(source, 0xFF000000);
    return SetIconPair(icon0, QPixmap::fromImage(derived));
}

bool CIconButton::SetBitmap(int index, const QImage& image, QRgb key)
{
    QImage source = image;
    const QImage mask = MakeKeyMask(source, key);
    if (mask.isNull())
        return false;
    m_bitmap[index] = ApplyKeyMask(source, mask);
    return !m_bitmap[index].isNull();
}

int CIconButton::SetBitmapPair(const QImage& bitmap0, const QImage& bitmap1)
{
    ClearImages();
    int result = ImageResultOk;
    if (!bitmap0.isNull()) {
        if (!SetBitmap(0, bitmap0, BitmapKeyColour)
            || (!bitmap1.isNull() && !SetBitmap(1, bitmap1, 0xFF000000)))
            result = ImageResultNoMask;
    }
    if (result != ImageResultOk)
        ClearImages();
    update();
    return result;
}

int CIconButton::SetBitmapPair(const QImage& bitmap0, SecondImage second)
{
    if (bitmap0.isNull())
        return SetBitmapPair(bitmap0);
    const QImage derived = second == SecondImage::Grey ? ToGreyImage(bitmap0, BitmapKeyColour)
                                                       : ToDarkImage(bitmap0, BitmapKeyColour);
    ClearImages();
    const bool masked
        = SetBitmap(0, bitmap0, BitmapKeyColour) && SetBitmap(1, derived, BitmapKeyColour);
    if (!masked)
        ClearImages();
    update();
    return masked ? ImageResultOk : ImageResultNoMask;
}

int CIconButton::SetIconPair(const QString& icon0File, const QString& icon1File)
{
    QPixmap icon0;
    QPixmap icon1;
    if (!ReadImageFile(icon0File, icon0) || !ReadImageFile(icon1File, icon1)) {
        ClearImages();
        update();
        return ImageResultUnreadable;
    }
    return SetIconPair(icon0, icon1);
}

int CIconButton::SetBitmapPair(const QString& bitmap0File, const QString& bitmap1File)
{
    QImage bitmap0;
    QImage bitmap1;
    if (!ReadImageFile(bitmap0File, bitmap0) || !ReadImageFile(bitmap1File, bitmap1)) {
        ClearImages();
        update();
        return ImageResultUnreadable;
    }
    return SetBitmapPair(bitmap0, bitmap1);
}

void CIconButton::paintEvent(QPaintEvent*)
{
    m_bDrawPressed = isDown() && !m_bIsPassive;
    m_bDrawFocused = hasFocus();
    m_bDrawDisabled = !isEnabled();

    QPainter painter(this);
    QRect face = rect();
    PaintFace(painter, face);
    PaintEdges(painter, rect());

    const QString caption = text();
    QRect captionRect = rect();
    if (!m_icon[0].isNull())
        DrawIconImage(
            painter, !caption.isEmpty(), rect(), captionRect, m_bDrawPressed, m_bDrawDisabled);
    if (!m_bitmap[0].isNull())
        DrawBitmapImage(
            painter, !caption.isEmpty(), rect(), captionRect, m_bDrawPressed, m_bDrawDisabled);
    if (!caption.isEmpty())
        DrawCaption(painter, caption, rect(), captionRect, m_bDrawPressed, m_bDrawDisabled);

    if ((!IsFlat() || m_bFocusFrameWhenFlat) && m_bDrawFocused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CIconButton::PaintFace(QPainter& painter, QRect& rect)
{
    if (!IsFlat() && (m_bDrawFocused || isDefault())) {
        gdi::FrameRect(painter, ToGdi(rect), Qt::black);
        rect.adjust(1, 1, -1, -1);
    }
    // Hot, pressed, focused and normal faces all take the button face colour.
    gdi::FillRect(painter, ToGdi(rect), GetSysColour(SysColour::ButtonFace));
}

void CIconButton::PaintEdges(QPainter& painter, const QRect& r)
{
    const QColor shadow = GetSysColour(SysColour::ButtonShadow);
    const QColor light = GetSysColour(SysColour::ButtonLight);
    if (m_bDrawPressed) {
        if (IsFlat()) {
            if (m_bShowEdges)
                Draw3dRect(painter, r, shadow, light);
        } else {
            gdi::FrameRect(painter, ToGdi(r), shadow);
        }
        return;
    }
    if (IsFlat()) {
        if (m_bHot && m_bShowEdges)
            Draw3dRect(painter, r, light, shadow);
        return;
    }
    const int left = r.x();
    const int top = r.y();
    const int right = r.x() + r.width();
    const int bottom = r.y() + r.height();
    const QColor light3d = GetSysColour(SysColour::Light3D);
    const QColor dark = GetSysColour(SysColour::DarkShadow3D);
    gdi::Line(painter, {left, bottom - 1}, {left, top}, light);
    gdi::Line(painter, {left, top}, {right, top}, light);
    gdi::Line(painter, {left + 1, bottom - 1}, {left + 1, top + 1}, light3d);
    gdi::Line(painter, {left + 1, top + 1}, {right, top + 1}, light3d);
    gdi::Line(painter, {left, bottom - 1}, {right - 1, bottom - 1}, dark);
    gdi::Line(painter, {right - 1, bottom - 1}, {right - 1, top - 1}, dark);
    gdi::Line(painter, {left + 1, bottom - 2}, {right - 2, bottom - 2}, shadow);
    gdi::Line(painter, {right - 2, bottom - 2}, {right - 2, top}, shadow);
}

void CIconButton::DrawIconImage(QPainter& painter, bool hasCaption, const QRect& itemRect,
    QRect& captionRect, bool pressed, bool disabled)
{
    const QPixmap& icon = (disabled && !m_icon[1].isNull()) ? m_icon[1] : m_icon[0];
    const QRect place = PlaceImage(
        m_layout, hasCaption, itemRect, captionRect, pressed, icon.width(), icon.height());
    painter.drawPixmap(place.topLeft(), icon);
}

void CIconButton::DrawBitmapImage(QPainter& painter, bool hasCaption, const QRect& itemRect,
    QRect& captionRect, bool pressed, bool disabled)
{
    const bool rest = !pressed && (m_layout.toggleMode || !m_bHot);
    const QImage& image = (rest && !m_bitmap[1].isNull()) ? m_bitmap[1] : m_bitmap[0];
    const QRect place = PlaceImage(
        m_layout, hasCaption, itemRect, captionRect, pressed, image.width(), image.height());
    if (disabled && m_bEmbossDisabledBitmap) {
        painter.drawImage(place.topLeft() + QPoint(1, 1),
            Silhouette(image, GetSysColour(SysColour::ButtonLight)));
        painter.drawImage(
            place.topLeft(), Silhouette(image, GetSysColour(SysColour::ButtonShadow)));
        return;
    }
    painter.drawImage(place.topLeft(), image);
}

void CIconButton::DrawCaption(QPainter& painter, const QString& text, const QRect&,
    const QRect& captionRect, bool pressed, bool disabled)
{
    QRect area = captionRect;
    if (pressed && !m_layout.toggleMode)
        area.translate(m_layout.pressShift);
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap;
    QRect measured = painter.fontMetrics().boundingRect(area, flags, text);
    measured.moveTo(area.x() + (area.width() - measured.width()) / 2,
        area.y() + (area.height() - measured.height()) / 2);
    if (!disabled) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(measured, flags, text);
        return;
    }
    painter.setPen(GetSysColour(SysColour::ButtonLight));
    painter.drawText(measured.translated(1, 1), flags, text);
    painter.setPen(GetSysColour(SysColour::ButtonShadow));
    painter.drawText(measured, flags, text);
}

void CIconButton::SetHot(bool hot)
{
    if (m_bHot == hot)
        return;
    m_bHot = hot;
    update();
}

void CIconButton::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
    if (!IsFlat() || m_bIsPassive)
        return;
    if (QApplication::mouseButtons() & Qt::LeftButton)
        return;
    if (m_bHoverWhenInactive || QApplication::activeWindow())
        SetHot(true);
}

void CIconButton::mouseMoveEvent(QMouseEvent* event)
{
    QPushButton::mouseMoveEvent(event);
    if (!IsFlat() || m_bIsPassive || m_bHot || (event->buttons() & Qt::LeftButton))
        return;
    if (rect().contains(event->position().toPoint())
        && (m_bHoverWhenInactive || QApplication::activeWindow()))
        SetHot(true);
}

void CIconButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    SetHot(false);
}

void CIconButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    SetHot(false);
}

void CIconButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        SetHot(false);
    else if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        SetHot(false);
}
