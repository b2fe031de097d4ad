#pragma once

#include <QSize>

class QWidget;

// The height of the title bar a window manager draws over a window (that of near, else one in
// the application's font): the style's own, or two lines of text where that is more, as the
// desktops' title bars run to.
int TitleBarHeight(const QWidget* near);

// Room for a top-level window's client area on the screen it shows on (that of near, else
// the primary screen): the screen's available area less an allowance for the window's
// frame and title bar.
QSize ClientRoom(const QWidget* near);

// Keeps every control of a fixed layout within reach on a small screen (large fonts, a
// laptop panel). When size, the layout's own size, does not fit room, the window's child
// widgets move onto a page of that size inside a scroll area that fills the window; their
// places, order and visibility stay. Returns the size the window should take: size when it
// fits room, else what fits of it with the scroll bars.
QSize FitFixedLayout(QWidget* window, const QSize& size, const QSize& room);
