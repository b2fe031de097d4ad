#pragma once

#include "display/GraphColours.h"
#include "display/GraphLayout.h"

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

// Draws the graph window's picture: up to 16 series of a ring of points over a black plot
// with a blue border and a dotted white grid, value labels on the left, point numbers below
// and the captions "Reading" and "Measuring cycle". The window writes the series, the shown
// flags and the ring start directly and calls Draw from its paint handler.
//
// Axes, grid, labels and captions are kept in a picture that is rebuilt only when the size,
// the scale, the number of points or the background change; a Draw copies that picture and
// draws the series over it, clipped to the plot.
class CGraphPainter
{
public:
    // nWidth and nHeight are those of rcTarget; the scale runs from nTop at the top down by
    // fStep per grid division.
    void Draw(QPainter& painter, const QRect& rcTarget, int nWidth, int nHeight, int nPoints,
        int nTop, float fStep, const QColor& crBack);

    // How many times the background picture has been built.
    int BackgroundBuilds() const { return m_builds; }

    int m_nOuterWidth = 0;
    int m_nOuterHeight = 0;
    int m_nPlotWidth = 0;
    int m_nPlotHeight = 0;
    int m_nStart = 0; // ring slot drawn first (the oldest)
    int m_nVLines = GraphLayout::GridLines;
    int m_nHLines = GraphLayout::GridLines;
    float m_fPoints = 0.0f;
    float m_fBottom = 0.0f;
    float m_fStep = 0.0f;
    std::array<QRgb, 16> m_crSeries = GraphSeriesColours;
    QRgb m_crBorder = 0xFF0000FF;
    QRgb m_crBack = 0xFFFFFFFF;
    QRgb m_crPlotBack = 0xFF000000;
    QRgb m_crGrid = 0xFFFFFFFF;
    int m_nPoints = 0;
    float m_fSeries[16][GraphLayout::MaxPoints] = {};
    int m_bShown[16] = {}; // only these series are drawn
    int m_bRefLine = 0; // 1: a red line at m_fRefValue (nothing sets it)
    float m_fRefValue = 0.0f;

private:
    struct BackgroundKey
    {
        int width = -1;
        int height = -1;
        int points = -1;
        int top = 0;
        float step = 0.0f;
        QRgb back = 0;
        bool operator==(const BackgroundKey&) const = default;
    };

    void BuildBackground(const GraphLayout& layout, const GraphScale& scale);
    void DrawPlotFrame(QImage& plot, const GraphLayout& layout) const;
    void DrawLabels(QPainter& picture, const GraphLayout& layout, const GraphScale& scale) const;
    void DrawSeries(QPainter& plot, const GraphLayout& layout, const GraphScale& scale) const;

    QImage m_background;
    BackgroundKey m_key;
    int m_builds = 0;
};
