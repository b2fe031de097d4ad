#include "app/ConfigurationSave.h"

#include "app/TimedMessageBox.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"
#include "platform/Format.h"
#include "platform/Utf8Text.h"

bool SaveCurrentConfiguration()
{
    const LoggerRecord* record = CurrentLogger();
    if (!record)
        return false;
    if (SaveLoggerFile(g_nCurLogger, nullptr))
        return true;
    WarnConfigurationNotWritten(SavedLoggerFilePath(*record));
    return false;
}

void WarnConfigurationNotWritten(const std::string& path)
{
    TimedMessageBox(FormatString(IsUtf8Text(path)
                            ? "The configuration file %s could not be written."
                            : "The configuration file %s could not be written: its name or folder "
                              "is not UTF-8 text.",
                        ReadableText(path).c_str()),
        TimedBoxForm::Warning);
}
