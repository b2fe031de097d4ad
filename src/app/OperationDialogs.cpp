#include "app/OperationDialogs.h"

#include "app/dialogs/DataReadingDlg.h"

// Each function gains its dialog when that dialog is added to the program.

void RunOpenLoggerDlg()
{
}

void RunLoggerEditDlg(int)
{
}

void RunConnectDlg()
{
}

void RunDataReadingDlg()
{
    CDataReadingDlg dlg;
    dlg.DoModal();
}

void RunMeasurement()
{
}

void RunMemoryCheckDlg()
{
}

void RunFormatDlg()
{
}

void RunTimeSetDlg()
{
}

void RunResetDlg()
{
}

void RunLoggerSettingDlg()
{
}

void RunZigbeeSetDlg()
{
}
