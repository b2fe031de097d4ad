#pragma once

#include "loggersim/SimTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace loggersim {

// One simulated logger: its clock, schedule, channel table and stored records, and its
// answers to the logger commands. Not thread-safe; LoggerSim guards it.
class SimLogger
{
public:
    static constexpr int ChannelCount = 16;
    // Head of a stored record line: "@01,NN,DL:" (10 characters) before the 28-character
    // record.
    static constexpr const char* RecordHead = "DL:";

    SimLogger(int id, uint64_t seed);

    int Id() const { return m_id; }

    // Regenerates count stored records from the seed (16 channels x 2 readings per moment,
    // one moment per schedule interval).
    void SetRecordCount(int count);
    int RecordCount() const { return static_cast<int>(m_records.size()); }
    // The count "memory" reports: count whatever the logger holds; -1 reports what it holds.
    void SetCountShown(int count) { m_countShown = count; }
    // The 28-character record lines, oldest first, as a download stores them.
    const std::vector<std::string>& Records() const { return m_records; }
    // Lines "data load" sends after the records, each after the logger's head.
    void SetClosingLines(std::vector<std::string> words) { m_closing = std::move(words); }
    // A pause of ms before each of count stored records from index from (0-based) on in a
    // "data load" reply, as a slow radio hop makes; count 0 or ms 0 sends them without.
    void SetRecordPause(int from, int count, int ms)
    {
        m_pauseFrom = from;
        m_pauseCount = count;
        m_pauseMs = ms;
    }
    // The pause before line index of the reply to words (line 0 is the reply's head).
    int PauseBefore(const std::string& words, size_t index) const;

    // A frozen clock stays at t; a running one advances with the host clock.
    void SetClock(const SimDateTime& t, bool frozen);
    SimDateTime Clock() const;

    SimSchedule& Schedule() { return m_schedule; }
    const SimSchedule& Schedule() const { return m_schedule; }
    SimChannel& Channel(int ch) { return m_channels[ch]; }
    const SimChannel& Channel(int ch) const { return m_channels[ch]; }
    bool Saving() const { return m_saving; }

    // The complete reply lines (head included, no line end) to one command, given as what
    // follows "@01,NN,"; none for a command the logger ignores.
    std::vector<std::string> Answer(const std::string& words);

private:
    std::string Head() const;
    std::vector<std::string> AnswerClock(const std::vector<std::string>& w, bool date);
    std::vector<std::string> AnswerSchedule(const std::vector<std::string>& w);
    std::vector<std::string> AnswerChannel(const std::vector<std::string>& w);
    std::vector<std::string> AnswerMeasure(const std::vector<std::string>& w);
    std::vector<std::string> AnswerDataLoad() const;
    std::vector<std::string> AnswerMemory(const std::vector<std::string>& w);
    std::vector<std::string> AnswerReset();
    std::string MeasureLine(int ch, int kind);

    int m_id;
    uint64_t m_seed;
    std::vector<std::string> m_records;
    std::vector<std::string> m_closing;
    int m_countShown = -1;
    int m_pauseFrom = 0;
    int m_pauseCount = 0;
    int m_pauseMs = 0;
    SimSchedule m_schedule;
    SimChannel m_channels[ChannelCount];
    bool m_saving = true;
    bool m_clockFrozen = false;
    int64_t m_clockValue = 0; // seconds since 2000 when frozen, else offset to the host
    uint64_t m_measureCount = 0;
};

} // namespace loggersim
