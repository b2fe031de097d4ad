#include "app/AboutDlg.h"

#include "res/DialogTemplates.h"
#include "res/IconResources.h"

#include <QLabel>

CAboutDlg::CAboutDlg(QWidget* parent)
    : CDialogBase(Dialog100(), parent)
{
}

bool CAboutDlg::OnInitDialog()
{
    if (auto* icon = ItemAs<QLabel>(128))
        icon->setPixmap(LoadResourceIcon(128));
    return CDialogBase::OnInitDialog();
}
