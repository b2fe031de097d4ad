#include "platform/MessageBoxPresenter.h"
#include "platform/Text.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxPresenterTest, TheProgramsBoxClosesByItself)
{
    SetMessageBoxPresenter(nullptr);
    QElapsedTimer clock;
    clock.start();
    ShowMessageBox({"closing", "Quorbel", MessageIcon::Information, 30});
    EXPECT_GE(clock.elapsed(), 25);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(MessageBoxPresenterTest, AQuestionThatClosesByItselfAnswersNo)
{
    SetMessageBoxPresenter(nullptr);
    EXPECT_FALSE(AskMessageBox({"replace?", "Quorbel", MessageIcon::Question, 30}));
}

TEST(TextTest, StaticCaptionsDropMnemonicMarkers)
{
    EXPECT_EQ(StaticCaption("&Graph set"), "Graph set");
    EXPECT_EQ(StaticCaption("A && B"), "A & B");
    EXPECT_EQ(StaticCaption("end&"), "end");
    EXPECT_EQ(FromQt(ToQt(std::string("abc"))), "abc");
}

} // namespace
