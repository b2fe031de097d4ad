#include "platform/DialogBase.h"
#include "platform/DialogUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
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
    EXPECT_EQ(units.ToPixelsX(4), 6);
    EXPECT_EQ(units.ToPixelsY(8), 13);

    // Larger fonts give larger units.
    QFont small = DialogUnits::TemplateFont(8);
    QFont large = DialogUnits::TemplateFont(16);
    EXPECT_LT(DialogUnits::ForFont(small).BaseX(), DialogUnits::ForFont(large).BaseX());
    EXPECT_LT(DialogUnits::ForFont(small).BaseY(), DialogUnits::ForFont(large).BaseY());
}

TEST(DialogBaseTest, BuildsNumberedControlsWithTheirStyles)
{
    TestDialog dialog;
    auto& controls = dialog.Controls();
    EXPECT_EQ(dialog.windowTitle(), "Test");
    EXPECT_EQ(dialog.ItemAs<QLabel>(1000)->text(), "Name");
    EXPECT_EQ(
        dialog.ItemAs<QLineEdit>(1001)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_FALSE(dialog.Item(1006)->isEnabled());
    EXPECT_TRUE(dialog.Item(1008)->isHidden());
    EXPECT_FALSE(dialog.Item(1009)->isHidden());
    EXPECT_EQ(dialog.Item(4242), nullptr);

    const QRect expected = dialog.MapDialogRect(50, 5, 60, 12);
    EXPECT_EQ(dialog.Item(1001)->geometry(), expected);
    const QRect whole = dialog.MapDialogRect(0, 0, 200, 100);
    EXPECT_EQ(dialog.size(), whole.size());

    controls.SetItemText(1001, "typed");
    EXPECT_EQ(controls.ItemText(1001), "typed");
    controls.SetCheck(1006, true);
    EXPECT_TRUE(controls.IsChecked(1006));
    EXPECT_EQ(controls.IdOf(dialog.Item(1007)), 1007);
}

TEST(DialogBaseTest, RadioGroupsAreExclusiveOnlyWithinThemselves)
{
    TestDialog dialog;
    auto* a = dialog.ItemAs<QRadioButton>(1002);
    auto* b = dialog.ItemAs<QRadioButton>(1003);
    auto* c = dialog.ItemAs<QRadioButton>(1004);
    a->click();
    c->click();
    EXPECT_TRUE(a->isChecked());
    EXPECT_TRUE(c->isChecked());
    b->click();
    EXPECT_TRUE(b->isChecked());
    EXPECT_FALSE(a->isChecked());
    EXPECT_TRUE(c->isChecked());
}

TEST(DialogBaseTest, EndDialogInsideInitReturnsWithoutRunning)
{
    TestDialog dialog;
    dialog.endInInit = true;
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_EQ(dialog.initCalls, 1);
}

TEST(DialogBaseTest, TimersCallOnTimerWithTheirIdUntilKilled)
{
    TestDialog dialog;
    dialog.SetTimer(4, 1);
    EXPECT_TRUE(dialog.IsTimerRunning(4));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.timerIds, (std::vector<int>{4, 4, 4}));
    EXPECT_FALSE(dialog.IsTimerRunning(4));
}

TEST(DialogBaseTest, EnterPressesTheDefaultButtonAndEscCancels)
{
    TestDialog dialog;
    dialog.Create();
    dialog.show();
    dialog.Item(1001)->setFocus();
    QTest::keyClick(dialog.Item(1001), Qt::Key_Return);
    EXPECT_EQ(dialog.goClicks, 1);
    EXPECT_EQ(dialog.okCalls, 0);

    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.cancelCalls, 1);
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_EQ(dialog.initCalls, 1);
}

TEST(DialogBaseTest, StandardButtonsEndTheDialog)
{
    TestDialog dialog;
    dialog.Create();
    dialog.show();
    dialog.ItemAs<QPushButton>(IDCANCEL)->click();
    EXPECT_EQ(dialog.cancelCalls, 1);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
