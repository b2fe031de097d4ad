#include "app/dialogs/DataReadingDlg.h"

#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "data/FolderUtils.h"
#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "platform/DebugTrace.h"
#include "platform/EventPump.h"
#include "platform/Format.h"
#include "platform/LineReader.h"
#include "res/DialogTemplates.h"

#include <QApplication>
#include <QDateTime>
#include <QProgressBar>

#include <sstream>

namespace {

constexpr int IDC_PROGRESS = 1003;
constexpr int IDC_CANCEL = 1004;
constexpr int IDC_DOWN = 1005;
constexpr int IDC_STATUS = 1022;
constexpr int StartTimer = 0;
constexpr int StartDelayMs = 100;

// Open modes the trace reports: an existing raw file is opened read-write, a new one created.
constexpr int ModeReadWrite = 2;
constexpr int ModeCreateReadWrite = 4098;

// Blank-separated tokens 2 and 3 of a record line (its date and time), for the trace.
std::pair<std::string, std::string> DateTimeTokens(const std::string& line)
{
    std::istringstream in(line);
    std::string token[4];
    for (std::string& t : token)
        in >> t;
    return {token[2], token[3]};
}

// What the raw file held before this download: its non-empty lines and the last of them.
struct RawFileSummary
{
    int lines = 0;
    std::string lastLine;
};

RawFileSummary Summarise(const AccFile& raw)
{
    RawFileSummary summary;
    std::string bytes;
    if (!raw.ReadAll(bytes))
        return summary;
    LineReader reader(bytes);
    for (std::string_view line; reader.Next(line);) {
        if (!line.empty()) {
            ++summary.lines;
            summary.lastLine = line;
        }
    }
    return summary;
}

} // namespace

CDataReadingDlg::CDataReadingDlg(QWidget* parent)
    : CDialogBase(Dialog159(), parent)
{
    m_progress = ItemAs<QProgressBar>(IDC_PROGRESS);
    Controls().OnClicked(IDC_CANCEL, this, &CDataReadingDlg::OnBnClickedCancel);
    Controls().OnClicked(IDC_DOWN, this, &CDataReadingDlg::DownloadData);
}

bool CDataReadingDlg::OnInitDialog()
{
    m_bStop = false;
    SetStatus("Checking.....");
    SetTimer(StartTimer, StartDelayMs);
    return true;
}

void CDataReadingDlg::OnTimer(int id)
{
    if (id != StartTimer)
        return;
    KillTimer(StartTimer);
    m_bDownloading = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DownloadData();
    QApplication::restoreOverrideCursor();
    m_bDownloading = false;
    OnOK();
}

void CDataReadingDlg::OnCancel()
{
    // A running download finishes; the dialog closes when it is done.
    if (!m_bDownloading)
        CDialogBase::OnCancel();
}

void CDataReadingDlg::OnBnClickedCancel()
{
    m_bStop = true;
}

void CDataReadingDlg::SetStatus(const std::string& text)
{
    m_strStatus = text;
    Controls().SetItemText(IDC_STATUS, text);
}

void CDataReadingDlg::DownloadData()
{
    const LoggerRecord* current = CurrentLogger();
    if (!current)
        return;
    // Handlers that run inside the waits must not change the record under the download.
    const LoggerRecord record = *current;
    m_bProblemReported = false;

    std::string folder = LoggerFolderPath(record);
    if (!FolderExists(folder.c_str())) {
        AddBackslash(folder);
        if (!CreateFolderTree(folder.c_str())) {
            if (!g_bScheduleRunning)
                TimedMessageBox("Make dir Failed", TimedBoxForm::Information);
            return;
        }
    }
    for (int id = 1; id <= MaxLoggerIds; ++id) {
        if (!IsLoggerIdUsed(record, id))
            continue;
        DownloadLogger(record, id);
        if (m_bStop)
            return;
    }
    if (!g_bScheduleRunning && !m_bProblemReported)
        TimedMessageBox("Data receiving complete!", TimedBoxForm::Information);
}

void CDataReadingDlg::DownloadLogger(const LoggerRecord& record, int loggerId)
{
    const int count = g_port.ReadMemoryCount(loggerId);
    DebugTrace("MemoryCnt %d\r\n", count);
    if (count <= 0) {
        SetStatus(FormatString("Logger ID(%d) - Now Receiving... (100 %%)", loggerId));
        return;
    }

    const std::string path = AccFilePath(record, loggerId);
    const int mode = IsFile(path.c_str()) ? ModeReadWrite : ModeCreateReadWrite;
    DebugTrace("szFile %s nFlag %d\r\n", path.c_str(), mode);
    AccFile raw(path);
    if (!raw.Open()) {
        // The records stay in the logger; the operator must know they were not saved.
        ReportWriteFailure(path);
        return;
    }
    const RawFileSummary before = Summarise(raw);

    if (record.m_units[loggerId - 1].m_schedule.m_nScheduleMode == ScheduleFixed)
        g_port.SetDateTime(loggerId, QDateTime::currentDateTime());

    m_progress->setRange(0, count);
    g_port.LoadData(loggerId, false);
    m_nMissing = 0;
    m_nAppended = 0;
    const Outcome outcome = ReceiveRecords(loggerId, count, raw, before.lines, before.lastLine);
    DebugTrace("Memory receive 1 [%d]\r\n", before.lines + m_nAppended);

    RebuildCsvFile(record, loggerId, raw, {true});
    // The records must be on the disk before the logger's copy may go.
    const bool onDisk = raw.Sync() && !raw.HasWriteError();
    raw.Close();
    if (outcome == Outcome::WriteFailed)
        return; // already reported
    if (!onDisk) {
        ReportWriteFailure(path);
        return;
    }
    if (outcome == Outcome::LineLost) {
        ReportProblem("The line went away during the download.");
        return;
    }
    if (outcome != Outcome::Done || !record.m_bEraseAfterReceive)
        return;
    if (m_nMissing > 0) {
        // Records that never arrived exist only in the logger.
        DebugTrace(
            "Logger ID(%d) kept its memory: %d records got no reply\r\n", loggerId, m_nMissing);
        return;
    }
    EraseMemory(loggerId);
}

CDataReadingDlg::Outcome CDataReadingDlg::ReceiveRecords(
    int loggerId, int count, AccFile& raw, int previousLines, const std::string& previousLast)
{
    const auto [lastDate, lastTime] = DateTimeTokens(previousLast);
    EventPump pump;
    for (int i = 1; i <= count; ++i) {
        pump.Poll();
        m_progress->setValue(i);
        std::string line = g_port.LoadData(loggerId, true);
        if (line.empty())
            line = g_port.LoadData(loggerId, true);
        if (line.empty() && !g_port.m_Serial.IsOpen())
            return Outcome::LineLost; // nothing more can come; no empty lines for the rest
        if (line.empty())
            ++m_nMissing;
        const auto [date, time] = DateTimeTokens(line);
        DebugTrace("Memory receive [%d] [%s\n] [%d] [%s] [%s] [%s] [%s]\r\n", i - 1, line.c_str(),
            previousLines + i - 1, date.c_str(), time.c_str(), lastDate.c_str(), lastTime.c_str());
        if (!raw.AppendLine(line)) {
            ReportWriteFailure(raw.Path());
            return Outcome::WriteFailed;
        }
        ++m_nAppended;
        SetStatus(
            FormatString("Logger ID(%d) - Now Receiving... (%d %%)", loggerId, 100 * i / count));
        if (m_bStop) {
            TimedMessageBox("stop", TimedBoxForm::Warning);
            return Outcome::Stopped;
        }
    }
    return Outcome::Done;
}

void CDataReadingDlg::EraseMemory(int loggerId)
{
    g_port.SendCommand("");
    g_port.InitMemory(loggerId);
    for (int i = 0; i < 4; ++i)
        g_port.SendCommand("");
}

void CDataReadingDlg::ReportProblem(const std::string& text)
{
    // Unattended receives leave the trace only; no box waits for an operator.
    m_bProblemReported = true;
    if (g_bScheduleRunning)
        DebugTrace("%s\r\n", text.c_str());
    else
        TimedMessageBox(text, TimedBoxForm::Warning);
}

void CDataReadingDlg::ReportWriteFailure(const std::string& path)
{
    ReportProblem(
        FormatString("Cannot write the data file %s; the logger's memory was kept.", path.c_str()));
}
