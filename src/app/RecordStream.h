#pragma once

#include "link/LoggerCommand.h"

#include <functional>
#include <optional>
#include <string>
#include <unordered_set>

class AccFile;

// One logger's "data load" stream, read into its raw file: record place by record place up to
// the count, then on to the stream's end. Every line that comes is appended as it came. Only a
// well-formed record of the logger fills a place, and each record line once: a line that comes
// again never takes the place of a record still to come.
//
// What the stream says about the count: the records that filled places, the places that got
// a damaged line or nothing (each place is read twice before it counts as missing), whether
// the logger stopped sending records (two places in a row of which nothing at all came, or ten
// without a record), and whether anything but a repeat came after the counted places.
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
    // Reads the places 1..count.
    End ReadRecords(const PlaceRead& placeRead);
    // Reads on until the line stays silent for one reply time-out, for MaxFloodMs at most. A
    // line that cannot reach the raw file any more is still read, so that it cannot answer
    // the next command; what was lost is in the logger still.
    End ReadToEnd();

    int Counted() const { return m_counted; }
    int Missing() const { return m_missing; }
    // Something other than a repeat came after the counted places, or the stream did not end.
    bool BeyondCount() const { return m_beyondCount; }
    int Appended() const { return m_appended; }

private:
    enum class Read
    {
        Line,
        Silent,
        LineLost,
        Overrun
    };
    enum class Place
    {
        Arrived,
        Damaged,
        Silent,
        LineLost,
        Overrun
    };

    Read NextLine(DataLoadLine& line);
    void Append(const std::string& line);
    Place ReadPlace(std::string& shown);
    bool IsRecord(const DataLoadLine& line) const;

    int m_id;
    int m_count;
    AccFile& m_raw;
    std::optional<DataLoadLine> m_putBack;
    std::unordered_set<std::string> m_seen; // record lines read in this download
    long long m_linesLeft; // before the logger is taken for a babbling device
    int m_counted = 0;
    int m_missing = 0;
    int m_appended = 0;
    bool m_beyondCount = false;
    bool m_writeFailed = false;
    bool m_lastSilent = false;
};
