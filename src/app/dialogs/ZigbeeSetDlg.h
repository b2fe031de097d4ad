#pragma once

#include "link/Port.h"
#include "platform/CommandGuard.h"
#include "platform/DialogBase.h"

#include <QFont>

#include <string>

class QComboBox;
class QListWidget;

// "Zigbee set": sets up the radio modules of a Zigbee network with AT command lines, on a
// port of the dialog's own (m_port, never g_port): the coordinator on the PC side and, through
// the logger's "zigbee" command, a logger's module. Each reply line goes into the list under
// the column whose Send asked for it. Every way out closes the dialog's port first.
// Use: CZigbeeSetDlg dlg; dlg.DoModal();
class CZigbeeSetDlg final : public CDialogBase
{
    Q_OBJECT

public:
    static constexpr int CommandCount = 10;

    explicit CZigbeeSetDlg(QWidget* parent = nullptr);
    ~CZigbeeSetDlg() override;

    QFont m_font;
    QListWidget* m_listLogger = nullptr; // 1102
    QListWidget* m_listCoordinator = nullptr; // 1101
    QComboBox* m_comboId = nullptr; // 1132, "01".."07"
    QComboBox* m_comboCom = nullptr; // 1137, "COM1".."COM20"
    std::string m_strCommand[CommandCount];
    CPort m_port;
    bool m_bCoordinator = false; // 1134
    bool m_bLogger = false; // 1131

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void UpdateData(bool save);
    void EnableSends(bool enable);
    // Connect, the checks, the lists of choice and the Send buttons off while the line
    // waits; Close stays on, and ends the wait by closing the port.
    CommandGuard Busy();

    void OnBnClickedCoordinator();
    void OnBnClickedLogger();
    void OnBnClickedConnect();
    void OnBnClickedSend(int index);
    void OnBnClickedClose();

    bool m_bBusy = false;
};
