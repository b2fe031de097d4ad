#pragma once

#include "platform/TemplateWindow.h"

#include <QDialog>

// A modal dialog built from its template. Subclasses are short: they connect the controls
// they handle (in their constructor or OnInitDialog) and override the virtual steps.
// Button IDOK calls OnOK and IDCANCEL calls OnCancel, as do Enter without a default button,
// Esc and the close box.
class CDialogBase : public CTemplateWindow<QDialog>
{
    Q_OBJECT

public:
    explicit CDialogBase(const DialogTemplate& tmpl, QWidget* parent = nullptr);

    // Runs the dialog modally (OnInitDialog first) and returns the value given to EndDialog.
    int DoModal();
    // Builds the window for modeless use and runs OnInitDialog once.
    void Create();
    void EndDialog(int result);

    // Pixels of a length in this dialog's units.
    QRect MapDialogRect(int x, int y, int cx, int cy) const;

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void OnControlsBuilt() override;

    void accept() override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_initialised = false;
    bool m_ended = false;
};
