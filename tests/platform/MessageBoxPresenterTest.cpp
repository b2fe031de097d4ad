#include "platform/MessageBoxPresenter.h"
#include "platform/Text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The program's own boxes close by themselves, a question so closed answering No. A box
// belongs to the window in front (a window manager keeps it over that window), and goes with it
// should that window be closed while the box is open.
TEST(MessageBoxPresenterTest, BoxesCloseByThemselvesOverTheWindowInFront)
{
    SetMessageBoxPresenter(nullptr);
    QElapsedTimer clock;
    clock.start();
    ShowMessageBox({"closing", "Quorbel", MessageIcon::Information, 30});
    EXPECT_TRUE(clock.elapsed() >= 25 && clock.elapsed() < 5000) << clock.elapsed();
    EXPECT_FALSE(AskMessageBox({"replace?", "Quorbel", MessageIcon::Question, 30}));

    QWidget front;
    auto* doomed = new QWidget;
    for (QWidget* window : {&front, doomed}) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        EXPECT_EQ(MessageBoxOwner(), window);
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&owner, window, doomed] {
            QWidget* box = QApplication::activeModalWidget();
            owner = box ? box->parentWidget() : nullptr;
            if (window == doomed)
                delete doomed;
            else if (box)
                box->close();
        });
        clock.start();
        ShowMessageBox({"over the window", "Quorbel", MessageIcon::Warning, 5000});
        EXPECT_LT(clock.elapsed(), 4000);
        EXPECT_EQ(owner, window);
    }
}

TEST(TextTest, StaticCaptionsDropMnemonicMarkers)
{
    EXPECT_EQ(StaticCaption("&Graph set"), "Graph set");
    EXPECT_EQ(StaticCaption("A && B"), "A & B");
    EXPECT_EQ(StaticCaption("end&"), "end");
}

} // namespace
