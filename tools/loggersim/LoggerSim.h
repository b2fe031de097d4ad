#pragma once

#include "loggersim/SimLine.h"
#include "loggersim/SimTypes.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace loggersim {

// A simulated logger line on a pseudo-terminal, served by its own thread.
//
// Start() opens a pty pair; Path() is the device a client opens as its serial port (point
// QUORBEL_COM1 at it). At the far end sit up to seven loggers (IDs 1..7), a dial-up modem
// and a Zigbee radio module:
//
// - logger commands "@01,NN,<words>\r" are answered by logger NN only (silence when no such
//   logger is on the line); every reply line repeats the head "@01,NN," and ends with CR LF:
//     address                       @01,NN,address NN
//     date | time                   @01,NN,date YY MM DD | @01,NN,time hh mm ss
//     date YY MM DD | time hh mm ss sets the clock; answered like date | time
//     schedule                      @01,NN,schedule HH; MM; SS; fixed|periodic
//     schedule fixed|periodic       sets the mode; @01,NN,schedule <mode>
//     schedule HH MM SS             sets the interval; answered like schedule
//     channel all                   16 lines @01,NN,channel cc aa bb cccc dd
//     channel cc aa bb cccc dd      sets the channel; its channel line
//     measure all                   32 lines @01,NN,measure cc k vvvvvv (A then B per channel)
//     measure cc | measure cc aa bb cccc | measure cc dd    both | A | B of one channel
//     save on|off                   @01,NN,save on|off
//     data load                     @01,NN,data load <count>, then one line per stored record:
//                                   @01,NN,DL: and the 28-character record line
//     memory                        @01,NN,memory <count>
//     memory init                   erases the records; @01,NN,memory init
//     reset                         @01,NN,reset and four start-up lines
//     zigbee                        @01,NN,zigbee
//     anything else                 @01,NN,error
// - modem commands (echo on): "AT+CRM..", "ATH..", "ATE..", "AT" answer OK; "ATD<number>"
//   answers CONNECT 38400 after the dial delay; "+++" (no line end needed) answers OK;
// - radio module commands ("at+setcoord", "at+setrouter", "at+getlocal", "at+gettarget",
//   "at+settarget<16 hex digits>", "atz" with four lines; others ERROR).
//
// A new command abandons whatever the line had not yet sent of earlier replies, as a logger
// does. Faults and silence act on the reply lines; see InjectFault. Every method is safe to
// call from any thread while the simulator serves.
class LoggerSim
{
public:
    struct Options
    {
        std::vector<int> ids{1}; // loggers on the line
        int records = 64; // stored records of each logger
        uint64_t seed = 1; // the stored records and readings derive from it
        bool paced = false; // send at 3840 bytes/s, as 38400 baud does
        int replyDelayMs = 0; // before the first byte of each reply
        int dialDelayMs = 0; // from a modem's dial to its CONNECT
    };

    static constexpr int PacedBytesPerSecond = 3840;

    LoggerSim();
    explicit LoggerSim(const Options& options);
    ~LoggerSim(); // stops
    LoggerSim(const LoggerSim&) = delete;
    LoggerSim& operator=(const LoggerSim&) = delete;

    // Opens the pseudo-terminal and starts serving. False when no pty could be opened.
    bool Start();
    // Stops serving and closes the pseudo-terminal. Idempotent.
    void Stop();
    // The slave device, for example /dev/pts/7; "" before Start.
    std::string Path() const;

    // Loggers on the line: kept ones keep their state, new ones get Options::records records.
    void SetLoggers(const std::vector<int>& ids);
    std::vector<int> Loggers() const;
    // Regenerates a logger's stored records (ignored for an ID not on the line).
    void SetRecordCount(int id, int count);
    // A damaged count: the logger's "memory" replies give count whatever it holds; -1 gives
    // what it holds again.
    void SetCountShown(int id, int count);
    // Lines the logger sends after its records in reply to "data load" (after its head).
    void SetClosingLines(int id, const std::vector<std::string>& words);
    // The logger pauses ms before each of records stored records from index fromRecord
    // (0-based) on when it sends them, as a slow radio hop does; records 0 ends the pauses.
    void SetRecordPause(int id, int fromRecord, int records, int ms);
    // Lines held back by a pause or a reply delay go out now, for a test that must release
    // them at a step of the client's rather than at a time.
    void SendHeldLines();
    int RecordCount(int id) const; // -1 for an ID not on the line
    // The 28-character record lines a download of that logger should store, oldest first.
    std::vector<std::string> Records(int id) const;
    void SetClock(int id, const SimDateTime& time, bool frozen = true);
    SimDateTime Clock(int id) const;
    void SetSchedule(int id, const SimSchedule& schedule);
    SimSchedule Schedule(int id) const;
    void SetChannel(int id, int ch, const SimChannel& channel);
    SimChannel Channel(int id, int ch) const;
    bool Saving(int id) const;

    void SetPaced(bool paced);
    void SetReplyDelay(int ms);
    void SetDialDelay(int ms);
    // A silent line takes in commands and answers none.
    void SetSilent(bool silent);
    // The fault hits the reply line that comes afterLines lines from now (0: the next line
    // sent); each injected fault hits once. Lines are counted as queued, modem echoes
    // included.
    void InjectFault(SimFault fault, int afterLines = 0);
    void ClearFaults();
    // The next command answered by anyone on the line is answered with these bytes instead
    // (line ends included), for replies no logger would give.
    void OverrideNextReply(const std::string& bytes);
    // True once a Vanish fault has closed the line.
    bool Vanished() const;

    // Every byte received so far.
    std::string Received() const;
    // Every command received so far, without its line end.
    std::vector<std::string> Commands() const;
    void ClearReceived();
    // Waits until at least count commands have been received or timeoutMs has passed; true
    // when they have. For tests that must know the simulator has taken a command in before
    // they look (a silent line gives no other sign).
    bool WaitForCommands(size_t count, int timeoutMs) const;
    // Waits until every queued reply byte has been written to the line (or timeoutMs has
    // passed); true when nothing is left to send.
    bool WaitUntilSent(int timeoutMs) const;
    // Reply lines queued so far (faults count their line).
    long long LinesQueued() const;

    // Called from the serving thread with one text per command received ("<- ...") and per
    // reply line queued ("-> ..."); set before Start.
    void SetLog(std::function<void(const std::string&)> log);
    // Called from the serving thread with each command received, before it is answered: what
    // another program does while the logger works on that command. It runs with the line
    // locked, so it must not call the simulator; nullptr removes it.
    void SetCommandHook(std::function<void(const std::string&)> hook);

private:
    using Clock_t = std::chrono::steady_clock;
    struct Pending
    {
        std::string bytes;
        Clock_t::time_point notBefore;
        bool vanish = false;
        bool persists = false; // survives a new command
        std::chrono::milliseconds pause{0}; // silence once the line before has gone out
    };
    struct Armed
    {
        SimFault fault;
        long long line;
    };

    void Serve();
    int WriteTimeoutMs(Clock_t::time_point now) const;
    void ReadInput(std::vector<std::string>& log);
    void QueueReplies(const std::string& command, std::vector<std::string>& log);
    bool QueueLine(
        const SimReplyLine& line, Clock_t::time_point start, std::vector<std::string>& log);
    void WriteOutput();
    void CloseLine();
    bool ClientHasRead(Clock_t::time_point now) const;

    Options m_options;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed; // a command came in or the output ran dry
    SimLine m_line;
    std::deque<Pending> m_out;
    std::vector<Armed> m_faults;
    std::string m_override;
    bool m_overrideArmed = false;
    std::string m_receivedBytes;
    std::vector<std::string> m_commands;
    std::function<void(const std::string&)> m_log;
    std::function<void(const std::string&)> m_commandHook;
    std::string m_path;
    long long m_linesQueued = 0;
    bool m_silent = false;
    bool m_replyPersists = false; // the reply being queued goes on whatever comes in
    bool m_vanished = false;
    bool m_stopping = false;
    Clock_t::time_point m_nextByteAt{};
    Clock_t::time_point m_lastWriteAt{};
    int m_master = -1;
    int m_slave = -1;
    int m_wake[2] = {-1, -1};
    std::thread m_thread;
};

} // namespace loggersim
