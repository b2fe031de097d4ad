#include "app/VorlenView.h"

#include "app/LineLoggerIds.h"
#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "app/controls/IconButton.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "res/DialogTemplates.h"
#include "res/IconResources.h"
#include "res/MainScreenIds.h"
#include "res/MenuResources.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>

#include <cstdint>

namespace {

bool IsPortOpen()
{
    return g_port.m_Serial.IsOpen();
}

bool AnyAutoReceive()
{
    for (int i = 0; i < g_nLoggerCount; ++i) {
        if (g_loggers[i].m_bAutoReceive)
            return true;
    }
    return false;
}

int UsedLoggerCount(const LoggerRecord& record)
{
    int count = 0;
    for (int id = 1; id <= MaxLoggerIds; ++id)
        count += record.m_bLoggerUsed[id - 1] ? 1 : 0;
    return count;
}

} // namespace

CVorlenView::CVorlenView(QWidget* parent)
    : CFormView(Dialog101(), parent)
{
    m_listLoggers = ItemAs<QListWidget>(IDC_LOGGER_LIST);
    m_comboLoggers = ItemAs<QComboBox>(IDC_LOGGER_COMBO);
    m_comboLoggerId = ItemAs<QComboBox>(IDC_LOGGER_ID_COMBO);
    m_btnGood = ItemAs<CIconButton>(IDC_LAMP_GOOD);
    m_btnBad = ItemAs<CIconButton>(IDC_LAMP_BAD);
    ConnectControls();
}

QWidget* CVorlenView::CreateCustomControl(const ControlTemplate& control, QWidget* parent)
{
    if (control.kind != ControlKind::Custom)
        return nullptr;
    return new CIconButton(ToQt(control.text), parent);
}

void CVorlenView::ConnectControls()
{
    Controls().OnClicked(IDC_OPEN_LOGGER, this, &CVorlenView::OnBnClickedOpenLogger);
    Controls().OnClicked(IDC_CLOSE_LOGGER, this, &CVorlenView::OnBnClickedCloseLogger);
    Controls().OnClicked(IDC_CONNECT, this, &CVorlenView::OnBnClickedConnect);
    Controls().OnClicked(IDC_MEASUREMENT, this, &CVorlenView::OnBnClickedMeasurement);
    Controls().OnClicked(IDC_CALL, this, &CVorlenView::OnBnClickedCall);
    Controls().OnClicked(IDC_RECEIVE_DATA, this, &CVorlenView::ReceiveLoggerData);
    Controls().OnClicked(IDC_VIEW_DATA, this, &CVorlenView::ViewLoggerData);
    Controls().OnClicked(IDC_DISCONNECT, this, &CVorlenView::DisconnectLogger);
    connect(m_listLoggers, &QListWidget::currentRowChanged, this,
        &CVorlenView::OnLbnSelchangeLoggerList);
    connect(
        m_listLoggers, &QListWidget::itemDoubleClicked, this, &CVorlenView::OnLbnDblclkLoggerList);
    connect(m_comboLoggers, &QComboBox::activated, this, &CVorlenView::OnCbnSelchangeLoggerCombo);
    Controls().OnClicked(IDC_SCHEDULE_START, this, &CVorlenView::OnBnClickedScheduleStart);
    Controls().OnClicked(IDC_SCHEDULE_STOP, this, &CVorlenView::OnBnClickedScheduleStop);
}

void CVorlenView::OnInitialUpdate()
{
    ResizeParentToFit();
    SetIcons();
    for (int id : {IDC_CONNECT, IDC_RECEIVE_DATA, IDC_VIEW_DATA, IDC_DISCONNECT, IDC_SCHEDULE_START,
             IDC_SCHEDULE_STOP}) {
        auto* button = ItemAs<CIconButton>(id);
        if (id != IDC_SCHEDULE_START && id != IDC_SCHEDULE_STOP)
            button->m_layout.imageIndent = 20;
        button->m_bBorderOnHover = false;
        button->update();
    }
    for (CIconButton* lamp : {m_btnGood, m_btnBad}) {
        lamp->m_bIsPassive = true;
        lamp->setFocusPolicy(Qt::NoFocus);
        lamp->update();
    }
    SetCaptionLook();
    ShowInformation({}, {}, {}, {}, {}, {});
}

void CVorlenView::SetIcons()
{
    struct Pair
    {
        int control, enabled, disabled;
    };
    static const Pair pairs[] = {
        {IDC_CONNECT, 362, 363},
        {IDC_RECEIVE_DATA, 366, 367},
        {IDC_VIEW_DATA, 368, 369},
        {IDC_DISCONNECT, 364, 365},
        {IDC_SCHEDULE_START, 338, 346},
        {IDC_SCHEDULE_STOP, 343, 348},
        {IDC_LAMP_GOOD, 341, 347},
        {IDC_LAMP_BAD, 339, 347},
    };
    for (const Pair& pair : pairs) {
        const QString enabled = ResourceIconFile(pair.enabled);
        const QString disabled = ResourceIconFile(pair.disabled);
        // A button without its icons still works by its caption; say which image is missing.
        if (enabled.isEmpty() || disabled.isEmpty()
            || ItemAs<CIconButton>(pair.control)->SetIconPair(enabled, disabled)
                != CIconButton::ImageResultOk)
            qWarning("Icons %d/%d of control %d cannot be read", pair.enabled, pair.disabled,
                pair.control);
    }
}

void CVorlenView::SetCaptionLook()
{
    QFont title = font();
    title.setPixelSize(14);
    title.setBold(true);
    for (int id : {IDC_CAPTION_SELECTION, IDC_CAPTION_INFORMATION, IDC_CAPTION_COMMUNICATION,
             IDC_CAPTION_MEASUREMENT, IDC_CAPTION_SCHEDULE}) {
        QWidget* caption = Item(id);
        QPalette palette = caption->palette();
        palette.setColor(QPalette::Window, CaptionBackground);
        palette.setColor(QPalette::WindowText, Qt::white);
        caption->setPalette(palette);
        caption->setAutoFillBackground(true);
        caption->setFont(title);
    }
}

int CVorlenView::Selection() const
{
    const int row = m_listLoggers->currentRow();
    const QListWidgetItem* item = m_listLoggers->item(row);
    return item && item->isSelected() ? row : -1;
}

void CVorlenView::SelectInList(int index)
{
    const QSignalBlocker blocker(m_listLoggers);
    m_listLoggers->setCurrentRow(index);
}

void CVorlenView::ShowCurrentInList()
{
    SelectInList(g_nCurLogger);
    const QSignalBlocker blocker(m_comboLoggers);
    m_comboLoggers->setCurrentIndex(g_nCurLogger);
}

void CVorlenView::RefuseSelection()
{
    ShowCurrentInList();
    if (m_bRefusalPending)
        return;
    // A mouse press selects its row after the current-row signal this runs from, and a box
    // here would run its loop in the middle of that press: both wait until the input is done.
    m_bRefusalPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            ShowCurrentInList();
            TimedMessageBox("already port open", TimedBoxForm::Warning);
            m_bRefusalPending = false;
        },
        Qt::QueuedConnection);
}

void CVorlenView::EnableItems(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids)
        Controls().EnableItem(id, enable);
}

void CVorlenView::DisableLineControls()
{
    EnableItems(
        {IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_LAMP_GOOD, IDC_LAMP_BAD}, false);
}

void CVorlenView::UpdateScheduleStart(bool bOnlyEnable)
{
    const bool anyAuto = AnyAutoReceive();
    if (anyAuto || !bOnlyEnable)
        Controls().EnableItem(IDC_SCHEDULE_START, anyAuto);
}

void CVorlenView::ShowInformation(const std::string& quantity, const std::string& count,
    const std::string& comPort, const std::string& network, const std::string& receive,
    const std::string& erase)
{
    DialogControls& controls = Controls();
    controls.SetItemText(IDC_QUANTITY, quantity);
    controls.SetItemText(IDC_LOGGER_COUNT, count);
    controls.SetItemText(IDC_COM_PORT, comPort);
    controls.SetItemText(IDC_NETWORK, network);
    controls.SetItemText(IDC_RECEIVE_SCHEDULE, receive);
    controls.SetItemText(IDC_ERASE_SCHEDULE, erase);
}

void CVorlenView::RefreshLoggerList(bool bReload)
{
    if (bReload) {
        const QSignalBlocker listBlocker(m_listLoggers);
        const QSignalBlocker comboBlocker(m_comboLoggers);
        m_listLoggers->clear();
        m_comboLoggers->clear();
        for (int i = 0; i < g_nLoggerCount; ++i) {
            const QString name = ToQt(FieldText(g_loggers[i].m_szName));
            m_listLoggers->addItem(name);
            m_comboLoggers->addItem(name);
        }
        if (m_listLoggers->currentRow() < 0 && m_listLoggers->count() > 0)
            m_listLoggers->setCurrentRow(0);
    }
    if (g_nLoggerCount > 0)
        OnLbnSelchangeLoggerList();
    else
        ShowInformation({}, {}, {}, {}, {}, {});
}

void CVorlenView::OnLbnSelchangeLoggerList()
{
    // The row the list moves to.
    const int selection = m_listLoggers->currentRow();
    if (selection != g_nCurLogger && IsPortOpen()) {
        RefuseSelection();
        return;
    }
    if (selection < 0 || selection >= g_nLoggerCount)
        return;
    g_nCurLogger = selection;
    {
        const QSignalBlocker blocker(m_comboLoggers);
        m_comboLoggers->setCurrentIndex(selection);
    }
    FillLoggerIds();

    const LoggerRecord& record = g_loggers[selection];
    std::string quantity = "Single";
    std::string count = "1 Nos";
    std::string network = "None";
    if (!record.m_bSingle) {
        const int used = UsedLoggerCount(record);
        quantity = FormatString("Multiple (%d Nos)", used);
        count = FormatString("%d Nos", used);
        network = record.m_bRs485 ? "RS485" : "Zigbee";
    }
    // The editor takes the minutes as unsigned numbers; they show as it shows them.
    const std::string receive = record.m_bAutoReceive
        ? FormatString("%u min, Delay %u min", static_cast<uint32_t>(record.m_nReceiveInterval),
            static_cast<uint32_t>(record.m_bDelayOn ? record.m_nReceiveDelay : 0))
        : std::string("Not used");
    const std::string erase = record.m_bEraseAfterReceive ? "Every received" : "Not used";
    ShowInformation(
        quantity, count, FormatString("COM %d", record.m_nComPort), network, receive, erase);
}

void CVorlenView::FillLoggerIds()
{
    m_comboLoggerId->clear();
    for (int id : LineLoggerIds(g_loggers[g_nCurLogger]))
        m_comboLoggerId->addItem(ToQt(FormatString("%02d", id)));
    m_comboLoggerId->setCurrentIndex(m_comboLoggerId->count() > 0 ? 0 : -1);
}

void CVorlenView::OnCbnSelchangeLoggerCombo()
{
    const int selection = m_comboLoggers->currentIndex();
    if (selection != g_nCurLogger && IsPortOpen()) {
        RefuseSelection();
        return;
    }
    SelectInList(selection);
    OnLbnSelchangeLoggerList();
}

void CVorlenView::OnLbnDblclkLoggerList()
{
    if (g_bScheduleRunning)
        return;
    if (IsPortOpen()) {
        RefuseSelection();
        return;
    }
    OnLbnSelchangeLoggerList();
    OnBnClickedConnect();
}

void CVorlenView::contextMenuEvent(QContextMenuEvent* event)
{
    // The edit menu of the frame's resources; the screen handles none of its commands.
    QMenu menu(this);
    for (const MenuItemResource& item : ContextMenu119().items)
        menu.addAction(ToQt(item.caption))->setEnabled(false);
    menu.exec(event->globalPos());
}
