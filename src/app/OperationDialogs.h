#pragma once

// The places where the main frame and the main screen run the operation dialogs, each
// modally on the current configuration (the callers check the selection first).
void RunOpenLoggerDlg(); // COpenLoggerDlg (template 311): replaces the open table
void RunLoggerEditDlg(int index); // CNewLoggerDlg in edit mode on g_loggers[index]
void RunConnectDlg(); // CConnectDlg (template 319): opens g_port or leaves it closed
void RunDataReadingDlg(); // CDataReadingDlg (template 159): downloads every logger
void RunMeasurement(); // CWaitPopupDlg scanning the channels, then CMeasurementDlg (327)
void RunMemoryCheckDlg(); // CMemoryCheckDlg (template 135)
void RunFormatDlg(); // CFormatDlg (template 134)
void RunTimeSetDlg(); // CTimeSetDlg (template 137)
void RunResetDlg(); // CResetDlg (template 313)
void RunLoggerSettingDlg(); // CLoggerSettingDlg (template 322)
void RunZigbeeSetDlg(); // CZigbeeSetDlg (template 154)
