// loggersim: a simulated logger line on a pseudo-terminal, for trying Quorbel without a
// logger. Prints the device path on standard output and serves until stopped.
#include "loggersim/LoggerSim.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace loggersim;

namespace {

const char* const Usage
    = "Usage: loggersim [options]\n"
      "\n"
      "Simulates a serial line with data loggers on a pseudo-terminal. Prints the device path\n"
      "(for example /dev/pts/7) as the first line on standard output, then serves until it is\n"
      "stopped (Ctrl+C, SIGTERM). Point Quorbel's COM1 at it:\n"
      "  QUORBEL_COM1=$(path) quorbel\n"
      "\n"
      "The line answers the logger commands (address, date, time, schedule, channel, measure,\n"
      "save, data load, memory, memory init, reset, zigbee) of the loggers on it, a dial-up\n"
      "modem's AT commands (dialling answers CONNECT) and a Zigbee radio module's at commands.\n"
      "Stored records follow the raw data line format (16 channels x 2 readings per moment).\n"
      "\n"
      "Options:\n"
      "  --ids LIST          logger IDs on the line, comma separated, 1..7 (default 1)\n"
      "  --records N         stored records of every logger (default 64)\n"
      "  --records ID=N      stored records of one logger (repeatable)\n"
      "  --count ID=N        the count one logger's memory replies give, whatever it holds\n"
      "  --seed N            seed of the stored records and readings (default 1)\n"
      "  --pace              send at 3840 bytes/s, as a 38400 baud line does\n"
      "  --delay MS          delay before each reply (default 0)\n"
      "  --dial-delay MS     delay from a modem dial to CONNECT (default 2000)\n"
      "  --verbose           log every command and reply line on standard error\n"
      "Faults (N counts the reply lines sent before the fault hits; 0 = the first line):\n"
      "  --silent            answer nothing\n"
      "  --drop-reply N      leave one reply line out\n"
      "  --cut-line N        send half of one line and nothing more of its reply\n"
      "  --garbage N         replace one line by junk\n"
      "  --no-line-end N     send one line without its line end and nothing more of its reply\n"
      "  --long-line N       pad one line to 400 characters\n"
      "  --huge-line N       pad one line to 5000 characters\n"
      "  --nul-byte N        put a NUL byte in the middle of one line\n"
      "  --repeat N          send one line twice\n"
      "  --end-reply N       send neither one line nor the rest of its reply\n"
      "  --flood N           pad one line to 1 MiB; it and the rest of its reply go on\n"
      "                      whatever is sent meanwhile\n"
      "  --other-logger N    send one line under the next logger's head before it sends it\n"
      "  --vanish-after N    close the line (as a pulled adapter) midway through one line, then\n"
      "                      exit\n"
      "  --help              show this text\n";

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int)
{
    g_stop = 1;
}

bool ParseInt(const char* text, int& value)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (!*text || *end || number < 0 || number > 100000000)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool ParseIds(const std::string& list, std::vector<int>& ids)
{
    ids.clear();
    std::stringstream stream(list);
    for (std::string item; std::getline(stream, item, ',');) {
        int id = 0;
        if (!ParseInt(item.c_str(), id) || id < 1 || id > 7)
            return false;
        ids.push_back(id);
    }
    return !ids.empty();
}

struct Settings
{
    LoggerSim::Options options;
    std::map<int, int> records;
    std::map<int, int> counts;
    std::vector<std::pair<SimFault, int>> faults;
    bool silent = false;
    bool verbose = false;
};

bool ParseFault(const std::string& name, const char* value, Settings& settings)
{
    static const std::map<std::string, SimFault> faults = {{"--drop-reply", SimFault::DropReply},
        {"--cut-line", SimFault::CutLine}, {"--garbage", SimFault::Garbage},
        {"--no-line-end", SimFault::NoLineEnd}, {"--long-line", SimFault::LongLine},
        {"--huge-line", SimFault::HugeLine}, {"--nul-byte", SimFault::NulByte},
        {"--vanish-after", SimFault::Vanish}, {"--repeat", SimFault::Repeat},
        {"--end-reply", SimFault::EndReply}, {"--flood", SimFault::Flood},
        {"--other-logger", SimFault::OtherLogger}};
    const auto found = faults.find(name);
    int line = 0;
    if (found == faults.end() || !value || !ParseInt(value, line))
        return false;
    settings.faults.emplace_back(found->second, line);
    return true;
}

bool ParseIdValue(const std::string& value, std::map<int, int>& to)
{
    const size_t equals = value.find('=');
    int id = 0;
    int count = 0;
    if (equals == std::string::npos || !ParseInt(value.substr(0, equals).c_str(), id)
        || !ParseInt(value.c_str() + equals + 1, count))
        return false;
    to[id] = count;
    return true;
}

bool ParseRecords(const std::string& value, Settings& settings)
{
    if (value.find('=') != std::string::npos)
        return ParseIdValue(value, settings.records);
    return ParseInt(value.c_str(), settings.options.records);
}

// 0: parsed; 1: help shown; 2: error.
int ParseArguments(int argc, char* argv[], Settings& s)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        int number = 0;
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            return 1;
        } else if (arg == "--pace") {
            s.options.paced = true;
        } else if (arg == "--silent") {
            s.silent = true;
        } else if (arg == "--verbose") {
            s.verbose = true;
        } else if (!value) {
            ok = false;
        } else if (arg == "--ids") {
            ok = ParseIds(value, s.options.ids);
        } else if (arg == "--records") {
            ok = ParseRecords(value, s);
        } else if (arg == "--count") {
            ok = ParseIdValue(value, s.counts);
        } else if (arg == "--seed" || arg == "--delay" || arg == "--dial-delay") {
            ok = ParseInt(value, number);
            if (arg == "--seed")
                s.options.seed = static_cast<uint64_t>(number);
            else if (arg == "--delay")
                s.options.replyDelayMs = number;
            else
                s.options.dialDelayMs = number;
        } else {
            ok = ParseFault(arg, value, s);
        }
        if (!ok) {
            std::fprintf(stderr, "loggersim: bad option or value: %s\n%s", arg.c_str(), Usage);
            return 2;
        }
        if (value && arg.rfind("--", 0) == 0 && arg != "--pace" && arg != "--silent"
            && arg != "--verbose")
            ++i;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    Settings settings;
    settings.options.dialDelayMs = 2000;
    if (const int parsed = ParseArguments(argc, argv, settings))
        return parsed == 1 ? 0 : 2;

    LoggerSim sim(settings.options);
    for (const auto& [id, count] : settings.records)
        sim.SetRecordCount(id, count);
    for (const auto& [id, count] : settings.counts)
        sim.SetCountShown(id, count);
    sim.SetSilent(settings.silent);
    for (const auto& [fault, line] : settings.faults)
        sim.InjectFault(fault, line);
    if (settings.verbose)
        sim.SetLog([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGHUP, OnSignal);
    if (!sim.Start()) {
        std::fprintf(
            stderr, "loggersim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    std::printf("%s\n", sim.Path().c_str());
    std::fflush(stdout);

    // The serving thread does the work; this one only waits to be stopped.
    timespec tick{0, 100'000'000};
    while (!g_stop && !sim.Vanished())
        nanosleep(&tick, nullptr);
    if (sim.Vanished())
        std::fprintf(stderr, "loggersim: the line went away\n");
    sim.Stop();
    return 0;
}
