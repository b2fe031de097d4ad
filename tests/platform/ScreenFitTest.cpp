#include "platform/DialogBase.h"
#include "platform/ScreenFit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
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

int BarExtent(const QWidget* widget)
{
    return widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget);
}

// A layout that fits is left as it is; one taller than the room moves, unchanged, into a
// scroll area, and the window takes what fits of it, with room for the bar.
TEST(ScreenFitTest, OnlyALayoutLargerThanTheRoomScrolls)
{
    Window fits;
    EXPECT_EQ(FitFixedLayout(&fits.window, QSize(400, 900), QSize(500, 1000)), QSize(400, 900));
    EXPECT_EQ(fits.bottom->parentWidget(), &fits.window);
    EXPECT_EQ(fits.window.findChild<QScrollArea*>(), nullptr);

    Window tall;
    const QSize fitted = FitFixedLayout(&tall.window, QSize(400, 900), QSize(500, 600));
    EXPECT_EQ(fitted, QSize(400 + BarExtent(&tall.window), 600));
    auto* area = tall.window.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    QWidget* page = area->widget();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->size(), QSize(400, 900));
    for (QWidget* control : std::initializer_list<QWidget*>{tall.top, tall.hidden, tall.bottom})
        EXPECT_EQ(control->parentWidget(), page);
    EXPECT_EQ(tall.bottom->geometry(), QRect(10, 860, 100, 30));
    EXPECT_EQ(page->children().indexOf(tall.top), 0); // stacking and tab order kept
    tall.window.setFixedSize(fitted);
    tall.window.show();
    EXPECT_TRUE(tall.top->isVisible());
    EXPECT_FALSE(tall.hidden->isVisible());
    EXPECT_TRUE(tall.bottom->isVisible());
    // The last control comes into view when scrolled to.
    area->ensureWidgetVisible(tall.bottom);
    const QRect shown(tall.bottom->mapTo(&tall.window, QPoint(0, 0)), tall.bottom->size());
    EXPECT_TRUE(QRect(QPoint(0, 0), fitted).contains(shown));
}

// Too wide and too tall: both bars, the window no larger than the room.
TEST(ScreenFitTest, BothDirectionsAreBoundedByTheRoom)
{
    Window large;
    const QSize fitted = FitFixedLayout(&large.window, QSize(900, 900), QSize(500, 600));
    EXPECT_EQ(fitted, QSize(500, 600));
    Window exact;
    EXPECT_EQ(FitFixedLayout(&exact.window, QSize(400, 600), QSize(400, 600)), QSize(400, 600));
    EXPECT_EQ(exact.window.findChild<QScrollArea*>(), nullptr);
    // Just too tall: the vertical bar then makes it too wide as well.
    Window wide;
    EXPECT_EQ(FitFixedLayout(&wide.window, QSize(400, 601), QSize(400, 600)), QSize(400, 600));
    auto* area = wide.window.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    wide.window.setFixedSize(400, 600);
    wide.window.show();
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
}

const DialogTemplate& SmallTemplate()
{
    static const DialogTemplate tmpl{901, "Small", 120, 60, 8, DialogStyle::SysMenu,
        {{IDOK, ControlKind::Button, "OK", 35, 40, 50, 14}}};
    return tmpl;
}

// The tests' own desktop is large, so ordinary dialogs keep the template's size.
TEST(ScreenFitTest, ADialogThatFitsTheScreenKeepsItsTemplateSize)
{
    ASSERT_GE(QGuiApplication::primaryScreen()->availableGeometry().height(), 1000);
    CDialogBase dialog(SmallTemplate());
    dialog.Create();
    EXPECT_EQ(dialog.size(), dialog.TemplateSize());
    EXPECT_EQ(dialog.findChild<QScrollArea*>(), nullptr);
    const QSize room = ClientRoom(&dialog);
    EXPECT_LT(room.height(), QGuiApplication::primaryScreen()->availableGeometry().height());
    EXPECT_GT(room.height(), 900);
}

} // namespace
