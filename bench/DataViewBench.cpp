// The data window on a full logger memory: a table of 35,000 rows and 34 columns (date, time,
// 32 readings) built by the table build from generated records. Measures opening the window
// to one painted screen, the memory it takes, switching between two such tables, and, as a
// yardstick, a QTableView over a QStandardItemModel filled from the same file.
#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "record/LoggerRecord.h"
#include "display/DataViewDlg.h"
#include "display/TableFileText.h"

#include "loggersim/SimRecords.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int TableRows = 35000;
constexpr int ReadingsPerRow = 32;

// Two loggers' tables (IDs 1 and 2) in a temporary data folder, made once.
class BenchTables
{
public:
    static BenchTables& Get()
    {
        static BenchTables tables;
        return tables;
    }
    bool Ready() const { return m_ready; }
    const LoggerRecord& Record() const { return m_record; }

private:
    BenchTables()
    {
        m_record = NewLoggerRecord("Bench", m_dir.path().toStdString() + "/");
        m_record.m_bSingle = 0;
        m_record.m_bLoggerUsed[0] = m_record.m_bLoggerUsed[1] = 1;
        m_ready = QDir().mkpath(QString::fromStdString(LoggerFolderPath(m_record))) && Build(1)
            && Build(2);
    }

    // Raw records of 35,000 measuring moments ten minutes apart, every reading of each.
    bool Build(int id)
    {
        const int analog[16] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
        std::string raw;
        raw.reserve(static_cast<size_t>(TableRows) * ReadingsPerRow * 30);
        for (int i = 0; i < TableRows * ReadingsPerRow; ++i) {
            raw += loggersim::SimRecordLine(1, id, i, loggersim::SimDateTime{}, 600, analog);
            raw += "\r\n";
        }
        QFile file(QString::fromStdString(AccFilePath(m_record, id)));
        if (!file.open(QIODevice::WriteOnly)
            || file.write(raw.data(), static_cast<qint64>(raw.size())) != qint64(raw.size()))
            return false;
        file.close();
        AccFile acc(AccFilePath(m_record, id));
        return acc.Open() && RebuildCsvFile(m_record, id, acc);
    }

    QTemporaryDir m_dir;
    LoggerRecord m_record{};
    bool m_ready = false;
};

double HeapMB()
{
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// A field of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0;
}

// The resident size to measure from: freed memory goes back to the system first (the table
// build leaves much of it with the allocator), and the peak starts again from here.
double ResidentBaseMB()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    return StatusMB("VmRSS");
}

void Paint(QWidget& window)
{
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    window.render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void BM_OpenDataWindow(benchmark::State& state)
{
    BenchTables& tables = BenchTables::Get();
    if (!tables.Ready()) {
        state.SkipWithError("tables not built");
        return;
    }
    double heap = 0, peak = 0;
    int rows = 0;
    for (auto _ : state) {
        const double heapBefore = HeapMB();
        const double rssBefore = ResidentBaseMB();
        auto dlg = std::make_unique<CDataViewDlg>(tables.Record());
        dlg->Create();
        Paint(*dlg);
        heap = HeapMB() - heapBefore;
        peak = StatusMB("VmHWM") - rssBefore;
        rows = dlg->Grid().GetRowCount();
        state.PauseTiming();
        dlg.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["heap_MB"] = heap;
    state.counters["peak_rss_MB"] = peak;
}
BENCHMARK(BM_OpenDataWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ten switches between the two tables, each to one painted screen.
void BM_SwitchLoggerId(benchmark::State& state)
{
    BenchTables& tables = BenchTables::Get();
    if (!tables.Ready()) {
        state.SkipWithError("tables not built");
        return;
    }
    CDataViewDlg dlg(tables.Record());
    dlg.Create();
    Paint(dlg);
    double slowest = 0, heapFirst = 0, heapTenth = 0;
    int switches = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        dlg.LoadCsvFile(switches % 2 == 0 ? 2 : 1);
        Paint(dlg);
        const std::chrono::duration<double, std::milli> took
            = std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took.count());
        ++switches;
        if (switches == 1)
            heapFirst = HeapMB();
        if (switches == 10)
            heapTenth = HeapMB();
    }
    state.counters["slowest_ms"] = slowest;
    state.counters["heap_after_1st_MB"] = heapFirst;
    state.counters["heap_after_10th_MB"] = heapTenth;
}
BENCHMARK(BM_SwitchLoggerId)->Unit(benchmark::kMillisecond)->Iterations(10);

// The yardstick: Qt's own table view over an item model of the same cells.
void BM_QTableViewYardstick(benchmark::State& state)
{
    BenchTables& tables = BenchTables::Get();
    if (!tables.Ready()) {
        state.SkipWithError("tables not built");
        return;
    }
    double heap = 0, peak = 0;
    for (auto _ : state) {
        const double heapBefore = HeapMB();
        const double rssBefore = ResidentBaseMB();
        TableFileText table;
        table.Read(CsvFilePath(tables.Record(), 1));
        auto model = std::make_unique<QStandardItemModel>(
            static_cast<int>(table.Rows()), static_cast<int>(table.Columns()));
        for (int row = 0; row < table.Rows(); ++row) {
            std::string_view rest = table.Line(row);
            for (int col = 0; col < table.Columns() && !rest.empty(); ++col) {
                const size_t comma = rest.find(',');
                const std::string_view field = rest.substr(0, comma);
                model->setItem(row, col,
                    new QStandardItem(
                        QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size()))));
                rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
            }
        }
        auto view = std::make_unique<QTableView>();
        view->setModel(model.get());
        view->resize(1000, 600);
        Paint(*view);
        heap = HeapMB() - heapBefore;
        peak = StatusMB("VmHWM") - rssBefore;
        state.PauseTiming();
        view.reset();
        model.reset();
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = heap;
    state.counters["peak_rss_MB"] = peak;
}
BENCHMARK(BM_QTableViewYardstick)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
