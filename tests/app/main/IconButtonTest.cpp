#include "app/controls/IconButton.h"
#include "platform/GdiPaint.h"

#include <QHBoxLayout>
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

// Disabled: the second image, the caption in shadow with a highlight one pixel down and right;
// a lamp never sinks; an image file that cannot be read leaves no image at all, and is said.
TEST(IconButtonTest, DisabledShowsTheSecondImageAndAnEmbossedCaption)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CIconButton button(QStringLiteral("Connect"));
    button.resize(160, 50);
    button.SetIconPair(Solid(32, Qt::green), Solid(32, Qt::red));
    EXPECT_TRUE(Painted(button, {34, 25}, Qt::green)); // after the margin, not shifted
    EXPECT_FALSE(Painted(button, {35, 25}, Qt::green));
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
    button.setEnabled(true);
    button.m_bIsPassive = true;
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    button.grab();
    EXPECT_FALSE(button.WasDrawnPressed());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    const QString icon = dir.filePath(QStringLiteral("icon.png"));
    ASSERT_TRUE(Solid(8, Qt::green).save(icon));
    const QString missing = dir.filePath(QStringLiteral("missing.png"));
    EXPECT_EQ(button.SetIconPair(icon), CIconButton::ImageResultOk);
    EXPECT_EQ(button.SetIconPair(icon, missing), CIconButton::ImageResultUnreadable);
    EXPECT_FALSE(button.HasIcon()); // nothing half set
}

// Only a flat button with edges rises, and only while the mouse is over it; a lamp never
// does. Disabled, a grey second image shows in the image's own grey.
TEST(IconButtonTest, AFlatButtonRisesOnlyWhileTheMouseIsOverIt)
{
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* button = new CIconButton(QStringLiteral("Connect"));
    auto* beside = new QWidget;
    button->setFixedSize(160, 50);
    layout->addWidget(button);
    layout->addWidget(beside);
    window.resize(400, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QColor face = GetSysColour(SysColour::ButtonFace);
    const QPoint corner(0, 0), farCorner(159, 49);
    const auto hover = [&](bool over) {
        QTest::mouseMove(over ? static_cast<QWidget*>(button) : beside, QPoint(20, 20));
    };
    EXPECT_TRUE(Painted(*button, corner, face));
    hover(true);
    ASSERT_TRUE(button->IsHot());
    EXPECT_TRUE(Painted(*button, corner, GetSysColour(SysColour::ButtonLight)));
    EXPECT_TRUE(Painted(*button, farCorner, GetSysColour(SysColour::ButtonShadow)));
    hover(false);
    EXPECT_FALSE(button->IsHot());
    EXPECT_TRUE(Painted(*button, corner, face));
    button->m_bShowEdges = false;
    hover(true);
    EXPECT_TRUE(button->IsHot() && Painted(*button, corner, face));
    button->setEnabled(false); // disabling ends the hover; enabled, a move starts it again
    EXPECT_FALSE(button->IsHot());
    button->setEnabled(true);
    QTest::mouseMove(button, QPoint(30, 20));
    EXPECT_TRUE(button->IsHot());
    hover(false);
    button->m_bIsPassive = true;
    hover(true);
    EXPECT_FALSE(button->IsHot());
    // 200, 100, 50 weighs 0.299, 0.587 and 0.114 to 124.
    button->SetIconPair(Solid(32, QColor(200, 100, 50)), CIconButton::SecondImage::Grey);
    button->setEnabled(false);
    EXPECT_TRUE(Painted(*button, {19, 25}, QColor(124, 124, 124)));
}

} // namespace
