#include "platform/ScreenFit.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct Window
{
    QWidget window;
    QLabel* top = new QLabel(QStringLiteral("top"), &window);
    QLabel* hidden = new QLabel(QStringLiteral("hidden"), &window);
    QPushButton* bottom = new QPushButton(QStringLiteral("bottom"), &window);

    Window()
    {
        top->setGeometry(10, 10, 100, 20);
        hidden->setGeometry(10, 40, 100, 20);
        hidden->hide();
        bottom->setGeometry(10, 860, 100, 30);
    }
};

// A layout that fits is left as it is; one larger than the room moves, unchanged, into a
// scroll area, and the window takes what fits of it, with room for each bar it needs (a bar
// across one side may call for the other).
TEST(ScreenFitTest, OnlyALayoutLargerThanTheRoomScrolls)
{
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const struct
    {
        QSize size, room, fitted;
        bool across, down; // the bars needed; no scroll area when neither
    } cases[] = {{{400, 900}, {500, 1000}, {400, 900}, false, false},
        {{400, 600}, {400, 600}, {400, 600}, false, false},
        {{400, 900}, {500, 600}, {400 + bar, 600}, false, true},
        {{900, 900}, {500, 600}, {500, 600}, true, true},
        {{400, 601}, {400, 600}, {400, 600}, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size.height());
        Window w;
        const QSize fitted = FitFixedLayout(&w.window, c.size, c.room);
        EXPECT_EQ(fitted, c.fitted);
        auto* area = w.window.findChild<QScrollArea*>();
        ASSERT_EQ(area != nullptr, c.across || c.down);
        if (!area) {
            EXPECT_EQ(w.bottom->parentWidget(), &w.window);
            continue;
        }
        w.window.setFixedSize(fitted);
        w.window.show();
        EXPECT_EQ(area->verticalScrollBar()->isVisible(), c.down);
        EXPECT_TRUE(!c.across || area->horizontalScrollBar()->isVisible());
        if (c.size.height() < 900)
            continue; // the last control lies below this page
        QWidget* page = area->widget();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->size(), c.size);
        for (QWidget* control : std::initializer_list<QWidget*>{w.top, w.hidden, w.bottom})
            EXPECT_EQ(control->parentWidget(), page);
        EXPECT_EQ(w.bottom->geometry(), QRect(10, 860, 100, 30));
        EXPECT_EQ(page->children().indexOf(w.top), 0); // stacking and tab order kept
        EXPECT_TRUE(w.top->isVisible() && !w.hidden->isVisible() && w.bottom->isVisible());
        // The last control comes into view when scrolled to.
        area->ensureWidgetVisible(w.bottom);
        const QRect shown(w.bottom->mapTo(&w.window, QPoint(0, 0)), w.bottom->size());
        EXPECT_TRUE(QRect(QPoint(0, 0), fitted).contains(shown));
    }
}

} // namespace
