#include "app/controls/IconButton.h"
#include "app/controls/IconImages.h"
#include "platform/GdiPaint.h"

#include <QEnterEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using gdi::GetSysColour;
using gdi::SysColour;

QPixmap Solid(int size, const QColor& colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(colour);
    return pixmap;
}

// Colours as painted: the palette's may carry more precision than a pixel.
::testing::AssertionResult Painted(CIconButton& button, QPoint at, const QColor& expected)
{
    const QColor c = button.grab().toImage().convertToFormat(QImage::Format_RGB32).pixelColor(at);
    if (std::abs(c.red() - expected.red()) <= 1 && std::abs(c.green() - expected.green()) <= 1
        && std::abs(c.blue() - expected.blue()) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << c.name().toStdString() << " is not " << expected.name().toStdString();
}

void Enter(CIconButton& button)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&button, &enter);
}

// Only an active button rises under the mouse and sinks when pressed; a lamp never does.
TEST(IconButtonTest, OnlyAnActiveButtonRisesUnderTheMouseAndSinksWhenPressed)
{
    CIconButton flat(QStringLiteral("Flat"));
    flat.resize(80, 30);
    EXPECT_TRUE(Painted(flat, {0, 0}, GetSysColour(SysColour::ButtonFace)));
    Enter(flat);
    EXPECT_TRUE(Painted(flat, {0, 0}, GetSysColour(SysColour::ButtonLight)));
    EXPECT_TRUE(flat.IsHot()); // painting keeps it
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&flat, &leave);
    EXPECT_FALSE(flat.IsHot());
    Enter(flat);
    flat.setEnabled(false);
    EXPECT_FALSE(flat.IsHot());

    // Pressed, the frame turns to shadow and the image moves one pixel right and down.
    CIconButton raised(QString{});
    raised.resize(60, 40);
    raised.m_bBorderOnHover = false;
    raised.SetIconPair(Solid(10, Qt::blue));
    EXPECT_TRUE(Painted(raised, {0, 0}, GetSysColour(SysColour::ButtonLight)));
    EXPECT_FALSE(Painted(raised, {35, 25}, Qt::blue));
    raised.setDown(true);
    EXPECT_TRUE(Painted(raised, {0, 0}, GetSysColour(SysColour::ButtonShadow)));
    EXPECT_TRUE(raised.WasDrawnPressed());
    EXPECT_TRUE(Painted(raised, {35, 25}, Qt::blue));

    CIconButton lamp(QStringLiteral("GOOD"));
    lamp.resize(100, 50);
    lamp.SetIconPair(Solid(40, Qt::green), Solid(40, Qt::darkGray));
    lamp.m_bIsPassive = true;
    Enter(lamp);
    EXPECT_FALSE(lamp.IsHot());
    QTest::mousePress(&lamp, Qt::LeftButton, {}, QPoint(10, 10));
    lamp.grab();
    EXPECT_FALSE(lamp.WasDrawnPressed());
    QTest::mouseRelease(&lamp, Qt::LeftButton, {}, QPoint(10, 10));
}

// The caption in shadow with a highlight one pixel down and right; a bitmap's key shows face.
TEST(IconButtonTest, DisabledShowsTheSecondImageAndAnEmbossedCaption)
{
    CIconButton button(QStringLiteral("Connect"));
    button.resize(160, 50);
    button.SetIconPair(Solid(32, Qt::green), Solid(32, Qt::red));
    EXPECT_TRUE(Painted(button, {19, 25}, Qt::green));
    button.setEnabled(false);
    EXPECT_TRUE(Painted(button, {19, 25}, Qt::red));
    const QImage disabled = button.grab().toImage();
    int darkest = 255;
    int lightest = 0;
    for (int y = 0; y < disabled.height(); ++y) {
        for (int x = 40; x < disabled.width(); ++x) { // right of the image
            darkest = std::min(darkest, disabled.pixelColor(x, y).lightness());
            lightest = std::max(lightest, disabled.pixelColor(x, y).lightness());
        }
    }
    const int face = GetSysColour(SysColour::ButtonFace).lightness();
    EXPECT_GE(darkest, GetSysColour(SysColour::ButtonShadow).lightness() - 2);
    EXPECT_LT(darkest, face - 40);
    EXPECT_GT(lightest, face + 4);
    button.SetIconPair(Solid(32, QColor(200, 100, 50)), CIconButton::SecondImage::Grey);
    EXPECT_TRUE(Painted(button, {19, 25}, QColor(124, 124, 124)));
    QImage bitmap = Solid(10, Qt::blue).toImage().convertToFormat(QImage::Format_RGB32);
    bitmap.setPixel(0, 0, BitmapKeyColour);
    button.setEnabled(true);
    button.SetBitmapPair(bitmap);
    EXPECT_TRUE(Painted(button, {3, 20}, GetSysColour(SysColour::ButtonFace)));
    EXPECT_TRUE(Painted(button, {4, 21}, Qt::blue));
}

// Never a blank button in silence: no image at all, and said; a pair may name one file.
TEST(IconButtonTest, AnImageFileThatCannotBeReadIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString icon = dir.filePath(QStringLiteral("icon.png"));
    ASSERT_TRUE(Solid(8, Qt::green).save(icon));
    const QString missing = dir.filePath(QStringLiteral("missing.png"));
    CIconButton button(QStringLiteral("Lamp"));
    EXPECT_EQ(button.SetIconPair(icon), CIconButton::ImageResultOk);
    EXPECT_TRUE(button.HasIcon());
    EXPECT_EQ(button.SetIconPair(icon, missing), CIconButton::ImageResultUnreadable);
    EXPECT_FALSE(button.HasIcon()); // nothing half set
    CIconButton plain{QString()};
    plain.resize(40, 40);
    EXPECT_EQ(plain.SetBitmapPair(icon), CIconButton::ImageResultOk);
    EXPECT_TRUE(Painted(plain, {20, 20}, Qt::green));
    EXPECT_EQ(plain.SetBitmapPair(icon, missing), CIconButton::ImageResultUnreadable);
    EXPECT_TRUE(Painted(plain, {20, 20}, GetSysColour(SysColour::ButtonFace)));
}

} // namespace
