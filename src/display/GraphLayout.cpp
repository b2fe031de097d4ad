#include "display/GraphLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int LabelWidth = 50;
constexpr int LabelDrop = 43; // a line's label spans from its y down by this much
constexpr int PointLabelWidth = 10;
constexpr int LastPointLabelWidth = 15;
constexpr int PointLabelHeight = 60;

// Pixel coordinates far outside any picture still fit an int and a QPainter.
int ToPixel(double value)
{
    constexpr double Limit = 1.0e6;
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -Limit, Limit));
}

} // namespace

GraphLayout::GraphLayout(int nWidth, int nHeight, int nPoints)
    : m_outerWidth(nWidth - 20)
    , m_outerHeight(nHeight - 10)
    , m_plotWidth(nWidth - 71)
    , m_plotHeight(nHeight - 70)
    , m_points(std::clamp(nPoints, 1, MaxPoints))
{
}

bool GraphLayout::IsDrawable() const
{
    return m_plotWidth > 1 && m_plotHeight > 1;
}

int GraphLayout::VerticalGridX(int i) const
{
    return static_cast<int>(static_cast<float>(m_plotWidth) / 9.0f * static_cast<float>(i));
}

int GraphLayout::HorizontalGridY(int j) const
{
    return (m_plotHeight / 9) * j;
}

QRect GraphLayout::ValueLabelRect(int j) const
{
    if (j == 0)
        return GdiRect(0, 15, LabelWidth, 30);
    // The label of line j is level with it: the line lies at y + 20 of the picture and the
    // label's middle at y + 21.5.
    const int y = HorizontalGridY(j);
    return GdiRect(0, y, LabelWidth, y + LabelDrop);
}

double GraphLayout::ValueLabelCentreY(int j) const
{
    const QRect r = ValueLabelRect(j);
    return (r.top() + r.bottom()) / 2.0;
}

QRect GraphLayout::PointLabelRect(int i) const
{
    const int x = (m_plotWidth / 9) * i + PlotLeft;
    if (i == m_points - 1)
        return GdiRect(x - LastPointLabelWidth, m_plotHeight, x, m_plotHeight + PointLabelHeight);
    return GdiRect(x, m_plotHeight, x + PointLabelWidth, m_plotHeight + PointLabelHeight);
}

int GraphLayout::X(int i) const
{
    if (m_points <= 1)
        return 0;
    return ToPixel(
        static_cast<float>(i) / static_cast<float>(m_points - 1) * static_cast<float>(m_plotWidth));
}

int GraphScale::Y(float v, int plotHeight) const
{
    const float bottom = Bottom();
    const float ph = static_cast<float>(plotHeight);
    return ToPixel(ph - (v - bottom) / (static_cast<float>(top) - bottom) * ph - 1.0);
}
