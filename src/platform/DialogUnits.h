#pragma once

#include <QFont>
#include <QRect>

#include <cmath>

// Dialog units of a font: a horizontal unit is a quarter of the average width of the letters
// A-Z a-z (rounded), a vertical unit an eighth of the font height.
class DialogUnits
{
public:
    DialogUnits(int baseX, int baseY)
        : m_baseX(baseX)
        , m_baseY(baseY)
    {
    }
    static DialogUnits ForFont(const QFont& font);

    // The template font: the platform's dialog font at the template's point size.
    static QFont TemplateFont(int pointSize);

    // How many times larger the font is on the screen in use than on a screen of the usual
    // 96 dots per inch (1 there). Pixel figures laid out for that screen grow by it, so that
    // they keep their place among controls that are sized in dialog units.
    static double FontGrowth(const QFont& font);
    // A length in pixels of the usual screen grown by growth (FontGrowth), rounded.
    static int Grown(int pixels, double growth)
    {
        return static_cast<int>(std::lround(pixels * growth));
    }

    int ToPixelsX(int units) const { return (units * m_baseX + 2) / 4; }
    int ToPixelsY(int units) const { return (units * m_baseY + 4) / 8; }
    QRect Map(int x, int y, int cx, int cy) const;

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

private:
    int m_baseX;
    int m_baseY;
};
