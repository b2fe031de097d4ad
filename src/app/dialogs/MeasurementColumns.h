#pragma once

#include "record/LoggerRecord.h"

#include <string>
#include <vector>

// The reading columns of the measurement table for one logger: for channels 1..16 in order,
// reading A ("%dA") when the channel has a VW type and reading B ("%dB") when it has an
// analog type. Column 0 of the table is the logger ID; reading column i is table column i+1.
struct ReadingColumn
{
    int channel = 0; // 0-based
    char reading = 'A';

    std::string Heading() const;
};

std::vector<ReadingColumn> ReadingColumns(const LoggerUnit& unit);
// The table column of a channel's reading, -1 when it has no column.
int TableColumnOf(const std::vector<ReadingColumn>& columns, int channel, char reading);
// The column offset "Reading select channel" scrolls by: the readings set on the channels
// below ch, plus one for kind 2 (B) on a channel with a VW type.
int SelectColumnOffset(const LoggerUnit& unit, int ch, int kind);
