#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Texts = std::vector<std::string>;
using States = std::vector<bool>;

// Acting on a template-built window's numbered controls as the operator does, with the mouse
// and the keys, and reading them back.
namespace DialogInput {

template <class T> T* Control(QWidget* dlg, int id)
{
    for (auto* w : dlg->findChildren<T*>()) {
        if (w->property("controlId").toInt() == id)
            return w;
    }
    return nullptr;
}
inline std::string Text(QWidget* dlg, int id)
{
    if (auto* edit = Control<QLineEdit>(dlg, id))
        return edit->text().toStdString();
    if (auto* combo = Control<QComboBox>(dlg, id))
        return combo->currentText().toStdString();
    return Control<QLabel>(dlg, id)->text().toStdString();
}
inline bool Enabled(QWidget* dlg, int id)
{
    return Control<QWidget>(dlg, id)->isEnabled();
}
inline bool Checked(QWidget* dlg, int id)
{
    return Control<QAbstractButton>(dlg, id)->isChecked();
}
inline Texts TextsOf(QWidget* dlg, const std::vector<int>& ids)
{
    Texts texts;
    for (int id : ids)
        texts.push_back(Text(dlg, id));
    return texts;
}
inline States EnabledOf(QWidget* dlg, const std::vector<int>& ids)
{
    States states;
    for (int id : ids)
        states.push_back(Enabled(dlg, id));
    return states;
}
// count IDs from first on.
inline std::vector<int> Ids(int first, int count)
{
    std::vector<int> ids;
    for (int id = first; id < first + count; ++id)
        ids.push_back(id);
    return ids;
}
inline Texts Entries(QWidget* dlg, int id)
{
    Texts entries;
    if (auto* combo = Control<QComboBox>(dlg, id)) {
        for (int i = 0; i < combo->count(); ++i)
            entries.push_back(combo->itemText(i).toStdString());
    } else if (auto* list = Control<QListWidget>(dlg, id)) {
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(list->item(i)->text().toStdString());
    }
    return entries;
}
inline void Click(QWidget* dlg, int id)
{
    auto* button = Control<QAbstractButton>(dlg, id);
    ASSERT_TRUE(button && button->isEnabled()) << id;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}
// A key pressed on a control (a list's edit field for a list), or on the window (id 0).
inline void Key(QWidget* dlg, int id, Qt::Key key)
{
    QWidget* target = id == 0 ? dlg : Control<QWidget>(dlg, id);
    if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit())
        target = combo->lineEdit();
    target->setFocus();
    QTest::keyClick(target, key);
}
// Replaces the text of an edit, or of a list's edit field, by typing.
inline void Type(QWidget* dlg, int id, const std::string& text)
{
    QLineEdit* target = Control<QLineEdit>(dlg, id);
    if (!target)
        target = Control<QComboBox>(dlg, id)->lineEdit();
    target->setFocus();
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, QString::fromStdString(text));
}
// Picks a list entry with the arrow keys.
inline void Pick(QWidget* dlg, int id, int entry)
{
    auto* combo = Control<QComboBox>(dlg, id);
    combo->setFocus();
    for (int step = 0; step < combo->count() && combo->currentIndex() < entry; ++step)
        QTest::keyClick(combo, Qt::Key_Down);
    for (int step = 0; step < combo->count() && combo->currentIndex() > entry; ++step)
        QTest::keyClick(combo, Qt::Key_Up);
    ASSERT_EQ(combo->currentIndex(), entry);
}

} // namespace DialogInput
