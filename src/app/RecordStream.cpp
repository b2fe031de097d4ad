#include "app/RecordStream.h"

#include "data/AccFile.h"
#include "data/DataRecord.h"
#include "link/Port.h"

#include <QElapsedTimer>

namespace {

// Reads of one record place before it counts as missing.
constexpr int ReadsPerPlace = 2;
// Silent places in a row that mean the logger has stopped sending records; places in a row
// that brought no record at all, junk included, mean the same.
constexpr int SilentPlacesOfAStop = 2;
constexpr int FruitlessPlacesOfAStop = 10;

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

// The next line, appended to the raw file as it came.
RecordStream::Read RecordStream::NextLine(DataLoadLine& line)
{
    const long long slicesBefore = g_port.m_Serial.SliceCount();
    if (m_putBack) {
        line = *m_putBack;
        m_putBack.reset();
    } else {
        if (m_linesLeft <= 0)
            return Read::Overrun;
        line = g_port.ReadDataLine(m_id);
    }
    // The line end left by the last line makes a read end after one second: only a whole
    // reply time-out without a byte shows that the stream has ended.
    m_lastSilent = line.reply.empty()
        && g_port.m_Serial.SliceCount() - slicesBefore >= FirstByteSlices(false, 0);
    if (line.reply.empty())
        return g_port.m_Serial.IsOpen() ? Read::Silent : Read::LineLost;
    --m_linesLeft;
    Append(line.record);
    return Read::Line;
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
        DataLoadLine line;
        switch (NextLine(line)) {
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
            continue; // a record counts once: this place is still to come
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
        case Place::Arrived:
            ++m_counted;
            break;
        case Place::Damaged:
            ++m_missing;
            break;
        case Place::Silent:
            ++m_missing;
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

RecordStream::End RecordStream::ReadToEnd()
{
    QElapsedTimer flood;
    flood.start();
    // A last read that stayed silent has shown the end already.
    while (!m_lastSilent) {
        if (flood.hasExpired(MaxFloodMs)) {
            m_beyondCount = true;
            break;
        }
        DataLoadLine line;
        const Read read = NextLine(line);
        if (read == Read::LineLost)
            return End::LineLost;
        if (read == Read::Overrun) {
            m_beyondCount = true;
            break;
        }
        // Only a record already read says nothing about the count.
        if (read == Read::Line && !(IsRecord(line) && m_seen.contains(line.record)))
            m_beyondCount = true;
    }
    return m_writeFailed ? End::WriteFailed : End::Done;
}
