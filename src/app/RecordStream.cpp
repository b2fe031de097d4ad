#include "app/RecordStream.h"

#include "data/AccFile.h"
#include "data/DataRecord.h"
#include "record/LoggerRecord.h"
#include "link/Port.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// Reads of one record place before it counts as missing.
constexpr int ReadsPerPlace = 2;
// Silent places in a row that mean the logger has stopped sending records; places in a row
// that brought no record at all, junk included, mean the same.
constexpr int SilentPlacesOfAStop = 2;
constexpr int FruitlessPlacesOfAStop = 10;
// Once the counted lines have come, a second without a byte ends the stream where nothing is
// erased after it: at the line's pace a record line follows the one before within
// milliseconds. Before an erase the line is given a whole reply time-out.
constexpr int EndWaitSec = 1;
// Lines after the counted ones that a logger may send to close its stream.
constexpr int ClosingLines = 1;

bool IsOtherLoggersLine(const DataLoadLine& line, int id)
{
    if (line.fromLogger)
        return false;
    for (int other = 1; other <= MaxLoggerIds; ++other) {
        if (other != id && LoggerCommand::HasLoggerHead(line.reply, other))
            return true;
    }
    return false;
}

} // namespace

RecordStream::RecordStream(int loggerId, int count, AccFile& raw)
    : m_id(loggerId)
    , m_count(count)
    , m_raw(raw)
    // A memory may hold up to a whole memory more than it counted; a device that sends more
    // lines than that is babbling.
    , m_linesLeft(static_cast<long long>(count) + LoggerMemoryCapacity)
{
}

void RecordStream::PutBack(const DataLoadLine& line)
{
    m_putBack = line;
}

bool RecordStream::IsRecord(const DataLoadLine& line) const
{
    return line.fromLogger && IsRecordLine(line.record);
}

// The next line, appended to the raw file: this logger's record as the logger stored it, any
// other line whole, as it came. A whole line of a record's length keeps its head cut instead,
// so that no reader takes it for a reading of this logger either.
RecordStream::Read RecordStream::NextLine(DataLoadLine& line, int timeoutSec)
{
    const long long slicesBefore = g_port.m_Serial.SliceCount();
    if (m_putBack) {
        line = *m_putBack;
        m_putBack.reset();
    } else {
        if (m_linesLeft <= 0)
            return Read::Overrun;
        line = g_port.ReadDataLine(m_id, timeoutSec);
    }
    // How long empty reads waited shows how long the line has been silent: a NUL byte ends one
    // early, and a line end left over from the last line ends one after a byte wait.
    const long long waited = g_port.m_Serial.SliceCount() - slicesBefore;
    m_silentSlices = line.reply.empty() ? m_silentSlices + waited : 0;
    if (line.reply.empty())
        return g_port.m_Serial.IsOpen() ? Read::Silent : Read::LineLost;
    --m_linesLeft;
    const std::string start = line.reply.substr(0, LoggerCommand::DataLoadCut);
    const Kind kind = KindOf(line);
    switch (kind) {
    case Kind::Record:
        if (std::find(m_recordHeads.begin(), m_recordHeads.end(), start) == m_recordHeads.end())
            m_recordHeads.push_back(start);
        break;
    case Kind::Own:
        ++m_ownLines[start]; // judged once every record head is known
        break;
    case Kind::Foreign:
        ++m_foreign;
        break;
    case Kind::Junk:
        ++m_junkLines;
        break;
    }
    const bool whole = kind != Kind::Record && !IsRecordLine(line.reply);
    Append(whole ? line.reply : line.record);
    return Read::Line;
}

RecordStream::Kind RecordStream::KindOf(const DataLoadLine& line) const
{
    if (line.fromLogger)
        return IsRecord(line) ? Kind::Record : Kind::Own;
    return IsOtherLoggersLine(line, m_id) ? Kind::Foreign : Kind::Junk;
}

void RecordStream::Append(const std::string& line)
{
    if (m_raw.AppendLine(line))
        ++m_appended;
    else
        m_writeFailed = true;
}

RecordStream::Place RecordStream::ReadPlace(std::string& shown)
{
    bool anything = false;
    for (int read = 0; read < ReadsPerPlace;) {
        // Repeats that make up the count are records the memory holds twice: nothing more of
        // this count is to come.
        if (m_repeats > 0 && m_counted + m_repeats >= m_count)
            return Place::AllSent;
        DataLoadLine line;
        switch (NextLine(line, 0)) {
        case Read::LineLost:
            return Place::LineLost;
        case Read::Overrun:
            return Place::Overrun;
        case Read::Silent:
            ++read;
            continue;
        case Read::Line:
            break;
        }
        anything = true;
        shown = line.record;
        if (IsRecord(line)) {
            if (m_seen.insert(line.record).second)
                return Place::Arrived;
            ++m_repeats; // a record counts once: this place is still to come
            continue;
        }
        ++read;
    }
    return anything ? Place::Damaged : Place::Silent;
}

RecordStream::End RecordStream::ReadRecords(const PlaceRead& placeRead)
{
    int silentInRow = 0;
    int fruitlessInRow = 0;
    for (int place = 1; place <= m_count; ++place) {
        std::string line;
        const Place got = ReadPlace(line);
        // Waiting out every record of a count the logger does not send could take days.
        if (got == Place::Silent || got == Place::Damaged) {
            silentInRow = got == Place::Silent ? silentInRow + 1 : 0;
            if (silentInRow == SilentPlacesOfAStop || ++fruitlessInRow == FruitlessPlacesOfAStop)
                return End::StreamStopped;
        } else {
            silentInRow = fruitlessInRow = 0;
        }
        switch (got) {
        case Place::LineLost:
            return End::LineLost; // nothing more can come; no empty lines for the rest
        case Place::Overrun:
            m_beyondCount = true;
            return End::Done;
        case Place::AllSent:
            return m_writeFailed ? End::WriteFailed : End::Done;
        case Place::Arrived:
            ++m_counted;
            break;
        case Place::Damaged:
            ++m_missing;
            break;
        case Place::Silent:
            ++m_missing;
            ++m_silentPlaces;
            Append({}); // the place of a record of which nothing came
            break;
        }
        if (m_writeFailed)
            return End::WriteFailed;
        if (!placeRead(place, line))
            return End::Stopped;
    }
    return End::Done;
}

RecordStream::End RecordStream::ReadToEnd(EndSilence silence)
{
    const int silentSlices
        = FirstByteSlices(false, silence == EndSilence::ByteWait ? EndWaitSec : 0);
    const int perSecond = FirstByteSlices(false, 1);
    QElapsedTimer flood;
    flood.start();
    // Reads that stayed silent long enough have shown the end already.
    while (m_silentSlices < silentSlices) {
        if (flood.hasExpired(MaxFloodMs)) {
            m_beyondCount = true;
            break;
        }
        DataLoadLine line;
        // The silence still missing, in whole seconds.
        const long long missing = silentSlices - m_silentSlices;
        const int timeoutSec = static_cast<int>((missing + perSecond - 1) / perSecond);
        const Read read = NextLine(line, timeoutSec);
        if (read == Read::LineLost)
            return End::LineLost;
        if (read == Read::Overrun) {
            m_beyondCount = true;
            break;
        }
        if (read == Read::Line)
            TakeEndLine(line);
    }
    return m_writeFailed ? End::WriteFailed : End::Done;
}

// After the counted places only one line that is no record of this logger may come: the
// logger's own end. A line that may be a damaged record is never taken for it.
void RecordStream::TakeEndLine(const DataLoadLine& line)
{
    const Kind kind = KindOf(line);
    if (kind == Kind::Record)
        TakeEndRecord(line.record);
    else if (!MayBeDamagedRecord(kind, line.reply) && ++m_endLines > ClosingLines)
        m_beyondCount = true;
}

void RecordStream::TakeEndRecord(const std::string& record)
{
    if (!m_seen.insert(record).second) {
        ++m_repeats;
    } else if (Unfilled() > 0) {
        ++m_counted;
    } else if (LateRoom() > 0) {
        // Nothing at all came for a place it may have filled: it was late, not missing. A
        // place that got a damaged line may have been a record of its own.
        ++m_late;
        --m_missing;
        ++m_counted;
    } else {
        m_beyondCount = true;
    }
}

bool RecordStream::MayBeDamagedRecord(Kind kind, const std::string& reply) const
{
    return kind == Kind::Junk
        || (kind == Kind::Own && UnderRecordHead(reply.substr(0, LoggerCommand::DataLoadCut)));
}

// start: the first characters of a line, as many as a record's head has, or the whole line
// when it is shorter. A line cut inside the head is taken for a record as well.
bool RecordStream::UnderRecordHead(const std::string& start) const
{
    return std::any_of(m_recordHeads.begin(), m_recordHeads.end(),
        [&start](const std::string& head) { return head.starts_with(start); });
}

int RecordStream::DamagedLines() const
{
    int lines = m_junkLines;
    for (const auto& [start, count] : m_ownLines) {
        if (UnderRecordHead(start))
            lines += count;
    }
    return lines;
}
