#include "app/controls/IconButton.h"
#include "app/controls/IconButtonLayout.h"
#include "app/controls/IconImages.h"
#include "platform/GdiPaint.h"

#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

QPixmap Solid(int w, int h, const QColor& colour)
{
    QPixmap pixmap(w, h);
    pixmap.fill(colour);
    return pixmap;
}

// Colours as painted: the palette's may carry more precision than a pixel.
::testing::AssertionResult Same(const QColor& painted, const QColor& expected)
{
    const bool near = std::abs(painted.red() - expected.red()) <= 1
        && std::abs(painted.green() - expected.green()) <= 1
        && std::abs(painted.blue() - expected.blue()) <= 1;
    if (near)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << painted.name().toStdString() << " is not " << expected.name().toStdString();
}

QImage Paint(CIconButton& button)
{
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void Enter(CIconButton& button)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&button, &enter);
}

TEST(IconLayoutTest, IndentAndMarginPlaceTheIconAndMoveTheCaption)
{
    ImageLayoutParams params;
    params.imageIndent = 20;
    const QRect item(0, 0, 200, 60);
    QRect caption = item;
    const QRect image = PlaceImage(params, true, item, caption, false, 32, 32);
    EXPECT_EQ(image, QRect(23, 14, 32, 32));
    EXPECT_EQ(caption.left(), 35);
    EXPECT_EQ(caption.x() + caption.width(), 200);

    QRect pressedCaption = item;
    EXPECT_EQ(
        PlaceImage(params, true, item, pressedCaption, true, 32, 32).topLeft(), QPoint(24, 15));

    QRect alone = item;
    EXPECT_EQ(PlaceImage(params, false, item, alone, false, 32, 32), QRect(84, 14, 32, 32));
    EXPECT_EQ(alone, item);
}

TEST(IconLayoutTest, ImageAboveOrRightOfTheCaption)
{
    ImageLayoutParams params;
    params.placement = ImagePlacement::Above;
    const QRect item(0, 0, 100, 80);
    QRect caption = item;
    EXPECT_EQ(PlaceImage(params, true, item, caption, false, 32, 32), QRect(34, 3, 32, 32));
    EXPECT_EQ(caption.top(), 32);

    params.placement = ImagePlacement::Right;
    caption = item;
    EXPECT_EQ(PlaceImage(params, true, item, caption, false, 32, 32), QRect(65, 24, 32, 32));
    EXPECT_EQ(caption.left(), 3);
    EXPECT_EQ(caption.x() + caption.width(), 65);
}

TEST(IconImagesTest, GreyAndDarkTruncate)
{
    EXPECT_EQ(GreyOf(qRgb(255, 255, 255)), 255);
    EXPECT_EQ(GreyOf(qRgb(1, 1, 1)), 0);
    EXPECT_EQ(GreyOf(qRgb(200, 100, 50)), 124); // 58.7 + 59.8 + 5.7 = 124.2
    EXPECT_EQ(DarkOf(255), 191);
    EXPECT_EQ(DarkOf(3), 2);

    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.setPixel(1, 0, qRgb(200, 100, 50));
    const QImage grey = ToGreyImage(image, qRgb(0, 0, 0));
    EXPECT_EQ(grey.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(grey.pixel(1, 0), qRgb(124, 124, 124));
    const QImage dark = ToDarkImage(image, qRgb(0, 0, 0));
    EXPECT_EQ(dark.pixel(1, 0), qRgb(150, 75, 37));
}

TEST(IconImagesTest, KeyColourBecomesTransparentAndBlackInTheSource)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, BitmapKeyColour);
    image.setPixel(1, 0, qRgb(10, 20, 30));
    const QImage mask = MakeKeyMask(image, BitmapKeyColour);
    EXPECT_EQ(mask.pixelIndex(0, 0), 1);
    EXPECT_EQ(mask.pixelIndex(1, 0), 0);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0u);
    const QImage drawn = ApplyKeyMask(image, mask);
    EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0);
    EXPECT_EQ(drawn.pixel(1, 0), qRgb(10, 20, 30));
}

TEST(IconButtonTest, TheSecondIconShowsWhileDisabledWithAnEmbossedCaption)
{
    CIconButton button(QStringLiteral("Connect"));
    button.resize(160, 50);
    button.SetIconPair(Solid(32, 32, Qt::green), Solid(32, 32, Qt::red));
    const QPoint inIcon(3 + 16, 25);
    EXPECT_TRUE(Same(Paint(button).pixelColor(inIcon), QColor(Qt::green)));
    button.setEnabled(false);
    const QImage disabled = Paint(button);
    EXPECT_TRUE(Same(disabled.pixelColor(inIcon), QColor(Qt::red)));

    // The caption is drawn in shadow (never darker) with a highlight one pixel down and
    // right, which shows lighter than the face at the strokes' edges.
    const int face = gdi::GetSysColour(gdi::SysColour::ButtonFace).lightness();
    const int shadow = gdi::GetSysColour(gdi::SysColour::ButtonShadow).lightness();
    int darkest = 255;
    int lightest = 0;
    for (int y = 0; y < disabled.height(); ++y) {
        for (int x = 40; x < disabled.width(); ++x) {
            darkest = std::min(darkest, disabled.pixelColor(x, y).lightness());
            lightest = std::max(lightest, disabled.pixelColor(x, y).lightness());
        }
    }
    EXPECT_GE(darkest, shadow - 2);
    EXPECT_LT(darkest, face - 40);
    EXPECT_GT(lightest, face + 4);
}

TEST(IconButtonTest, DerivedSecondIconIsGrey)
{
    CIconButton button(QString{});
    button.resize(40, 40);
    button.SetIconPair(Solid(32, 32, QColor(200, 100, 50)), CIconButton::SecondImage::Grey);
    button.setEnabled(false);
    EXPECT_TRUE(Same(Paint(button).pixelColor(20, 20), QColor(124, 124, 124)));
}

TEST(IconButtonTest, ALampNeverLooksPressedNorHot)
{
    CIconButton lamp(QStringLiteral("GOOD"));
    lamp.resize(100, 50);
    lamp.SetIconPair(Solid(40, 40, Qt::green), Solid(40, 40, Qt::darkGray));
    lamp.m_bIsPassive = true;
    Enter(lamp);
    EXPECT_FALSE(lamp.IsHot());
    QTest::mousePress(&lamp, Qt::LeftButton, {}, QPoint(10, 10));
    Paint(lamp);
    EXPECT_FALSE(lamp.WasDrawnPressed());
    QTest::mouseRelease(&lamp, Qt::LeftButton, {}, QPoint(10, 10));
}

TEST(IconButtonTest, AFlatButtonIsRaisedOnlyWhileTheMouseIsOverIt)
{
    CIconButton button(QStringLiteral("Flat"));
    button.resize(80, 30);
    const QColor light = gdi::GetSysColour(gdi::SysColour::ButtonLight);
    const QColor face = gdi::GetSysColour(gdi::SysColour::ButtonFace);
    EXPECT_TRUE(Same(Paint(button).pixelColor(0, 0), face));
    Enter(button);
    EXPECT_TRUE(button.IsHot());
    const QImage hot = Paint(button);
    EXPECT_TRUE(button.IsHot());
    EXPECT_TRUE(Same(hot.pixelColor(0, 0), light));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.IsHot());

    Enter(button);
    button.setEnabled(false);
    EXPECT_FALSE(button.IsHot());
}

TEST(IconButtonTest, ARaisedButtonHasFourEdgesAndAShadowFrameWhenPressed)
{
    CIconButton button(QString{});
    button.resize(60, 40);
    button.m_bBorderOnHover = false;
    button.SetIconPair(Solid(10, 10, Qt::blue));
    using gdi::SysColour;
    const QImage rest = Paint(button);
    EXPECT_TRUE(Same(rest.pixelColor(0, 0), gdi::GetSysColour(SysColour::ButtonLight)));
    EXPECT_TRUE(Same(rest.pixelColor(1, 1), gdi::GetSysColour(SysColour::Light3D)));
    EXPECT_TRUE(Same(rest.pixelColor(59, 39), gdi::GetSysColour(SysColour::DarkShadow3D)));
    EXPECT_TRUE(Same(rest.pixelColor(58, 38), gdi::GetSysColour(SysColour::ButtonShadow)));
    EXPECT_TRUE(Same(rest.pixelColor(25, 15), QColor(Qt::blue)));

    button.setDown(true);
    const QImage pressed = Paint(button);
    EXPECT_TRUE(button.WasDrawnPressed());
    EXPECT_TRUE(Same(pressed.pixelColor(0, 0), gdi::GetSysColour(SysColour::ButtonShadow)));
    EXPECT_TRUE(Same(pressed.pixelColor(59, 39), gdi::GetSysColour(SysColour::ButtonShadow)));
    // The image moved one pixel right and down.
    EXPECT_FALSE(Same(pressed.pixelColor(25, 15), QColor(Qt::blue)));
    EXPECT_TRUE(Same(pressed.pixelColor(35, 25), QColor(Qt::blue)));
    EXPECT_FALSE(Same(rest.pixelColor(35, 25), QColor(Qt::blue)));
}

TEST(IconButtonTest, BitmapKeyColourShowsTheFace)
{
    CIconButton button(QString{});
    button.resize(20, 20);
    QImage bitmap(10, 10, QImage::Format_RGB32);
    bitmap.fill(Qt::blue);
    bitmap.setPixel(0, 0, BitmapKeyColour);
    button.SetBitmapPair(bitmap);
    const QImage drawn = Paint(button);
    EXPECT_TRUE(Same(drawn.pixelColor(5, 5), gdi::GetSysColour(gdi::SysColour::ButtonFace)));
    EXPECT_TRUE(Same(drawn.pixelColor(6, 6), QColor(Qt::blue)));
}

} // namespace
