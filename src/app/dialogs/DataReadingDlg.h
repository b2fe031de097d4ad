#pragma once

#include "platform/DialogBase.h"

#include <string>

class AccFile;
class QProgressBar;
struct LoggerRecord;

// "Data Receive": downloads the stored records of every logger of the current configuration
// over the open line into their raw files, rebuilds their tables and, when the configuration
// asks for it, erases each logger's memory once all its records are safely on disk. Starts
// 100 ms after it opens and closes when done.
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
    // How one logger's download ended.
    enum class Outcome
    {
        Done,
        Stopped,
        WriteFailed,
        LineLost
    };

    void DownloadLogger(const LoggerRecord& record, int loggerId);
    Outcome ReceiveRecords(
        int loggerId, int count, AccFile& raw, int previousLines, const std::string& previousLast);
    void EraseMemory(int loggerId);
    void ReportProblem(const std::string& text);
    void ReportWriteFailure(const std::string& path);
    void SetStatus(const std::string& text);

    QProgressBar* m_progress = nullptr;
    bool m_bDownloading = false;
    bool m_bProblemReported = false; // no "complete" box after a reported failure
    int m_nMissing = 0; // records of this logger that got no reply
    int m_nAppended = 0; // lines appended to this logger's raw file
};
