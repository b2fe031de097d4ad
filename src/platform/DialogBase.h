#pragma once

#include "platform/DialogControls.h"
#include "platform/DialogTemplate.h"
#include "platform/WindowTimers.h"

#include <QDialog>

// A modal dialog built from its template. Subclasses are short: they connect the controls
// they handle (in their constructor or OnInitDialog) and override the virtual steps.
// Button IDOK calls OnOK and IDCANCEL calls OnCancel, as do Enter without a default button,
// Esc and the close box.
class CDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit CDialogBase(const DialogTemplate& tmpl, QWidget* parent = nullptr);

    // Runs the dialog modally (OnInitDialog first) and returns the value given to EndDialog.
    int DoModal();
    // Builds the window for modeless use and runs OnInitDialog once.
    void Create();
    void EndDialog(int result);

    // The controls are built on first use, so a subclass may reach them from its
    // constructor (where its CreateCustomControl already applies).
    QWidget* Item(int id) { return Controls().Item(id); }
    template <class T> T* ItemAs(int id) { return Controls().ItemAs<T>(id); }
    DialogControls& Controls();

    void SetTimer(int id, int milliseconds) { m_timers.SetTimer(id, milliseconds); }
    void KillTimer(int id) { m_timers.KillTimer(id); }
    bool IsTimerRunning(int id) const { return m_timers.IsRunning(id); }

    // Pixels of a length in this dialog's units.
    QRect MapDialogRect(int x, int y, int cx, int cy) const;

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnTimer(int id);
    // Makes a Custom control of the template, or replaces a standard one; nullptr keeps the
    // standard control.
    virtual QWidget* CreateCustomControl(const ControlTemplate& control, QWidget* parent);

    void accept() override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void EnsureBuilt();

    const DialogTemplate& m_template;
    DialogControls m_controls;
    WindowTimers m_timers;
    bool m_built = false;
    bool m_initialised = false;
    bool m_ended = false;
};
