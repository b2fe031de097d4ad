#include "app/dialogs/TimeSetDlg.h"

#include "app/ConfigurationSave.h"
#include "app/LineLoggerIds.h"
#include "app/TimedMessageBox.h"
#include "app/dialogs/LoggerIdCombo.h"
#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "data/DateFormat.h"
#include "data/FolderUtils.h"
#include "record/LoggerTable.h"
#include "link/LoggerCommand.h"
#include "link/Port.h"
#include "platform/ComboSelection.h"
#include "platform/CommandGuard.h"
#include "platform/DataExchange.h"
#include "platform/Format.h"
#include "platform/LocalTime.h"
#include "platform/Text.h"
#include "res/DialogTemplates.h"

#include <QComboBox>

#include <optional>

namespace {

constexpr int IDC_LOGGER = 1132;
constexpr int IDC_FORMAT = 1134;
constexpr int IDC_LOGGER_TIME = 1004;
constexpr int IDC_REQUEST = 1030;
constexpr int IDC_MATCH_COMPUTER = 1031;
constexpr int IDC_SET = 1032;
constexpr int IDC_OK = 1001;
constexpr int IDC_CANCEL = 1019;
constexpr int IDC_YEAR = 1012;
constexpr int IDC_MONTH = 1013;
constexpr int IDC_DAY = 1014;
constexpr int IDC_HOUR = 1015;
constexpr int IDC_MINUTE = 1016;
constexpr int IDC_SECOND = 1017;

constexpr const char* NoResponse = "No response from logger!";

void Warn(const std::string& text)
{
    TimedMessageBox(text, TimedBoxForm::Warning);
}

// The digits of raw at [pos, pos + count); -1 when any of them is no digit.
int DigitsAt(const std::string& raw, size_t pos, size_t count)
{
    if (pos + count > raw.size())
        return -1;
    return LoggerCommand::DigitField(std::string_view(raw).substr(pos, count)).value_or(-1);
}

// The local time of a clock reply "YYYY/MM/DD hh:mm:ss"; nothing when its fields are no
// date and time (month 00, day 32, ...).
std::optional<std::time_t> ClockReplyTime(const std::string& raw)
{
    const int year = DigitsAt(raw, 0, 4);
    const int month = DigitsAt(raw, 5, 2);
    const int day = DigitsAt(raw, 8, 2);
    const int hour = DigitsAt(raw, 11, 2);
    const int minute = DigitsAt(raw, 14, 2);
    const int second = DigitsAt(raw, 17, 2);
    if (year < 0 || !QDate::isValid(year, month, day) || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    return MakeLocalTime(year, month, day, hour, minute, second);
}

// A typed clock setting the logger can take: its date command carries the year as two digits
// after 2000, and a date or time that does not exist would be sent as typed.
std::optional<QDateTime> LoggerClockSetting(
    unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute, unsigned second)
{
    if (year < 2000 || year > 2099 || month > 12 || day > 31 || hour > 23 || minute > 59
        || second > 59)
        return std::nullopt;
    const QDate date(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    if (!date.isValid())
        return std::nullopt;
    // UTC keeps the fields as typed: a local time in a daylight saving gap would move them.
    return QDateTime(date,
        QTime(static_cast<int>(hour), static_cast<int>(minute), static_cast<int>(second)), Qt::UTC);
}

} // namespace

CTimeSetDlg::CTimeSetDlg(QWidget* parent)
    : CDialogBase(Dialog137(), parent)
{
    m_comboLogger = ItemAs<QComboBox>(IDC_LOGGER);
    m_comboFormat = ItemAs<QComboBox>(IDC_FORMAT);
    DialogControls& controls = Controls();
    controls.OnClicked(IDC_REQUEST, this, &CTimeSetDlg::OnBnClickedRequest);
    controls.OnClicked(IDC_MATCH_COMPUTER, this, &CTimeSetDlg::OnBnClickedMatchComputer);
    controls.OnClicked(IDC_SET, this, &CTimeSetDlg::OnBnClickedSet);
    controls.OnClicked(IDC_OK, this, &CTimeSetDlg::OnBnClickedOk);
    controls.OnClicked(IDC_CANCEL, this, &CTimeSetDlg::OnOK);
    // Typed text counts too: the time shown must belong to the entry on screen.
    connect(m_comboFormat, &QComboBox::currentTextChanged, this, &CTimeSetDlg::ShowLoggerTime);
    connect(
        m_comboLogger, &QComboBox::currentTextChanged, this, &CTimeSetDlg::OnCbnSelchangeLogger);
}

bool CTimeSetDlg::OnInitDialog()
{
    const LoggerRecord* record = CurrentLogger();
    if (!record) {
        EndDialog(IDCANCEL);
        return true;
    }
    FillLoggerIdCombo(m_comboLogger, record);
    m_comboFormat->clear();
    for (int style = 0; style < DateFormatCount; ++style)
        m_comboFormat->addItem(ToQt(FindDateFormat(style)->label));
    ComboSetCurSel(
        m_comboFormat, FindDateFormat(record->m_nDateFormat) ? record->m_nDateFormat : -1);
    ShowLoggerTime();

    const QDateTime now = s_now();
    m_nYear = static_cast<unsigned>(now.date().year());
    m_nMonth = static_cast<unsigned>(now.date().month());
    m_nDay = static_cast<unsigned>(now.date().day());
    m_nHour = static_cast<unsigned>(now.time().hour());
    m_nMinute = static_cast<unsigned>(now.time().minute());
    m_nSecond = static_cast<unsigned>(now.time().second());
    m_strRawTime.clear();
    UpdateData(false);
    return true;
}

CommandGuard CTimeSetDlg::Busy()
{
    return CommandGuard(Controls(),
        {IDC_LOGGER, IDC_FORMAT, IDC_REQUEST, IDC_MATCH_COMPUTER, IDC_SET, IDC_OK, IDC_CANCEL},
        m_bBusy);
}

bool CTimeSetDlg::UpdateData(bool save)
{
    DataExchange dx(Controls(), save);
    dx.Text(IDC_LOGGER_TIME, m_strLoggerTime);
    dx.UInt(IDC_DAY, m_nDay);
    dx.UInt(IDC_HOUR, m_nHour);
    dx.UInt(IDC_MINUTE, m_nMinute);
    dx.UInt(IDC_MONTH, m_nMonth);
    dx.UInt(IDC_SECOND, m_nSecond);
    dx.UInt(IDC_YEAR, m_nYear);
    return !dx.Failed();
}

// Only the time field: the clock edits keep what the operator has typed so far.
void CTimeSetDlg::ShowTimeField()
{
    Controls().SetItemText(IDC_LOGGER_TIME, m_strLoggerTime);
}

void CTimeSetDlg::ShowLoggerTime()
{
    if (m_strRawTime.empty())
        return;
    const DateFormatStyle* style = FindDateFormat(ComboCurSel(m_comboFormat));
    const std::optional<std::time_t> time = ClockReplyTime(m_strRawTime);
    if (!style || !time) {
        // No style to show it in: a time already shown stays, a new reply shows as it came.
        if (!style && !m_strLoggerTime.empty())
            return;
        m_strLoggerTime = m_strRawTime;
    } else {
        const DateTimeTexts texts = FormatDateTime(*style, *time);
        m_strLoggerTime = texts.date + " " + texts.time;
    }
    ShowTimeField();
}

void CTimeSetDlg::OnBnClickedRequest()
{
    const int id = SelectedLoggerId(m_comboLogger);
    if (m_bBusy || id < 0)
        return;
    m_strRawTime.clear();
    m_strLoggerTime.clear();
    ShowTimeField();
    std::string reply;
    {
        const CommandGuard guard = Busy();
        reply = g_port.ReadDateTime(id);
    }
    if (reply.empty()) {
        Warn(NoResponse);
        return;
    }
    m_strRawTime = reply;
    ShowLoggerTime();
}

void CTimeSetDlg::OnBnClickedMatchComputer()
{
    const int id = SelectedLoggerId(m_comboLogger);
    if (m_bBusy || id < 0)
        return;
    SetLoggerClock(id, s_now());
}

void CTimeSetDlg::OnBnClickedSet()
{
    const int id = SelectedLoggerId(m_comboLogger);
    if (m_bBusy || id < 0 || !UpdateData(true))
        return;
    const std::optional<QDateTime> time
        = LoggerClockSetting(m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond);
    if (!time) {
        Warn("Invalid date or time.");
        return;
    }
    SetLoggerClock(id, *time);
}

// The clock, then the logger's stored interval again, which a clock setting disturbs.
void CTimeSetDlg::SetLoggerClock(int id, const QDateTime& time)
{
    const UnitSchedule schedule = CurrentLogger()->m_units[id - 1].m_schedule;
    bool answered = false;
    {
        const CommandGuard guard = Busy();
        answered = g_port.SetDateTime(id, time);
        if (answered)
            g_port.SetSchedule(id, schedule.m_nHours, schedule.m_nMinutes);
    }
    if (!answered) {
        Warn(NoResponse);
        return;
    }
    TimedMessageBox(" Time/date setting complete!", TimedBoxForm::Information);
}

void CTimeSetDlg::OnBnClickedOk()
{
    LoggerRecord* record = CurrentLogger();
    if (m_bBusy || !record)
        return;
    const int style = ComboCurSel(m_comboFormat);
    if (style != record->m_nDateFormat) {
        record->m_nDateFormat = style;
        {
            const CommandGuard guard = Busy();
            RebuildTables(*record);
        }
        SaveCurrentConfiguration();
    }
    OnOK();
}

// A logger without a raw file keeps its table: a table may be the only copy of its records.
void CTimeSetDlg::RebuildTables(const LoggerRecord& record)
{
    const LoggerRecord snapshot = record;
    for (int id : LineLoggerIds(snapshot)) {
        const std::string path = AccFilePath(snapshot, id);
        if (!IsFile(path.c_str()))
            continue;
        AccFile raw(path);
        const bool rebuilt = raw.Open() && RebuildCsvFile(snapshot, id, raw);
        raw.Close();
        if (!rebuilt) {
            Warn(FormatString(
                "The table file %s could not be written.", CsvFilePath(snapshot, id).c_str()));
        }
    }
}

void CTimeSetDlg::OnCbnSelchangeLogger()
{
    m_strRawTime.clear();
    m_strLoggerTime.clear();
    ShowTimeField();
}

void CTimeSetDlg::OnOK()
{
    if (m_bBusy || !UpdateData(true))
        return;
    CDialogBase::OnOK();
}

void CTimeSetDlg::OnCancel()
{
    if (!m_bBusy)
        CDialogBase::OnCancel();
}
