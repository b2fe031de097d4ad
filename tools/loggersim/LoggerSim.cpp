#include "loggersim/LoggerSim.h"

#include "loggersim/SimRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace loggersim {

namespace {

constexpr int IdlePollMs = 50;
constexpr int VanishPollMs = 2;
constexpr std::chrono::seconds VanishGrace{5};
constexpr std::chrono::milliseconds SettleTime{20};
constexpr std::chrono::nanoseconds ByteTime{1'000'000'000 / LoggerSim::PacedBytesPerSecond};

int CeilMs(std::chrono::steady_clock::duration d)
{
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(d).count();
    return static_cast<int>(std::clamp<long long>(ms, 1, IdlePollMs));
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Printable junk without CR, LF or NUL, the same length as the line it replaces.
std::string Junk(uint64_t seed, long long line, size_t length)
{
    std::string junk(std::max<size_t>(length, 1), '?');
    for (size_t i = 0; i < junk.size(); ++i) {
        const uint64_t h = SimHash(seed, static_cast<uint64_t>(line), i, 77);
        char c = static_cast<char>(0x21 + h % (0xFF - 0x21));
        junk[i] = c == 0x7F ? '~' : c;
    }
    return junk;
}

// The line under the next logger's head ("@01,NN,"); a stored record in it ("DL:" and 28
// characters) becomes that logger's, in the year 2099.
std::string OtherLoggersLine(const std::string& body)
{
    constexpr size_t IdAt = 4;
    constexpr size_t RecordAt = 10;
    constexpr size_t YearAt = RecordAt + 6;
    std::string other = body;
    if (other.size() < IdAt + 2 || other.compare(0, IdAt, "@01,") != 0)
        return other;
    const int id = std::atoi(other.substr(IdAt, 2).c_str());
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02d", id % 7 + 1);
    other.replace(IdAt, 2, digits);
    if (other.size() == RecordAt + 28 && other.compare(7, 3, SimLogger::RecordHead) == 0) {
        other.replace(RecordAt, 2, digits);
        other.replace(YearAt, 2, "99");
    }
    return other;
}

} // namespace

LoggerSim::LoggerSim()
    : LoggerSim(Options{})
{
}

LoggerSim::LoggerSim(const Options& options)
    : m_options(options)
    , m_line(options.seed)
{
    m_line.SetLoggers(options.ids, options.records);
    m_line.SetDialDelay(options.dialDelayMs);
}

LoggerSim::~LoggerSim()
{
    Stop();
}

bool LoggerSim::Start()
{
    if (m_thread.joinable())
        return !m_vanished;
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        return false;
    // Raw from the start, so nothing sent before a client opens the port is echoed back.
    termios settings{};
    tcgetattr(m_slave, &settings);
    cfmakeraw(&settings);
    cfsetspeed(&settings, B38400);
    tcsetattr(m_slave, TCSANOW, &settings);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    if (pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        CloseFd(m_master);
        CloseFd(m_slave);
        return false;
    }
    {
        std::lock_guard lock(m_mutex);
        m_path = name;
        m_stopping = false;
        m_vanished = false;
    }
    m_thread = std::thread(&LoggerSim::Serve, this);
    return true;
}

void LoggerSim::Stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    const char wake = 'x';
    [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &wake, 1);
    m_thread.join();
    std::lock_guard lock(m_mutex);
    CloseFd(m_master);
    CloseFd(m_slave);
    CloseFd(m_wake[0]);
    CloseFd(m_wake[1]);
}

std::string LoggerSim::Path() const
{
    std::lock_guard lock(m_mutex);
    return m_path;
}

void LoggerSim::Serve()
{
    std::vector<std::string> log;
    for (;;) {
        pollfd fds[2] = {{-1, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        int timeout = IdlePollMs;
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping || m_vanished)
                return;
            fds[0].fd = m_master;
            timeout = WriteTimeoutMs(Clock_t::now());
            if (timeout == 0) {
                fds[0].events |= POLLOUT; // output is due: wake when there is room
                timeout = IdlePollMs;
            }
        }
        ::poll(fds, 2, timeout);
        if (fds[1].revents & POLLIN) {
            char drain[16];
            while (::read(m_wake[0], drain, sizeof drain) > 0) { }
        }
        std::function<void(const std::string&)> logTo;
        {
            std::lock_guard lock(m_mutex);
            if (fds[0].revents & POLLIN)
                ReadInput(log);
            WriteOutput();
            logTo = m_log;
        }
        for (const std::string& text : log)
            if (logTo)
                logTo(text);
        log.clear();
    }
}

// 0 when output is due now; else how long until it is (capped).
int LoggerSim::WriteTimeoutMs(Clock_t::time_point now) const
{
    if (m_out.empty())
        return IdlePollMs;
    const Pending& front = m_out.front();
    if (front.pause.count() > 0)
        return 0; // its silence starts at the next write
    if (front.vanish)
        return ClientHasRead(now) || now >= front.notBefore + VanishGrace ? 0 : VanishPollMs;
    if (now < front.notBefore)
        return CeilMs(front.notBefore - now);
    if (m_options.paced && now < m_nextByteAt)
        return CeilMs(m_nextByteAt - now);
    return 0;
}

void LoggerSim::ReadInput(std::vector<std::string>& log)
{
    char buffer[4096];
    const ssize_t count = ::read(m_master, buffer, sizeof buffer);
    if (count <= 0)
        return;
    m_receivedBytes.append(buffer, static_cast<size_t>(count));
    for (const std::string& command : m_line.Feed(buffer, static_cast<size_t>(count))) {
        m_commands.push_back(command);
        if (m_log)
            log.push_back("<- " + command);
        if (m_commandHook)
            m_commandHook(command);
        QueueReplies(command, log);
    }
    m_changed.notify_all();
}

void LoggerSim::QueueReplies(const std::string& command, std::vector<std::string>& log)
{
    if (m_silent)
        return;
    // A new command abandons what is still unsent; a line about to vanish still vanishes, and
    // a babbling device goes on.
    m_out.erase(std::remove_if(m_out.begin(), m_out.end(),
                    [](const Pending& p) { return !p.vanish && !p.persists; }),
        m_out.end());
    m_replyPersists = false;
    const Clock_t::time_point start
        = Clock_t::now() + std::chrono::milliseconds(m_options.replyDelayMs);
    std::vector<SimReplyLine> lines = m_line.Answer(command);
    if (m_overrideArmed && !lines.empty()) {
        lines = {{m_override, 0}};
        m_overrideArmed = false;
    }
    for (const SimReplyLine& line : lines)
        if (!QueueLine(line, start, log))
            break;
}

// Queues one reply line with the fault armed for it, if any. False when the fault ends the
// reply there.
bool LoggerSim::QueueLine(
    const SimReplyLine& line, Clock_t::time_point start, std::vector<std::string>& log)
{
    const long long number = m_linesQueued++;
    const Clock_t::time_point notBefore = start + std::chrono::milliseconds(line.delayMs);
    auto armed = std::find_if(
        m_faults.begin(), m_faults.end(), [number](const Armed& a) { return a.line == number; });
    const std::chrono::milliseconds pause(line.pauseMs);
    if (armed == m_faults.end()) {
        m_out.push_back({line.bytes, notBefore, false, m_replyPersists, pause});
        if (m_log)
            log.push_back("-> " + line.bytes.substr(0, line.bytes.find_last_not_of("\r\n") + 1));
        return true;
    }
    const SimFault fault = armed->fault;
    m_faults.erase(armed);
    if (m_log)
        log.push_back("-> (fault " + std::to_string(static_cast<int>(fault)) + ")");

    const size_t bodyEnd = line.bytes.find_last_not_of("\r\n") + 1;
    const std::string body = line.bytes.substr(0, bodyEnd);
    const std::string end = line.bytes.substr(bodyEnd);
    switch (fault) {
    case SimFault::DropReply:
        return true;
    case SimFault::CutLine:
        m_out.push_back({body.substr(0, body.size() / 2), notBefore});
        return false;
    case SimFault::Garbage:
        m_out.push_back({Junk(m_options.seed, number, body.size()) + end, notBefore});
        return true;
    case SimFault::NoLineEnd:
        m_out.push_back({body, notBefore});
        return false;
    case SimFault::LongLine:
    case SimFault::HugeLine:
    case SimFault::Flood: {
        const size_t length = fault == SimFault::LongLine ? LongLineLength
            : fault == SimFault::HugeLine                 ? HugeLineLength
                                                          : FloodLineLength;
        m_replyPersists = m_replyPersists || fault == SimFault::Flood;
        std::string longLine = body;
        if (longLine.size() < length)
            longLine.append(length - longLine.size(), '#');
        m_out.push_back({longLine + end, notBefore, false, m_replyPersists});
        return true;
    }
    case SimFault::Repeat:
        m_out.push_back({line.bytes, notBefore, false, m_replyPersists});
        m_out.push_back({line.bytes, notBefore, false, m_replyPersists});
        return true;
    case SimFault::EndReply:
        return false;
    case SimFault::NulByte: {
        std::string split = body;
        if (!split.empty())
            split[split.size() / 2] = '\0';
        m_out.push_back({split + end, notBefore});
        return true;
    }
    case SimFault::OtherLogger:
        m_out.push_back({OtherLoggersLine(body) + end, notBefore, false, m_replyPersists});
        m_out.push_back({line.bytes, notBefore, false, m_replyPersists});
        return true;
    case SimFault::Vanish:
        m_out.push_back({body.substr(0, body.size() / 2), notBefore});
        m_out.push_back({{}, notBefore, true});
        return false;
    }
    return true;
}

void LoggerSim::WriteOutput()
{
    const Clock_t::time_point now = Clock_t::now();
    while (!m_out.empty() && m_master >= 0) {
        Pending& pending = m_out.front();
        if (pending.pause.count() > 0) {
            // The line before has just gone out (or went out earlier): the silence starts now.
            pending.notBefore = std::max(pending.notBefore, now + pending.pause);
            pending.pause = {};
        }
        if (now < pending.notBefore)
            return;
        if (pending.vanish) {
            // What was sent before reaches the client, as it would before a plug is pulled.
            if (ClientHasRead(now) || now >= pending.notBefore + VanishGrace)
                CloseLine();
            return;
        }
        size_t count = pending.bytes.size();
        if (m_options.paced) {
            // No credit saved up while idle or waiting for a reply's start.
            m_nextByteAt = std::max(m_nextByteAt, pending.notBefore);
            if (now < m_nextByteAt)
                return;
            count
                = std::min<size_t>(count, 1 + static_cast<size_t>((now - m_nextByteAt) / ByteTime));
        }
        const ssize_t written = count ? ::write(m_master, pending.bytes.data(), count) : 0;
        if (written < 0)
            return; // no room: wait for it
        m_lastWriteAt = now;
        if (m_options.paced)
            m_nextByteAt += written * ByteTime;
        pending.bytes.erase(0, static_cast<size_t>(written));
        if (pending.bytes.empty())
            m_out.pop_front();
    }
    if (m_out.empty())
        m_changed.notify_all();
}

// Bytes written to the master reach the slave's input queue a moment later, so the queue
// counts as read only once it is empty a while after the last write.
bool LoggerSim::ClientHasRead(Clock_t::time_point now) const
{
    int unread = 0;
    if (m_slave < 0 || ::ioctl(m_slave, TIOCINQ, &unread) != 0)
        return true;
    return unread == 0 && now - m_lastWriteAt >= SettleTime;
}

// The line goes away as a pulled adapter does: the client's device reports a hang-up.
void LoggerSim::CloseLine()
{
    CloseFd(m_master);
    CloseFd(m_slave);
    m_out.clear();
    m_vanished = true;
    m_changed.notify_all();
}

void LoggerSim::SetLoggers(const std::vector<int>& ids)
{
    std::lock_guard lock(m_mutex);
    m_line.SetLoggers(ids, m_options.records);
}

std::vector<int> LoggerSim::Loggers() const
{
    std::lock_guard lock(m_mutex);
    return m_line.LoggerIds();
}

void LoggerSim::SetRecordCount(int id, int count)
{
    std::lock_guard lock(m_mutex);
    if (SimLogger* logger = m_line.Logger(id))
        logger->SetRecordCount(count);
}

void LoggerSim::SetCountShown(int id, int count)
{
    std::lock_guard lock(m_mutex);
    if (SimLogger* logger = m_line.Logger(id))
        logger->SetCountShown(count);
}

void LoggerSim::SetClosingLines(int id, const std::vector<std::string>& words)
{
    std::lock_guard lock(m_mutex);
    if (SimLogger* logger = m_line.Logger(id))
        logger->SetClosingLines(words);
}

void LoggerSim::SetRecordPause(int id, int fromRecord, int records, int ms)
{
    std::lock_guard lock(m_mutex);
    if (SimLogger* logger = m_line.Logger(id))
        logger->SetRecordPause(fromRecord, records, ms);
}

void LoggerSim::SendHeldLines()
{
    {
        std::lock_guard lock(m_mutex);
        const Clock_t::time_point now = Clock_t::now();
        for (Pending& pending : m_out) {
            pending.pause = {};
            pending.notBefore = std::min(pending.notBefore, now);
        }
    }
    const char wake = 'x';
    [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &wake, 1);
}

int LoggerSim::RecordCount(int id) const
{
    std::lock_guard lock(m_mutex);
    const SimLogger* logger = m_line.Logger(id);
    return logger ? logger->RecordCount() : -1;
}

std::vector<std::string> LoggerSim::Records(int id) const
{
    std::lock_guard lock(m_mutex);
    const SimLogger* logger = m_line.Logger(id);
    return logger ? logger->Records() : std::vector<std::string>{};
}

void LoggerSim::SetClock(int id, const SimDateTime& time, bool frozen)
{
    std::lock_guard lock(m_mutex);
    if (SimLogger* logger = m_line.Logger(id))
        logger->SetClock(time, frozen);
}

SimDateTime LoggerSim::Clock(int id) const
{
    std::lock_guard lock(m_mutex);
    const SimLogger* logger = m_line.Logger(id);
    return logger ? logger->Clock() : SimDateTime{};
}

void LoggerSim::SetSchedule(int id, const SimSchedule& schedule)
{
    std::lock_guard lock(m_mutex);
    if (SimLogger* logger = m_line.Logger(id))
        logger->Schedule() = schedule;
}

SimSchedule LoggerSim::Schedule(int id) const
{
    std::lock_guard lock(m_mutex);
    const SimLogger* logger = m_line.Logger(id);
    return logger ? logger->Schedule() : SimSchedule{};
}

void LoggerSim::SetChannel(int id, int ch, const SimChannel& channel)
{
    std::lock_guard lock(m_mutex);
    SimLogger* logger = m_line.Logger(id);
    if (logger && ch >= 0 && ch < SimLogger::ChannelCount)
        logger->Channel(ch) = channel;
}

SimChannel LoggerSim::Channel(int id, int ch) const
{
    std::lock_guard lock(m_mutex);
    const SimLogger* logger = m_line.Logger(id);
    if (!logger || ch < 0 || ch >= SimLogger::ChannelCount)
        return {};
    return logger->Channel(ch);
}

bool LoggerSim::Saving(int id) const
{
    std::lock_guard lock(m_mutex);
    const SimLogger* logger = m_line.Logger(id);
    return logger && logger->Saving();
}

void LoggerSim::SetPaced(bool paced)
{
    std::lock_guard lock(m_mutex);
    m_options.paced = paced;
}

void LoggerSim::SetReplyDelay(int ms)
{
    std::lock_guard lock(m_mutex);
    m_options.replyDelayMs = ms;
}

void LoggerSim::SetDialDelay(int ms)
{
    std::lock_guard lock(m_mutex);
    m_options.dialDelayMs = ms;
    m_line.SetDialDelay(ms);
}

void LoggerSim::SetSilent(bool silent)
{
    std::lock_guard lock(m_mutex);
    m_silent = silent;
}

void LoggerSim::InjectFault(SimFault fault, int afterLines)
{
    std::lock_guard lock(m_mutex);
    m_faults.push_back({fault, m_linesQueued + std::max(afterLines, 0)});
}

void LoggerSim::ClearFaults()
{
    std::lock_guard lock(m_mutex);
    m_faults.clear();
}

bool LoggerSim::Vanished() const
{
    std::lock_guard lock(m_mutex);
    return m_vanished;
}

std::string LoggerSim::Received() const
{
    std::lock_guard lock(m_mutex);
    return m_receivedBytes;
}

std::vector<std::string> LoggerSim::Commands() const
{
    std::lock_guard lock(m_mutex);
    return m_commands;
}

void LoggerSim::ClearReceived()
{
    std::lock_guard lock(m_mutex);
    m_receivedBytes.clear();
    m_commands.clear();
}

bool LoggerSim::WaitForCommands(size_t count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(
        lock, std::chrono::milliseconds(timeoutMs), [&] { return m_commands.size() >= count; });
}

void LoggerSim::OverrideNextReply(const std::string& bytes)
{
    std::lock_guard lock(m_mutex);
    m_override = bytes;
    m_overrideArmed = true;
}

bool LoggerSim::WaitUntilSent(int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(
        lock, std::chrono::milliseconds(timeoutMs), [&] { return m_out.empty(); });
}

long long LoggerSim::LinesQueued() const
{
    std::lock_guard lock(m_mutex);
    return m_linesQueued;
}

void LoggerSim::SetCommandHook(std::function<void(const std::string&)> hook)
{
    std::lock_guard lock(m_mutex);
    m_commandHook = std::move(hook);
}

void LoggerSim::SetLog(std::function<void(const std::string&)> log)
{
    std::lock_guard lock(m_mutex);
    m_log = std::move(log);
}

} // namespace loggersim
