#include "app/dialogs/ZigbeeSetDlg.h"

#include "app/TimedMessageBox.h"
#include "record/LoggerRecord.h"
#include "link/PortOpenFailure.h"
#include "platform/ComboSelection.h"
#include "platform/DataExchange.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "res/DialogTemplates.h"

#include <QComboBox>
#include <QListWidget>

namespace {

constexpr int IDC_CONNECT = 32775;
constexpr int IDC_COORDINATOR = 1134;
constexpr int IDC_LOGGER = 1131;
constexpr int IDC_LOGGER_ID = 1132;
constexpr int IDC_COM_PORT = 1137;
constexpr int IDC_LIST_COORDINATOR = 1101;
constexpr int IDC_LIST_LOGGER = 1102;
constexpr int IDC_NOTICE = 1149;
constexpr int IDC_CLOSE = 1058;
constexpr int IDC_FIRST_SEND = 1033;
constexpr int ComPortEntries = 20;

struct CommandLine
{
    int edit;
    const char* preset;
    int list;
    int furtherLines; // read after the first reply line: the module restarts after "atz"
};

// The Send buttons 1033..1042 in this order.
constexpr CommandLine CommandLines[CZigbeeSetDlg::CommandCount] = {
    {1004, "+++", IDC_LIST_COORDINATOR, 0},
    {1005, "at+setcoord", IDC_LIST_COORDINATOR, 0},
    {1006, "at+getlocal", IDC_LIST_COORDINATOR, 0},
    {1007, "at+settargetffffffffffffffff", IDC_LIST_COORDINATOR, 0},
    {1008, "atz", IDC_LIST_COORDINATOR, 3},
    {1010, "+++", IDC_LIST_LOGGER, 0},
    {1012, "at+setrouter", IDC_LIST_LOGGER, 0},
    {1013, "at+gettarget", IDC_LIST_LOGGER, 0},
    {1014, "at+settarget0000000000000000", IDC_LIST_LOGGER, 0},
    {1015, "atz", IDC_LIST_LOGGER, 3},
};

} // namespace

CZigbeeSetDlg::CZigbeeSetDlg(QWidget* parent)
    : CDialogBase(Dialog154(), parent)
{
    m_listLogger = ItemAs<QListWidget>(IDC_LIST_LOGGER);
    m_listCoordinator = ItemAs<QListWidget>(IDC_LIST_COORDINATOR);
    m_comboId = ItemAs<QComboBox>(IDC_LOGGER_ID);
    m_comboCom = ItemAs<QComboBox>(IDC_COM_PORT);
    DialogControls& controls = Controls();
    controls.OnClicked(IDC_CONNECT, this, &CZigbeeSetDlg::OnBnClickedConnect);
    controls.OnClicked(IDC_COORDINATOR, this, &CZigbeeSetDlg::OnBnClickedCoordinator);
    controls.OnClicked(IDC_LOGGER, this, &CZigbeeSetDlg::OnBnClickedLogger);
    controls.OnClicked(IDC_CLOSE, this, &CZigbeeSetDlg::OnBnClickedClose);
    for (int i = 0; i < CommandCount; ++i)
        controls.OnClicked(IDC_FIRST_SEND + i, this, [this, i] { OnBnClickedSend(i); });
}

// The port is closed before m_port goes: its destructor would send the current
// configuration's modem hang-up string to the radio module.
CZigbeeSetDlg::~CZigbeeSetDlg()
{
    m_port.m_Serial.Close();
}

bool CZigbeeSetDlg::OnInitDialog()
{
    m_comboCom->clear();
    for (int n = 1; n <= ComPortEntries; ++n)
        m_comboCom->addItem(ToQt(FormatString("COM%d", n)));
    ComboSetCurSel(m_comboCom, 0);
    m_comboId->clear();
    for (int id = 1; id <= MaxLoggerIds; ++id)
        m_comboId->addItem(ToQt(FormatString("%02d", id)));
    ComboSetCurSel(m_comboId, 0);
    for (int i = 0; i < CommandCount; ++i)
        m_strCommand[i] = CommandLines[i].preset;
    UpdateData(false);

    m_font = font();
    m_font.setPixelSize(15);
    m_font.setBold(true);
    Item(IDC_NOTICE)->setFont(m_font);
    return true;
}

void CZigbeeSetDlg::UpdateData(bool save)
{
    DataExchange dx(Controls(), save);
    for (int i = 0; i < CommandCount; ++i)
        dx.Text(CommandLines[i].edit, m_strCommand[i]);
    dx.Check(IDC_COORDINATOR, m_bCoordinator);
    dx.Check(IDC_LOGGER, m_bLogger);
}

void CZigbeeSetDlg::EnableSends(bool enable)
{
    for (int i = 0; i < CommandCount; ++i)
        Controls().EnableItem(IDC_FIRST_SEND + i, enable);
}

CommandGuard CZigbeeSetDlg::Busy()
{
    return CommandGuard(Controls(),
        {IDC_CONNECT, IDC_COORDINATOR, IDC_LOGGER, IDC_LOGGER_ID, IDC_COM_PORT, 1033, 1034, 1035,
            1036, 1037, 1038, 1039, 1040, 1041, 1042},
        m_bBusy);
}

void CZigbeeSetDlg::OnBnClickedCoordinator()
{
    UpdateData(true);
    m_bLogger = !m_bCoordinator;
    UpdateData(false);
}

void CZigbeeSetDlg::OnBnClickedLogger()
{
    UpdateData(true);
    m_bCoordinator = !m_bLogger;
    Controls().EnableItem(IDC_LOGGER_ID, m_bLogger);
    UpdateData(false);
}

void CZigbeeSetDlg::OnBnClickedConnect()
{
    if (m_bBusy)
        return;
    UpdateData(true);
    // Typed text that names no entry names no port and no logger.
    const int comPort = ComboCurSel(m_comboCom) + 1;
    const int loggerId = ComboCurSel(m_comboId) + 1;
    if (comPort < 1 || (m_bLogger && loggerId < 1))
        return;
    CSerialCom& serial = m_port.m_Serial;
    serial.SetPort(static_cast<short>(comPort));
    serial.SetLoggerLine();
    if (!serial.Open()) {
        // Opening closed any earlier port: Sends on it would only add empty lines.
        EnableSends(false);
        TimedMessageBox(PortOpenFailMessage(serial.OpenFailure()), TimedBoxForm::Warning);
        return;
    }
    m_port.m_nComPort = comPort;
    if (m_bLogger) {
        std::string reply;
        {
            const CommandGuard guard = Busy();
            reply = m_port.SendCommand(FormatString("@01,%02d,zigbee\r", loggerId));
        }
        if (reply.empty()) {
            serial.Close();
            EnableSends(false);
            TimedMessageBox("Connected failed", TimedBoxForm::Warning);
            return;
        }
    }
    EnableSends(true);
    TimedMessageBox("Connected!!", TimedBoxForm::Information);
}

void CZigbeeSetDlg::OnBnClickedSend(int index)
{
    if (m_bBusy)
        return;
    UpdateData(true);
    const CommandLine& line = CommandLines[index];
    auto* list = ItemAs<QListWidget>(line.list);
    const auto append = [list](const std::string& reply) {
        list->addItem(ToQt(reply));
        list->scrollToBottom();
    };
    {
        const CommandGuard guard = Busy();
        append(m_port.SendCommand(m_strCommand[index] + "\r"));
        for (int more = 0; more < line.furtherLines; ++more)
            append(m_port.SendCommand(""));
    }
    // The line went away, or Close ended the wait.
    if (!m_port.m_Serial.IsOpen())
        EnableSends(false);
}

void CZigbeeSetDlg::OnBnClickedClose()
{
    m_port.m_Serial.Close();
    CDialogBase::OnOK();
}

// Enter reaches here only while Connect is off for a wait: it must not end the dialog then.
void CZigbeeSetDlg::OnOK()
{
    if (!m_bBusy)
        OnBnClickedClose();
}

void CZigbeeSetDlg::OnCancel()
{
    m_port.m_Serial.Close();
    CDialogBase::OnCancel();
}
