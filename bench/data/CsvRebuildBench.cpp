#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "record/LoggerRecord.h"
#include "platform/Format.h"
#include "platform/LocalTime.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

namespace {

constexpr int MemoryRecords = 35000;

// A full logger memory: every moment, 16 channels with reading A (VW) and reading B
// (thermistor); moments ten minutes apart. With oneReadingPerMoment every record has its own
// moment instead, the worst case for rows and time conversion.
std::string MemoryText(bool oneReadingPerMoment)
{
    std::string text;
    text.reserve(MemoryRecords * 30);
    std::tm start{};
    start.tm_year = 124;
    start.tm_mon = 0;
    start.tm_mday = 5;
    start.tm_isdst = -1;
    const std::time_t t0 = std::mktime(&start);
    unsigned seed = 1;
    for (int i = 0; i < MemoryRecords; ++i) {
        const int moment = oneReadingPerMoment ? i : i / 32;
        const int slot = oneReadingPerMoment ? 0 : i % 32;
        const std::time_t t = t0 + static_cast<std::time_t>(moment) * 600;
        std::tm local{};
        LocalTimeOf(t, local);
        seed = seed * 1103515245u + 12345u;
        text += FormatString("01 %02d %02d%02d%02d %02d%02d%02d %c %06u\r\n", slot / 2,
            local.tm_year - 100, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
            local.tm_sec, slot % 2 ? '3' : '1', (seed >> 8) % 1000000u);
    }
    return text;
}

// Rebuilds the table of a raw file holding `downloads` copies of one memory, as after that
// many downloads without erasing.
void RebuildTable(benchmark::State& state, bool oneReadingPerMoment)
{
    QTemporaryDir dir;
    LoggerRecord record = NewLoggerRecord("Bench", dir.path().toStdString() + "/");
    QDir().mkpath(QString::fromStdString(LoggerFolderPath(record)));
    AccFile raw(AccFilePath(record, 1));
    if (!raw.Open()) {
        state.SkipWithError("raw file cannot be opened");
        return;
    }
    const std::string memory = MemoryText(oneReadingPerMoment);
    const auto downloads = static_cast<int>(state.range(0));
    for (int d = 0; d < downloads; ++d) {
        std::string_view rest = memory;
        while (!rest.empty()) {
            const size_t end = rest.find("\r\n");
            raw.AppendLine(rest.substr(0, end));
            rest.remove_prefix(end + 2);
        }
    }
    for (auto _ : state) {
        if (!RebuildCsvFile(record, 1, raw))
            state.SkipWithError("table not written");
    }
    state.counters["records"] = static_cast<double>(downloads) * MemoryRecords;
    state.SetItemsProcessed(state.iterations() * downloads * MemoryRecords);
}

void BM_RebuildFullMemories(benchmark::State& state)
{
    RebuildTable(state, false);
}

void BM_RebuildOneReadingPerMoment(benchmark::State& state)
{
    RebuildTable(state, true);
}

} // namespace

BENCHMARK(BM_RebuildFullMemories)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildOneReadingPerMoment)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
