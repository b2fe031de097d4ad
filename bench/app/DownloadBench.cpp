// A whole download from the simulated logger paced at the line's own 38400 baud, to see how
// close the download comes to the line's rate. QUORBEL_BENCH_RECORDS sets the record count
// (35000, a full memory, by default: about six minutes of line time).
#include "data/DataFilePaths.h"
#include "app/dialogs/DataReadingDlg.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "loggersim/LoggerSim.h"
#include "platform/MessageBoxPresenter.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

void BM_PacedDownload(benchmark::State& state)
{
    const int records = RecordCount();
    loggersim::LoggerSim::Options options;
    options.records = records;
    options.paced = true;
    loggersim::LoggerSim sim(options);
    if (!sim.Start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    qputenv("QUORBEL_COM9", QByteArray::fromStdString(sim.Path()));
    QTemporaryDir dir;
    ClearLoggerTable();
    g_loggers[0] = NewLoggerRecord("Bench", dir.path().toStdString() + "/");
    g_loggers[0].m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    g_nLoggerCount = 1;
    g_nCurLogger = 0;
    g_port.m_Serial.SetPort(9);
    g_port.m_Serial.SetLoggerLine();
    g_port.m_Serial.Open();
    SilentPresenter presenter;
    SetMessageBoxPresenter(&presenter);

    // Each stored record crosses the line as "@01,01,DL:", its 28 characters and CR LF.
    const double lineBytes = static_cast<double>(records) * (10 + 28 + 2);
    for (auto _ : state) {
        CDataReadingDlg dialog;
        dialog.DoModal();
    }
    state.counters["records"] = records;
    state.counters["line_bytes_per_s"]
        = benchmark::Counter(lineBytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["share_of_3840"]
        = benchmark::Counter(lineBytes / 3840.0, benchmark::Counter::kIsIterationInvariantRate);
    const auto acc = QFileInfo(QString::fromStdString(AccFilePath(g_loggers[0], 1)));
    state.counters["acc_bytes"] = static_cast<double>(acc.size());
    SetMessageBoxPresenter(nullptr);
    g_port.m_Serial.Close();
}

BENCHMARK(BM_PacedDownload)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
