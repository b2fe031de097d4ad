#pragma once

#include "platform/TemplateWindow.h"

#include <QWidget>

// A form that fills a frame's client area, built from its template like a dialog; its size
// is the template's size in the template's dialog units.
class CFormView : public CTemplateWindow<QWidget>
{
    Q_OBJECT

public:
    explicit CFormView(const DialogTemplate& tmpl, QWidget* parent = nullptr);

    // Builds the controls (on first use) and runs OnInitialUpdate once.
    void InitialUpdate();

    // Fits the frame whose central widget this form is to the form: the frame shrinks or
    // grows to it, so that no control is cut off at any font size. A form larger than the
    // screen scrolls inside a frame that fits the screen.
    void ResizeParentToFit();

protected:
    virtual void OnInitialUpdate();
    void OnControlsBuilt() override;

private:
    bool m_initialised = false;
};
