#pragma once

#include "record/LoggerRecord.h"
#include "platform/CommandGuard.h"
#include "platform/DialogBase.h"

#include <QFont>

#include <string>

class QComboBox;

// "Logger Setting" of one logger ID of the current configuration: per channel a VW reading
// (sweep type) and an analog reading, the measuring interval and the schedule kind. "Reading
// set channels" shows the logger's settings; "Send setting" stores, saves and sends the shown
// ones and closes. Cancel stores nothing; while a send waits, nothing but its end closes the
// dialog.
// Use: CChannelSettingDlg dlg(id); dlg.DoModal(); an ID outside 1..7 or no current record
// ends it at once.
class CChannelSettingDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CChannelSettingDlg(int nLoggerId, QWidget* pParent = nullptr);

    int m_nLoggerId;
    bool m_bVwCheck[ChannelCount] = {};
    QComboBox* m_cboVw[ChannelCount] = {};
    QComboBox* m_cboAnalog[ChannelCount] = {};
    bool m_bAnalogCheck[ChannelCount] = {};
    bool m_bAllVw = false;
    bool m_bAllAnalog = false;
    std::string m_strNetwork;
    std::string m_strLoggerId;
    QComboBox* m_cboSchedule = nullptr;
    std::string m_strHours;
    std::string m_strMinutes;
    QFont m_fontBold;
    // The last "Reading set channels" did not bring every channel line: the cleared checks
    // shown are not the logger's settings.
    bool m_bReadIncomplete = false;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void UpdateData(bool save);
    LoggerUnit& Unit();
    void FillLists();
    void ShowChannels(const LoggerUnit& unit);
    void ClearChannels();
    void ShowSchedule(const std::string& reply);
    bool IntervalFits(int id, const char* label, const std::string& text);
    bool TypesListed();
    void StoreChannels(LoggerUnit& unit) const;
    // Send and Reading, and every way out, off while a send waits.
    CommandGuard Busy();
    void SendSettings(const LoggerUnit& edited);

    void OnBnClickedReading();
    void OnBnClickedSendSetting();
    void OnBnClickedAllVw();
    void OnBnClickedAllAnalog();
    void OnBnClickedCancel();
    void OnEnChangeHour();
    void OnEnChangeMinute();

    bool m_bBusy = false; // a send waits
};
