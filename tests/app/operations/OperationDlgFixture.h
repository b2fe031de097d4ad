#pragma once

#include "app/dialogs/WaitPopupDlg.h"

#include "support/sim/SimLineFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// Acting on a dialog's numbered controls as the operator would, and reading them back.
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
inline Texts Entries(QWidget* dlg, int id)
{
    Texts entries;
    if (auto* combo = Control<QComboBox>(dlg, id)) {
        for (int i = 0; i < combo->count(); ++i)
            entries.push_back(combo->itemText(i).toStdString());
    } else {
        auto* list = Control<QListWidget>(dlg, id);
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
// Replaces the text of an edit, or of a list's edit field, by typing.
inline void Type(QWidget* dlg, int id, const char* text)
{
    QWidget* target = Control<QLineEdit>(dlg, id);
    if (!target)
        target = Control<QComboBox>(dlg, id)->lineEdit();
    target->setFocus();
    static_cast<QLineEdit*>(target)->selectAll();
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
}
// Picks a list entry with the keyboard, as the operator's arrow keys do.
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

// The logger dialogs on the simulated line, open as the connect dialog leaves it, silence
// costing milliseconds and wait popups starting and closing within milliseconds.
class OperationDlgFixture : public SimLineFixture
{
protected:
    using SimLineFixture::SimLineFixture;

    void SetUp() override
    {
        SimLineFixture::SetUp();
        ShortSlices();
        CWaitPopupDlg::StartDelayMs = 5;
        CWaitPopupDlg::CloseDelayMs = 5;
        ASSERT_TRUE(OpenPort());
    }
    void TearDown() override
    {
        CWaitPopupDlg::StartDelayMs = 100;
        CWaitPopupDlg::CloseDelayMs = 500;
        CWaitPopupDlg::ImageStepMs = 1000;
        SimLineFixture::TearDown();
    }

    // A network of these logger IDs on the line and in the current record.
    void UseNetwork(const std::vector<int>& ids)
    {
        sim.SetLoggers(ids);
        Record().m_bSingle = 0;
        Record().m_bRs485 = 1;
        for (int id : ids)
            Record().m_bLoggerUsed[id - 1] = 1;
    }

    // The dialog built, initialised and shown at its real size, the line's log cleared.
    template <class Dlg, class... Args> std::unique_ptr<Dlg> Open(Args... args)
    {
        auto dlg = std::make_unique<Dlg>(args...);
        dlg->Create();
        dlg->show();
        sim.ClearReceived();
        return dlg;
    }
};
