#pragma once

#include "link/LoggerCommand.h"

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class AccFile;

// One logger's "data load" stream, read into its raw file: record place by record place up to
// the count, then on to the stream's end. Only a well-formed record of the logger fills a
// place, and each record line once: a line that comes again never takes the place of a record
// still to come. The raw file keeps every line as it came, except that only this logger's
// records go in as records: no reader can take any other line for one of its readings.
//
// What the stream says about the count: the records that filled places, the places that got
// a damaged line or nothing (each place is read twice before it counts as missing), records
// that came late into a place given up in silence, records that came more than once, lines of
// other loggers, lines that may be damaged records, whether the logger stopped sending records
// (two places in a row of which nothing at all came, or ten without a record), and whether
// more came after the counted places than a logger's one closing line.
class RecordStream final
{
public:
    enum class End
    {
        Done,
        Stopped, // the caller asked to stop
        StreamStopped, // two places in a row brought nothing at all
        WriteFailed, // a line did not reach the raw file
        LineLost
    };
    // Called after each place with its number (1-based) and the line that filled it, or the
    // last that came for it ("" when none); false stops the reading there.
    using PlaceRead = std::function<bool(int place, const std::string& line)>;

    RecordStream(int loggerId, int count, AccFile& raw);
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    // A line that came in place of the stream's head: it is read as the stream's first.
    void PutBack(const DataLoadLine& line);
    // Reads the places 1..count, or until as many record lines came as were counted, some of
    // them repeats: the rest is then read as the stream's end.
    End ReadRecords(const PlaceRead& placeRead);
    // How long the line must stay silent for the stream to have ended.
    enum class EndSilence
    {
        ByteWait, // a second: what comes later stays in the logger, unerased
        ReplyTimeOut // a whole reply time-out: an erase follows, and a slow line pauses
    };
    // Reads on until the line stays silent that long, for MaxFloodMs at most. A record not
    // read before fills a place still open, or one given up in silence; once none is, it is
    // more than was counted. A line that cannot reach the raw file any more is still read, so
    // that it cannot answer the next command; what was lost is in the logger still.
    End ReadToEnd(EndSilence silence);

    int Count() const { return m_count; }
    int Counted() const { return m_counted; }
    int Missing() const { return m_missing; }
    // Places neither filled nor given up as missing: the stream ended before them.
    int Unfilled() const { return m_count - m_counted - m_missing; }
    // Places given up in silence that a record coming late may still fill.
    int LateRoom() const { return m_silentPlaces - m_late; }
    // Records that came after their place had been given up in silence.
    int Late() const { return m_late; }
    // Lines that may be damaged records of this logger: under the head its records carry, or
    // a piece of it, or under no logger's head at all. A place may have taken one in its
    // stride, so each keeps the memory whatever the count.
    int DamagedLines() const;
    // Record lines that came again after they had filled a place.
    int Repeats() const { return m_repeats; }
    // Lines under another logger's head.
    int ForeignLines() const { return m_foreign; }
    // A record not read before, or more than one other line, came after the counted places,
    // or the stream did not end.
    bool BeyondCount() const { return m_beyondCount; }
    int Appended() const { return m_appended; }
    // The record lines of this download, each once.
    const std::unordered_set<std::string>& Records() const { return m_seen; }

private:
    enum class Read
    {
        Line,
        Silent,
        LineLost,
        Overrun
    };
    // Who a line is from: this logger (a well-formed record, or another line of its), another
    // logger, or nobody's head at all.
    enum class Kind
    {
        Record,
        Own,
        Foreign,
        Junk
    };
    enum class Place
    {
        Arrived,
        Damaged,
        Silent,
        AllSent, // as many record lines came as were counted
        LineLost,
        Overrun
    };

    Read NextLine(DataLoadLine& line, int timeoutSec);
    void Append(const std::string& line);
    Place ReadPlace(std::string& shown);
    void TakeEndLine(const DataLoadLine& line);
    void TakeEndRecord(const std::string& record);
    bool IsRecord(const DataLoadLine& line) const;
    Kind KindOf(const DataLoadLine& line) const;
    bool MayBeDamagedRecord(Kind kind, const std::string& reply) const;
    bool UnderRecordHead(const std::string& start) const;

    int m_id;
    int m_count;
    AccFile& m_raw;
    std::optional<DataLoadLine> m_putBack;
    std::unordered_set<std::string> m_seen; // record lines read in this download
    std::vector<std::string> m_recordHeads; // the heads this logger's records came under
    // How many of its lines that are no record began with each text of a head's length.
    std::unordered_map<std::string, int> m_ownLines;
    int m_junkLines = 0; // lines under no logger's head
    long long m_linesLeft; // before the logger is taken for a babbling device
    int m_counted = 0;
    int m_missing = 0;
    int m_silentPlaces = 0; // missing places of which nothing at all came
    int m_late = 0;
    int m_repeats = 0;
    int m_foreign = 0;
    int m_endLines = 0; // lines after the count that are no record of this logger
    int m_appended = 0;
    bool m_beyondCount = false;
    bool m_writeFailed = false;
    long long m_silentSlices = 0; // how long the reads since the last line waited in vain
};
