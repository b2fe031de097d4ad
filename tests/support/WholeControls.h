#pragma once

#include <QRect>

class QWidget;

// Checks, as test expectations, that every shown control of a window lies inside the given
// part of it, that no control covers the text or the place of another (group boxes hold
// others and are left out of that), and that each has room for its whole text in its font.
void ExpectControlsWhole(const QWidget* window, const QRect& inside);

// The font size of the screen in use as a percentage of the usual 96 dots per inch.
int FontScalePercent();
