// The graph window: a repaint from the cached background and one with a rebuild at 1000 x 600,
// how many paints a stream of updates gives, and how long the window's events wait during a
// 16-channel pass against the simulated logger answering after 300 ms.
#include "app/dialogs/WaitPopupDlg.h"
#include "display/DataGraphDlg.h"
#include "display/GraphPainter.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "loggersim/LoggerSim.h"
#include "platform/MessageBoxPresenter.h"
#include "platform/RepaintThrottle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int Width = 1000;
constexpr int Height = 600;

class SilentPresenter final : public MessageBoxPresenter
{
public:
    void Show(const MessageBoxRequest&) override { }
    bool Ask(const MessageBoxRequest&) override { return false; }
};

// Sixteen shown series of ten points over 0..1000.
void FillSeries(CGraphPainter& graph)
{
    for (int ch = 0; ch < 16; ++ch) {
        graph.m_bShown[ch] = 1;
        for (int k = 0; k < 10; ++k)
            graph.m_fSeries[ch][k] = static_cast<float>((ch * 61 + k * 97) % 1000);
    }
}

void BM_GraphRepaintFromCache(benchmark::State& state)
{
    CGraphPainter graph;
    FillSeries(graph);
    QImage target(Width, Height, QImage::Format_RGB32);
    const QRect rc(QPoint(0, 0), QPoint(Width, Height));
    for (auto _ : state) {
        QPainter painter(&target);
        graph.Draw(painter, rc, Width, Height, 10, 1000, 1000.0f / 9.0f, Qt::lightGray);
    }
    state.counters["background_builds"] = graph.BackgroundBuilds();
}
BENCHMARK(BM_GraphRepaintFromCache)->Unit(benchmark::kMicrosecond);

void BM_GraphRepaintWithRebuild(benchmark::State& state)
{
    CGraphPainter graph;
    FillSeries(graph);
    QImage target(Width, Height, QImage::Format_RGB32);
    const QRect rc(QPoint(0, 0), QPoint(Width, Height));
    int top = 1000;
    for (auto _ : state) {
        QPainter painter(&target);
        graph.Draw(painter, rc, Width, Height, 10, ++top, 1000.0f / 9.0f, Qt::lightGray);
    }
    state.counters["background_builds"] = graph.BackgroundBuilds();
}
BENCHMARK(BM_GraphRepaintWithRebuild)->Unit(benchmark::kMicrosecond);

// Counts the paints of a widget.
class PaintCount final : public QObject
{
public:
    explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A current record on the simulated line, its logger answering after replyDelayMs, with
// reading A of every channel plotted.
class SimLine
{
public:
    explicit SimLine(int replyDelayMs)
    {
        loggersim::LoggerSim::Options options;
        options.replyDelayMs = replyDelayMs;
        m_sim = std::make_unique<loggersim::LoggerSim>(options);
        m_ready = m_sim->Start();
        qputenv("QUORBEL_COM9", QByteArray::fromStdString(m_sim->Path()));
        ClearLoggerTable();
        g_loggers[0] = NewLoggerRecord("Bench", m_dir.path().toStdString() + "/");
        g_loggers[0].m_nComPort = 9;
        for (int ch = 0; ch < 16; ++ch) {
            g_loggers[0].m_units[0].m_channels[ch].m_nVwType = 1;
            g_loggers[0].m_bGraphSeriesA[0][ch] = 1;
        }
        g_nLoggerCount = 1;
        g_nCurLogger = 0;
        g_port.m_Serial.SetPort(9);
        g_port.m_Serial.SetLoggerLine();
        m_ready = m_ready && g_port.m_Serial.Open();
        SetMessageBoxPresenter(&m_presenter);
    }
    ~SimLine()
    {
        SetMessageBoxPresenter(nullptr);
        g_port.m_Serial.Close();
        ClearLoggerTable();
    }
    bool Ready() const { return m_ready; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<loggersim::LoggerSim> m_sim;
    SilentPresenter m_presenter;
    bool m_ready = false;
};

// Marks every millisecond for a second: the paints they give.
void BM_GraphUpdatesCoalesce(benchmark::State& state)
{
    SimLine line(0);
    CDataGraphDlg dlg;
    dlg.Create();
    dlg.resize(Width, Height);
    dlg.show();
    QApplication::processEvents();
    PaintCount count(&dlg);
    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1000) {
            dlg.Repaints().Invalidate();
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        seconds += static_cast<double>(clock.elapsed()) / 1000.0;
    }
    state.counters["paints_per_s"] = count.paints / seconds;
}
BENCHMARK(BM_GraphUpdatesCoalesce)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The longest gap between two runs of a 10 ms timer during a pass of 16 readings, each
// answered after 300 ms: how long the window's events wait at worst.
void BM_GraphPassProbeGap(benchmark::State& state)
{
    SimLine line(300);
    if (!line.Ready()) {
        state.SkipWithError("no simulated line");
        return;
    }
    CDataGraphDlg dlg;
    dlg.Create();
    dlg.resize(Width, Height);
    dlg.show();
    QApplication::processEvents();
    qint64 longest = 0;
    int writes = 0;
    for (auto _ : state) {
        QElapsedTimer since;
        QTimer probe;
        QObject::connect(
            &probe, &QTimer::timeout, [&] { longest = std::max(longest, since.restart()); });
        since.start();
        probe.start(10);
        dlg.MeasureOnce();
        probe.stop();
        writes += dlg.m_graph.m_bShown[15];
    }
    state.counters["longest_gap_ms"] = static_cast<double>(longest);
    state.counters["channel16_plotted"] = writes;
}
BENCHMARK(BM_GraphPassProbeGap)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
