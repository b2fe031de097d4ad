#include "app/ConfigurationSave.h"

#include "app/TimedMessageBox.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"
#include "platform/Format.h"

bool SaveCurrentConfiguration()
{
    const LoggerRecord* record = CurrentLogger();
    if (!record)
        return false;
    if (SaveLoggerFile(g_nCurLogger, nullptr))
        return true;
    TimedMessageBox(FormatString("The configuration file %s could not be written.",
                        SavedLoggerFilePath(*record).c_str()),
        TimedBoxForm::Warning);
    return false;
}
