#include "platform/ComboSelection.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// An edit field's text names the entry; Qt's current entry does not.
TEST(ComboSelectionTest, TypedTextCountsOnlyWhenItIsAListedEntry)
{
    QComboBox combo;
    combo.setEditable(true);
    combo.setInsertPolicy(QComboBox::NoInsert);
    combo.addItems({"2", "3", "COM7"});
    combo.setCurrentIndex(1);
    EXPECT_EQ(ComboCurSel(&combo), 1);

    combo.lineEdit()->clear();
    QTest::keyClicks(combo.lineEdit(), "9");
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(ComboCurSel(&combo), -1);
    combo.setEditText("com7");
    EXPECT_EQ(ComboCurSel(&combo), 2);
    combo.setEditText("");
    EXPECT_EQ(ComboCurSel(&combo), -1);

    QComboBox list;
    list.addItems({"a", "b"});
    list.setCurrentIndex(1);
    EXPECT_EQ(ComboCurSel(&list), 1);
    EXPECT_EQ(ComboCurSel(nullptr), -1);
}

} // namespace
