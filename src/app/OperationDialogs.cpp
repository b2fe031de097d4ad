#include "app/OperationDialogs.h"

#include "app/WaitMode.h"
#include "app/dialogs/ConnectDlg.h"
#include "app/dialogs/DataReadingDlg.h"
#include "app/dialogs/FormatDlg.h"
#include "app/dialogs/LoggerSettingDlg.h"
#include "app/dialogs/MeasurementDlg.h"
#include "app/dialogs/MemoryCheckDlg.h"
#include "app/dialogs/NewLoggerDlg.h"
#include "app/dialogs/OpenLoggerDlg.h"
#include "app/dialogs/ResetDlg.h"
#include "app/dialogs/TimeSetDlg.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "app/dialogs/ZigbeeSetDlg.h"

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

// The scan refreshes the record's channel table, which the dialog's columns come from.
void RunMeasurement()
{
    CWaitPopupDlg scan("Loading!!...", WaitMode::ScanChannels, -1, -1, -1);
    scan.DoModal();
    CMeasurementDlg dlg;
    dlg.DoModal();
}

void RunMemoryCheckDlg()
{
    CMemoryCheckDlg dlg;
    dlg.DoModal();
}

void RunFormatDlg()
{
    CFormatDlg dlg;
    dlg.DoModal();
}

void RunTimeSetDlg()
{
    CTimeSetDlg dlg;
    dlg.DoModal();
}

void RunResetDlg()
{
    CResetDlg dlg;
    dlg.DoModal();
}

void RunLoggerSettingDlg()
{
    CLoggerSettingDlg dlg;
    dlg.DoModal();
}

void RunZigbeeSetDlg()
{
    CZigbeeSetDlg dlg;
    dlg.DoModal();
}
