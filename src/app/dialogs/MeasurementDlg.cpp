#include "app/dialogs/MeasurementDlg.h"

#include "app/TimedMessageBox.h"
#include "app/WaitMode.h"
#include "app/controls/ReportHeaderCtrl.h"
#include "app/controls/ReportListCtrl.h"
#include "app/dialogs/LoggerIdCombo.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "record/LoggerTable.h"
#include "link/LoggerCommand.h"
#include "platform/ComboSelection.h"
#include "platform/DataExchange.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "res/DialogTemplates.h"
#include "res/MeasurementIds.h"

#include <QComboBox>
#include <QResizeEvent>

#include <cstdlib>

using namespace MeasurementIds;

namespace {

constexpr const char* NoChannel = "NONE";
constexpr int IdColumnWidth = 90;
constexpr int ReadingColumnWidth = 55;

void Warn(const char* text)
{
    TimedMessageBox(text, TimedBoxForm::Warning);
}

} // namespace

CMeasurementDlg::CMeasurementDlg(QWidget* pParent)
    : CDialogBase(Dialog327(), pParent)
{
    m_cboLogger = ItemAs<QComboBox>(IDC_LOGGER_ID);
    m_cboChannel = ItemAs<QComboBox>(IDC_CHANNEL);
    m_cboKind = ItemAs<QComboBox>(IDC_KIND);
    DialogControls& controls = Controls();
    controls.OnClicked(IDC_READING_ALL, this, &CMeasurementDlg::OnBnClickedReadingAll);
    controls.OnClicked(IDC_READING_SELECT, this, &CMeasurementDlg::OnBnClickedReadingSelect);
    controls.OnClicked(IDC_CLEAR, this, &CMeasurementDlg::OnBnClickedClear);
    controls.OnClicked(IDC_CANCEL, this, &CMeasurementDlg::OnBnClickedCancel);
}

QWidget* CMeasurementDlg::CreateCustomControl(const ControlTemplate& control, QWidget* parent)
{
    if (control.id != IDC_LIST)
        return nullptr;
    m_list = new CReportListCtrl(parent);
    return m_list;
}

bool CMeasurementDlg::OnInitDialog()
{
    m_fontButtons = font();
    m_fontButtons.setPixelSize(12);
    m_fontButtons.setBold(true);
    Item(IDC_READING_ALL)->setFont(m_fontButtons);
    Item(IDC_READING_SELECT)->setFont(m_fontButtons);

    FillLoggerIdCombo(m_cboLogger, CurrentLogger());
    const int id = SelectedLoggerId(m_cboLogger);
    FillChannelList(id);
    for (const char* kind : {"ALL", "A", "B"})
        m_cboKind->addItem(ToQt(kind));
    ComboSetCurSel(m_cboKind, 0);
    BuildColumns(id);

    m_list->SetGridLines(true);
    m_list->m_header->m_crText = QColor(0, 0, 0);
    m_list->m_header->m_crBack = QColor(255, 255, 0);
    m_list->m_header->m_crLine = QColor(205, 205, 0);
    m_fontHeader = font();
    m_fontHeader.setPixelSize(13);
    m_fontHeader.setBold(true);
    m_list->m_header->setFont(m_fontHeader);
    UpdateData(false);

    // Picking an entry and typing its text alike show that logger's columns.
    connect(m_cboLogger, &QComboBox::editTextChanged, this, &CMeasurementDlg::OnLoggerIdChanged);
    connect(m_cboLogger, &QComboBox::activated, this, &CMeasurementDlg::OnLoggerIdChanged);
    return true;
}

void CMeasurementDlg::UpdateData(bool save)
{
    DataExchange(Controls(), save).Check(IDC_SAVE_READING, m_bSaveManualReading);
}

const LoggerUnit* CMeasurementDlg::Unit(int id) const
{
    const LoggerRecord* record = CurrentLogger();
    if (!record || id < 1 || id > MaxLoggerIds)
        return nullptr;
    return &record->m_units[id - 1];
}

void CMeasurementDlg::FillChannelList(int id)
{
    m_cboChannel->clear();
    if (const LoggerUnit* unit = Unit(id)) {
        for (int ch = 0; ch < ChannelCount; ++ch) {
            if (unit->m_channels[ch].m_bPresent)
                m_cboChannel->addItem(ToQt(FormatString("%d", ch + 1)));
        }
    }
    if (m_cboChannel->count() == 0)
        m_cboChannel->addItem(ToQt(NoChannel));
    ComboSetCurSel(m_cboChannel, 0);
}

void CMeasurementDlg::BuildColumns(int id)
{
    const LoggerUnit* unit = Unit(id);
    m_columns = unit ? ReadingColumns(*unit) : std::vector<ReadingColumn>();
    std::vector<ReportColumn> columns{{"Logger ID", Qt::AlignHCenter, IdColumnWidth}};
    for (const ReadingColumn& reading : m_columns)
        columns.push_back({reading.Heading(), Qt::AlignHCenter, ReadingColumnWidth});
    m_list->SetColumns(columns);
    m_list->m_nColumns = static_cast<int>(m_columns.size()) + 2;
    m_nShownId = id;
}

void CMeasurementDlg::OnLoggerIdChanged()
{
    const int id = SelectedLoggerId(m_cboLogger);
    if (id >= 0 && id != m_nShownId)
        OnCbnSelchangeLoggerId();
}

// A new logger: its channels, an empty table and its columns; kind, fonts and colours stay.
void CMeasurementDlg::OnCbnSelchangeLoggerId()
{
    const int id = SelectedLoggerId(m_cboLogger);
    FillChannelList(id);
    m_list->DeleteAllItems();
    BuildColumns(id);
}

std::string CMeasurementDlg::SelectedLoggerText() const
{
    const int entry = ComboCurSel(m_cboLogger);
    return entry < 0 ? std::string() : FromQt(m_cboLogger->itemText(entry));
}

// The 1-based channel of the selected entry; -1 for "NONE" or text that names no entry.
int CMeasurementDlg::SelectedChannel() const
{
    const int entry = ComboCurSel(m_cboChannel);
    if (entry < 0)
        return -1;
    const std::string text = FromQt(m_cboChannel->itemText(entry));
    return text == NoChannel ? -1 : std::atoi(text.c_str());
}

// Runs the reading popup; no value when it brought nothing to show (the operator is told).
std::optional<std::vector<MeasuredReading>> CMeasurementDlg::Measure(int id, int ch, int kind)
{
    CWaitPopupDlg popup("Reading!!", WaitMode::Measure, id - 1, ch, kind);
    popup.m_bSaveManualReading = m_bSaveManualReading;
    popup.DoModal();
    if (popup.m_bSaveOnFailed) {
        Warn(NoResponseNotSaving);
        return std::nullopt;
    }
    if (popup.m_strResults.empty()) {
        Warn(NoResponse);
        return std::nullopt;
    }
    // "measure all" answers by position only: after a lost line every later value would sit
    // under another channel.
    if (ch < 0 && popup.m_bReplyMissing) {
        Warn(NotEveryReading);
        return std::nullopt;
    }
    return popup.m_readings;
}

// A row at the end; each value in the column of its channel and reading.
int CMeasurementDlg::AddRow(const std::string& idText, const std::vector<MeasuredReading>& readings)
{
    const int row = m_list->InsertItem(m_list->GetItemCount(), idText);
    for (const MeasuredReading& reading : readings) {
        const int column = TableColumnOf(m_columns, reading.channel, reading.reading);
        if (column > 0)
            m_list->SetItemText(row, column, LoggerCommand::Field(reading.line, 2));
    }
    return row;
}

void CMeasurementDlg::OnBnClickedReadingAll()
{
    UpdateData(true);
    const int id = SelectedLoggerId(m_cboLogger);
    if (id < 0 || !Unit(id))
        return;
    const std::string idText = SelectedLoggerText();
    const auto readings = Measure(id, -1, -1);
    if (!readings)
        return;
    AddRow(idText, *readings);
    m_list->scrollToBottom();
}

void CMeasurementDlg::OnBnClickedReadingSelect()
{
    UpdateData(true);
    const int id = SelectedLoggerId(m_cboLogger);
    const int channel = SelectedChannel();
    const int kind = ComboCurSel(m_cboKind);
    const LoggerUnit* unit = Unit(id);
    if (!unit || channel < 1 || channel > ChannelCount || kind < 0)
        return;
    const std::string idText = SelectedLoggerText();
    const auto readings = Measure(id, channel - 1, kind);
    if (!readings)
        return;
    const int offset = SelectColumnOffset(*unit, channel - 1, kind);
    AddRow(idText, *readings);
    // To the bottom, back to the left edge, then across towards the channel's columns.
    m_list->scrollToBottom();
    m_list->Scroll(-1000, -1);
    m_list->Scroll(31 * offset + 90, 0);
}

void CMeasurementDlg::OnBnClickedClear()
{
    m_list->DeleteAllItems();
}

void CMeasurementDlg::OnBnClickedCancel()
{
    OnOK();
}

void CMeasurementDlg::resizeEvent(QResizeEvent* event)
{
    CDialogBase::resizeEvent(event);
    OnSize(event->size().width(), event->size().height());
}

void CMeasurementDlg::OnSize(int cx, int cy)
{
    if (!m_list)
        return;
    m_list->setGeometry(10, 130, cx - 20, cy - 180);
    Item(IDC_CLEAR)->move(cx - 136, 13);
    Item(IDC_CANCEL)->move(cx - 136, cy - 40);
    update();
}
