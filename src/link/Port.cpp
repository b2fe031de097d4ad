#include "link/Port.h"

#include "record/LoggerTable.h"
#include "platform/DebugTrace.h"
#include "platform/Format.h"

#include <QElapsedTimer>

#include <algorithm>

CPort g_port;

namespace {

std::string CommaField(const std::string& text, int index)
{
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            return {};
        start = comma + 1;
    }
    const size_t end = text.find(',', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace

void SetProgressPos(const ProgressPos& progress, int position)
{
    if (progress)
        progress(position);
}

int FirstByteSlices(bool bModem, int nTimeoutSec)
{
    if (nTimeoutSec > 0)
        return nTimeoutSec * 10;
    return bModem ? 110 : 60;
}

CPort::CPort() = default;

CPort::~CPort()
{
    const LoggerRecord* record = CurrentLogger();
    if (record && record->m_bUseModem)
        ModemHangUp();
    m_Serial.Close();
}

std::string CPort::SendCommand(const std::string& command, bool bModem, int nTimeoutSec)
{
    if (!m_Serial.IsOpen())
        return {};
    if (!command.empty()) {
        m_Serial.PurgeInput();
        m_Serial.PurgeOutput();
        m_Serial.Write(command);
    }
    DebugTrace("Send [%s]\r\n", command.c_str());

    const int slices = FirstByteSlices(bModem, nTimeoutSec);
    int queued = m_Serial.QueuedBytes();
    for (int slice = 0; queued == 0 && slice < slices && m_Serial.IsOpen(); ++slice) {
        m_Serial.WaitSlice();
        queued = m_Serial.QueuedBytes();
    }
    queued = m_Serial.QueuedBytes();
    DebugTrace("ReadString1 %d\r\n", queued);
    if (queued == 0)
        return {};

    std::string line = ReadReplyLine(bModem);
    if (!m_Serial.IsOpen())
        return {}; // the line went away mid-reply: no reply
    line.erase(
        std::remove_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }),
        line.end());
    return line;
}

// Reads up to the line end. Bytes past MaxReplyLength are read and dropped up to the end, so
// the tail of an overlong line never starts the next reply (nor fills the next records); a
// device that streams without ever ending its line holds the link for MaxFloodMs at most.
std::string CPort::ReadReplyLine(bool bModem)
{
    std::string line;
    bool dropping = false;
    QElapsedTimer flood;
    for (;;) {
        const char byte = m_Serial.ReadByte();
        if (byte == 0)
            break;
        if (line.empty() && (byte == '\r' || byte == '\n'))
            continue;
        if (line.size() < MaxReplyLength) {
            line.push_back(byte);
        } else if (!dropping) {
            dropping = true;
            flood.start();
        } else if (flood.hasExpired(MaxFloodMs)) {
            break;
        }
        if (byte == '\n' || (!bModem && byte == '\r')) {
            DebugTrace("ReadString2 [%d] [%s]\r\n", byte, line.c_str());
            break;
        }
    }
    return line;
}

bool CPort::ModemHangUp()
{
    const LoggerRecord* record = CurrentLogger();
    SendCommand(record ? FieldText(record->m_szHangUpCommand) : std::string(), false, 0);
    return true;
}

bool CPort::ModemConnect(const ProgressPos& progress)
{
    const LoggerRecord* record = CurrentLogger();
    const std::string modem = record ? FieldText(record->m_szModemCommand) : std::string();
    const std::string phone = record ? FieldText(record->m_szPhoneNumber) : std::string();

    g_port.ModemHangUp();
    g_port.SendCommand(FormatString("%s\r\n", CommaField(modem, 0).c_str()), true, 0);
    SetProgressPos(progress, 1);
    g_port.SendCommand(
        FormatString("%s%s\r\n", CommaField(modem, 1).c_str(), phone.c_str()), true, 0);
    SetProgressPos(progress, 8);
    for (int position = 10; position <= 12; ++position) {
        if (g_port.SendCommand("", false, 0).find("CONNECT") != std::string::npos) {
            SetProgressPos(progress, 13);
            return true;
        }
        SetProgressPos(progress, position);
    }
    g_port.SendCommand("", false, 0);
    SetProgressPos(progress, 13);
    return true;
}
