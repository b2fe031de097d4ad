#pragma once

#include <QRect>

// Where the parts of the graph lie for a target of nWidth x nHeight pixels, without drawing.
// The picture (outer image) is nWidth - 20 by nHeight - 10 and is copied to the target at
// (left + 5, top); the plot is copied into the picture at (50, 20). Rectangles are GDI
// numbers (QRect(QPoint(left, top), QPoint(right, bottom)), right and bottom excluded).
//
// The plot is 21 pixels narrower than the picture's margins would suggest: one picture
// nWidth - 20 wide holds the left margin of 50, the plot and its right border column, so the
// newest point (x = plot width) and the last point number are shown whole.
class GraphLayout
{
public:
    static constexpr int PlotLeft = 50; // the plot's place in the picture
    static constexpr int PlotTop = 20;
    static constexpr int PictureOffsetX = 5; // the picture's place in the target
    static constexpr int GridLines = 8; // inner grid lines either way
    static constexpr int ValueLabels = 10;
    static constexpr int PointLabels = 10; // always ten, whatever the number of points
    static constexpr int MaxPoints = 100; // slots of a series

    GraphLayout(int nWidth, int nHeight, int nPoints);

    int OuterWidth() const { return m_outerWidth; }
    int OuterHeight() const { return m_outerHeight; }
    int PlotWidth() const { return m_plotWidth; } // pw: the newest point's x
    int PlotHeight() const { return m_plotHeight; } // ph
    int Points() const { return m_points; }
    // The plot image: pw + 1 wide (x 0..pw), ph high.
    QRect PlotImageRect() const { return QRect(0, 0, m_plotWidth + 1, m_plotHeight); }
    // False when the target is too small to hold a plot.
    bool IsDrawable() const;

    // x of inner vertical grid line i (1..8) and y of inner horizontal line j (1..8), plot.
    int VerticalGridX(int i) const;
    int HorizontalGridY(int j) const;
    // Value label j (0 the top, 9 the bottom) in the picture, and the y of its centre there.
    QRect ValueLabelRect(int j) const;
    double ValueLabelCentreY(int j) const;
    // Point number i (0..9, showing i + 1) in the picture; the last point's sits left of x.
    QRect PointLabelRect(int i) const;
    // The plot x of point i (0 oldest .. points - 1 newest).
    int X(int i) const;

private:
    int m_outerWidth;
    int m_outerHeight;
    int m_plotWidth;
    int m_plotHeight;
    int m_points;
};

// The scale of the value axis: nTop at the top of the plot, nTop - 9 x fStep at its bottom.
struct GraphScale
{
    int top = 10;
    float step = 1.0f;

    float Bottom() const { return static_cast<float>(top) - 9.0f * step; }
    // The plot y of value v, truncated: bottom at ph - 1, top at -1. Values far off the
    // scale (or a scale of no height) give a y far outside the plot, never an overflow.
    int Y(float v, int plotHeight) const;
    // Text of value label j.
    float LabelValue(int j) const { return static_cast<float>(top) - static_cast<float>(j) * step; }
};

inline QRect GdiRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
