#include "app/dialogs/DataReadingDlg.h"

#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "data/DataRecord.h"
#include "data/FolderUtils.h"
#include "app/DownloadNotes.h"
#include "app/LineLoggerIds.h"
#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "platform/DebugTrace.h"
#include "platform/EventPump.h"
#include "platform/Format.h"
#include "platform/LineReader.h"
#include "platform/Utf8Text.h"
#include "res/DialogTemplates.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QProgressBar>

#include <sstream>

using DownloadNotes::LineLostAt;

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
    // A full memory takes minutes at the line's pace: the operator may stop it.
    Controls().ShowItem(IDC_CANCEL, true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DownloadData();
    QApplication::restoreOverrideCursor();
    Controls().ShowItem(IDC_CANCEL, false);
    m_bDownloading = false;
    OnOK();
}

void CDataReadingDlg::OnCancel()
{
    // Esc and the close box ask a running download to stop; the dialog closes when it has.
    if (m_bDownloading)
        m_bStop = true;
    else
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
    m_report.Clear();
    m_bStopShown = false;
    if (CheckTarget(record)) {
        if (!PrepareFolder(record))
            return;
        const std::vector<int> ids = LineLoggerIds(record);
        for (auto id = ids.begin(); id != ids.end(); ++id) {
            if (DownloadLogger(record, *id))
                continue;
            // The operator who stopped knows; a lost line leaves the rest unread unasked.
            if (!g_port.m_Serial.IsOpen() && id + 1 != ids.end())
                m_report.Problem(DownloadNotes::NotRead({id + 1, ids.end()}));
            break;
        }
    }
    // Whichever way the download ended, everything gathered is told.
    m_report.Finish(m_bStop);
}

bool CDataReadingDlg::CheckTarget(const LoggerRecord& record)
{
    // A folder from another system ("C:\Data\") would be taken from the current directory;
    // one whose bytes are not UTF-8 would be written under another name.
    const std::string folder = FieldText(record.m_szDataFolder);
    const bool utf8 = IsUtf8Text(folder);
    if (!utf8 || !QDir::isAbsolutePath(QFile::decodeName(folder.c_str()))) {
        m_report.Problem(FormatString(utf8
                ? "The data folder %s is not a full path; choose another one in the configuration."
                : "The data folder %s is not UTF-8 text; choose another one in the configuration.",
            ReadableText(folder).c_str()));
        return false;
    }
    // A name read from a file could place the data files outside the configuration's folder,
    // or, not being UTF-8, share them with another configuration.
    const std::string name = FieldText(record.m_szName);
    if (!IsValidLoggerName(name) || !IsUtf8Text(name)) {
        m_report.Problem(FormatString(
            "The configuration name %s cannot be used in a file name; nothing was received.",
            ReadableText(name).c_str()));
        return false;
    }
    return true;
}

// False (and told) when the logger folder cannot be made; the download then ends.
bool CDataReadingDlg::PrepareFolder(const LoggerRecord& record)
{
    std::string folder = LoggerFolderPath(record);
    if (FolderExists(folder.c_str()))
        return true;
    AddBackslash(folder);
    if (CreateDurableFolderTree(folder.c_str()))
        return true;
    if (!g_bScheduleRunning)
        TimedMessageBox("Make dir Failed", TimedBoxForm::Information);
    return false;
}

// False when the download must end here (a stop or a lost line).
bool CDataReadingDlg::DownloadLogger(const LoggerRecord& record, int loggerId)
{
    const MemoryCount count = g_port.QueryMemoryCount(loggerId);
    DebugTrace("MemoryCnt %d\r\n", count.records);
    if (count.records <= 0) {
        SetStatus(FormatString("Logger ID(%d) - Now Receiving... (100 %%)", loggerId));
        if (LineGone(loggerId, LineLostAt::Count))
            return false;
        if (count.records < 0)
            m_report.Note(DownloadNotes::NoResponse(loggerId));
        return !StopRequested();
    }
    return ReceiveLogger(record, loggerId, count);
}

bool CDataReadingDlg::ReceiveLogger(
    const LoggerRecord& record, int loggerId, const MemoryCount& count)
{
    const std::string path = AccFilePath(record, loggerId);
    const int mode = IsFile(path.c_str()) ? ModeReadWrite : ModeCreateReadWrite;
    DebugTrace("szFile %s nFlag %d\r\n", path.c_str(), mode);
    AccFile raw(path);
    if (!raw.Open()) {
        // The records stay in the logger; the operator must know they were not saved.
        ReportWriteFailure(path);
        return !StopRequested();
    }
    const RawFileSummary before = Summarise(raw);

    if (record.m_units[loggerId - 1].m_schedule.m_nScheduleMode == ScheduleFixed)
        g_port.SetDateTime(loggerId, QDateTime::currentDateTime());

    m_progress->setRange(0, count.records);
    RecordStream stream(loggerId, count.records, raw);
    const DataLoadLine head = g_port.StartDataLoad(loggerId);
    if (!head.reply.empty() && !head.IsHead())
        stream.PutBack(head); // the head was lost: this may be a record
    RecordStream::End end
        = ReceiveRecords(stream, loggerId, count.records, before.lines, before.lastLine);
    // What the logger still sends belongs to its raw file, not to the answer of the next
    // command: this logger's erase or the next logger's count. With neither to come and no
    // record still awaited, the line is left as it is (the records stay in the logger).
    // Before an erase the line may pause as long as any reply may take: a record that comes
    // after a shorter pause would otherwise be erased unread.
    const bool readOn = record.m_bEraseAfterReceive || LineLoggerIds(record).back() > loggerId
        || stream.Unfilled() > 0 || stream.LateRoom() > 0;
    if (readOn && end != RecordStream::End::Stopped && end != RecordStream::End::LineLost) {
        const RecordStream::End rest
            = stream.ReadToEnd(record.m_bEraseAfterReceive ? RecordStream::EndSilence::ReplyTimeOut
                                                           : RecordStream::EndSilence::ByteWait);
        if (rest != RecordStream::End::Done)
            end = rest;
    }
    DebugTrace("Memory receive 1 [%d]\r\n", before.lines + stream.Appended());

    // The records are safe in the raw file whether or not the table can be written.
    if (!RebuildCsvFile(record, loggerId, raw, {true})) {
        m_report.Problem(FormatString(
            "The table file %s could not be written.", CsvFilePath(record, loggerId).c_str()));
    }
    // The records must be on the disk before the logger's copy may go.
    const bool onDisk = raw.Sync() && !raw.HasWriteError();
    raw.Close();
    if (!onDisk) {
        ReportWriteFailure(path);
        if (end != RecordStream::End::LineLost)
            end = RecordStream::End::WriteFailed;
    }
    return Conclude(loggerId, count, stream, end, {record.m_bEraseAfterReceive != 0, raw});
}

// After one logger's stream: goes on to its erase when nothing speaks against it. False when
// the download must end here.
bool CDataReadingDlg::Conclude(int loggerId, const MemoryCount& count, const RecordStream& stream,
    RecordStream::End end, const Erase& erase)
{
    if (end == RecordStream::End::LineLost) {
        m_report.Problem(DownloadNotes::LineLost(loggerId, LineLostAt::Records));
        return false;
    }
    if (end == RecordStream::End::Stopped)
        return false;
    if (stream.ForeignLines() > 0)
        m_report.Note(DownloadNotes::ForeignLines(loggerId, stream.ForeignLines()));
    if (end == RecordStream::End::WriteFailed || NoteKept(loggerId, count, stream, end))
        return !StopRequested();
    if (StopRequested())
        return false;
    if (!erase.asked)
        return true;
    return EraseMemory(loggerId, stream, erase.raw);
}

// True (and noted) when the logger may hold records that are not in the raw file: they exist
// only in the logger, so its memory stays.
bool CDataReadingDlg::NoteKept(
    int loggerId, const MemoryCount& count, const RecordStream& stream, RecordStream::End end)
{
    const bool stopped = end == RecordStream::End::StreamStopped;
    if (count.cut)
        m_report.Note(DownloadNotes::OverCapacity(loggerId));
    if (stopped) {
        m_report.Note(DownloadNotes::SentOf(loggerId, stream.Counted(), stream.Count()));
    } else {
        if (stream.Missing() > 0)
            m_report.Note(DownloadNotes::NotArrived(loggerId, stream.Missing()));
        // A record that came twice may have stood for one that never came.
        if (stream.Unfilled() > 0 && stream.Repeats() > 0) {
            m_report.Note(DownloadNotes::Repeated(
                loggerId, stream.Repeats(), stream.Counted(), stream.Count()));
        } else if (stream.Unfilled() > 0) {
            m_report.Note(DownloadNotes::SentOf(loggerId, stream.Counted(), stream.Count()));
        }
    }
    // Where a counted record fell short, that note tells of the damage already.
    const int damaged = stream.DamagedLines();
    if (damaged > 0 && stream.Counted() == stream.Count())
        m_report.Note(DownloadNotes::Damaged(loggerId, damaged, stream.Count()));
    // A logger given up on still sends; that says nothing about its count.
    if (stream.BeyondCount() && !count.cut && !stopped)
        m_report.Note(DownloadNotes::MoreThanCounted(loggerId));
    const bool kept
        = count.cut || stream.BeyondCount() || damaged > 0 || stream.Counted() != count.records;
    if (kept) {
        DebugTrace("Logger ID(%d) kept its memory: %d of %d records counted, %d missing\r\n",
            loggerId, stream.Counted(), count.records, stream.Missing());
    } else if (stream.Late() > 0) {
        DebugTrace("Logger ID(%d): %d records came late, all counted\r\n", loggerId, stream.Late());
    }
    return kept;
}

RecordStream::End CDataReadingDlg::ReceiveRecords(RecordStream& stream, int loggerId, int count,
    int previousLines, const std::string& previousLast)
{
    const auto [lastDate, lastTime] = DateTimeTokens(previousLast);
    EventPump pump;
    return stream.ReadRecords([&](int place, const std::string& line) {
        pump.Poll();
        m_progress->setValue(place);
        const auto [date, time] = DateTimeTokens(line);
        DebugTrace("Memory receive [%d] [%s\n] [%d] [%s] [%s] [%s] [%s]\r\n", place - 1,
            line.c_str(), previousLines + place - 1, date.c_str(), time.c_str(), lastDate.c_str(),
            lastTime.c_str());
        SetStatus(FormatString(
            "Logger ID(%d) - Now Receiving... (%d %%)", loggerId, 100 * place / count));
        return !StopRequested();
    });
}

// Erases the memory only when the logger still holds exactly the records read, all of them in
// the raw file: readings it stored meanwhile would go unread. False when the line went away or
// a stop came meanwhile.
bool CDataReadingDlg::EraseMemory(int loggerId, const RecordStream& stream, const AccFile& raw)
{
    const int read = stream.Count();
    const MemoryCount now = g_port.QueryMemoryCount(loggerId);
    if (LineGone(loggerId, LineLostAt::EraseCount))
        return false;
    if (now.records != read || now.cut) {
        DebugTrace("Logger ID(%d) kept its memory: it holds %lld records, %d were read\r\n",
            loggerId, now.reported, read);
        if (now.records < 0)
            m_report.Note(DownloadNotes::NoResponse(loggerId));
        else if (now.cut)
            m_report.Note(DownloadNotes::OverCapacity(loggerId));
        else if (now.reported > read)
            m_report.Note(DownloadNotes::NotArrived(loggerId, now.reported - read));
        else
            m_report.Note(DownloadNotes::CountChanged(loggerId));
        return !StopRequested();
    }
    // A stop asked for during the count erases nothing.
    if (StopRequested())
        return false;
    // Read back last of all: another program may have emptied, replaced or moved the file at
    // any moment until now, the count's wait included.
    if (!raw.HoldsEvery(stream.Records())) {
        m_report.Note(DownloadNotes::RawFileChanged(loggerId, raw.Path()));
        return !StopRequested();
    }
    const bool answered = g_port.InitMemory(loggerId);
    for (int i = 0; i < 4; ++i)
        g_port.SendCommand("");
    if (LineGone(loggerId, answered ? LineLostAt::AfterErase : LineLostAt::Erase))
        return false;
    if (!answered)
        m_report.Note(DownloadNotes::EraseUnanswered(loggerId));
    return !StopRequested();
}

// True (and told) when the port has closed under the download.
bool CDataReadingDlg::LineGone(int loggerId, LineLostAt at)
{
    if (g_port.m_Serial.IsOpen())
        return false;
    m_report.Problem(DownloadNotes::LineLost(loggerId, at));
    return true;
}

// True when the operator asked to stop; the "stop" box is shown once.
bool CDataReadingDlg::StopRequested()
{
    if (!m_bStop)
        return false;
    if (!m_bStopShown) {
        m_bStopShown = true;
        TimedMessageBox("stop", TimedBoxForm::Warning);
    }
    return true;
}

void CDataReadingDlg::ReportWriteFailure(const std::string& path)
{
    m_report.Problem(
        FormatString("Cannot write the data file %s; the logger's memory was kept.", path.c_str()));
}
