#pragma once

#include "loggersim/SimLogger.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace loggersim {

// One line of output: its bytes (line end included), how long after the command it may start
// at the earliest (a modem's CONNECT comes after the dial delay), and how long the line stays
// silent before it once the line before has gone out (a slow radio hop).
struct SimReplyLine
{
    std::string bytes;
    int delayMs = 0;
    int pauseMs = 0;
};

// What sits at the far end of one serial line: the loggers (by ID), a dial-up modem and a
// Zigbee radio module. Splits received bytes into commands and answers each. Not
// thread-safe; LoggerSim guards it.
class SimLine
{
public:
    explicit SimLine(uint64_t seed);

    // Keeps the loggers whose ID is listed (their state intact), adds new ones with
    // newRecords stored records, removes the others.
    void SetLoggers(const std::vector<int>& ids, int newRecords);
    std::vector<int> LoggerIds() const;
    SimLogger* Logger(int id);
    const SimLogger* Logger(int id) const;
    void SetDialDelay(int ms) { m_dialDelayMs = ms; }

    // Takes received bytes and returns the commands they complete, without line ends. A
    // command ends at CR or LF (empty ones are skipped); "+++" is complete by itself, as a
    // modem escape carries no line end.
    std::vector<std::string> Feed(const char* data, size_t size);
    // The reply lines to one command; none when nobody on the line answers it.
    std::vector<SimReplyLine> Answer(const std::string& command);

private:
    std::vector<SimReplyLine> AnswerLogger(const std::string& command);
    std::vector<SimReplyLine> AnswerModem(const std::string& command) const;
    std::vector<SimReplyLine> AnswerRadio(const std::string& command);

    uint64_t m_seed;
    std::map<int, SimLogger> m_loggers;
    std::string m_pending;
    int m_dialDelayMs = 0;
    std::string m_radioTarget = "0000000000000000";
    bool m_radioCoordinator = false;
};

} // namespace loggersim
