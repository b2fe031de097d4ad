#include "platform/DialogBase.h"
#include "platform/DialogUnits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

const DialogTemplate& TestTemplate()
{
    static const DialogTemplate tmpl{900, "Test", 200, 100, 9, DialogStyle::SysMenu,
        {
            {1000, ControlKind::Static, "&Name", 5, 5, 40, 10},
            {1001, ControlKind::Edit, "start", 50, 5, 60, 12, ControlStyle::Right},
            {1002, ControlKind::RadioButton, "A", 5, 20, 30, 10, ControlStyle::Group},
            {1003, ControlKind::RadioButton, "B", 40, 20, 30, 10},
            {1004, ControlKind::RadioButton, "C", 5, 35, 30, 10, ControlStyle::Group},
            {1005, ControlKind::RadioButton, "D", 40, 35, 30, 10},
            {1006, ControlKind::CheckBox, "Check", 5, 50, 50, 10, ControlStyle::Disabled},
            {1007, ControlKind::ComboBox, "", 60, 50, 50, 60},
            {1008, ControlKind::Button, "Hidden", 120, 50, 50, 14, ControlStyle::Hidden},
            {1009, ControlKind::Button, "Go", 120, 70, 50, 14, ControlStyle::Default},
            {IDCANCEL, ControlKind::Button, "Cancel", 60, 70, 50, 14},
        }};
    return tmpl;
}

class TestDialog final : public CDialogBase
{
public:
    TestDialog()
        : CDialogBase(TestTemplate())
    {
        connect(ItemAs<QPushButton>(1009), &QPushButton::clicked, this, [this] { ++goClicks; });
    }

    int initCalls = 0;
    int okCalls = 0;
    int cancelCalls = 0;
    int goClicks = 0;
    bool endInInit = false;
    std::vector<int> timerIds;

protected:
    bool OnInitDialog() override
    {
        ++initCalls;
        if (endInInit)
            EndDialog(77);
        return true;
    }
    void OnOK() override
    {
        ++okCalls;
        CDialogBase::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCalls;
        CDialogBase::OnCancel();
    }
    void OnTimer(int id) override
    {
        timerIds.push_back(id);
        if (timerIds.size() == 3) {
            KillTimer(4);
            EndDialog(IDOK);
        }
    }
};

TEST(DialogUnitsTest, MapsTemplateUnitsToPixels)
{
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.Map(7, 19, 165, 18), QRect(11, 31, 247, 29));
    // Larger fonts give larger units.
    const DialogUnits small = DialogUnits::ForFont(DialogUnits::TemplateFont(8));
    const DialogUnits large = DialogUnits::ForFont(DialogUnits::TemplateFont(16));
    EXPECT_LT(small.BaseX(), large.BaseX());
    EXPECT_LT(small.BaseY(), large.BaseY());
}

TEST(DialogBaseTest, BuildsNumberedControlsWithTheirStylesAndRadioGroups)
{
    TestDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Test");
    EXPECT_EQ(dialog.ItemAs<QLabel>(1000)->text(), "Name");
    EXPECT_EQ(
        dialog.ItemAs<QLineEdit>(1001)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_FALSE(dialog.Item(1006)->isEnabled());
    EXPECT_TRUE(dialog.Item(1008)->isHidden());
    EXPECT_FALSE(dialog.Item(1009)->isHidden());
    EXPECT_EQ(dialog.Item(4242), nullptr);
    EXPECT_EQ(dialog.Item(1001)->geometry(), dialog.MapDialogRect(50, 5, 60, 12));
    EXPECT_EQ(dialog.size(), dialog.MapDialogRect(0, 0, 200, 100).size());
    EXPECT_EQ(dialog.Controls().IdOf(dialog.Item(1007)), 1007);

    // Radios are exclusive only within the run their Group style starts.
    auto* a = dialog.ItemAs<QRadioButton>(1002);
    auto* c = dialog.ItemAs<QRadioButton>(1004);
    a->click();
    c->click();
    EXPECT_TRUE(a->isChecked() && c->isChecked());
    dialog.ItemAs<QRadioButton>(1003)->click();
    EXPECT_TRUE(!a->isChecked() && c->isChecked());
}

TEST(DialogBaseTest, EndDialogInsideInitOrATimerEndsTheModalLoop)
{
    TestDialog ended;
    ended.endInInit = true;
    EXPECT_EQ(ended.DoModal(), 77);
    EXPECT_EQ(ended.initCalls, 1);

    TestDialog timed;
    timed.SetTimer(4, 1);
    EXPECT_TRUE(timed.IsTimerRunning(4));
    EXPECT_EQ(timed.DoModal(), IDOK);
    EXPECT_EQ(timed.timerIds, (std::vector<int>{4, 4, 4}));
    EXPECT_FALSE(timed.IsTimerRunning(4));
}

TEST(DialogBaseTest, EnterPressesTheDefaultButtonAndEscOrCancelCancels)
{
    for (bool byKey : {true, false}) {
        TestDialog dialog;
        dialog.Create();
        dialog.show();
        dialog.Item(1001)->setFocus();
        QTest::keyClick(dialog.Item(1001), Qt::Key_Return);
        EXPECT_EQ(dialog.goClicks, 1);
        EXPECT_EQ(dialog.okCalls, 0);
        if (byKey)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.ItemAs<QPushButton>(IDCANCEL)->click();
        EXPECT_EQ(dialog.cancelCalls, 1) << byKey;
        EXPECT_EQ(dialog.result(), IDCANCEL);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.initCalls, 1);
    }
}

} // namespace
