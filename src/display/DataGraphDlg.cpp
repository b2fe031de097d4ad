#include "display/DataGraphDlg.h"

#include "app/ConfigurationSave.h"
#include "app/WaitMode.h"
#include "app/dialogs/TimerConfirmDlg.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "display/GraphSetDlg.h"
#include "record/LoggerTable.h"
#include "platform/DialogUnits.h"
#include "platform/GdiPaint.h"
#include "platform/DataExchange.h"
#include "platform/RepaintThrottle.h"
#include "platform/Text.h"
#include "platform/TextNumber.h"
#include "res/DialogTemplates.h"
#include "res/GraphIds.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

using namespace GraphIds;

namespace {

constexpr const char* NowMeasureCaption = "&Now measure";
constexpr const char* StopCaption = "Stop";
constexpr int BoldFontPx = 12;

} // namespace

CDataGraphDlg::CDataGraphDlg(QWidget* parent)
    : CDialogBase(Dialog141(), parent)
    , m_repaints(new RepaintThrottle(this))
{
    DialogControls& controls = Controls();
    controls.OnClicked(IDC_GRAPH_SET, this, &CDataGraphDlg::OnBnClickedGraphSet);
    controls.OnClicked(IDC_MEASURE_ONCE, this, &CDataGraphDlg::MeasureOnce);
    controls.OnClicked(IDC_NOW_MEASURE, this, &CDataGraphDlg::OnBnClickedNowMeasure);
}

CDataGraphDlg::~CDataGraphDlg() = default;

QWidget* CDataGraphDlg::CreateCustomControl(const ControlTemplate& control, QWidget* parent)
{
    const QString text = ToQt(control.text);
    if (control.id == IDC_NOW_MEASURE) {
        // A check box with the look of a push button.
        auto* button = new QPushButton(text, parent);
        button->setCheckable(true);
        button->setAutoDefault(false);
        return button;
    }
    if (control.id == IDC_SAVE_READING) {
        auto* check = new QCheckBox(text, parent);
        check->setLayoutDirection(Qt::RightToLeft);
        return check;
    }
    return nullptr;
}

int GraphLoggerIndex(const LoggerRecord& record)
{
    const int index = record.m_nGraphLogger;
    return index >= 0 && index < MaxLoggerIds ? index : 0;
}

bool CDataGraphDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_fontBold = DialogUnits::TemplateFont(0);
    m_fontBold.setPixelSize(BoldFontPx);
    m_fontBold.setWeight(QFont::Bold);
    for (const int id : {IDC_MEASURE_ONCE, IDC_NOW_MEASURE, IDC_GRAPH_SET})
        Item(id)->setFont(m_fontBold);
    FitBoldButtons();
    OnSize(width(), height());

    m_graph.m_bRefLine = 0;
    m_graph.m_fRefValue = 0.0f;
    ResetGraph();
    m_bBusy = false;
    if (const LoggerRecord* record = CurrentLogger())
        m_nInterval = record->m_nGraphPeriod;
    UpdateData(false);
    return true;
}

// The bold captions may need more room than the template gives in the platform's font;
// "&Now measure" stays clear of "&Measured one time", placed 110 pixels to its right.
void CDataGraphDlg::FitBoldButtons()
{
    const int nowMeasureRoom = DialogUnits::Grown(106, DialogUnits::FontGrowth(font()));
    for (const int id : {IDC_MEASURE_ONCE, IDC_NOW_MEASURE, IDC_GRAPH_SET}) {
        QWidget* button = Item(id);
        int width = std::max(button->width(), button->sizeHint().width());
        if (id == IDC_NOW_MEASURE)
            width = std::min(width, nowMeasureRoom);
        button->resize(width, button->height());
    }
}

bool CDataGraphDlg::UpdateData(bool save)
{
    DataExchange dx(Controls(), save);
    dx.Int(IDC_INTERVAL, m_nInterval);
    dx.Check(IDC_NOW_MEASURE, m_bRunning);
    dx.Check(IDC_SAVE_READING, m_bSaveManualReading);
    return !dx.Failed();
}

// Enter reads the controls and closes; a field that is no integer keeps the window open.
void CDataGraphDlg::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDataGraphDlg::resizeEvent(QResizeEvent* event)
{
    CDialogBase::resizeEvent(event);
    OnSize(event->size().width(), event->size().height());
}

// The places are pixels of the usual screen, grown with a larger font. "&Graph set" ends
// where the frame does, however wide its caption made it.
void CDataGraphDlg::OnSize(int cx, int cy)
{
    DialogControls& controls = Controls();
    const auto place = [&controls](int id, int x, int y, int w = -1, int h = -1) {
        QWidget* item = controls.Item(id);
        item->setGeometry(x, y, w < 0 ? item->width() : w, h < 0 ? item->height() : h);
    };
    const double growth = DialogUnits::FontGrowth(font());
    const auto scaled = [growth](int pixels) { return DialogUnits::Grown(pixels, growth); };
    const int margin = scaled(13);
    const int half = cx / 2;
    place(IDC_GRAPH_FRAME, margin, scaled(9), cx - 2 * margin, cy - scaled(60));
    place(IDC_SAVE_READING, margin, cy - scaled(34));
    // The caption before the interval ends clear of it in a font wider than the usual one.
    const int intervalX = half - scaled(55);
    const auto* every = ItemAs<QLabel>(IDC_EVERY);
    const int everyWidth = every->fontMetrics().horizontalAdvance(every->text());
    place(IDC_EVERY, std::min(half - scaled(160), intervalX - scaled(4) - everyWidth),
        cy - scaled(34));
    place(IDC_INTERVAL, intervalX, cy - scaled(38), scaled(53), scaled(25));
    place(IDC_SEC, half + scaled(5), cy - scaled(34));
    place(IDC_NOW_MEASURE, half + scaled(47), cy - scaled(40));
    place(IDC_MEASURE_ONCE, half + scaled(157), cy - scaled(40));
    place(IDC_GRAPH_SET, cx - margin - controls.Item(IDC_GRAPH_SET)->width(), cy - scaled(40));
    m_rcGraph = GdiRect(scaled(15), scaled(20), cx - scaled(16), cy - scaled(40));
    m_repaints->Invalidate();
}

GraphScale CDataGraphDlg::Scale() const
{
    if (!m_bHasValue)
        return GraphScale{10, 1.0f};
    return GraphScale{static_cast<int>(m_fMax), static_cast<float>((m_fMax - m_fMin) / 9.0)};
}

void CDataGraphDlg::paintEvent(QPaintEvent* event)
{
    CDialogBase::paintEvent(event);
    QPainter painter(this);
    const int width = m_rcGraph.right() - m_rcGraph.left();
    const int height = m_rcGraph.bottom() - m_rcGraph.top();
    const GraphScale scale = Scale();
    const int points = m_bHasValue ? m_nPointCount : GraphPointCount;
    m_graph.Draw(painter, m_rcGraph, width, height, points, scale.top, scale.step,
        gdi::GetSysColour(gdi::SysColour::ButtonFace));
}

void CDataGraphDlg::ResetGraph()
{
    m_nWritePos = 0;
    m_nPointCount = GraphPointCount;
    m_graph.m_nStart = 0;
    for (int ch = 0; ch < 16; ++ch) {
        std::fill(std::begin(m_graph.m_fSeries[ch]), std::end(m_graph.m_fSeries[ch]), 0.0f);
        m_graph.m_bShown[ch] = 0;
    }
    m_fMax = -65535.0f;
    m_fMin = 65535.0f;
    m_bWrapped = false;
    m_bHasValue = false;
}

void CDataGraphDlg::OnBnClickedNowMeasure()
{
    UpdateData(true);
    if (m_nInterval < MinInterval || m_nInterval > MaxInterval) {
        ShowTimedMessage(false, "You should enter the from 1 to 3600!", "Error");
        return;
    }
    DialogControls& controls = Controls();
    if (m_bRunning) {
        controls.SetItemText(IDC_NOW_MEASURE, StopCaption);
        controls.EnableItem(IDC_MEASURE_ONCE, false);
        SetTimer(PeriodTimer, 1000);
    } else {
        KillTimer(PeriodTimer);
        controls.SetItemText(IDC_NOW_MEASURE, NowMeasureCaption);
        controls.EnableItem(IDC_MEASURE_ONCE, !m_bBusy);
    }
    UpdateData(false);
}

void CDataGraphDlg::OnTimer(int id)
{
    if (id != PeriodTimer)
        return;
    KillTimer(PeriodTimer);
    MeasureOnce();
    // The edit may hold anything by now: 0 would run passes back to back, and a negative or
    // overflowing period would stop the timer while the button still says "Stop".
    if (m_bRunning && !m_bClosing)
        SetTimer(PeriodTimer, std::clamp(m_nInterval, MinInterval, MaxInterval) * 1000);
}

void CDataGraphDlg::OnBnClickedGraphSet()
{
    // A scan inside a pass's wait would purge the pass's replies.
    if (m_bBusy)
        return;
    CWaitPopupDlg scan("Loading!!...", WaitMode::ScanChannels, -1, -1, -1);
    scan.DoModal();
    const std::string count = scan.m_strResults.empty() ? "0" : scan.m_strResults.front();
    CGraphSetDlg settings;
    settings.m_nScannedSensors = LeadingInt(count);
    if (settings.DoModal() == IDCANCEL)
        return;
    ResetGraph();
    m_repaints->Invalidate();
}

void CDataGraphDlg::done(int result)
{
    if (!m_bClosing) {
        m_bClosing = true;
        OnDestroy();
    }
    CDialogBase::done(result);
}

void CDataGraphDlg::OnDestroy()
{
    KillTimer(PeriodTimer);
    m_nInterval = std::clamp(m_nInterval, MinInterval, MaxInterval);
    LoggerRecord* record = CurrentLogger();
    if (!record)
        return;
    record->m_nGraphPeriod = m_nInterval;
    SaveCurrentConfiguration();
}
