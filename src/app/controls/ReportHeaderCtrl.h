#pragma once

#include <QColor>
#include <QHeaderView>

// The column heads of a report list, painted in three colours of its own: the whole header
// and then each head filled and outlined, each head's text in its section's alignment.
// The owner may set the colours directly and repaint.
class CReportHeaderCtrl final : public QHeaderView
{
    Q_OBJECT

public:
    explicit CReportHeaderCtrl(QWidget* parent = nullptr);

    QColor m_crText{69, 31, 1};
    QColor m_crBack{255, 228, 207};
    QColor m_crLine{209, 185, 155};

    // The column's format: its left, centre or right alignment (left when none is set).
    Qt::Alignment SectionFormat(int logicalIndex) const;

    // Longest head text painted; the rest is cut.
    static constexpr int MaxHeadText = 260;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void FillOutlined(QPainter* painter, const QRect& rect) const;
};
