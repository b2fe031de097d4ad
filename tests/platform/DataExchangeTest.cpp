#include "platform/CommandGuard.h"
#include "platform/DataExchange.h"
#include "platform/DialogBase.h"

#include "support/RecordingPresenter.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

const DialogTemplate& FieldsTemplate()
{
    static const DialogTemplate tmpl{901, "Fields", 200, 80, 9, DialogStyle::SysMenu,
        {
            {1001, ControlKind::Edit, "", 5, 5, 40, 12},
            {1002, ControlKind::Edit, "", 50, 5, 40, 12},
            {1003, ControlKind::Edit, "", 95, 5, 40, 12},
            {1004, ControlKind::CheckBox, "On", 5, 25, 40, 10},
            {1005, ControlKind::Button, "Go", 5, 40, 40, 14},
            {1006, ControlKind::Button, "Off", 50, 40, 40, 14, ControlStyle::Disabled},
        }};
    return tmpl;
}

// Three fields read in order: a signed one, an unsigned one and a text.
class Fields final : public CDialogBase
{
public:
    Fields()
        : CDialogBase(FieldsTemplate())
    {
    }

    bool Exchange(bool save)
    {
        DataExchange dx(Controls(), save);
        dx.Int(1001, number);
        dx.UInt(1002, count);
        dx.Text(1003, text);
        dx.Check(1004, on);
        return !dx.Failed();
    }
    QLineEdit* Edit(int id) { return ItemAs<QLineEdit>(id); }
    void Type(int id, const char* typed)
    {
        Edit(id)->setFocus();
        Edit(id)->selectAll();
        QTest::keyClick(Edit(id), Qt::Key_Delete);
        QTest::keyClicks(Edit(id), typed);
    }

    int number = 0;
    unsigned count = 0;
    std::string text;
    bool on = false;
};

TEST(DataExchange, WritesThenReadsTheMembersUpToTheExtremesOfEachKind)
{
    Fields dlg;
    dlg.number = -12;
    dlg.count = 4000000000u;
    dlg.on = true;
    ASSERT_TRUE(dlg.Exchange(false));
    EXPECT_EQ(dlg.Edit(1001)->text(), "-12");
    EXPECT_EQ(dlg.Edit(1002)->text(), "4000000000");
    EXPECT_TRUE(dlg.ItemAs<QCheckBox>(1004)->isChecked());

    RecordingPresenter boxes;
    const struct
    {
        const char* number;
        const char* count;
        int expectedNumber;
        unsigned expectedCount;
    } typed[] = {{" +7 ", "0042", 7, 42u}, {"-2147483648", "4294967295", INT_MIN, UINT_MAX}};
    for (const auto& t : typed) {
        dlg.Type(1001, t.number);
        dlg.Type(1002, t.count);
        dlg.Type(1003, "x y");
        ASSERT_TRUE(dlg.Exchange(true)) << t.number;
        EXPECT_EQ(dlg.number, t.expectedNumber);
        EXPECT_EQ(dlg.count, t.expectedCount);
    }
    QTest::mouseClick(dlg.ItemAs<QCheckBox>(1004), Qt::LeftButton);
    ASSERT_TRUE(dlg.Exchange(true));
    EXPECT_EQ(dlg.text, "x y");
    EXPECT_FALSE(dlg.on);
    EXPECT_TRUE(boxes.requests.empty());
}

// The first field that is no integer of its kind stops the exchange there.
TEST(DataExchange, AFieldThatIsNoIntegerIsToldAndTakesTheFocus)
{
    const struct
    {
        const char* number;
        const char* count;
        int failedField;
    } cases[] = {
        {"", "1", 1001},
        {"12x", "1", 1001},
        {"1 2", "1", 1001},
        {"-", "1", 1001},
        {"2147483648", "1", 1001},
        {"5", "-1", 1002},
        {"5", "4294967296", 1002},
        {"5", "", 1002},
        {"5", "99999999999999999999999", 1002},
    };
    for (const auto& c : cases) {
        Fields dlg;
        dlg.number = 100;
        dlg.count = 200;
        dlg.text = "kept";
        dlg.Type(1001, c.number);
        dlg.Type(1002, c.count);
        dlg.Type(1003, "typed");
        dlg.Edit(1003)->setFocus();
        RecordingPresenter boxes;
        EXPECT_FALSE(dlg.Exchange(true)) << c.number << " " << c.count;
        ASSERT_EQ(boxes.requests.size(), 1u);
        EXPECT_EQ(boxes.requests[0].text, "Please enter an integer.");
        EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
        EXPECT_EQ(dlg.focusWidget(), dlg.Edit(c.failedField)) << c.number << " " << c.count;
        EXPECT_EQ(dlg.Edit(c.failedField)->selectedText(), dlg.Edit(c.failedField)->text());
        EXPECT_EQ(dlg.count, 200u);
        EXPECT_EQ(dlg.number, c.failedField == 1001 ? 100 : 5);
        EXPECT_EQ(dlg.text, "kept");
    }
}

TEST(CommandGuard, KeepsTheControlsOffAndTheFocusWhereItWas)
{
    Fields dlg;
    dlg.show();
    dlg.Item(1005)->setFocus();
    bool busy = false;
    {
        const CommandGuard guard(dlg.Controls(), {1005, 1006, 1001}, busy);
        EXPECT_TRUE(busy);
        EXPECT_FALSE(dlg.Item(1005)->isEnabled());
        EXPECT_FALSE(dlg.Item(1001)->isEnabled());
        // A control its owner turns on meanwhile stays on.
        dlg.Item(1006)->setEnabled(true);
    }
    EXPECT_FALSE(busy);
    EXPECT_TRUE(dlg.Item(1005)->isEnabled());
    EXPECT_TRUE(dlg.Item(1001)->isEnabled());
    EXPECT_TRUE(dlg.Item(1006)->isEnabled());
    EXPECT_EQ(dlg.focusWidget(), dlg.Item(1005));
}

} // namespace
