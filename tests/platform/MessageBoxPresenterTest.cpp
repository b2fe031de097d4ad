#include "platform/MessageBoxPresenter.h"
#include "platform/Text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The program's own boxes close by themselves; a question closed so answers No.
TEST(MessageBoxPresenterTest, BoxesCloseByThemselvesOverTheWindowInFront)
{
    SetMessageBoxPresenter(nullptr);
    QElapsedTimer clock;
    clock.start();
    ShowMessageBox({"closing", "Quorbel", MessageIcon::Information, 30});
    EXPECT_GE(clock.elapsed(), 25);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(AskMessageBox({"replace?", "Quorbel", MessageIcon::Question, 30}));

    // The box belongs to the window in front (a window manager keeps it over that window),
    // and goes with it should that window be closed while the box is open.
    QWidget front;
    front.show();
    front.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&front));
    EXPECT_EQ(MessageBoxOwner(), &front);
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&owner] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            owner = box->parentWidget();
            box->close();
        }
    });
    ShowMessageBox({"over the window", "Quorbel", MessageIcon::Warning, 5000});
    EXPECT_EQ(owner, &front);

    auto* doomed = new QWidget;
    doomed->show();
    doomed->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(doomed));
    QTimer::singleShot(0, doomed, [doomed] { delete doomed; });
    clock.start();
    ShowMessageBox({"parent goes", "Quorbel", MessageIcon::Warning, 5000});
    EXPECT_LT(clock.elapsed(), 4000);
}

TEST(TextTest, StaticCaptionsDropMnemonicMarkers)
{
    EXPECT_EQ(StaticCaption("&Graph set"), "Graph set");
    EXPECT_EQ(StaticCaption("A && B"), "A & B");
    EXPECT_EQ(StaticCaption("end&"), "end");
}

} // namespace
