#include "app/VorlenApp.h"

#include "app/MainFrame.h"
#include "app/VorlenDoc.h"
#include "app/TimedMessageBox.h"
#include "record/DataFolder.h"
#include "link/ComDevice.h"
#include "link/Port.h"
#include "platform/Format.h"

#include <QCoreApplication>

CVorlenApp::CVorlenApp() = default;

CVorlenApp::~CVorlenApp() = default;

void CVorlenApp::SetSettingsNames()
{
    QCoreApplication::setOrganizationName(QString::fromUtf8(SettingsOrganization));
    QCoreApplication::setApplicationName(QString::fromUtf8(SettingsApplication));
}

bool CVorlenApp::InitInstance()
{
    SetSettingsNames();

    // Saves into a folder that cannot be written would fail one by one; say so once.
    if (!InitDataFolder()) {
        TimedMessageBox(
            FormatString("The data folder %s cannot be written.", g_strDataFolder.c_str()),
            TimedBoxForm::Warning);
    }

    m_doc = std::make_unique<CVorlenDoc>();
    if (!m_doc->OnNewDocument())
        return false;
    m_frame = std::make_unique<CMainFrame>();
    m_frame->show();
    return true;
}

int CVorlenApp::ExitInstance()
{
    m_frame.reset();
    g_port.m_Serial.Close();
    return 0;
}
