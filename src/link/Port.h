#pragma once

#include "link/LoggerCommand.h"
#include "link/SerialCom.h"

#include <QDateTime>

#include <functional>
#include <string>

// Moves a progress bar to a position; an empty function moves nothing. The link never sees
// a widget: dialogs pass a function that sets their bar.
using ProgressPos = std::function<void(int position)>;
void SetProgressPos(const ProgressPos& progress, int position);

// A reply line holds at most this many characters; bytes beyond them are dropped up to the
// line end.
inline constexpr size_t MaxReplyLength = 259;
// A line, or a stream of lines, that goes on and on is given up after this long.
inline constexpr int MaxFloodMs = 5000;

// The logger link: one serial port, one command and one reply line at a time.
//
// SendCommand, ModemHangUp and the destructor act on their own object. The logger command
// set and ModemConnect act on the program-wide g_port, whichever object they are called
// through. Failure is a value, never an exception or a message: "" for no reply (or a
// closed port), -1 for a count, false for a step.
class CPort
{
public:
    CPort();
    // Hangs the modem up when the current configuration uses one, then closes the port.
    virtual ~CPort();
    CPort(const CPort&) = delete;
    CPort& operator=(const CPort&) = delete;

    // Sends command (unless empty; it carries its own line end) after purging both queues,
    // then reads one reply line: CR ends it in direct mode, LF in either mode; leading CR and
    // LF are skipped; a second without a byte ends it as far as it came. The first byte is
    // waited for 60 slices, 110 with bModem, or nTimeoutSec x 10 slices when that is > 0.
    // Returns the line without CR and LF; "" when nothing came, the port is closed, or the
    // line went away meanwhile.
    std::string SendCommand(const std::string& command, bool bModem = false, int nTimeoutSec = 0);
    // Sends the current record's hang-up string unchanged and drops the reply. Always true.
    bool ModemHangUp();
    // Hangs up, initialises and dials the current record's modem on g_port, moving the
    // progress to 1, 8, then 10 to 12 while no "CONNECT" line came, and 13. Always true.
    bool ModemConnect(const ProgressPos& progress);

    // The logger command set (see LoggerCommand.cpp). id is the logger ID 1..7.
    std::string ReadAddress(int id);
    bool IsLoggerPresent(int id);
    // "%04d/%02d/%02d %02d:%02d:%02d" of the logger clock; "" when a reply is missing.
    std::string ReadDateTime(int id);
    // Date, then time (only when the date was answered); seconds and below are not sent.
    bool SetDateTime(int id, const QDateTime& time);
    // id >= 0 sends "measure all" (reading again while empty, 17 reads in all); id < 0 reads
    // the next line. Returns the MeasureReply.
    std::string MeasureAll(int id);
    std::string MeasureChannel(int id, int ch, int vwOn, int vwSweep, int value, int analogType);
    std::string ReadSchedule(int id);
    bool SetScheduleMode(int id, bool periodic);
    // True when the logger answered the interval.
    bool SetSchedule(int id, int hours, int minutes);
    // next false sends "data load" and drops its first line ("" always); next true returns
    // the next stored record (DataLoadReply), "" when none came.
    std::string LoadData(int id, bool next);
    // The next line of a "data load" transfer whole, for a caller that must know whether it
    // came from logger id; nTimeoutSec > 0 replaces the wait for its first byte.
    DataLoadLine ReadDataLine(int id, int nTimeoutSec = 0);
    // Sends "data load" and returns its first line whole: the head, unless it was lost and a
    // record came in its place.
    DataLoadLine StartDataLoad(int id);
    // next false sends "channel all" and restarts g_port's sensor count; next true reads the
    // next channel line. Writes the reported channel into the current record's table and
    // returns the sensor count so far; -1 when no line came.
    int ReadChannelAll(int id, bool next);
    std::string SetChannel(
        int id, int ch, int vwType, int vwOn, int vwSweep, int value, int analogType);
    std::string SetSave(int id, bool on);
    bool InitMemory(int id);
    bool ResetLogger(int id, const ProgressPos& progress);
    // Stored record count, 0..LoggerMemoryCapacity; -1 when no well-formed reply came.
    int ReadMemoryCount(int id);
    // The same query, telling also whether the logger holds more than a download reads.
    MemoryCount QueryMemoryCount(int id);

    CSerialCom m_Serial;
    int m_nComPort = 1;
    int m_nSensorCount = 0;

private:
    std::string ReadReplyLine(bool bModem);
};

// The program-wide link.
extern CPort g_port;

// Slices waited for the first byte of a reply.
int FirstByteSlices(bool bModem, int nTimeoutSec);
