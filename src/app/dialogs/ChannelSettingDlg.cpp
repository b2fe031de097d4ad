#include "app/dialogs/ChannelSettingDlg.h"

#include "app/ConfigurationSave.h"
#include "app/TimedMessageBox.h"
#include "app/WaitMode.h"
#include "app/dialogs/ChannelTypeLists.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "record/LoggerTable.h"
#include "link/LoggerCommand.h"
#include "link/Port.h"
#include "platform/ComboSelection.h"
#include "platform/CommandGuard.h"
#include "platform/DataExchange.h"
#include "platform/DebugTrace.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/YesNoQuestion.h"
#include "res/ChannelSettingIds.h"
#include "res/DialogTemplates.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <cstdlib>

using namespace ChannelSettingIds;
using namespace ChannelTypeLists;

namespace {

constexpr const char* NoResponse = "No response from logger!";

void Warn(const std::string& text)
{
    TimedMessageBox(text, TimedBoxForm::Warning);
}

} // namespace

CChannelSettingDlg::CChannelSettingDlg(int nLoggerId, QWidget* /*pParent: not used*/)
    : CDialogBase(Dialog139(), nullptr)
    , m_nLoggerId(nLoggerId)
{
    for (int ch = 0; ch < ChannelCount; ++ch) {
        m_cboVw[ch] = ItemAs<QComboBox>(ChannelRows[ch].vwList);
        m_cboAnalog[ch] = ItemAs<QComboBox>(ChannelRows[ch].analogList);
    }
    m_cboSchedule = ItemAs<QComboBox>(IDC_SCHEDULE);
    DialogControls& controls = Controls();
    controls.OnClicked(IDC_READING, this, &CChannelSettingDlg::OnBnClickedReading);
    controls.OnClicked(IDC_SEND, this, &CChannelSettingDlg::OnBnClickedSendSetting);
    controls.OnClicked(IDC_ALL_VW, this, &CChannelSettingDlg::OnBnClickedAllVw);
    controls.OnClicked(IDC_ALL_ANALOG, this, &CChannelSettingDlg::OnBnClickedAllAnalog);
    controls.OnClicked(IDC_CANCEL, this, &CChannelSettingDlg::OnBnClickedCancel);
    // Only the operator's typing zeroes the other field, never the change that zeroing makes.
    // The logger's fields are two digits wide; a longer stored value is shown and refused
    // at Send.
    const QRegularExpression twoDigits(QStringLiteral("[0-9]{0,2}"));
    for (int id : {IDC_HOURS, IDC_MINUTES}) {
        auto* edit = ItemAs<QLineEdit>(id);
        edit->setValidator(new QRegularExpressionValidator(twoDigits, edit));
    }
    connect(ItemAs<QLineEdit>(IDC_HOURS), &QLineEdit::textEdited, this,
        &CChannelSettingDlg::OnEnChangeHour);
    connect(ItemAs<QLineEdit>(IDC_MINUTES), &QLineEdit::textEdited, this,
        &CChannelSettingDlg::OnEnChangeMinute);
}

LoggerUnit& CChannelSettingDlg::Unit()
{
    return CurrentLogger()->m_units[m_nLoggerId - 1];
}

bool CChannelSettingDlg::OnInitDialog()
{
    const LoggerRecord* record = CurrentLogger();
    if (!record || m_nLoggerId < 1 || m_nLoggerId > MaxLoggerIds) {
        EndDialog(IDCANCEL);
        return true;
    }
    m_fontBold = font();
    m_fontBold.setPixelSize(12);
    m_fontBold.setBold(true);
    Item(IDC_LOGGER_ID)->setFont(m_fontBold);
    Item(IDC_ID_CAPTION)->setFont(m_fontBold);
    FillLists();
    m_strLoggerId = FormatString("%d", m_nLoggerId);
    if (record->m_bSingle)
        m_strNetwork = "Logger network : RS-232";
    else if (record->m_bRs485)
        m_strNetwork = "Logger network : RS-485";
    else
        m_strNetwork = "Logger network : Zigbee";
    const LoggerUnit& unit = Unit();
    ComboSetCurSel(m_cboSchedule, unit.m_schedule.m_nScheduleMode);
    m_strHours = FormatString("%d", unit.m_schedule.m_nHours);
    m_strMinutes = FormatString("%d", unit.m_schedule.m_nMinutes);
    ShowChannels(unit);
    m_bAllVw = m_bAllAnalog = false;
    UpdateData(false);
    return true;
}

void CChannelSettingDlg::FillLists()
{
    for (int ch = 0; ch < ChannelCount; ++ch) {
        for (int k = 1; k <= VwEntries; ++k)
            m_cboVw[ch]->addItem(ToQt(FormatString("Sweep %02d", k)));
        for (const char* kind : {"Thermistor", "mV", "RTD"})
            m_cboAnalog[ch]->addItem(ToQt(kind));
        ComboSetCurSel(m_cboVw[ch], 0);
        ComboSetCurSel(m_cboAnalog[ch], 0);
        m_bVwCheck[ch] = m_bAnalogCheck[ch] = false;
    }
    m_cboSchedule->addItem(QStringLiteral("Fixed"));
    m_cboSchedule->addItem(QStringLiteral("Periodic"));
}

void CChannelSettingDlg::UpdateData(bool save)
{
    DataExchange dx(Controls(), save);
    for (int ch = 0; ch < ChannelCount; ++ch) {
        dx.Check(ChannelRows[ch].vwCheck, m_bVwCheck[ch]);
        dx.Check(ChannelRows[ch].analogCheck, m_bAnalogCheck[ch]);
    }
    dx.Check(IDC_ALL_VW, m_bAllVw);
    dx.Check(IDC_ALL_ANALOG, m_bAllAnalog);
    dx.Text(IDC_NETWORK, m_strNetwork);
    dx.Text(IDC_LOGGER_ID, m_strLoggerId);
    dx.Text(IDC_HOURS, m_strHours);
    dx.Text(IDC_MINUTES, m_strMinutes);
}

// The unit's types into the checks and lists; a column-head check ends on only when every
// channel has that reading.
void CChannelSettingDlg::ShowChannels(const LoggerUnit& unit)
{
    m_bAllVw = m_bAllAnalog = true;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const ShownType vw = ShowVw(unit.m_channels[ch].m_nVwType);
        const ShownType analog = ShowAnalog(unit.m_channels[ch].m_nAnalogType);
        m_bVwCheck[ch] = vw.checked;
        m_bAnalogCheck[ch] = analog.checked;
        ComboSetCurSel(m_cboVw[ch], vw.index);
        ComboSetCurSel(m_cboAnalog[ch], analog.index);
        m_bAllVw = m_bAllVw && vw.checked;
        m_bAllAnalog = m_bAllAnalog && analog.checked;
    }
}

void CChannelSettingDlg::ClearChannels()
{
    m_bAllVw = m_bAllAnalog = false;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        m_bVwCheck[ch] = m_bAnalogCheck[ch] = false;
        ComboSetCurSel(m_cboVw[ch], 0);
        ComboSetCurSel(m_cboAnalog[ch], 0);
    }
}

void CChannelSettingDlg::OnBnClickedReading()
{
    UpdateData(true);
    CWaitPopupDlg popup("Reading!!...", WaitMode::ReadChannels, m_nLoggerId, -1, -1);
    popup.DoModal();
    // No line: the job never ran, and nothing here changes.
    if (popup.m_strResults.empty())
        return;
    const std::string& count = popup.m_strResults[0];
    DebugTrace("OnBnClickedReading %s\r\n", count.c_str());
    const int n = std::atoi(count.c_str());
    if (n <= 0)
        ClearChannels();
    else
        ShowChannels(Unit());
    m_bReadIncomplete = n == -1;
    if (n == -1)
        ComboSetCurSel(m_cboSchedule, 0);
    else if (popup.m_strResults.size() > 1)
        ShowSchedule(popup.m_strResults[1]);
    UpdateData(false);
}

// An unanswered schedule query leaves the interval and the kind as they were.
void CChannelSettingDlg::ShowSchedule(const std::string& reply)
{
    if (reply.empty())
        return;
    m_strHours = FormatString("%d", std::atoi(LoggerCommand::Field(reply, 0).c_str()));
    m_strMinutes = FormatString("%d", std::atoi(LoggerCommand::Field(reply, 1).c_str()));
    const int mode = LoggerCommand::Field(reply, 3) == "fixed" ? ScheduleFixed : SchedulePeriodic;
    Unit().m_schedule.m_nScheduleMode = mode;
    ComboSetCurSel(m_cboSchedule, mode);
}

bool CChannelSettingDlg::IntervalFits(int id, const char* label, const std::string& text)
{
    const QRegularExpression twoDigits(QStringLiteral("\\A[0-9]{0,2}\\z"));
    if (twoDigits.match(ToQt(text)).hasMatch())
        return true;
    Warn(FormatString("The %s field must hold a number of at most two digits.", label));
    Item(id)->setFocus();
    return false;
}

// Typed text that names no entry would be stored as no reading (VW) or as RTD (analog).
bool CChannelSettingDlg::TypesListed()
{
    for (int ch = 0; ch < ChannelCount; ++ch) {
        for (QComboBox* list : {m_cboVw[ch], m_cboAnalog[ch]}) {
            if (ComboCurSel(list) >= 0)
                continue;
            Warn(FormatString("Channel %d: the sensor type \"%s\" is not in the list.", ch + 1,
                FromQt(list->currentText()).c_str()));
            list->setFocus();
            return false;
        }
    }
    return true;
}

void CChannelSettingDlg::StoreChannels(LoggerUnit& unit) const
{
    for (int ch = 0; ch < ChannelCount; ++ch) {
        unit.m_channels[ch].m_nVwType = StoreVw(m_bVwCheck[ch], ComboCurSel(m_cboVw[ch]));
        unit.m_channels[ch].m_nAnalogType
            = StoreAnalog(m_bAnalogCheck[ch], ComboCurSel(m_cboAnalog[ch]));
    }
}

CommandGuard CChannelSettingDlg::Busy()
{
    return CommandGuard(Controls(), {IDC_SEND, IDC_READING, IDC_CANCEL}, m_bBusy);
}

void CChannelSettingDlg::OnBnClickedSendSetting()
{
    if (m_bBusy)
        return;
    UpdateData(true);
    if (!IntervalFits(IDC_HOURS, "Hour", m_strHours)
        || !IntervalFits(IDC_MINUTES, "Minute", m_strMinutes) || !TypesListed())
        return;
    if (m_bReadIncomplete
        && !AskYesNo("The channel settings were not read completely. Send the settings shown?"))
        return;
    // What the screen shows now is sent, whatever is clicked while the logger answers.
    LoggerUnit edited = Unit();
    edited.m_schedule.m_nHours = std::atoi(m_strHours.c_str());
    edited.m_schedule.m_nMinutes = std::atoi(m_strMinutes.c_str());
    // Typed text that names no kind is sent as periodic, and stored so.
    edited.m_schedule.m_nScheduleMode
        = ComboCurSel(m_cboSchedule) == 0 ? ScheduleFixed : SchedulePeriodic;
    StoreChannels(edited);
    {
        const CommandGuard guard = Busy();
        SendSettings(edited);
    }
    OnOK();
}

// The record takes the settings only once the logger has both parts of the schedule.
void CChannelSettingDlg::SendSettings(const LoggerUnit& edited)
{
    const int id = m_nLoggerId;
    const UnitSchedule& schedule = edited.m_schedule;
    if (!g_port.SetScheduleMode(id, schedule.m_nScheduleMode != ScheduleFixed)
        || !g_port.SetSchedule(id, schedule.m_nHours, schedule.m_nMinutes)) {
        Warn(NoResponse);
        return;
    }
    Unit() = edited;
    SaveCurrentConfiguration();
    CWaitPopupDlg popup("Writing!!", WaitMode::WriteChannels, id - 1, -1, -1);
    popup.DoModal();
    if (!popup.m_bJobRan || popup.m_bReplyMissing)
        Warn(NoResponse);
}

void CChannelSettingDlg::OnBnClickedAllVw()
{
    UpdateData(true);
    for (bool& checked : m_bVwCheck)
        checked = m_bAllVw;
    UpdateData(false);
}

void CChannelSettingDlg::OnBnClickedAllAnalog()
{
    UpdateData(true);
    for (bool& checked : m_bAnalogCheck)
        checked = m_bAllAnalog;
    UpdateData(false);
}

void CChannelSettingDlg::OnBnClickedCancel()
{
    UpdateData(true);
    OnOK();
}

// A send under way is neither undone nor left half done: the dialog ends after it.
void CChannelSettingDlg::OnOK()
{
    if (!m_bBusy)
        CDialogBase::OnOK();
}

void CChannelSettingDlg::OnCancel()
{
    if (!m_bBusy)
        CDialogBase::OnCancel();
}

void CChannelSettingDlg::OnEnChangeHour()
{
    m_strHours = Controls().ItemText(IDC_HOURS);
    if (Controls().ItemText(IDC_MINUTES) != "0") {
        m_strMinutes.assign(1, '0'); // not = "0": GCC 12 at -O3 warns falsely of overlap
        Controls().SetItemText(IDC_MINUTES, m_strMinutes);
    }
}

void CChannelSettingDlg::OnEnChangeMinute()
{
    m_strMinutes = Controls().ItemText(IDC_MINUTES);
    if (Controls().ItemText(IDC_HOURS) != "0") {
        m_strHours.assign(1, '0');
        Controls().SetItemText(IDC_HOURS, m_strHours);
    }
}
