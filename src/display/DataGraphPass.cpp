// One measuring pass of the graph window.
#include "display/DataGraphDlg.h"

#include "app/TimedMessageBox.h"
#include "app/WaitJob.h"
#include "app/WaitMode.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "record/LoggerTable.h"
#include "link/LoggerCommand.h"
#include "link/Port.h"
#include "platform/DebugTrace.h"
#include "platform/RepaintThrottle.h"
#include "platform/TextNumber.h"
#include "res/GraphIds.h"

#include <cmath>
#include <memory>

using namespace GraphIds;

namespace {

constexpr const char* NoResponse = "No response from logger!";
constexpr const char* NotSaving
    = "No response from logger! The logger may not be saving its readings.";
constexpr int PopupWidth = 170;
constexpr int PopupHeight = 60;

} // namespace

void CDataGraphDlg::MeasureOnce()
{
    if (m_bBusy || m_bClosing)
        return;
    m_bBusy = true;
    DialogControls& controls = Controls();
    controls.EnableItem(IDC_MEASURE_ONCE, false);
    controls.EnableItem(IDC_GRAPH_SET, false);
    UpdateData(true);
    // Taken once: a click during the pass must not leave "save on" unsent.
    const bool saveReading = m_bSaveManualReading;
    if (LoggerRecord* record = CurrentLogger())
        RunPass(*record, saveReading);
    EndPass();
}

void CDataGraphDlg::RunPass(LoggerRecord& record, bool saveReading)
{
    const int index = GraphLoggerIndex(record);
    const int id = index + 1;
    if (g_port.ReadAddress(id).empty()) {
        TimedMessageBox(NoResponse, TimedBoxForm::Warning);
        return;
    }
    if (!saveReading)
        g_port.SetSave(id, false);
    for (int ch = 0; ch < ChannelCount && !m_bClosing; ++ch) {
        // The record is read anew for each channel: the flags stay as they are during a
        // pass, since the settings cannot open while it runs.
        const int seriesA = record.m_bGraphSeriesA[index][ch];
        if (seriesA || record.m_bGraphSeriesB[index][ch])
            MeasureChannel(index, ch, seriesA);
    }
    if (!saveReading)
        SaveOn(id);
    AdvanceRing();
}

// The popup runs beside this window (which stays usable) until its job has ended.
void CDataGraphDlg::MeasureChannel(int index, int ch, int seriesA)
{
    DebugTrace("-------------------MeasuredOne1\r\n");
    auto popup = std::make_unique<CWaitPopupDlg>(
        "Reading!!", WaitMode::MeasureForGraph, index, ch, 0, this);
    popup->Create();
    popup->setFixedSize(PopupWidth, PopupHeight);
    popup->RunModalLoop();
    DebugTrace("-----------------------MeasuredOne2\r\n");
    int i = 0;
    for (const std::string& line : popup->m_strResults) {
        DebugTrace("m_string_array1 [%d] [%d] [%s] [%d]\r\n", ch, i++, line.c_str(), seriesA);
        const std::string value = LoggerCommand::Field(line, 2);
        DebugTrace("m_string_array2 [%s]\r\n", value.c_str());
        if (!value.empty())
            AddValue(ch, value);
    }
}

// A value that is no finite number within the plotted range is not plotted and leaves the
// scale alone.
void CDataGraphDlg::AddValue(int ch, const std::string& field)
{
    const double reading = LeadingDouble(field);
    if (!std::isfinite(reading) || std::fabs(reading) > ValueLimit)
        return;
    const float v = static_cast<float>(reading);
    m_graph.m_fSeries[ch][m_nWritePos] = v;
    m_graph.m_bShown[ch] = 1;
    if (v > m_fMax)
        m_fMax = v + 10.0f;
    if (v < m_fMin)
        m_fMin = v - 10.0f;
    m_bHasValue = true;
}

// A lost "save on" would leave the logger not saving: it is tried as often as the manual
// measurement tries it.
void CDataGraphDlg::SaveOn(int id)
{
    for (int attempt = 0; attempt < CWaitJob::SaveOnAttempts; ++attempt) {
        if (!g_port.SetSave(id, true).empty())
            return;
    }
    TimedMessageBox(NotSaving, TimedBoxForm::Warning);
}

void CDataGraphDlg::AdvanceRing()
{
    if (++m_nWritePos >= m_nPointCount) {
        m_nWritePos = 0;
        m_bWrapped = true;
    }
    m_graph.m_nStart = m_nWritePos;
}

void CDataGraphDlg::EndPass()
{
    m_repaints->Invalidate();
    DialogControls& controls = Controls();
    controls.EnableItem(IDC_MEASURE_ONCE, !m_bRunning);
    controls.EnableItem(IDC_GRAPH_SET, true);
    m_bBusy = false;
}
