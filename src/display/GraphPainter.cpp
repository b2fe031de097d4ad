#include "display/GraphPainter.h"

#include "platform/DialogUnits.h"
#include "platform/Format.h"
#include "platform/GdiPaint.h"

#include <QPainter>

namespace {

constexpr int LabelFontPx = 13;
constexpr int CaptionFontPx = 14;
constexpr int DotRun = 3; // a dotted line: three pixels on, three off
constexpr QRgb RefLineColour = 0xFFFF0000;
constexpr std::uint32_t LabelFormat = gdi::dt::SingleLine | gdi::dt::VCenter | gdi::dt::Center;
constexpr std::uint32_t NumberFormat = gdi::dt::SingleLine | gdi::dt::VCenter;

// The platform's dialog font at a pixel size.
QFont GraphFont(int pixelSize, bool bold)
{
    QFont font = DialogUnits::TemplateFont(0);
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

// An axis-parallel dotted line, its end point excluded.
void DottedLine(QImage& image, QPoint from, QPoint to, QRgb colour)
{
    const bool vertical = from.x() == to.x();
    const int length = vertical ? to.y() - from.y() : to.x() - from.x();
    for (int k = 0; k < length; ++k) {
        if ((k / DotRun) % 2 != 0)
            continue;
        const QPoint p = vertical ? QPoint(from.x(), from.y() + k) : QPoint(from.x() + k, from.y());
        if (image.rect().contains(p))
            image.setPixel(p, colour);
    }
}

// Text with its top-left corner at a point.
void TextAt(QPainter& painter, QPoint at, const QString& text)
{
    painter.drawText(
        QRect(at, QSize(1000, 100)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

} // namespace

void CGraphPainter::Draw(QPainter& painter, const QRect& rcTarget, int nWidth, int nHeight,
    int nPoints, int nTop, float fStep, const QColor& crBack)
{
    const GraphLayout layout(nWidth, nHeight, nPoints);
    const GraphScale scale{nTop, fStep};
    m_nOuterWidth = layout.OuterWidth();
    m_nOuterHeight = layout.OuterHeight();
    m_nPlotWidth = layout.PlotWidth();
    m_nPlotHeight = layout.PlotHeight();
    m_crBack = crBack.rgb();
    m_fPoints = static_cast<float>(nPoints);
    m_fStep = fStep;
    m_nPoints = layout.Points();
    m_fBottom = scale.Bottom();
    if (m_nOuterWidth <= 0 || m_nOuterHeight <= 0)
        return;

    const BackgroundKey key{nWidth, nHeight, m_nPoints, nTop, fStep, m_crBack};
    if (m_background.isNull() || !(key == m_key)) {
        BuildBackground(layout, scale);
        m_key = key;
    }
    const QPoint picture(rcTarget.left() + GraphLayout::PictureOffsetX, rcTarget.top());
    painter.drawImage(picture, m_background);
    if (!layout.IsDrawable())
        return;
    painter.save();
    painter.translate(picture + QPoint(GraphLayout::PlotLeft, GraphLayout::PlotTop));
    painter.setClipRect(layout.PlotImageRect(), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawSeries(painter, layout, scale);
    painter.restore();
}

void CGraphPainter::BuildBackground(const GraphLayout& layout, const GraphScale& scale)
{
    m_background = QImage(layout.OuterWidth(), layout.OuterHeight(), QImage::Format_RGB32);
    m_background.fill(m_crBack);
    QPainter picture(&m_background);
    picture.setPen(Qt::black);
    picture.setFont(GraphFont(LabelFontPx, false));
    DrawLabels(picture, layout, scale);
    if (layout.IsDrawable()) {
        QImage plot(layout.PlotImageRect().size(), QImage::Format_RGB32);
        plot.fill(m_crPlotBack);
        DrawPlotFrame(plot, layout);
        picture.drawImage(GraphLayout::PlotLeft, GraphLayout::PlotTop, plot);
    }
    picture.setFont(GraphFont(CaptionFontPx, true));
    TextAt(picture, QPoint(5, 0), QStringLiteral("Reading"));
    TextAt(picture, QPoint(layout.PlotWidth() - 100, layout.PlotHeight() + 35),
        QStringLiteral("Measuring cycle"));
    ++m_builds;
}

// The border is drawn with a 2-pixel pen: each of its lines covers the pixel before its
// coordinate and the one on it, so the right border shows two columns and the others one.
void CGraphPainter::DrawPlotFrame(QImage& plot, const GraphLayout& layout) const
{
    const int pw = layout.PlotWidth();
    const int ph = layout.PlotHeight();
    {
        QPainter painter(&plot);
        const QColor border = QColor::fromRgb(m_crBorder);
        gdi::FillRect(painter, GdiRect(0, -1, pw + 1, 1), border);
        gdi::FillRect(painter, GdiRect(0, ph - 1, pw + 1, ph + 1), border);
        gdi::FillRect(painter, GdiRect(-1, 0, 1, ph + 1), border);
        gdi::FillRect(painter, GdiRect(pw - 1, 0, pw + 1, ph + 1), border);
    }
    for (int i = 1; i <= m_nVLines; ++i) {
        const int x = layout.VerticalGridX(i);
        DottedLine(plot, QPoint(x, 0), QPoint(x, ph), m_crGrid);
    }
    for (int j = 1; j <= m_nHLines; ++j) {
        const int y = layout.HorizontalGridY(j);
        DottedLine(plot, QPoint(0, y), QPoint(pw, y), m_crGrid);
    }
}

void CGraphPainter::DrawLabels(
    QPainter& picture, const GraphLayout& layout, const GraphScale& scale) const
{
    for (int j = 0; j < GraphLayout::ValueLabels; ++j) {
        const QString text = QString::fromStdString(FormatString("%0.1f", scale.LabelValue(j)));
        gdi::DrawText(picture, text, layout.ValueLabelRect(j), LabelFormat);
    }
    for (int i = 0; i < GraphLayout::PointLabels; ++i)
        gdi::DrawText(picture, QString::number(i + 1), layout.PointLabelRect(i), NumberFormat);
}

// Slots never written hold 0 and are drawn as 0; the oldest point is at the left edge.
void CGraphPainter::DrawSeries(
    QPainter& plot, const GraphLayout& layout, const GraphScale& scale) const
{
    const int points = layout.Points();
    const int start = ((m_nStart % points) + points) % points;
    const int ph = layout.PlotHeight();
    for (int ch = 0; ch < 16; ++ch) {
        if (!m_bShown[ch])
            continue;
        // A flat cap leaves out a line's end point, as the next line starts there.
        QPen pen(QColor::fromRgb(m_crSeries[static_cast<size_t>(ch)]), 0);
        pen.setCapStyle(Qt::FlatCap);
        plot.setPen(pen);
        QPoint previous;
        for (int i = 0; i < points; ++i) {
            const QPoint p(layout.X(i), scale.Y(m_fSeries[ch][(start + i) % points], ph));
            if (i > 0)
                plot.drawLine(previous, p);
            previous = p;
        }
    }
    if (m_bRefLine == 1) {
        const int y = scale.Y(m_fRefValue, ph);
        QPen pen(QColor::fromRgb(RefLineColour), 0);
        pen.setCapStyle(Qt::FlatCap);
        plot.setPen(pen);
        plot.drawLine(QPoint(0, y), QPoint(layout.PlotWidth(), y));
    }
}
