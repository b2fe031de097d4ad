#pragma once

#include "app/controls/IconButtonLayout.h"

#include <QImage>
#include <QPixmap>
#include <QPushButton>

class QPainter;

// A push button that paints itself: an icon or a bitmap beside (or instead of) its caption,
// and by default a flat look that shows a raised border only while the mouse is over it.
// A passive button is a lamp: never drawn pressed, no hover, its image following only its
// enabled state (the second image of a pair is shown while disabled).
class CIconButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CIconButton(const QString& caption, QWidget* parent = nullptr);

    // Stand-ins for a second image made from the first.
    enum class SecondImage
    {
        Grey = -2,
        Dark = -3
    };
    enum ImageResult
    {
        ImageResultOk = 0,
        ImageResultUnreadable = 1,
        ImageResultNoMask = 2
    };

    // Icon 0 is shown while enabled, icon 1 (when set) while disabled. A null icon 0 clears
    // the images. Icons keep their own transparency.
    int SetIconPair(const QPixmap& icon0, const QPixmap& icon1 = QPixmap());
    int SetIconPair(const QPixmap& icon0, SecondImage second);
    // Bitmap 0 is drawn transparent where it is RGB(255, 0, 255); a real bitmap 1 is drawn
    // transparent where it is black. Bitmap 1 is shown at rest, bitmap 0 while hot or pressed.
    int SetBitmapPair(const QImage& bitmap0, const QImage& bitmap1 = QImage());
    int SetBitmapPair(const QImage& bitmap0, SecondImage second);
    // The same, read from image files (resource paths too). An empty name is no image; a
    // named file that cannot be read gives ImageResultUnreadable and leaves no image at all,
    // so the caller learns of a missing icon instead of showing a blank button.
    int SetIconPair(const QString& icon0File, const QString& icon1File = QString());
    int SetBitmapPair(const QString& bitmap0File, const QString& bitmap1File = QString());

    bool HasIcon() const { return !m_icon[0].isNull(); }
    bool IsHot() const { return m_bHot; }
    // True when the last paint drew the button pressed.
    bool WasDrawnPressed() const { return m_bDrawPressed; }

    // Set directly by the users, who repaint the button afterwards.
    bool m_bEmbossDisabledBitmap = true;
    bool m_bIsPassive = false;
    bool m_bBorderOnHover = true; // flat: no 3-D border unless hot or pressed
    bool m_bShowEdges = true;
    bool m_bFocusFrameWhenFlat = false;
    bool m_bHoverWhenInactive = true;
    ImageLayoutParams m_layout;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

    virtual void PaintFace(QPainter& painter, QRect& rect);
    virtual void PaintEdges(QPainter& painter, const QRect& rect);
    virtual void DrawIconImage(QPainter& painter, bool hasCaption, const QRect& itemRect,
        QRect& captionRect, bool pressed, bool disabled);
    virtual void DrawBitmapImage(QPainter& painter, bool hasCaption, const QRect& itemRect,
        QRect& captionRect, bool pressed, bool disabled);
    virtual void DrawCaption(QPainter& painter, const QString& text, const QRect& itemRect,
        const QRect& captionRect, bool pressed, bool disabled);

private:
    bool IsFlat() const { return m_bBorderOnHover; }
    void SetHot(bool hot);
    void ClearImages();
    // False when no mask could be made of the image.
    bool SetBitmap(int index, const QImage& image, QRgb key);

    QPixmap m_icon[2];
    QImage m_bitmap[2]; // key-coloured pixels already made transparent
    bool m_bHot = false;
    bool m_bDrawPressed = false;
    bool m_bDrawFocused = false;
    bool m_bDrawDisabled = false;
};
