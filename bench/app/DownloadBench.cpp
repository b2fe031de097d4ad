// Whole downloads from the simulated logger paced at the line's own 38400 baud, at the program's
// own 100 ms slices.
// - BM_PacedDownload: how close one logger's download comes to the line's rate.
//   QUORBEL_BENCH_RECORDS sets the record count (35000, a full memory, by default: about six
//   minutes of line time).
// - BM_NetworkEnd: a network of seven loggers with a day of hourly readings each (384 records):
//   the whole download, and what each logger's end costs from its last record line read to
//   the next logger's first command sent.
// - BM_EraseEnd: three such loggers erased after their download: what each costs from its last
//   record line read to "memory init" sent, and from there to the next command of another
//   logger (the erase's own reads).
#include "data/DataFilePaths.h"
#include "app/dialogs/DataReadingDlg.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "loggersim/LoggerSim.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBoxPresenter.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

class SilentPresenter final : public MessageBoxPresenter
{
public:
    void Show(const MessageBoxRequest&) override { }
    bool Ask(const MessageBoxRequest&) override { return false; }
};

int RecordCount()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("QUORBEL_BENCH_RECORDS", &ok);
    return ok && count > 0 ? count : LoggerMemoryCapacity;
}

// Each stored record crosses the line as "@01,01,DL:", its 28 characters and CR LF.
constexpr double RecordLineBytes = 10 + 28 + 2;

// What a bench's line and configuration hold.
struct LineSetUp
{
    std::vector<int> ids;
    int records = 0;
    bool erase = false; // the configuration erases each logger after its download
};

// A paced line with the given loggers, a periodic configuration of them in a temporary folder,
// and the port open on the line.
class PacedLine
{
public:
    explicit PacedLine(const LineSetUp& setUp)
        : m_sim(Options(setUp.ids, setUp.records))
    {
        m_ok = m_sim.Start();
        qputenv("QUORBEL_COM9", QByteArray::fromStdString(m_sim.Path()));
        ClearLoggerTable();
        LoggerRecord& record = g_loggers[0];
        record = NewLoggerRecord("Bench", m_dir.path().toStdString() + "/");
        record.m_bSingle = setUp.ids.size() == 1;
        record.m_bEraseAfterReceive = setUp.erase;
        for (const int id : setUp.ids) {
            record.m_bLoggerUsed[id - 1] = 1;
            record.m_units[id - 1].m_schedule.m_nScheduleMode = SchedulePeriodic;
        }
        g_nLoggerCount = 1;
        g_nCurLogger = 0;
        g_port.m_Serial.SetPort(9);
        g_port.m_Serial.SetLoggerLine();
        m_ok = m_ok && g_port.m_Serial.Open();
        SetMessageBoxPresenter(&m_presenter);
    }
    ~PacedLine()
    {
        SetMessageBoxPresenter(nullptr);
        g_port.m_Serial.Close();
    }
    PacedLine(const PacedLine&) = delete;
    PacedLine& operator=(const PacedLine&) = delete;

    bool Ok() const { return m_ok; }

private:
    static loggersim::LoggerSim::Options Options(const std::vector<int>& ids, int records)
    {
        loggersim::LoggerSim::Options options;
        options.ids = ids;
        options.records = records;
        options.paced = true;
        return options;
    }

    loggersim::LoggerSim m_sim;
    QTemporaryDir m_dir;
    SilentPresenter m_presenter;
    bool m_ok = false;
};

void Download()
{
    CDataReadingDlg dialog;
    dialog.DoModal();
}

void BM_PacedDownload(benchmark::State& state)
{
    const int records = RecordCount();
    PacedLine line({{1}, records});
    if (!line.Ok()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const double lineBytes = records * RecordLineBytes;
    for (auto _ : state)
        Download();
    state.counters["records"] = records;
    state.counters["line_bytes_per_s"]
        = benchmark::Counter(lineBytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["share_of_3840"]
        = benchmark::Counter(lineBytes / 3840.0, benchmark::Counter::kIsIterationInvariantRate);
    const auto acc = QFileInfo(QString::fromStdString(AccFilePath(g_loggers[0], 1)));
    state.counters["acc_bytes"] = static_cast<double>(acc.size());
}

double Mean(const std::vector<double>& values)
{
    double sum = 0;
    for (const double value : values)
        sum += value;
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

double Max(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// Runs the benchmark's downloads with the trace going to sink; false (and the benchmark
// skipped) when the line could not be set up.
bool DownloadTraced(benchmark::State& state, const PacedLine& line, TraceSink sink)
{
    if (!line.Ok()) {
        state.SkipWithError("no pseudo-terminal");
        return false;
    }
    SetTraceSink(sink);
    for (auto _ : state)
        Download();
    SetTraceSink(nullptr);
    return true;
}

// When, in ms from the start, the last record line came and the next command went out.
struct EndTimes
{
    QElapsedTimer clock;
    qint64 lastRecord = -1;
    std::vector<double> ends; // ms from a logger's last record to the next command
};
EndTimes g_endTimes;

void TakeTrace(const char* text)
{
    const std::string_view line(text);
    if (line.starts_with("Memory receive [")) {
        g_endTimes.lastRecord = g_endTimes.clock.elapsed();
    } else if (line.starts_with("Send [@") && g_endTimes.lastRecord >= 0) {
        g_endTimes.ends.push_back(
            static_cast<double>(g_endTimes.clock.elapsed() - g_endTimes.lastRecord));
        g_endTimes.lastRecord = -1;
    }
}

void BM_NetworkEnd(benchmark::State& state)
{
    constexpr int Records = 384;
    const std::vector<int> ids{1, 2, 3, 4, 5, 6, 7};
    PacedLine line({ids, Records});
    g_endTimes = {};
    g_endTimes.clock.start();
    if (!DownloadTraced(state, line, TakeTrace))
        return;
    const auto& ends = g_endTimes.ends; // the last logger has no next command
    state.counters["loggers_followed"] = static_cast<double>(ends.size());
    state.counters["end_ms_mean"] = Mean(ends);
    state.counters["end_ms_max"] = Max(ends);
    state.counters["wire_s"] = static_cast<double>(ids.size()) * Records * RecordLineBytes / 3840.0;
}

// When, in ms from the start, a logger's last record line came, its erase went out, and the
// next command to another logger went out.
struct EraseTimes
{
    QElapsedTimer clock;
    qint64 lastRecord = -1;
    qint64 erase = -1;
    std::string erasedHead; // "@01,NN," of the logger being erased
    std::vector<double> toErase;
    std::vector<double> erasing;
};
EraseTimes g_eraseTimes;

void TakeEraseTrace(const char* text)
{
    const std::string_view line(text);
    EraseTimes& t = g_eraseTimes;
    if (line.starts_with("Memory receive [")) {
        t.lastRecord = t.clock.elapsed();
    } else if (line.starts_with("Send [@") && line.find("memory init") != std::string_view::npos) {
        t.erase = t.clock.elapsed();
        t.toErase.push_back(static_cast<double>(t.erase - t.lastRecord));
        t.erasedHead = std::string(line.substr(6, 7));
    } else if (line.starts_with("Send [@") && t.erase >= 0 && line.substr(6, 7) != t.erasedHead) {
        t.erasing.push_back(static_cast<double>(t.clock.elapsed() - t.erase));
        t.erase = -1;
    }
}

void BM_EraseEnd(benchmark::State& state)
{
    PacedLine line({{1, 2, 3}, 384, true});
    g_eraseTimes = {};
    g_eraseTimes.clock.start();
    if (!DownloadTraced(state, line, TakeEraseTrace))
        return;
    const EraseTimes& t = g_eraseTimes;
    state.counters["erased"] = static_cast<double>(t.toErase.size());
    state.counters["to_erase_ms_mean"] = Mean(t.toErase);
    state.counters["to_erase_ms_max"] = Max(t.toErase);
    state.counters["erasing_ms_mean"] = Mean(t.erasing);
}

BENCHMARK(BM_PacedDownload)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_NetworkEnd)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_EraseEnd)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
