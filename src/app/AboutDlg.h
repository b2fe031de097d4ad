#pragma once

#include "platform/DialogBase.h"

// The About box (template 100).
class CAboutDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
};
