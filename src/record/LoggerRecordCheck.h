#pragma once

#include "record/LoggerRecord.h"

#include <cstddef>
#include <string>

// Tells a record read from a ".arg" file apart from anything else with that ending. Only what
// no configuration can hold is wrong: a text without its end, a name that is no file title, a
// flag other than 0 and 1, a list position outside its list. Every other number is whatever
// its writer or the logger gave, and passes. Text bytes are not judged by any encoding, so a
// name written in another code page still passes.
// Use: const std::string wrong = LoggerRecordCheck::FirstWrongField(record, bytesRead);
class LoggerRecordCheck
{
public:
    // The first field, in file order, that no configuration can hold, named for the operator
    // ("date style", "logger 3 channel 5 sensor flag"); "" when there is none. A record read
    // from a shorter file holds fileSize bytes of it: a text it cuts before the text's end
    // has no end.
    static std::string FirstWrongField(
        const LoggerRecord& record, size_t fileSize = sizeof(LoggerRecord));
};
