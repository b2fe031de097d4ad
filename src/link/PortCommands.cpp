// The logger command set of CPort: one operation per command, each on g_port.
#include "link/LoggerCommand.h"
#include "link/Port.h"

#include "record/LoggerTable.h"
#include "platform/Format.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

using namespace LoggerCommand;

namespace {

// atoi of the two characters at pos; a reply too short for them gives 0.
uint16_t PairAt(const std::string& reply, size_t pos)
{
    return static_cast<uint16_t>(pos < reply.size() ? std::atoi(reply.substr(pos, 2).c_str()) : 0);
}

DataLoadLine AsDataLoadLine(std::string reply, int id)
{
    DataLoadLine line;
    line.reply = std::move(reply);
    line.fromLogger = HasLoggerHead(line.reply, id);
    line.record = CutHead(line.reply, DataLoadCut);
    return line;
}

} // namespace

std::string CPort::ReadAddress(int id)
{
    const std::string line
        = id == -1 ? std::string("@01,01,address\r") : FormatString("@01,%02d,address\r", id);
    return CutHead(g_port.SendCommand(line), AddressCut);
}

bool CPort::IsLoggerPresent(int id)
{
    return !ReadAddress(id).empty();
}

std::string CPort::ReadDateTime(int id)
{
    const std::string date = g_port.SendCommand(FormatString("@01,%02d,date\r", id));
    if (date.empty())
        return {};
    const uint16_t year = static_cast<uint16_t>(PairAt(date, 12) + 2000);
    const uint16_t month = PairAt(date, 15);
    const uint16_t day = PairAt(date, 18);
    const std::string time = g_port.SendCommand(FormatString("@01,%02d,time\r", id));
    if (time.empty())
        return {};
    return FormatString("%04d/%02d/%02d %02d:%02d:%02d", year, month, day, PairAt(time, 12),
        PairAt(time, 15), PairAt(time, 18));
}

bool CPort::SetDateTime(int id, const QDateTime& time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    if (g_port
            .SendCommand(FormatString(
                "@01,%02d,date %02d %02d %02d\r", id, d.year() - 2000, d.month(), d.day()))
            .empty())
        return false;
    return !g_port
                .SendCommand(FormatString(
                    "@01,%02d,time %02d %02d %02d\r", id, t.hour(), t.minute(), t.second()))
                .empty();
}

std::string CPort::MeasureAll(int id)
{
    if (id < 0)
        return CutHead(g_port.SendCommand(""), MeasureCut);
    std::string reply = g_port.SendCommand(FormatString("@01,%02d,measure all\r", id));
    // The logger may take a while to measure: up to 16 more reads while nothing came.
    for (int read = 0; reply.empty() && read < 16; ++read)
        reply = g_port.SendCommand("");
    return CutHead(reply, MeasureCut);
}

std::string CPort::MeasureChannel(int id, int ch, int vwOn, int vwSweep, int value, int analogType)
{
    std::string line;
    if (vwOn > 0 && analogType > 0)
        line = FormatString("@01,%02d,measure %02d\r", id, ch);
    else if (vwOn > 0)
        line = FormatString("@01,%02d,measure %02d %02d %02d %04d\r", id, ch, vwOn, vwSweep, value);
    else if (analogType > 0)
        line = FormatString("@01,%02d,measure %02d %02d\r", id, ch, analogType);
    return CutHead(g_port.SendCommand(line), MeasureCut);
}

std::string CPort::ReadSchedule(int id)
{
    std::string reply = g_port.SendCommand(FormatString("@01,%02d,schedule\r", id));
    reply.erase(std::remove(reply.begin(), reply.end(), ';'), reply.end());
    return CutHead(reply, ScheduleCut);
}

bool CPort::SetScheduleMode(int id, bool periodic)
{
    const char* word = periodic ? "periodic" : "fixed";
    return !g_port.SendCommand(FormatString("@01,%02d,schedule %s\r", id, word)).empty();
}

bool CPort::SetSchedule(int id, int hours, int minutes)
{
    return !g_port.SendCommand(FormatString("@01,%02d,schedule %02d %02d 00\r", id, hours, minutes))
                .empty();
}

std::string CPort::LoadData(int id, bool next)
{
    if (next)
        return ReadDataLine(id).record;
    StartDataLoad(id);
    return {};
}

DataLoadLine CPort::ReadDataLine(int id, int nTimeoutSec)
{
    return AsDataLoadLine(g_port.SendCommand("", false, nTimeoutSec), id);
}

DataLoadLine CPort::StartDataLoad(int id)
{
    return AsDataLoadLine(g_port.SendCommand(FormatString("@01,%02d,data load\r", id)), id);
}

int CPort::ReadChannelAll(int id, bool next)
{
    std::string reply;
    if (next) {
        reply = g_port.SendCommand("");
    } else {
        reply = g_port.SendCommand(FormatString("@01,%02d,channel all\r", id));
        g_port.m_nSensorCount = 0;
    }
    if (reply.empty())
        return -1;

    const ChannelLine line = ChannelLine::FromReply(reply);
    if (line.channel >= 0 && line.channel < ChannelCount) {
        const int vwType = line.vwOn > 0 ? line.vwSweep + 1 : 0;
        LoggerRecord* record = CurrentLogger();
        if (record && id >= 1 && id <= MaxLoggerIds) {
            ChannelConfig& channel = record->m_units[id - 1].m_channels[line.channel];
            channel.m_bPresent = line.vwOn + line.analogType != 0;
            channel.m_nVwType = vwType;
            channel.m_nAnalogType = line.analogType;
            channel.m_nValue = line.value;
        }
        g_port.m_nSensorCount += (line.analogType > 0) + (vwType > 0);
    }
    return g_port.m_nSensorCount;
}

std::string CPort::SetChannel(
    int id, int ch, int /*vwType: not sent*/, int vwOn, int vwSweep, int value, int analogType)
{
    const ChannelLine line{ch, vwOn, vwSweep, value, analogType};
    return g_port.SendCommand(FormatString("@01,%02d,channel %s\r", id, line.Text().c_str()));
}

std::string CPort::SetSave(int id, bool on)
{
    return g_port.SendCommand(FormatString("@01,%02d,save %s\r", id, on ? "on" : "off"), false, 1);
}

bool CPort::InitMemory(int id)
{
    const std::string line = FormatString("@01,%02d,memory init\r", id);
    const LoggerRecord* record = CurrentLogger();
    // Over a modem the erase is answered late and its reply line ends at LF.
    if (record && record->m_bUseModem)
        return !g_port.SendCommand(line, true, 60).empty();
    return !g_port.SendCommand(line).empty();
}

bool CPort::ResetLogger(int id, const ProgressPos& progress)
{
    g_port.SendCommand(FormatString("@01,%02d,reset\r", id), false, 2);
    SetProgressPos(progress, 1);
    for (int position = 2; position <= 5; ++position) {
        g_port.SendCommand("", false, 2);
        SetProgressPos(progress, position);
    }
    return IsLoggerPresent(id);
}

int CPort::ReadMemoryCount(int id)
{
    return QueryMemoryCount(id).records;
}

MemoryCount CPort::QueryMemoryCount(int id)
{
    return MemoryCount::FromReply(
        g_port.SendCommand(FormatString("@01,%02d,memory\r", id), false, 3), id);
}
