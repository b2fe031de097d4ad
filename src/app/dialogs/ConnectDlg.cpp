#include "app/dialogs/ConnectDlg.h"

#include "app/LineLoggerIds.h"
#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "link/PortOpenFailure.h"
#include "platform/Format.h"
#include "res/DialogTemplates.h"

#include <QProgressBar>

namespace {

constexpr int IDC_PROGRESS = 1003;
constexpr int IDC_CANCEL = 1004;
constexpr int OpenFailedDelayMs = 100;
constexpr int StageDelayMs = 500;
constexpr int DirectRange = 3;
constexpr int ModemRange = 19;
constexpr int FullPosition = 19;

} // namespace

CConnectDlg::CConnectDlg(QWidget* parent)
    : CDialogBase(Dialog319(), parent)
{
    m_progress = ItemAs<QProgressBar>(IDC_PROGRESS);
    Controls().OnClicked(IDC_CANCEL, this, &CConnectDlg::OnOK);
}

bool CConnectDlg::OnInitDialog()
{
    const LoggerRecord* record = CurrentLogger();
    const int comPort = record ? record->m_nComPort : 0;
    // A number from a file that names no port must not wrap round onto another port.
    const bool named = CSerialCom::IsPortNumber(comPort);
    if (named) {
        g_port.m_Serial.SetPort(static_cast<short>(comPort));
        g_port.m_Serial.SetLoggerLine();
    }
    if (!named || !g_port.m_Serial.Open()) {
        m_openFailure = named ? g_port.m_Serial.OpenFailure()
                              : FormatString("COM %d names no port.", comPort);
        m_progress->setRange(0, DirectRange);
        m_progress->setValue(DirectRange);
        SetTimer(OpenFailedStage, OpenFailedDelayMs);
        return true;
    }
    g_port.m_nComPort = comPort;
    m_ids = record ? LineLoggerIds(*record) : std::vector<int>();
    if (record && record->m_bUseModem) {
        m_progress->setRange(0, ModemRange);
        SetTimer(DialStage, StageDelayMs);
    } else {
        m_progress->setRange(0, DirectRange);
        SetTimer(CheckLoggerStage, StageDelayMs);
    }
    return true;
}

void CConnectDlg::OnTimer(int id)
{
    // Each stage stops its own timer before it calls the link, so it cannot start again
    // while a command waits.
    KillTimer(id);
    switch (id) {
    case OpenFailedStage:
        OpenFailed();
        break;
    case CheckLoggerStage:
        CheckFirstLogger();
        break;
    case DialStage:
        Dial();
        break;
    default:
        break;
    }
}

// Enter, Esc and the hidden Cancel would leave the port open without the logger check, and
// the screen would take the line as connected: the stages alone end the dialog (Finish).
void CConnectDlg::OnOK() { }

void CConnectDlg::OnCancel() { }

bool CConnectDlg::DialModem(const ProgressPos& progress)
{
    return g_port.ModemConnect(progress);
}

void CConnectDlg::OpenFailed()
{
    Finish(false, PortOpenFailMessage(m_openFailure).c_str());
}

void CConnectDlg::CheckFirstLogger()
{
    const bool answered = !m_ids.empty() && g_port.IsLoggerPresent(m_ids.front());
    Finish(answered, answered ? "Connected to logger!" : "No connect to logger!");
}

void CConnectDlg::Dial()
{
    const bool dialled = DialModem([this](int position) { m_progress->setValue(position); });
    if (dialled)
        SetTimer(CheckLoggerStage, StageDelayMs);
    else
        SetTimer(OpenFailedStage, StageDelayMs);
}

void CConnectDlg::Finish(bool connected, const char* text)
{
    m_progress->setValue(std::min(FullPosition, m_progress->maximum()));
    if (!connected)
        g_port.m_Serial.Close();
    if (!g_bScheduleRunning)
        TimedMessageBox(text, connected ? TimedBoxForm::Information : TimedBoxForm::Warning);
    CDialogBase::OnOK();
}
