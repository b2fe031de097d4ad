#pragma once

#include "app/DownloadReport.h"
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
    // How one logger's records were read.
    enum class Outcome
    {
        Done,
        Stopped,
        WriteFailed,
        LineLost
    };
    // How one record was read.
    enum class RecordRead
    {
        Arrived,
        Missing,
        WriteFailed,
        LineLost
    };

    bool CheckTarget(const LoggerRecord& record);
    bool DownloadLogger(const LoggerRecord& record, int loggerId);
    bool ReceiveLogger(const LoggerRecord& record, int loggerId, const MemoryCount& count);
    Outcome ReceiveRecords(
        int loggerId, int count, AccFile& raw, int previousLines, const std::string& previousLast);
    RecordRead ReadRecord(int loggerId, AccFile& raw, std::string& line);
    bool NoteUnread(int loggerId, const MemoryCount& count);
    bool EraseMemory(int loggerId, int read);
    bool LineGone();
    bool StopRequested();
    void ReportWriteFailure(const std::string& path);
    void SetStatus(const std::string& text);

    QProgressBar* m_progress = nullptr;
    DownloadReport m_report;
    bool m_bDownloading = false;
    bool m_bStopShown = false;
    int m_nMissing = 0; // records of this logger that did not arrive
    int m_nAppended = 0; // lines appended to this logger's raw file
};
