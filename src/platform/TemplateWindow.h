#pragma once

#include "platform/DialogControls.h"
#include "platform/DialogTemplate.h"
#include "platform/DialogUnits.h"
#include "platform/WindowTimers.h"

#include <QWidget>

// What every window built from a template shares, whatever its kind (dialog or form): the
// numbered controls, built on first use so that a subclass may reach them from its
// constructor (where its CreateCustomControl already applies), and window timers by id.
template <class Widget> class CTemplateWindow : public Widget
{
public:
    QWidget* Item(int id) { return Controls().Item(id); }
    template <class T> T* ItemAs(int id) { return Controls().template ItemAs<T>(id); }
    DialogControls& Controls()
    {
        if (!m_built) {
            m_built = true;
            m_controls.Build(m_template, this, [this](const ControlTemplate& c, QWidget* parent) {
                return CreateCustomControl(c, parent);
            });
            OnControlsBuilt();
        }
        return m_controls;
    }

    void SetTimer(int id, int milliseconds) { m_timers.SetTimer(id, milliseconds); }
    void KillTimer(int id) { m_timers.KillTimer(id); }
    bool IsTimerRunning(int id) const { return m_timers.IsRunning(id); }
    int TimerInterval(int id) const { return m_timers.Interval(id); }

    // The template's size in pixels of its dialog units.
    QSize TemplateSize()
    {
        Controls();
        const DialogUnits units = DialogUnits::ForFont(this->font());
        return QSize(units.ToPixelsX(m_template.cx), units.ToPixelsY(m_template.cy));
    }

protected:
    CTemplateWindow(const DialogTemplate& tmpl, QWidget* parent, Qt::WindowFlags flags)
        : Widget(parent, flags)
        , m_template(tmpl)
        , m_timers(this, [this](int id) { OnTimer(id); })
    {
    }

    virtual void OnTimer(int) { }
    // Makes a Custom control of the template, or replaces a standard one; nullptr keeps the
    // standard control.
    virtual QWidget* CreateCustomControl(const ControlTemplate&, QWidget*) { return nullptr; }
    // Runs once, right after the controls have been built.
    virtual void OnControlsBuilt() { }

    const DialogTemplate& Template() const { return m_template; }

private:
    const DialogTemplate& m_template;
    DialogControls m_controls;
    WindowTimers m_timers;
    bool m_built = false;
};
