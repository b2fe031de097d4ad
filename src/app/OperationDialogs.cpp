#include "app/OperationDialogs.h"

#include "app/dialogs/NewLoggerDlg.h"
#include "app/dialogs/OpenLoggerDlg.h"
#include "app/dialogs/ConnectDlg.h"
#include "app/dialogs/DataReadingDlg.h"
#include "app/dialogs/LoggerSettingDlg.h"

// Each function gains its dialog when that dialog is added to the program.

void RunOpenLoggerDlg()
{
    COpenLoggerDlg dlg;
    dlg.DoModal();
}

void RunLoggerEditDlg(int index)
{
    CNewLoggerDlg dlg;
    dlg.m_nIndex = index;
    dlg.DoModal();
}

void RunConnectDlg()
{
    CConnectDlg dlg;
    dlg.DoModal();
}

void RunDataReadingDlg()
{
    CDataReadingDlg dlg;
    dlg.DoModal();
}

void RunMeasurement() { }

void RunMemoryCheckDlg() { }

void RunFormatDlg() { }

void RunTimeSetDlg() { }

void RunResetDlg() { }

void RunLoggerSettingDlg()
{
    CLoggerSettingDlg dlg;
    dlg.DoModal();
}

void RunZigbeeSetDlg() { }
