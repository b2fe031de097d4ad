#include "display/grid/OffscreenDC.h"
#include "platform/GdiPaint.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(OffscreenDC, DrawsOnlyTheClipBoxAndCopiesItOnDestruction)
{
    QImage target(100, 80, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        painter.setClipRect(QRect(20, 10, 30, 40));
        painter.setBackground(QColor(0, 0, 255));
        COffscreenDC offscreen(&painter);
        ASSERT_TRUE(offscreen.IsMemoryDC());
        EXPECT_NE(offscreen.Painter(), &painter);
        EXPECT_EQ(COffscreenDC::ClipBox(offscreen.Painter()), QRect(20, 10, 30, 40));
        // Nothing reaches the target before the buffer is copied.
        offscreen.Painter()->fillRect(QRect(25, 15, 5, 5), Qt::red);
        EXPECT_EQ(QColor(target.pixel(26, 16)), QColor(Qt::white));
        offscreen.Painter()->fillRect(QRect(0, 0, 100, 80), QColor(0, 200, 0));
    }
    EXPECT_EQ(QColor(target.pixel(20, 10)), QColor(0, 200, 0));
    EXPECT_EQ(QColor(target.pixel(49, 49)), QColor(0, 200, 0));
    EXPECT_EQ(QColor(target.pixel(19, 10)), QColor(Qt::white));
    EXPECT_EQ(QColor(target.pixel(50, 30)), QColor(Qt::white));
}

TEST(OffscreenDC, StartsFromTheTargetsBackgroundColour)
{
    QImage target(40, 40, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        painter.setClipRect(QRect(0, 0, 10, 10));
        painter.setBackground(QColor(0, 0, 255));
        COffscreenDC offscreen(&painter);
    }
    EXPECT_EQ(QColor(target.pixel(5, 5)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(target.pixel(15, 15)), QColor(Qt::white));
}

TEST(OffscreenDC, APrinterIsDrawnOnDirectly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("grid.pdf")));
    printer.setColorMode(QPrinter::GrayScale);
    QPainter painter(&printer);
    ASSERT_TRUE(painter.isActive());
    EXPECT_TRUE(gdi::IsPrinter(&printer));
    EXPECT_TRUE(gdi::IsMonochromePrinter(&printer));
    COffscreenDC offscreen(&painter);
    EXPECT_FALSE(offscreen.IsMemoryDC());
    EXPECT_EQ(offscreen.Painter(), &painter);
}

TEST(OffscreenDC, AnInactivePainterHasNoClipBox)
{
    QPainter idle;
    EXPECT_TRUE(COffscreenDC::ClipBox(&idle).isNull());
    EXPECT_TRUE(COffscreenDC::ClipBox(nullptr).isNull());
    QImage image(10, 10, QImage::Format_RGB32);
    EXPECT_FALSE(gdi::IsPrinter(&image));
}

} // namespace
