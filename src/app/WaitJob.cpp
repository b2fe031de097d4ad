#include "app/WaitJob.h"

#include "app/LineLoggerIds.h"
#include "app/TimedMessageBox.h"
#include "app/WaitMode.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "platform/DebugTrace.h"
#include "platform/Format.h"

#include <algorithm>

namespace {

constexpr const char* NoResponse = "No response from logger!";
constexpr int VwValue = 20; // the fourth field of a VW reading's commands

bool IsIndex(int index)
{
    return index >= 0 && index < MaxLoggerIds;
}

bool IsId(int id)
{
    return id >= 1 && id <= MaxLoggerIds;
}

bool IsChannel(int ch)
{
    return ch >= 0 && ch < ChannelCount;
}

} // namespace

CWaitJob::CWaitJob(const WaitJobRequest& request, JobProgress progress)
    : m_request(request)
    , m_progress(std::move(progress))
{
}

WaitJobResult CWaitJob::Run()
{
    m_result = {};
    if (!ArgumentsValid())
        return m_result;
    m_result.ran = true;
    switch (m_request.mode) {
    case WaitMode::ScanChannels:
        ScanChannels();
        break;
    case WaitMode::Measure:
        Measure();
        break;
    case WaitMode::MeasureForGraph:
        MeasureForGraph();
        break;
    case WaitMode::FormatMemory:
        FormatMemory();
        break;
    case WaitMode::WriteChannels:
        WriteChannels();
        break;
    case WaitMode::ReadChannels:
        ReadChannels();
        break;
    case WaitMode::Reset:
        Reset();
        break;
    default:
        break;
    }
    return m_result;
}

// The arguments come from editable lists: anything out of range runs no job.
bool CWaitJob::ArgumentsValid() const
{
    const bool record = CurrentLogger() != nullptr;
    const int logger = m_request.logger;
    switch (m_request.mode) {
    case WaitMode::ScanChannels:
        return true;
    case WaitMode::Measure:
        return record && IsIndex(logger)
            && (m_request.channel == -1 || IsChannel(m_request.channel));
    case WaitMode::MeasureForGraph:
        return record && IsIndex(logger) && IsChannel(m_request.channel);
    case WaitMode::WriteChannels:
        return record && IsIndex(logger);
    case WaitMode::FormatMemory:
    case WaitMode::ReadChannels:
    case WaitMode::Reset:
        return IsId(logger);
    default:
        return false;
    }
}

const ChannelConfig& CWaitJob::Channel(int index, int ch) const
{
    return CurrentLogger()->m_units[index].m_channels[ch];
}

void CWaitJob::AddReading(const MeasureReply& reply, int ch, char reading, int analogType)
{
    if (reply.empty()) {
        m_result.replyMissing = true;
        return;
    }
    const std::string line = ConvertMeasureReply(reply, reading, analogType);
    m_result.lines.push_back(line);
    m_result.readings.push_back({ch, reading, line});
    DebugTrace("m_string_array [%s]\r\n", line.c_str());
}

MeasureReply CWaitJob::ReadA(int id, int ch, int vwType)
{
    return g_port.MeasureChannel(id, ch, 1, vwType - 1, VwValue, 0);
}

MeasureReply CWaitJob::ReadB(int id, int ch, int analogType)
{
    return g_port.MeasureChannel(id, ch, 0, 0, 0, analogType);
}

void CWaitJob::ScanChannels()
{
    const LoggerRecord* record = CurrentLogger();
    const std::vector<int> ids = record ? LineLoggerIds(*record) : std::vector<int>();
    const int count = static_cast<int>(ids.size());
    m_progress.SetRange(ChannelCount * count);
    int best = 0;
    int base = 0;
    for (int id : ids) {
        int sensors = 0;
        for (int ch = 0; ch < ChannelCount; ++ch) {
            sensors = g_port.ReadChannelAll(id, ch != 0);
            if (sensors == -1) {
                m_progress.SetPos(base + ChannelCount - 1);
                break;
            }
            m_progress.SetPos(base + ch);
        }
        best = std::max(best, sensors);
        base += ChannelCount;
        m_progress.SetPos(base);
    }
    m_progress.SetPos(ChannelCount * count);
    m_result.lines.push_back(FormatString("%d", best));
}

void CWaitJob::Measure()
{
    const int id = m_request.logger + 1;
    if (!m_request.saveManualReading)
        g_port.SetSave(id, false);
    if (m_request.channel >= 0)
        MeasureChannel();
    else
        MeasureEveryChannel();
    if (!m_request.saveManualReading) {
        g_port.SendCommand("", false, TrailingReadSec);
        SaveOn(id);
    }
}

void CWaitJob::MeasureChannel()
{
    const int id = m_request.logger + 1;
    const int ch = m_request.channel;
    const ChannelConfig& channel = Channel(m_request.logger, ch);
    const int vw = channel.m_nVwType;
    const int an = channel.m_nAnalogType;
    switch (m_request.kind) {
    case 0:
        if (vw <= 0 && an <= 0)
            return;
        m_progress.SetRange(2);
        if (vw > 0)
            AddReading(ReadA(id, ch, vw), ch, 'A', an);
        m_progress.SetPos(1);
        if (an > 0)
            AddReading(ReadB(id, ch, an), ch, 'B', an);
        m_progress.SetPos(2);
        break;
    case 1:
    case 2: {
        const bool readingA = m_request.kind == 1;
        if ((readingA ? vw : an) <= 0)
            return;
        m_progress.SetRange(1);
        const MeasureReply reply = readingA ? ReadA(id, ch, vw) : ReadB(id, ch, an);
        m_progress.SetPos(1);
        AddReading(reply, ch, readingA ? 'A' : 'B', an);
        break;
    }
    default:
        break;
    }
}

// "measure all" is answered with 32 lines, A then B of every channel, whatever the channel
// table holds; a line is kept only for a reading set on its channel.
void CWaitJob::MeasureEveryChannel()
{
    const int index = m_request.logger;
    m_progress.SetRange(ChannelCount);
    int missedInRow = 0;
    for (int line = 0; line < 2 * ChannelCount; ++line) {
        const int ch = line / 2;
        const bool readingA = line % 2 == 0;
        const MeasureReply reply = g_port.MeasureAll(line == 0 ? index + 1 : -1);
        missedInRow = reply.empty() ? missedInRow + 1 : 0;
        // Nothing after the first read's re-reads, or two lines in a row that did not come:
        // the logger is not answering, and every read left would wait its 6 s in vain.
        if (missedInRow > 0 && (line == 0 || missedInRow == 2)) {
            m_result.replyMissing = true;
            return;
        }
        const ChannelConfig& channel = Channel(index, ch);
        if ((readingA ? channel.m_nVwType : channel.m_nAnalogType) > 0)
            AddReading(reply, ch, readingA ? 'A' : 'B', channel.m_nAnalogType);
        else if (reply.empty())
            m_result.replyMissing = true;
        if (!readingA)
            m_progress.SetPos(ch + 1);
    }
}

// Without "save on" answered the logger may go on not saving: the caller hears of it by the
// empty results and by saveOnFailed.
void CWaitJob::SaveOn(int id)
{
    for (int attempt = 0; attempt < SaveOnAttempts; ++attempt) {
        if (!g_port.SetSave(id, true).empty())
            return;
    }
    m_result.lines.clear();
    m_result.readings.clear();
    m_result.saveOnFailed = true;
}

void CWaitJob::MeasureForGraph()
{
    const int index = m_request.logger;
    const int ch = m_request.channel;
    const LoggerRecord& record = *CurrentLogger();
    const ChannelConfig& channel = Channel(index, ch);
    m_progress.SetRange(ChannelCount);
    if (record.m_bGraphSeriesA[index][ch] != 0 && channel.m_nVwType > 0)
        AddReading(ReadA(index + 1, ch, channel.m_nVwType), ch, 'A', channel.m_nAnalogType);
    if (record.m_bGraphSeriesB[index][ch] != 0 && channel.m_nAnalogType > 0)
        AddReading(ReadB(index + 1, ch, channel.m_nAnalogType), ch, 'B', channel.m_nAnalogType);
    m_progress.SetPos(ch + 1);
}

// The erase may be answered late, so the four drain reads count as an answer too; only when
// none of the five reads brought a line is the format reported as failed.
void CWaitJob::FormatMemory()
{
    const int id = m_request.logger;
    m_progress.SetRange(5);
    bool answered = g_port.InitMemory(id);
    m_progress.SetPos(1);
    for (int position = 2; position <= 5; ++position) {
        if (!g_port.SendCommand("", false, 0).empty())
            answered = true;
        m_progress.SetPos(position);
    }
    if (answered)
        TimedMessageBox("Format complete!", TimedBoxForm::Information);
    else
        TimedMessageBox(NoResponse, TimedBoxForm::Warning);
}

void CWaitJob::WriteChannels()
{
    const int index = m_request.logger;
    m_progress.SetRange(ChannelCount);
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const ChannelConfig& channel = Channel(index, ch);
        const int vw = channel.m_nVwType;
        const bool vwOn = vw > 0;
        const std::string reply = g_port.SetChannel(index + 1, ch, vw, vwOn ? 1 : 0,
            vwOn ? vw - 1 : 0, vwOn ? VwValue : 0, channel.m_nAnalogType);
        if (reply.empty())
            m_result.replyMissing = true;
        m_progress.SetPos(ch + 1);
    }
}

void CWaitJob::ReadChannels()
{
    const int id = m_request.logger;
    m_progress.SetRange(ChannelCount + 1);
    int sensors = -1;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        sensors = g_port.ReadChannelAll(id, ch != 0);
        if (sensors == -1) {
            m_progress.SetPos(ChannelCount);
            TimedMessageBox(NoResponse, TimedBoxForm::Information);
            break;
        }
        m_progress.SetPos(ch + 1);
    }
    m_result.lines.push_back(FormatString("%d", sensors));
    if (sensors != -1) {
        const ScheduleReply schedule = g_port.ReadSchedule(id);
        m_result.lines.push_back(schedule);
        if (schedule.empty()) {
            m_result.replyMissing = true;
            TimedMessageBox(NoResponse, TimedBoxForm::Information);
        }
    }
    m_progress.SetPos(ChannelCount + 1);
}

void CWaitJob::Reset()
{
    m_progress.SetRange(6);
    const bool answered = g_port.ResetLogger(m_request.logger, m_progress.pos);
    m_progress.SetPos(6);
    if (answered)
        TimedMessageBox("Reset complete!", TimedBoxForm::Information);
    else
        TimedMessageBox(NoResponse, TimedBoxForm::Warning);
}
