#include "loggersim/SimLogger.h"

#include "loggersim/SimRecords.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>

namespace loggersim {

namespace {

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream stream(text);
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

int Number(const std::vector<std::string>& w, size_t index)
{
    return index < w.size() ? std::atoi(w[index].c_str()) : 0;
}

int64_t HostSeconds()
{
    const time_t now = time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return SimSeconds(
        {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec});
}

std::string Printf(const char* format, int a, int b, int c)
{
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

} // namespace

SimLogger::SimLogger(int id, uint64_t seed)
    : m_id(id)
    , m_seed(seed)
{
    for (int ch = 0; ch < ChannelCount; ++ch)
        m_channels[ch] = {1, 0, 20, 3};
}

std::string SimLogger::Head() const
{
    char head[16];
    std::snprintf(head, sizeof head, "@01,%02d,", m_id % 100);
    return head;
}

void SimLogger::SetRecordCount(int count)
{
    int analog[ChannelCount];
    for (int ch = 0; ch < ChannelCount; ++ch)
        analog[ch] = m_channels[ch].analogType;
    int interval = m_schedule.hours * 3600 + m_schedule.minutes * 60 + m_schedule.seconds;
    if (interval <= 0)
        interval = 3600;
    const SimDateTime start{2024, 1, 5, 12, 0, 0};
    m_records.clear();
    m_records.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i)
        m_records.push_back(SimRecordLine(m_seed, m_id, i, start, interval, analog));
}

void SimLogger::SetClock(const SimDateTime& t, bool frozen)
{
    m_clockFrozen = frozen;
    m_clockValue = frozen ? SimSeconds(t) : SimSeconds(t) - HostSeconds();
}

SimDateTime SimLogger::Clock() const
{
    return SimFromSeconds(m_clockFrozen ? m_clockValue : HostSeconds() + m_clockValue);
}

std::vector<std::string> SimLogger::Answer(const std::string& words)
{
    const std::vector<std::string> w = Words(words);
    if (w.empty())
        return {};
    const std::string& command = w[0];
    if (command == "address")
        return {Head() + Printf("address %02d", m_id, 0, 0)};
    if (command == "date" || command == "time")
        return AnswerClock(w, command == "date");
    if (command == "schedule")
        return AnswerSchedule(w);
    if (command == "channel")
        return AnswerChannel(w);
    if (command == "measure")
        return AnswerMeasure(w);
    if (command == "save" && w.size() == 2 && (w[1] == "on" || w[1] == "off")) {
        m_saving = w[1] == "on";
        return {Head() + "save " + w[1]};
    }
    if (command == "data" && w.size() == 2 && w[1] == "load")
        return AnswerDataLoad();
    if (command == "memory")
        return AnswerMemory(w);
    if (command == "reset")
        return AnswerReset();
    if (command == "zigbee")
        return {Head() + "zigbee"};
    return {Head() + "error"};
}

std::vector<std::string> SimLogger::AnswerClock(const std::vector<std::string>& w, bool date)
{
    SimDateTime t = Clock();
    if (w.size() >= 4) {
        if (date) {
            t.year = 2000 + Number(w, 1);
            t.month = Number(w, 2);
            t.day = Number(w, 3);
        } else {
            t.hour = Number(w, 1);
            t.minute = Number(w, 2);
            t.second = Number(w, 3);
        }
        SetClock(t, m_clockFrozen);
        t = Clock();
    }
    if (date)
        return {Head() + Printf("date %02d %02d %02d", t.year % 100, t.month, t.day)};
    return {Head() + Printf("time %02d %02d %02d", t.hour, t.minute, t.second)};
}

// The logger separates the schedule fields with ';', which readers remove.
std::vector<std::string> SimLogger::AnswerSchedule(const std::vector<std::string>& w)
{
    if (w.size() == 2 && (w[1] == "fixed" || w[1] == "periodic")) {
        m_schedule.periodic = w[1] == "periodic";
        return {Head() + "schedule " + w[1]};
    }
    if (w.size() >= 4) {
        m_schedule.hours = Number(w, 1);
        m_schedule.minutes = Number(w, 2);
        m_schedule.seconds = Number(w, 3);
    }
    return {Head()
        + Printf(
            "schedule %02d; %02d; %02d; ", m_schedule.hours, m_schedule.minutes, m_schedule.seconds)
        + (m_schedule.periodic ? "periodic" : "fixed")};
}

std::vector<std::string> SimLogger::AnswerChannel(const std::vector<std::string>& w)
{
    const auto line = [this](int ch) {
        const SimChannel& c = m_channels[ch];
        char text[64];
        std::snprintf(text, sizeof text, "channel %02d %02d %02d %04d %02d", ch, c.vwOn, c.vwSweep,
            c.value, c.analogType);
        return Head() + text;
    };
    std::vector<std::string> lines;
    if (w.size() == 2 && w[1] == "all") {
        for (int ch = 0; ch < ChannelCount; ++ch)
            lines.push_back(line(ch));
        return lines;
    }
    const int ch = Number(w, 1);
    if (w.size() != 6 || ch < 0 || ch >= ChannelCount)
        return {Head() + "error"};
    m_channels[ch] = {Number(w, 2), Number(w, 3), Number(w, 4), Number(w, 5)};
    return {line(ch)};
}

std::string SimLogger::MeasureLine(int ch, int kind)
{
    const int value = kind > 0 ? SimReading(m_seed, m_id, ch, kind, ++m_measureCount) : 0;
    char text[64];
    std::snprintf(text, sizeof text, "measure %02d %d %06d", ch, kind, value);
    return Head() + text;
}

// Forms: "measure all" (A and B of every channel), "measure cc" (both readings of one
// channel), "measure cc aa bb cccc" (reading A), "measure cc dd" (reading B of type dd).
std::vector<std::string> SimLogger::AnswerMeasure(const std::vector<std::string>& w)
{
    std::vector<std::string> lines;
    if (w.size() == 2 && w[1] == "all") {
        for (int ch = 0; ch < ChannelCount; ++ch) {
            lines.push_back(MeasureLine(ch, m_channels[ch].vwOn > 0 ? 1 : 0));
            lines.push_back(MeasureLine(ch, m_channels[ch].analogType));
        }
        return lines;
    }
    const int ch = Number(w, 1);
    if (w.size() < 2 || ch < 0 || ch >= ChannelCount)
        return {Head() + "error"};
    if (w.size() == 2)
        return {MeasureLine(ch, 1), MeasureLine(ch, m_channels[ch].analogType)};
    if (w.size() == 3)
        return {MeasureLine(ch, Number(w, 2))};
    return {MeasureLine(ch, 1)};
}

std::vector<std::string> SimLogger::AnswerDataLoad() const
{
    std::vector<std::string> lines;
    lines.reserve(m_records.size() + 1);
    lines.push_back(Head() + Printf("data load %d", RecordCount(), 0, 0));
    for (const std::string& record : m_records)
        lines.push_back(Head() + RecordHead + record);
    for (const std::string& words : m_closing)
        lines.push_back(Head() + words);
    return lines;
}

int SimLogger::PauseBefore(const std::string& words, size_t index) const
{
    const std::vector<std::string> w = Words(words);
    const bool dataLoad = w.size() == 2 && w[0] == "data" && w[1] == "load";
    // Line 1 carries record 0.
    const long long record = static_cast<long long>(index) - 1;
    const bool paused = record >= m_pauseFrom
        && record < static_cast<long long>(m_pauseFrom) + m_pauseCount
        && record < static_cast<long long>(m_records.size());
    return dataLoad && paused ? m_pauseMs : 0;
}

std::vector<std::string> SimLogger::AnswerMemory(const std::vector<std::string>& w)
{
    if (w.size() == 2 && w[1] == "init") {
        m_records.clear();
        return {Head() + "memory init"};
    }
    return {Head() + Printf("memory %d", m_countShown >= 0 ? m_countShown : RecordCount(), 0, 0)};
}

// A reset answers, then reports its start-up in four lines.
std::vector<std::string> SimLogger::AnswerReset()
{
    m_saving = true;
    return {Head() + "reset", Head() + "restart", Head() + "version 1.0",
        Head() + Printf("memory %d", RecordCount(), 0, 0), Head() + "ready"};
}

} // namespace loggersim
