#pragma once

#include "platform/DialogControls.h"
#include "platform/DialogTemplate.h"
#include "platform/WindowTimers.h"

#include <QWidget>

// A form that fills a frame's client area, built from its template like a dialog; its size
// is the template's size in the template's dialog units.
class CFormView : public QWidget
{
    Q_OBJECT

public:
    explicit CFormView(const DialogTemplate& tmpl, QWidget* parent = nullptr);

    // Builds the controls (on first use) and runs OnInitialUpdate once.
    void InitialUpdate();

    QWidget* Item(int id) { return Controls().Item(id); }
    template <class T> T* ItemAs(int id) { return Controls().ItemAs<T>(id); }
    DialogControls& Controls();

    void SetTimer(int id, int milliseconds) { m_timers.SetTimer(id, milliseconds); }
    void KillTimer(int id) { m_timers.KillTimer(id); }
    bool IsTimerRunning(int id) const { return m_timers.IsRunning(id); }

    // The form's size in pixels.
    QSize FormSize();

protected:
    virtual void OnInitialUpdate();
    virtual void OnTimer(int id);
    virtual QWidget* CreateCustomControl(const ControlTemplate& control, QWidget* parent);

private:
    void EnsureBuilt();

    const DialogTemplate& m_template;
    DialogControls m_controls;
    WindowTimers m_timers;
    bool m_built = false;
    bool m_initialised = false;
};
