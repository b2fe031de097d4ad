#pragma once

#include <QRect>

class QWidget;

// Expects every shown control of a window inside the given part of it, with room for its whole
// text in its font, and none over the text or place of another (group boxes, which hold others,
// left out of that).
void ExpectControlsWhole(const QWidget* window, const QRect& inside);

// The font size of the screen in use as a percentage of the usual 96 dots per inch.
int FontScalePercent();
