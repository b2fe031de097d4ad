#include "app/OperationDialogs.h"

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
