#include "display/GraphLayout.h"
#include "display/GraphPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int W = 400;
constexpr int H = 300;
constexpr QRgb Back = 0xFFF0F0F0;
constexpr QRgb Blue = 0xFF0000FF;

// The painter drawn into an image the size of its target; the picture lies at (5, 0) and
// the plot at (55, 20) of the image.
class GraphPainterTest : public ::testing::Test
{
protected:
    QImage Render(int points = 10, GraphScale scale = {10, 1.0f})
    {
        QImage image(W, H, QImage::Format_RGB32);
        image.fill(0xFF808080);
        QPainter painter(&image);
        graph.Draw(painter, GdiRect(0, 0, W, H), W, H, points, scale.top, scale.step,
            QColor::fromRgb(Back));
        return image;
    }
    // A pixel of the plot, in plot coordinates.
    static QRgb Plot(const QImage& image, int x, int y) { return image.pixel(x + 55, y + 20); }
    int CountOf(const QImage& image, QRgb colour) const
    {
        int count = 0;
        for (int y = 0; y < layout.PlotHeight(); ++y)
            for (int x = 0; x <= layout.PlotWidth(); ++x)
                count += Plot(image, x, y) == colour;
        return count;
    }

    CGraphPainter graph;
    const GraphLayout layout{W, H, 10};
    const GraphScale scale{10, 1.0f};
};

TEST_F(GraphPainterTest, PlotLabelsPointsAndScaleFitThePicture)
{
    // The plot, its right border column and the last point number inside the picture.
    EXPECT_LE(GraphLayout::PlotLeft + layout.PlotImageRect().width(), layout.OuterWidth());
    EXPECT_LE(layout.PointLabelRect(9).right(), layout.OuterWidth());
    EXPECT_EQ(std::make_pair(layout.X(0), layout.X(9)), std::make_pair(0, layout.PlotWidth()));
    // Each line's label is centred 1.5 pixels below the line as the picture holds it.
    EXPECT_DOUBLE_EQ(layout.ValueLabelCentreY(0), 22.5);
    for (int j = 1; j < 10; ++j)
        EXPECT_DOUBLE_EQ(
            layout.ValueLabelCentreY(j), layout.HorizontalGridY(j) + GraphLayout::PlotTop + 1.5)
            << j;
    // The last point's number sits left of its x, the others right of theirs.
    const GraphLayout five(W, H, 5);
    EXPECT_EQ(five.PointLabelRect(4).right(), five.PlotWidth() / 9 * 4 + 50);
    EXPECT_EQ(five.PointLabelRect(9).left(), five.PlotWidth() / 9 * 9 + 50);
    EXPECT_EQ(GraphLayout(W, H, 1).X(5), 0);
    // A plot one pixel wide is too small to draw in.
    EXPECT_FALSE(GraphLayout(72, H, 10).IsDrawable());
    EXPECT_TRUE(GraphLayout(73, H, 10).IsDrawable());
    // The scale puts its bottom and top at the plot's edges and never overflows.
    EXPECT_EQ(std::make_pair(scale.Y(1.0f, 230), scale.Y(10.0f, 230)), std::make_pair(229, -1));
    const GraphScale flat{5, 0.0f};
    EXPECT_LE(std::abs(flat.Y(7.0f, 230)), 1000000);
    EXPECT_EQ(flat.Y(std::nanf(""), 230), 0);
    EXPECT_EQ(scale.Y(1e30f, 230), -1000000);
}

TEST_F(GraphPainterTest, SeriesInTheirColoursFromTheOldestSlot)
{
    const int ph = layout.PlotHeight();
    const int pw = layout.PlotWidth();
    for (int k = 0; k < 10; ++k) {
        graph.m_fSeries[0][k] = 1.0f; // the bottom
        graph.m_fSeries[3][k] = 10.0f; // the top
        graph.m_fSeries[6][k] = 5.0f; // not shown
        graph.m_fSeries[1][k] = 5.0f;
    }
    graph.m_bShown[0] = graph.m_bShown[3] = graph.m_bShown[1] = 1;
    // Channel 2: slot 3 the oldest (left), slot 2 the newest (right), which reaches the right
    // border while the border stays visible beside it.
    graph.m_nStart = 3;
    graph.m_fSeries[1][3] = graph.m_fSeries[1][4] = 3.0f;
    graph.m_fSeries[1][1] = graph.m_fSeries[1][2] = 8.0f;
    const QImage image = Render();
    const int low = scale.Y(3.0f, ph);
    const int high = scale.Y(8.0f, ph);
    const QRgb red = GraphSeriesColours[0];
    const QRgb orange = GraphSeriesColours[1];
    EXPECT_EQ(
        (std::vector<QRgb>{Plot(image, 0, ph - 1), Plot(image, pw - 1, ph - 1), Plot(image, 0, low),
            Plot(image, layout.X(1) - 1, low), Plot(image, layout.X(4), scale.Y(5.0f, ph)),
            Plot(image, layout.X(8) + 1, high), Plot(image, pw - 1, high), Plot(image, pw, high)}),
        (std::vector<QRgb>{red, red, orange, orange, orange, orange, orange, Blue}));
    // The top lies at y = -1, above the plot.
    EXPECT_EQ(CountOf(image, GraphSeriesColours[3]) + CountOf(image, GraphSeriesColours[6]), 0);
}

TEST_F(GraphPainterTest, TheBackgroundIsBuiltOnlyWhenItChangesAndNeverOutsideItsTarget)
{
    Render();
    // New values alone are drawn from the same background.
    graph.m_bShown[4] = 1;
    for (float& v : graph.m_fSeries[4])
        v = 4.0f;
    const QImage image = Render();
    EXPECT_EQ(graph.BackgroundBuilds(), 1);
    EXPECT_EQ(Plot(image, 30, scale.Y(4.0f, layout.PlotHeight())), GraphSeriesColours[4]);
    Render(10, {20, 1.0f});
    Render(10, {20, 2.0f});
    Render(9, {20, 2.0f});
    EXPECT_EQ(graph.BackgroundBuilds(), 4);
    // A target too small for a plot draws the picture alone, and one of no size nothing.
    QImage small(60, 40, QImage::Format_RGB32);
    small.fill(0xFF808080);
    QPainter painter(&small);
    graph.Draw(painter, GdiRect(0, 0, 60, 40), 60, 40, 10, 10, 1.0f, QColor::fromRgb(Back));
    graph.Draw(painter, GdiRect(0, 0, 10, 5), 10, 5, 0, 10, 0.0f, QColor::fromRgb(Back));
    painter.end();
    EXPECT_EQ(small.pixel(2, 2), 0xFF808080u);
    EXPECT_EQ(small.pixel(44, 29), Back);
}

} // namespace
