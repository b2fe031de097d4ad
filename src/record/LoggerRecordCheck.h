#pragma once

#include "record/LoggerRecord.h"

#include <string>

// Tells a record read from a ".arg" file apart from anything else with that ending: every
// field must hold a value that this program's dialogs, its logger reads or its scheduler
// can store. Text bytes are not judged by any encoding, so a name written in another code
// page still passes.
// Use: const std::string wrong = LoggerRecordCheck::FirstWrongField(record);
class LoggerRecordCheck
{
public:
    // The first field, in file order, whose value no part of the program stores, named for
    // the operator ("COM port", "logger 3 channel 5 VW type"); "" when there is none.
    static std::string FirstWrongField(const LoggerRecord& record);
};
