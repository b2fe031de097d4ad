#pragma once

#include "platform/DialogTemplate.h"

#include <QAbstractButton>
#include <QWidget>

#include <functional>
#include <map>
#include <string>

// The numbered controls of one window built from a template, with the accessors the
// dialogs use: text, checks, enabling and visibility by control number.
class DialogControls
{
public:
    // Makes the control for a Custom entry, or replaces a standard one (return nullptr to
    // keep the standard control).
    using CustomFactory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;

    // Builds every control of the template as a child of parent, placed in dialog units of
    // the template font, and sets parent's font to it.
    void Build(const DialogTemplate& tmpl, QWidget* parent, const CustomFactory& factory);

    QWidget* Item(int id) const;
    template <class T> T* ItemAs(int id) const { return qobject_cast<T*>(Item(id)); }
    int IdOf(const QWidget* control) const;

    // A message-map entry: a click on the numbered button calls receiver's handler.
    template <class Receiver, class Handler>
    void OnClicked(int id, Receiver* receiver, Handler handler) const
    {
        if (auto* button = ItemAs<QAbstractButton>(id))
            QObject::connect(button, &QAbstractButton::clicked, receiver, handler);
    }

    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text);
    bool IsChecked(int id) const;
    void SetCheck(int id, bool checked);
    void EnableItem(int id, bool enable);
    void ShowItem(int id, bool show);

    // The button marked Default in the template, if any.
    QAbstractButton* DefaultButton() const { return m_defaultButton; }

    const DialogTemplate* Template() const { return m_template; }

private:
    QWidget* MakeControl(const ControlTemplate& control, QWidget* parent);

    std::map<int, QWidget*> m_items;
    const DialogTemplate* m_template = nullptr;
    QAbstractButton* m_defaultButton = nullptr;
};
