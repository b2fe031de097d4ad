#include "app/dialogs/NewLoggerDlg.h"

#include "app/ConfigurationSave.h"
#include "app/FolderBrowser.h"
#include "data/FolderUtils.h"
#include "app/TimedMessageBox.h"
#include "app/dialogs/LoggerFileTitles.h"
#include "app/dialogs/LoggerIdChecks.h"
#include "record/DataFolder.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"
#include "platform/ByteLengthValidator.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/Utf8Text.h"
#include "res/DialogTemplates.h"
#include "res/NewLoggerIds.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

#include <cstdint>

using namespace NewLoggerIds;

namespace {

constexpr int ListedComPorts = 20;
constexpr int ShortFieldLength = 19; // name, modem strings, phone number
constexpr int FolderFieldLength = 259;

struct TextField
{
    int id;
    const char* label;
    std::string CNewLoggerDlg::*member;
    int limit;
};

const TextField TextFields[] = {
    {IDC_NAME, "Logger Name", &CNewLoggerDlg::m_strName, ShortFieldLength},
    {IDC_MODEM_COMMAND, "AT Command", &CNewLoggerDlg::m_strModemCommand, ShortFieldLength},
    {IDC_HANG_UP, "Disconnect adding command", &CNewLoggerDlg::m_strHangUp, ShortFieldLength},
    {IDC_PHONE, "Phone number", &CNewLoggerDlg::m_strPhone, ShortFieldLength},
    {IDC_FOLDER, "Browse of data file", &CNewLoggerDlg::m_strFolder, FolderFieldLength},
};

struct MinuteField
{
    int id;
    const char* label;
    unsigned CNewLoggerDlg::*member;
};

const MinuteField MinuteFields[] = {
    {IDC_INTERVAL, "Minute", &CNewLoggerDlg::m_nInterval},
    {IDC_DELAY_MINUTE, "Delay", &CNewLoggerDlg::m_nDelay},
};

void Warn(const std::string& text)
{
    TimedMessageBox(text, TimedBoxForm::Warning);
}

// A whole number of minutes that the record's 32-bit field can hold as an unsigned number;
// spaces around it are allowed.
bool ParseMinutes(const std::string& text, unsigned& value)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return false;
    const size_t last = text.find_last_not_of(' ');
    unsigned long long number = 0;
    for (size_t i = first; i <= last; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        number = number * 10 + static_cast<unsigned>(text[i] - '0');
        if (number > UINT32_MAX)
            return false;
    }
    value = static_cast<unsigned>(number);
    return true;
}

bool FitsField(const std::string& text, const char* label, int limit)
{
    if (text.size() <= static_cast<size_t>(limit))
        return true;
    Warn(FormatString("%s holds more than %d bytes.", label, limit));
    return false;
}

} // namespace

CNewLoggerDlg::CNewLoggerDlg(QWidget* parent)
    : CDialogBase(Dialog312(), parent)
{
    m_comboCom = ItemAs<QComboBox>(IDC_COM);
    for (const TextField& field : TextFields)
        LimitTextBytes(ItemAs<QLineEdit>(field.id), field.limit);
    Controls().OnClicked(IDC_SINGLE, this, &CNewLoggerDlg::OnBnClickedSingle);
    Controls().OnClicked(IDC_MULTI, this, &CNewLoggerDlg::OnBnClickedMulti);
    Controls().OnClicked(IDC_RS485, this, &CNewLoggerDlg::OnBnClickedRs485);
    Controls().OnClicked(IDC_ZIGBEE, this, &CNewLoggerDlg::OnBnClickedZigbee);
    Controls().OnClicked(IDC_DIRECT, this, &CNewLoggerDlg::OnBnClickedDirect);
    Controls().OnClicked(IDC_MODEM, this, &CNewLoggerDlg::OnBnClickedModem);
    Controls().OnClicked(IDC_SCHEDULE, this, &CNewLoggerDlg::OnBnClickedSchedule);
    Controls().OnClicked(IDC_BROWSE, this, &CNewLoggerDlg::OnBnClickedBrowse);
    Controls().OnClicked(IDC_SAVE, this, &CNewLoggerDlg::OnBnClickedSave);
    Controls().OnClicked(IDC_CANCEL, this, &CNewLoggerDlg::OnOK);
}

bool CNewLoggerDlg::OnInitDialog()
{
    for (int port = 1; port <= ListedComPorts; ++port)
        m_comboCom->addItem(ToQt(FormatString("COM%d", port)));
    if (IsEditMode()) {
        if (m_nIndex >= g_nLoggerCount) {
            EndDialog(IDCANCEL);
            return true;
        }
        Controls().EnableItem(IDC_NAME, false);
        LoadFromRecord(g_loggers[m_nIndex]);
    } else {
        m_comboCom->setCurrentIndex(0);
        m_bSingle = true;
        m_bRs485 = true;
        m_bDirect = true;
    }
    if (m_strFolder.empty()) {
        m_strFolder = g_strDataFolder;
        m_strModemCommand = "AT+CRM=129,ATDT";
        m_strHangUp = "+++";
    }
    m_font = font();
    m_font.setPixelSize(13);
    m_font.setWeight(QFont::Bold);
    for (int id :
        {IDC_NAME_CAPTION, IDC_NETWORK_CAPTION, IDC_CONNECT_CAPTION, IDC_SCHEDULE_CAPTION})
        Item(id)->setFont(m_font);
    UpdateData(false);
    OnBnClickedSingle();
    OnBnClickedSchedule();
    return true;
}

void CNewLoggerDlg::LoadFromRecord(const LoggerRecord& record)
{
    m_strName = FieldText(record.m_szName);
    m_bSingle = record.m_bSingle != 0;
    m_bMulti = !m_bSingle;
    m_bRs485 = record.m_bRs485 != 0;
    m_bZigbee = !m_bRs485;
    for (int i = 0; i < MaxLoggerIds; ++i)
        m_bId[i] = record.m_bLoggerUsed[i] != 0;
    const bool listed = record.m_nComPort >= 1 && record.m_nComPort <= ListedComPorts;
    m_comboCom->setCurrentIndex(listed ? record.m_nComPort - 1 : -1);
    m_bDirect = record.m_bUseModem == 0;
    m_bModem = !m_bDirect;
    m_strModemCommand = FieldText(record.m_szModemCommand);
    m_strHangUp = FieldText(record.m_szHangUpCommand);
    m_strPhone = FieldText(record.m_szPhoneNumber);
    m_strFolder = FieldText(record.m_szDataFolder);
    m_bSchedule = record.m_bAutoReceive != 0;
    m_bMinute = record.m_bIntervalOn != 0;
    m_bDelay = record.m_bDelayOn != 0;
    m_nInterval = static_cast<unsigned>(record.m_nReceiveInterval);
    m_nDelay = static_cast<unsigned>(record.m_nReceiveDelay);
    m_bErase = record.m_bEraseAfterReceive != 0;
}

void CNewLoggerDlg::ExchangeChoices(bool save)
{
    struct Choice
    {
        int id;
        bool* member;
    };
    const Choice choices[] = {
        {IDC_RS485, &m_bRs485},
        {IDC_ZIGBEE, &m_bZigbee},
        {IDC_SINGLE, &m_bSingle},
        {IDC_MULTI, &m_bMulti},
        {IDC_DIRECT, &m_bDirect},
        {IDC_MODEM, &m_bModem},
        {IDC_SCHEDULE, &m_bSchedule},
        {IDC_MINUTE, &m_bMinute},
        {IDC_DELAY, &m_bDelay},
        {IDC_ERASE, &m_bErase},
    };
    DialogControls& controls = Controls();
    for (const Choice& choice : choices) {
        if (save)
            *choice.member = controls.IsChecked(choice.id);
        else if (*choice.member) // the radio pair is exclusive: set marks, the other clears
            controls.SetCheck(choice.id, true);
    }
    for (const Choice& choice : choices) {
        if (!save && !*choice.member)
            controls.SetCheck(choice.id, false);
    }
    for (int i = 0; i < MaxLoggerIds; ++i) {
        if (save)
            m_bId[i] = controls.IsChecked(LoggerIdCheckIds[i]);
        else
            controls.SetCheck(LoggerIdCheckIds[i], m_bId[i]);
    }
}

std::string CNewLoggerDlg::ShownBytes(int id, const std::string& bytes)
{
    return EditedBytes(ItemAs<QLineEdit>(id)->text(), bytes);
}

bool CNewLoggerDlg::UpdateData(bool save)
{
    ExchangeChoices(save);
    DialogControls& controls = Controls();
    for (const TextField& field : TextFields) {
        if (save)
            this->*field.member = ShownBytes(field.id, this->*field.member);
        else
            controls.SetItemText(field.id, this->*field.member);
    }
    for (const MinuteField& field : MinuteFields) {
        if (!save) {
            controls.SetItemText(field.id, std::to_string(this->*field.member));
        } else if (!ParseMinutes(controls.ItemText(field.id), this->*field.member)) {
            Warn(FormatString("The %s field must hold a whole number of minutes.", field.label));
            Item(field.id)->setFocus();
            return false;
        }
    }
    return true;
}

void CNewLoggerDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    CDialogBase::keyPressEvent(event);
}

void CNewLoggerDlg::EnableNetworkChoices()
{
    DialogControls& controls = Controls();
    controls.EnableItem(IDC_RS485, m_bMulti);
    controls.EnableItem(IDC_ZIGBEE, m_bMulti);
    for (int id : LoggerIdCheckIds)
        controls.EnableItem(id, m_bMulti);
}

void CNewLoggerDlg::OnBnClickedSingle()
{
    ExchangeChoices(true);
    m_bMulti = !m_bSingle;
    EnableNetworkChoices();
    ExchangeChoices(false);
}

void CNewLoggerDlg::OnBnClickedMulti()
{
    ExchangeChoices(true);
    m_bSingle = !m_bMulti;
    EnableNetworkChoices();
    ExchangeChoices(false);
}

void CNewLoggerDlg::OnBnClickedRs485()
{
    ExchangeChoices(true);
    m_bZigbee = !m_bRs485;
    ExchangeChoices(false);
}

void CNewLoggerDlg::OnBnClickedZigbee()
{
    ExchangeChoices(true);
    m_bRs485 = !m_bZigbee;
    ExchangeChoices(false);
}

void CNewLoggerDlg::OnBnClickedDirect()
{
    ExchangeChoices(true);
    m_bModem = !m_bDirect;
    ExchangeChoices(false);
}

void CNewLoggerDlg::OnBnClickedModem()
{
    ExchangeChoices(true);
    m_bDirect = !m_bModem;
    ExchangeChoices(false);
}

void CNewLoggerDlg::OnBnClickedSchedule()
{
    ExchangeChoices(true);
    for (int id : {IDC_MINUTE, IDC_INTERVAL, IDC_DELAY, IDC_DELAY_MINUTE})
        Controls().EnableItem(id, m_bSchedule);
    ExchangeChoices(false);
}

bool CNewLoggerDlg::ChooseFolder(std::string& folder)
{
    return BrowseForFolder(this, {"Select Folder", m_strFolder}, folder);
}

void CNewLoggerDlg::OnBnClickedBrowse()
{
    m_strFolder = ShownBytes(IDC_FOLDER, m_strFolder);
    std::string chosen;
    if (!ChooseFolder(chosen))
        return;
    const std::string folder = chosen + PathSeparator;
    // The edit would cut a longer path silently; keep the folder that was there instead.
    if (!FitsField(folder, "Browse of data file", FolderFieldLength))
        return;
    m_strFolder = folder;
    Controls().SetItemText(IDC_FOLDER, m_strFolder);
}

bool CNewLoggerDlg::TextsFitTheirFields() const
{
    for (const TextField& field : TextFields) {
        if (!FitsField(this->*field.member, field.label, field.limit))
            return false;
    }
    return true;
}

bool CNewLoggerDlg::NameIsFree() const
{
    const QString name = ToQt(m_strName);
    for (const std::string& title : ListLoggerTitles(g_strDataFolder)) {
        if (name.compare(ToQt(title), Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

// The edited record's name and folder can name another configuration's file (a record opened
// from Bridge.arg may be called Dam1): that file is replaced only when the operator says so.
bool CNewLoggerDlg::MayReplace(const std::string& path) const
{
    const QFileInfo target(QFile::decodeName(path.c_str()));
    if (!target.exists())
        return true;
    const QFileInfo source(QFile::decodeName(LoggerSourceFile(m_nIndex).c_str()));
    if (source.exists() && source.canonicalFilePath() == target.canonicalFilePath())
        return true;
    return TimedQuestionBox(
        FormatString("The same Logger name Exists.\nReplace %s?", path.c_str()));
}

// The folder as the record keeps it: a full path ending in the separator.
bool CNewLoggerDlg::TakeFolder(std::string& folder) const
{
    folder = m_strFolder;
    if (folder.empty() || folder[0] != PathSeparator) {
        Warn("Browse of data file must be a full path (starting with /).");
        return false;
    }
    AddBackslash(folder);
    return FitsField(folder, "Browse of data file", FolderFieldLength);
}

void CNewLoggerDlg::FillRecord(LoggerRecord& record) const
{
    SetFieldText(record.m_szName, m_strName);
    record.m_bSingle = m_bSingle;
    record.m_bRs485 = m_bRs485;
    for (int i = 0; i < MaxLoggerIds; ++i)
        record.m_bLoggerUsed[i] = m_bId[i];
    // The port is the entry shown, chosen from the list or typed as its text exactly.
    const int entry = m_comboCom->findText(m_comboCom->currentText(), Qt::MatchFixedString);
    record.m_nComPort = entry >= 0 ? entry + 1 : 0;
    record.m_bUseModem = m_bDirect ? 0 : 1;
    SetFieldText(record.m_szPhoneNumber, m_strPhone);
    SetFieldText(record.m_szHangUpCommand, m_strHangUp);
    SetFieldText(record.m_szModemCommand, m_strModemCommand);
    SetFieldText(record.m_szDataFolder, m_strFolder);
    record.m_bAutoReceive = m_bSchedule;
    record.m_bIntervalOn = m_bMinute;
    record.m_bDelayOn = m_bDelay;
    record.m_nReceiveInterval = static_cast<int32_t>(m_nInterval);
    record.m_nReceiveDelay = static_cast<int32_t>(m_nDelay);
    record.m_bEraseAfterReceive = m_bErase;
}

void CNewLoggerDlg::OnBnClickedSave()
{
    if (!UpdateData(true))
        return;
    QDir().mkpath(QFile::decodeName(g_strDataFolder.c_str()));
    if (m_strName.empty()) {
        Warn("The name is empty");
        return;
    }
    if (!TextsFitTheirFields())
        return;
    if (!IsValidLoggerName(m_strName)) {
        Warn("The name cannot be a file name: it holds a / or is only dots.");
        return;
    }
    if (!IsEditMode() && !NameIsFree()) {
        Warn("The same Logger name Exists.");
        return;
    }
    // An edited record keeps everything the editor does not show.
    LoggerRecord record
        = IsEditMode() ? g_loggers[m_nIndex] : NewLoggerRecord(m_strName, m_strFolder);
    FillRecord(record);
    int used = 0;
    for (bool id : m_bId)
        used += id ? 1 : 0;
    if (!m_bSingle && used < 2) {
        Warn("To use the multi network, you have to select over two loggers!");
        return;
    }
    std::string folder;
    if (!TakeFolder(folder))
        return;
    SetFieldText(record.m_szDataFolder, folder);
    const std::string path = folder + m_strName + ".arg";
    // Qt writes no other name: a name or folder whose bytes are not UTF-8 would be saved as
    // another file beside the configuration's own.
    if (!IsUtf8Text(path)) {
        WarnConfigurationNotWritten(path);
        return;
    }
    // A new configuration never replaces a file in its own folder either.
    if (!IsEditMode() && QFile::exists(QFile::decodeName(path.c_str()))) {
        Warn("The same Logger name Exists.");
        return;
    }
    if (IsEditMode() && !MayReplace(path))
        return;
    if (!SaveLoggerFile(0, &record)) {
        WarnConfigurationNotWritten(path);
        return;
    }
    if (IsEditMode()) {
        g_loggers[m_nIndex] = record;
        SetLoggerSourceFile(m_nIndex, path);
    }
    OnOK();
}
