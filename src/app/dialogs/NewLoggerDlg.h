#pragma once

#include "record/LoggerRecord.h"
#include "platform/DialogBase.h"

#include <QFont>

#include <string>

class QComboBox;

// "Connect Option", the configuration editor, in one of two modes fixed before it opens:
// - new:  CNewLoggerDlg dlg; dlg.DoModal();
//         Save writes a new configuration to "<its folder><name>.arg"; the table of open
//         records is not changed (the configuration is opened later through Open Logger).
// - edit: CNewLoggerDlg dlg; dlg.m_nIndex = g_nCurLogger; dlg.DoModal();
//         Save writes the edited record to its file and then into g_loggers[m_nIndex],
//         keeping everything the editor does not show (channels, schedules, graph settings).
//         The file is named by the record's own name, byte for byte; one that Qt cannot name
//         so (bytes that are not UTF-8) is refused with a box naming it, and nothing is saved.
//         Another configuration's file in its place is replaced only after a Yes.
//         An index that names no open record ends the dialog at once.
// The result means nothing; Cancel, Esc and the close box save nothing.
class CNewLoggerDlg : public CDialogBase
{
    Q_OBJECT

public:
    explicit CNewLoggerDlg(QWidget* parent = nullptr);

    QFont m_font; // bold captions
    std::string m_strName; // 1004
    bool m_bRs485 = false; // 1010
    bool m_bZigbee = false; // 1009
    bool m_bSingle = false; // 1005
    bool m_bMulti = false; // 1006
    bool m_bId[MaxLoggerIds] = {};
    QComboBox* m_comboCom = nullptr; // 1007, "COM1".."COM20"
    bool m_bDirect = false; // 1008
    bool m_bModem = false; // 1011
    std::string m_strModemCommand; // 1026
    std::string m_strHangUp; // 1019
    std::string m_strPhone; // 1012
    std::string m_strFolder; // 1084, ending in "/"
    bool m_bSchedule = false; // 1013
    bool m_bMinute = false; // 1014
    bool m_bDelay = false; // 1016
    unsigned m_nInterval = 0; // 1015, minutes between receives
    unsigned m_nDelay = 0; // 1017, minute of the day of the first receive
    bool m_bErase = false; // 1018
    int m_nIndex = -1; // -1 new configuration, else the index of the record edited

protected:
    bool OnInitDialog() override;
    // Enter never presses a button nor closes the editor.
    void keyPressEvent(QKeyEvent* event) override;
    // Lets the operator pick a folder; true with its path. Tests supply the folder.
    virtual bool ChooseFolder(std::string& folder);

private:
    bool IsEditMode() const { return m_nIndex >= 0; }
    void LoadFromRecord(const LoggerRecord& record);
    // The checks and radios between controls and members; save: from the controls.
    void ExchangeChoices(bool save);
    // The bytes a text edit holds: those it was given (a name read from a file, perhaps in
    // another code page) while it still shows them.
    std::string ShownBytes(int id, const std::string& bytes);
    // Every member; from the controls it fails (with a message) on a minute field that holds
    // no whole number.
    bool UpdateData(bool save);
    bool TextsFitTheirFields() const;
    bool NameIsFree() const;
    // True when the edited record may be written to path: no file there, the file it was
    // opened from, or the operator agrees to replace what is there.
    bool MayReplace(const std::string& path) const;
    bool TakeFolder(std::string& folder) const;
    void FillRecord(LoggerRecord& record) const;

    void OnBnClickedSingle();
    void OnBnClickedMulti();
    void OnBnClickedRs485();
    void OnBnClickedZigbee();
    void OnBnClickedDirect();
    void OnBnClickedModem();
    void OnBnClickedSchedule();
    void OnBnClickedBrowse();
    void OnBnClickedSave();
    void EnableNetworkChoices();
};
