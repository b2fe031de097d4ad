// What the data window puts into the grid: a full logger memory (35,000 records) of 34
// columns. Measures filling the grid, the memory the filled grid takes, and painting one
// screen of it at the top and at the bottom of the table.
#include "display/grid/DataGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int LoggerRecords = 35000;
constexpr int TableColumns = 34;
const QSize ScreenSize(1000, 700);

// The table file's fields: a heading line, then date, time and 32 readings per record.
std::vector<std::vector<std::string>> MakeTable(int records)
{
    std::vector<std::vector<std::string>> table(static_cast<size_t>(records) + 1);
    table[0].push_back("Date");
    table[0].push_back("Time");
    for (int channel = 1; channel <= 16; ++channel) {
        table[0].push_back("CH" + std::to_string(channel) + " VW");
        table[0].push_back("CH" + std::to_string(channel) + " Temp");
    }
    for (int record = 1; record <= records; ++record) {
        auto& line = table[static_cast<size_t>(record)];
        line.push_back("2024/" + std::to_string(1 + record / 2900 % 12) + "/"
            + std::to_string(1 + record / 96 % 28));
        line.push_back(
            std::to_string(record / 4 % 24) + ":" + std::to_string(record % 4 * 15) + ":00");
        for (int col = 2; col < TableColumns; ++col)
            line.push_back(std::to_string(1000 + (record * 7 + col * 131) % 9000) + "."
                + std::to_string(record % 10));
    }
    return table;
}

// The data window's steps: counts, fixed bands, font, every cell's format and text, sizes.
void FillGrid(CDataGrid& grid, const std::vector<std::vector<std::string>>& table)
{
    const int rows = static_cast<int>(table.size());
    grid.Create(QRect(QPoint(0, 0), ScreenSize), nullptr);
    grid.SetColumnCount(TableColumns);
    grid.SetRowCount(rows);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetFixedColumnCount(2);
    QFont font = QApplication::font();
    font.setPixelSize(13);
    grid.setFont(font);
    for (int row = 0; row < rows; ++row) {
        const auto& line = table[static_cast<size_t>(row)];
        for (int col = 0; col < TableColumns; ++col) {
            CDataCellBase* cell = grid.GetCell(row, col);
            cell->SetFormat(0x35);
            cell->SetText(line[static_cast<size_t>(col)].c_str());
            grid.SetModified(row, col);
        }
    }
    for (int col = 0; col < TableColumns; ++col)
        grid.SetColumnWidth(col, col == 0 ? 130 : col == 1 ? 95 : 80);
    for (int row = 0; row < rows; ++row)
        grid.SetRowHeight(row, row == 0 ? 27 : 22);
}

void BM_FillLoggerMemory(benchmark::State& state)
{
    const auto table = MakeTable(LoggerRecords);
    double heapBytes = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        std::optional<CDataGrid> grid(std::in_place);
        FillGrid(*grid, table);
        heapBytes = static_cast<double>(mallinfo2().uordblks - before);
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = heapBytes / (1024.0 * 1024.0);
    state.counters["cells"] = static_cast<double>(LoggerRecords + 1) * TableColumns;
}
BENCHMARK(BM_FillLoggerMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

// Paints one screen; range(0) = records, range(1) = 1 to scroll to the bottom.
void BM_PaintScreen(benchmark::State& state)
{
    const auto table = MakeTable(static_cast<int>(state.range(0)));
    CDataGrid grid;
    FillGrid(grid, table);
    QCoreApplication::processEvents();
    if (state.range(1))
        grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    grid.SetCellState(5, 5, GCS_SELECTED);
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["shown_cells"] = static_cast<double>([&] {
        const CellRange span = grid.VisibleCellSpan();
        return (span.maxRow - span.minRow + 2) * (span.maxCol - span.minCol + 3);
    }());
}
BENCHMARK(BM_PaintScreen)
    ->Args({1000, 0})
    ->Args({LoggerRecords, 0})
    ->Args({LoggerRecords, 1})
    ->Unit(benchmark::kMillisecond);

// A key as the grid gets it, with the repaint it causes.
void KeyAndPaint(CDataGrid& grid, QImage& image, int key, Qt::KeyboardModifiers modifiers = {})
{
    grid.OnKeyDown(key, modifiers);
    grid.viewport()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

// Page Down and Page Up in turn with their repaints; range(0) = records, range(1) = 1 at
// the bottom of the table.
void BM_PageStep(benchmark::State& state)
{
    const auto table = MakeTable(static_cast<int>(state.range(0)));
    CDataGrid grid;
    FillGrid(grid, table);
    QCoreApplication::processEvents();
    grid.ChangeFocusCell(1, 2);
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    if (state.range(1)) {
        grid.OnKeyDown(Qt::Key_End, Qt::ControlModifier);
        grid.OnKeyDown(Qt::Key_PageUp, {});
    }
    bool down = !state.range(1);
    for (auto _ : state) {
        KeyAndPaint(grid, image, down ? Qt::Key_PageDown : Qt::Key_PageUp);
        down = !down;
    }
}
BENCHMARK(BM_PageStep)
    ->Args({1000, 0})
    ->Args({LoggerRecords, 0})
    ->Args({LoggerRecords, 1})
    ->Unit(benchmark::kMillisecond);

// Down with the focus 30,000 rows below the view: one jump, not a line per row.
void BM_DownToFarFocus(benchmark::State& state)
{
    const auto table = MakeTable(LoggerRecords);
    CDataGrid grid;
    FillGrid(grid, table);
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        grid.OnKeyDown(Qt::Key_Home, Qt::ControlModifier);
        grid.ChangeFocusCell(30000, 2);
        state.ResumeTiming();
        KeyAndPaint(grid, image, Qt::Key_Down);
    }
}
BENCHMARK(BM_DownToFarFocus)->Unit(benchmark::kMillisecond);

// Shift+Ctrl+End from the first data cell (35,000 x 32 cells), then the plain arrow that
// clears it.
void BM_SelectToEndAndClear(benchmark::State& state)
{
    const auto table = MakeTable(LoggerRecords);
    CDataGrid grid;
    FillGrid(grid, table);
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    double selectMs = 0;
    double clearMs = 0;
    for (auto _ : state) {
        // Ctrl+Home from another cell makes the first data cell the anchor.
        grid.ClearSelection();
        grid.ChangeFocusCell(5, 5);
        grid.OnKeyDown(Qt::Key_Home, Qt::ControlModifier);
        const auto start = std::chrono::steady_clock::now();
        KeyAndPaint(grid, image, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        const auto selected = std::chrono::steady_clock::now();
        const long long selectedCells = grid.GetSelectedCount();
        KeyAndPaint(grid, image, Qt::Key_Up);
        const auto cleared = std::chrono::steady_clock::now();
        selectMs = std::chrono::duration<double, std::milli>(selected - start).count();
        clearMs = std::chrono::duration<double, std::milli>(cleared - selected).count();
        if (grid.GetSelectedCount() != 1)
            state.SkipWithError("the arrow did not clear the selection");
        if (selectedCells != static_cast<long long>(LoggerRecords) * 32)
            state.SkipWithError("Shift+Ctrl+End did not select every data cell");
    }
    state.counters["selected"] = static_cast<double>(grid.GetSelectedCount());
    state.counters["select_ms"] = selectMs;
    state.counters["clear_ms"] = clearMs;
}
BENCHMARK(BM_SelectToEndAndClear)->Unit(benchmark::kMillisecond)->Iterations(3);

// A million rows of 34 columns served on the fly.
class ComputedRows : public QWidget, public GridOwner
{
public:
    long OnGridDispInfo(GridDispInfo& info) override
    {
        info.item.text = std::to_string(info.item.row) + "." + std::to_string(info.item.col);
        return 0;
    }
};

void SetUpVirtual(CDataGrid& grid, ComputedRows& owner)
{
    grid.Create(QRect(QPoint(0, 0), ScreenSize), nullptr);
    grid.SetOwner(&owner);
    grid.SetVirtualMode(true);
    grid.SetColumnCount(TableColumns);
    grid.SetRowCount(1000000);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(2);
}

void BM_VirtualSetUp(benchmark::State& state)
{
    ComputedRows owner;
    double heapBytes = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        std::optional<CDataGrid> grid(std::in_place);
        SetUpVirtual(*grid, owner);
        heapBytes = static_cast<double>(mallinfo2().uordblks - before);
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = heapBytes / (1024.0 * 1024.0);
}
BENCHMARK(BM_VirtualSetUp)->Unit(benchmark::kMillisecond)->Iterations(5);

// range(0) = 1 at the bottom.
void BM_VirtualPageStep(benchmark::State& state)
{
    ComputedRows owner;
    CDataGrid grid;
    SetUpVirtual(grid, owner);
    QCoreApplication::processEvents();
    grid.ChangeFocusCell(1, 2);
    if (state.range(0)) {
        grid.OnKeyDown(Qt::Key_End, Qt::ControlModifier);
        grid.OnKeyDown(Qt::Key_PageUp, {});
    }
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    bool down = !state.range(0);
    for (auto _ : state) {
        KeyAndPaint(grid, image, down ? Qt::Key_PageDown : Qt::Key_PageUp);
        down = !down;
    }
}
BENCHMARK(BM_VirtualPageStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Sorting the 35,000 data rows by a reading column, the direction turned each time so that
// every sort has work to do.
void BM_SortByColumn(benchmark::State& state)
{
    const auto table = MakeTable(LoggerRecords);
    CDataGrid grid;
    FillGrid(grid, table);
    bool ascending = true;
    for (auto _ : state) {
        if (!grid.SortByColumn(5, ascending))
            state.SkipWithError("the sort refused");
        ascending = !ascending;
    }
    const std::string first = grid.GetCellText(1, 5);
    const std::string last = grid.GetCellText(LoggerRecords, 5);
    if ((ascending && first < last) || (!ascending && first > last))
        state.SkipWithError("the rows are not in order");
}
BENCHMARK(BM_SortByColumn)->Unit(benchmark::kMillisecond)->Iterations(6);

// Ctrl+A over the whole table, then Ctrl+C until the clipboard holds the text.
void BM_SelectAllAndCopy(benchmark::State& state)
{
    const auto table = MakeTable(LoggerRecords);
    CDataGrid grid;
    FillGrid(grid, table);
    double selectMs = 0;
    double copyMs = 0;
    qsizetype copied = 0;
    for (auto _ : state) {
        grid.ClearSelection();
        grid.ChangeFocusCell(1, 2);
        QGuiApplication::clipboard()->clear();
        const auto start = std::chrono::steady_clock::now();
        grid.OnKeyDown(Qt::Key_A, Qt::ControlModifier);
        const auto selected = std::chrono::steady_clock::now();
        grid.OnKeyDown(Qt::Key_C, Qt::ControlModifier);
        copied = QGuiApplication::clipboard()->text().size();
        const auto done = std::chrono::steady_clock::now();
        selectMs = std::chrono::duration<double, std::milli>(selected - start).count();
        copyMs = std::chrono::duration<double, std::milli>(done - selected).count();
    }
    if (grid.GetSelectedCount() != LoggerRecords * (TableColumns - 2) || copied == 0)
        state.SkipWithError("not everything was selected and copied");
    state.counters["select_ms"] = selectMs;
    state.counters["copy_ms"] = copyMs;
    state.counters["text_MB"] = static_cast<double>(copied) / (1024.0 * 1024.0);
}
BENCHMARK(BM_SelectAllAndCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
