// What the data window puts into the grid: a full logger memory (35,000 records) of 34
// columns. Measures filling the grid, the memory the filled grid takes, and painting one
// screen of it at the top and at the bottom of the table.
#include "display/grid/DataGrid.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>
#include <malloc.h>

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

} // namespace
