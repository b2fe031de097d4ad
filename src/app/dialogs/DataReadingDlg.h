#pragma once

#include "app/DownloadNotes.h"
#include "app/DownloadReport.h"
#include "app/RecordStream.h"
#include "platform/DialogBase.h"

#include <string>

class AccFile;
class QProgressBar;
struct LoggerRecord;
struct MemoryCount;

// "Data Receive": downloads the stored records of every logger of the current configuration
// over the open line into their raw files, rebuilds their tables and, when the configuration
// asks for it, erases each logger's memory once every record it reported is safely on disk.
// Starts 100 ms after it opens and closes when done; Cancel, Esc and the close box ask the
// running download to stop after the record being read.
class CDataReadingDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CDataReadingDlg(QWidget* parent = nullptr);

    void DownloadData();
    void OnBnClickedCancel();

    std::string m_strStatus;
    bool m_bStop = false;

protected:
    bool OnInitDialog() override;
    void OnTimer(int id) override;
    void OnCancel() override;

private:
    bool CheckTarget(const LoggerRecord& record);
    bool PrepareFolder(const LoggerRecord& record);
    bool DownloadLogger(const LoggerRecord& record, int loggerId);
    bool ReceiveLogger(const LoggerRecord& record, int loggerId, const MemoryCount& count);
    RecordStream::End ReceiveRecords(RecordStream& stream, int loggerId, int count,
        int previousLines, const std::string& previousLast);
    // Whether the configuration asks for the erase, and the raw file the records went to.
    struct Erase
    {
        bool asked;
        const AccFile& raw;
    };
    bool Conclude(int loggerId, const MemoryCount& count, const RecordStream& stream,
        RecordStream::End end, const Erase& erase);
    bool NoteKept(
        int loggerId, const MemoryCount& count, const RecordStream& stream, RecordStream::End end);
    bool EraseMemory(int loggerId, const RecordStream& stream, const AccFile& raw);
    bool LineGone(int loggerId, DownloadNotes::LineLostAt at);
    bool StopRequested();
    void ReportWriteFailure(const std::string& path);
    void SetStatus(const std::string& text);

    QProgressBar* m_progress = nullptr;
    DownloadReport m_report;
    bool m_bDownloading = false;
    bool m_bStopShown = false;
};
