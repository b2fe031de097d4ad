#include "platform/DialogBase.h"
#include "platform/IntegerExchange.h"
#include "platform/RepaintThrottle.h"

#include "support/RecordingPresenter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(IntegerExchangeTest, AFieldIsAnIntegerOnlyWhenItHoldsNothingElse)
{
    const std::pair<const char*, int> good[] = {{"0", 0}, {"42", 42}, {" 7 ", 7}, {"-15", -15},
        {"+3", 3}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"\t12\r\n", 12}};
    for (const auto& [text, expected] : good) {
        int value = -99;
        EXPECT_TRUE(ParseIntegerField(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* bad :
        {"", " ", "-", "12x", "1 2", "1.5", "x1", "2147483648", "-2147483649", "99999999999999"}) {
        int value = -99;
        EXPECT_FALSE(ParseIntegerField(bad, value)) << bad;
        EXPECT_EQ(value, -99) << bad;
    }
}

const DialogTemplate& ExchangeTemplate()
{
    static const DialogTemplate tmpl{901, "Exchange", 100, 40, 9, DialogStyle::SysMenu,
        {
            {1001, ControlKind::Edit, "", 5, 5, 40, 12},
            {1002, ControlKind::Edit, "", 50, 5, 40, 12},
        }};
    return tmpl;
}

TEST(IntegerExchangeTest, SavingANonIntegerTellsTheOperatorAndKeepsTheMember)
{
    RecordingPresenter boxes;
    CDialogBase dlg(ExchangeTemplate());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    DialogControls& controls = dlg.Controls();
    int value = 31;
    ASSERT_TRUE(ExchangeInt(controls, 1001, false, value));
    EXPECT_EQ(controls.ItemText(1001), "31");
    controls.SetItemText(1001, "-8");
    ASSERT_TRUE(ExchangeInt(controls, 1001, true, value));
    EXPECT_EQ(value, -8);
    EXPECT_TRUE(boxes.requests.empty());

    dlg.Item(1002)->setFocus();
    controls.SetItemText(1001, "eight");
    EXPECT_FALSE(ExchangeInt(controls, 1001, true, value));
    EXPECT_EQ(value, -8);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, "Please enter an integer.");
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    // A box of the framework's: it does not close by itself within any sensible time.
    EXPECT_GT(boxes.requests[0].timeoutMs, 24 * 3600 * 1000);
    EXPECT_EQ(QApplication::focusWidget(), dlg.Item(1001));
}

class PaintCounter final : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(RepaintThrottleTest, MarksCoalesceIntoOneRepaintPerInterval)
{
    PaintCounter widget;
    widget.resize(50, 50);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QApplication::processEvents();
    const int before = widget.paints;
    auto* throttle = new RepaintThrottle(&widget, 40);
    for (int i = 0; i < 100; ++i)
        throttle->Invalidate();
    EXPECT_TRUE(throttle->IsDirty());
    QApplication::processEvents();
    EXPECT_EQ(widget.paints, before); // nothing before the interval has run out
    EXPECT_TRUE(QTest::qWaitFor([&] { return widget.paints > before; }, 2000));
    EXPECT_FALSE(throttle->IsDirty());
    QApplication::processEvents();
    EXPECT_EQ(widget.paints, before + 1);
    // Flush repaints at once; with nothing marked it does nothing.
    throttle->Invalidate();
    throttle->Flush();
    QApplication::processEvents();
    EXPECT_EQ(widget.paints, before + 2);
    throttle->Flush();
    QApplication::processEvents();
    EXPECT_EQ(widget.paints, before + 2);
}

} // namespace
