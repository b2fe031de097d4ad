#include "loggersim/SimLine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace loggersim {

namespace {

constexpr size_t MaxCommandLength = 1024;

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

std::vector<SimReplyLine> Lines(std::initializer_list<const char*> texts)
{
    std::vector<SimReplyLine> lines;
    for (const char* text : texts)
        lines.push_back({std::string(text) + "\r\n", 0});
    return lines;
}

} // namespace

SimLine::SimLine(uint64_t seed)
    : m_seed(seed)
{
}

void SimLine::SetLoggers(const std::vector<int>& ids, int newRecords)
{
    std::map<int, SimLogger> kept;
    for (int id : ids) {
        auto found = m_loggers.find(id);
        if (found != m_loggers.end()) {
            kept.emplace(id, found->second);
            continue;
        }
        SimLogger logger(id, m_seed);
        logger.SetRecordCount(newRecords);
        kept.emplace(id, std::move(logger));
    }
    m_loggers = std::move(kept);
}

std::vector<int> SimLine::LoggerIds() const
{
    std::vector<int> ids;
    for (const auto& entry : m_loggers)
        ids.push_back(entry.first);
    return ids;
}

SimLogger* SimLine::Logger(int id)
{
    auto found = m_loggers.find(id);
    return found == m_loggers.end() ? nullptr : &found->second;
}

const SimLogger* SimLine::Logger(int id) const
{
    auto found = m_loggers.find(id);
    return found == m_loggers.end() ? nullptr : &found->second;
}

std::vector<std::string> SimLine::Feed(const char* data, size_t size)
{
    std::vector<std::string> commands;
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            if (!m_pending.empty())
                commands.push_back(m_pending);
            m_pending.clear();
            continue;
        }
        if (m_pending.size() < MaxCommandLength)
            m_pending.push_back(c);
        if (m_pending == "+++") {
            commands.push_back(m_pending);
            m_pending.clear();
        }
    }
    return commands;
}

std::vector<SimReplyLine> SimLine::Answer(const std::string& command)
{
    if (StartsWith(command, "@"))
        return AnswerLogger(command);
    if (command == "+++")
        return Lines({"OK"});
    const std::string upper = Upper(command);
    if (StartsWith(upper, "ATD") || StartsWith(upper, "AT+CRM") || StartsWith(upper, "ATH")
        || StartsWith(upper, "ATE") || upper == "AT")
        return AnswerModem(upper);
    if (StartsWith(upper, "AT"))
        return AnswerRadio(command);
    return {};
}

// "@01,NN,words": only logger NN answers.
std::vector<SimReplyLine> SimLine::AnswerLogger(const std::string& command)
{
    const size_t first = command.find(',');
    const size_t second = first == std::string::npos ? first : command.find(',', first + 1);
    if (second == std::string::npos)
        return {};
    SimLogger* logger = Logger(std::atoi(command.substr(first + 1, second - first - 1).c_str()));
    if (!logger)
        return {};
    const std::string words = command.substr(second + 1);
    const std::vector<std::string> texts = logger->Answer(words);
    std::vector<SimReplyLine> lines;
    for (size_t i = 0; i < texts.size(); ++i)
        lines.push_back({texts[i] + "\r\n", 0, logger->PauseBefore(words, i)});
    return lines;
}

// A modem with echo on: the command comes back, then the result after CR LF.
std::vector<SimReplyLine> SimLine::AnswerModem(const std::string& command) const
{
    std::vector<SimReplyLine> lines{{command + "\r", 0}};
    if (StartsWith(command, "ATD"))
        lines.push_back({"\r\nCONNECT 38400\r\n", m_dialDelayMs});
    else
        lines.push_back({"\r\nOK\r\n", 0});
    return lines;
}

std::vector<SimReplyLine> SimLine::AnswerRadio(const std::string& command)
{
    std::string lower = command;
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "at+setcoord" || lower == "at+setrouter") {
        m_radioCoordinator = lower == "at+setcoord";
        return Lines({"OK"});
    }
    if (lower == "at+getlocal")
        return Lines({m_radioCoordinator ? "0013A20040B1C200" : "0013A20040B1C2D3"});
    if (lower == "at+gettarget")
        return {{m_radioTarget + "\r\n", 0}};
    if (StartsWith(lower, "at+settarget") && lower.size() == 12 + 16) {
        m_radioTarget = Upper(command.substr(12));
        return Lines({"OK"});
    }
    if (lower == "atz")
        return Lines({"OK", "RESET", "ZIGBEE READY", "PAN 1A2B"});
    return Lines({"ERROR"});
}

} // namespace loggersim
