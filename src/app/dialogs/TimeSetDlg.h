#pragma once

#include "platform/CommandGuard.h"
#include "platform/DialogBase.h"

#include <QDateTime>

#include <functional>
#include <string>

class QComboBox;
struct LoggerRecord;

// "Time Set": reads one logger's clock and shows it in the chosen date and time style, sets
// the clock from the PC or from typed values (then sends the logger's stored interval again),
// and on OK with another style stores it, rebuilds every table file of the configuration in
// it and saves the configuration. Cancel, Esc and Enter store nothing.
// Use: CTimeSetDlg dlg; dlg.DoModal(); without a current record it ends at once.
class CTimeSetDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CTimeSetDlg(QWidget* parent = nullptr);

    QComboBox* m_comboLogger = nullptr; // 1132
    QComboBox* m_comboFormat = nullptr; // 1134
    std::string m_strLoggerTime; // 1004
    std::string m_strRawTime; // the last clock reply, "YYYY/MM/DD hh:mm:ss"; "" for none
    unsigned m_nDay = 0;
    unsigned m_nHour = 0;
    unsigned m_nMinute = 0;
    unsigned m_nMonth = 0;
    unsigned m_nSecond = 0;
    unsigned m_nYear = 0;

    // Where the dialog reads the PC's local time; tests set their own clock.
    static inline std::function<QDateTime()> s_now = [] { return QDateTime::currentDateTime(); };

protected:
    bool OnInitDialog() override;
    // The controls are read first: a field that is no integer keeps the dialog open.
    void OnOK() override;
    void OnCancel() override;

private:
    bool UpdateData(bool save);
    // Every button and list off while a command or the rebuild waits.
    CommandGuard Busy();
    void ShowTimeField();
    void ShowLoggerTime();
    void SetLoggerClock(int id, const QDateTime& time);
    void RebuildTables(const LoggerRecord& record);

    void OnBnClickedRequest();
    void OnBnClickedMatchComputer();
    void OnBnClickedSet();
    void OnBnClickedOk();
    void OnCbnSelchangeLogger();

    bool m_bBusy = false; // a command or the rebuild waits
};
