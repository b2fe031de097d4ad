#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>

class QPainter;

// The line that follows the mouse while a row or column divider is dragged. It lies over a
// picture of the grid taken when the drag began, so that moving it repaints no cell: the
// strips it leaves are copied back from the picture, and the line shows the picture's
// pixels inverted.
class GridTrackingLine
{
public:
    bool IsActive() const { return m_bActive; }
    QRect Line() const { return m_line; }
    // Starts over a picture of the client area; the area to repaint is the line.
    QRect Begin(const QPixmap& picture, const QRect& line);
    // The area to repaint: where the line was and where it is now.
    QRect MoveTo(const QRect& line);
    // Ends and gives the area the line took.
    QRect End();
    // Paints the picture within the clip box, then the line.
    void Paint(QPainter* painter, const QRect& clip) const;

private:
    QPixmap m_picture;
    QRect m_line;
    bool m_bActive = false;
};
