#include "platform/ScreenFit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace {

// The window's children (not its own windows) move onto the page, keeping their order and
// whether they were hidden on purpose.
void MoveChildren(QWidget* window, QWidget* page)
{
    const QList<QWidget*> children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow())
            continue;
        const bool hidden
            = child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide);
        const QRect place = child->geometry();
        child->setParent(page);
        child->setGeometry(place);
        child->setVisible(!hidden);
    }
}

} // namespace

int TitleBarHeight(const QWidget* near)
{
    const QStyle* style = near ? near->style() : QApplication::style();
    const int line = near ? near->fontMetrics().lineSpacing()
                          : QFontMetrics(QApplication::font()).lineSpacing();
    return std::max(style->pixelMetric(QStyle::PM_TitleBarHeight), 2 * line);
}

QSize ClientRoom(const QWidget* near)
{
    const QScreen* screen = near ? near->screen() : nullptr;
    if (!screen)
        screen = QApplication::primaryScreen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    // The window manager draws the frame, so its size is not known before the window shows.
    const QStyle* style = near ? near->style() : QApplication::style();
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int title = TitleBarHeight(near);
    const QSize available = screen->availableGeometry().size();
    return {available.width() - 2 * frame, available.height() - title - 2 * frame};
}

QSize FitFixedLayout(QWidget* window, const QSize& size, const QSize& room)
{
    if (size.width() <= room.width() && size.height() <= room.height())
        return size;

    auto* page = new QWidget;
    page->setFixedSize(size);
    MoveChildren(window, page);
    auto* area = new QScrollArea(window);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(page);

    // A bar across one side takes room from the other and may call for the second bar.
    const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
    bool across = size.width() > room.width();
    const bool down = size.height() > room.height() - (across ? bar : 0);
    across = across || size.width() > room.width() - (down ? bar : 0);
    const QSize fitted(std::min(size.width() + (down ? bar : 0), room.width()),
        std::min(size.height() + (across ? bar : 0), room.height()));
    // The area follows the window's size from here on.
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    return fitted;
}
