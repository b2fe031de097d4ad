#include "display/GraphSetDlg.h"

#include "app/dialogs/LoggerIdCombo.h"
#include "display/GraphColours.h"
#include "display/GraphLayout.h"
#include "record/LoggerTable.h"
#include "platform/DialogUnits.h"
#include "platform/GdiPaint.h"
#include "platform/TextNumber.h"
#include "platform/Text.h"
#include "res/DialogTemplates.h"
#include "res/GraphIds.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>

using namespace GraphSetIds;

namespace {

constexpr int SampleTop = 93;
constexpr int SampleStep = 26;
constexpr int GapAfterSixth = 2;
constexpr int SamplePenWidth = 3;

} // namespace

CGraphSetDlg::CGraphSetDlg(QWidget* parent)
    : CDialogBase(Dialog146(), parent)
{
    m_comboLogger = ItemAs<QComboBox>(IDC_LOGGER);
    DialogControls& controls = Controls();
    controls.OnClicked(IDC_SET, this, &CGraphSetDlg::OnBnClickedSet);
    controls.OnClicked(IDC_CANCEL, this, &CGraphSetDlg::OnCancel);
    for (int ch = 0; ch < 16; ++ch) {
        for (const bool readingA : {true, false}) {
            auto* box = ItemAs<QAbstractButton>(readingA ? SeriesChecks[ch].a : SeriesChecks[ch].b);
            connect(box, &QAbstractButton::clicked, this,
                [this, ch, readingA](bool checked) { OnBnClickedSeries(ch, readingA, checked); });
        }
    }
}

bool CGraphSetDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    for (size_t i = 0; i < m_pens.size(); ++i)
        m_pens[i] = QPen(QColor::fromRgb(GraphSeriesColours[i]), SamplePenWidth);
    LoggerRecord* record = CurrentLogger();
    FillLoggerIdCombo(m_comboLogger, record);
    if (!record)
        return true;
    // Written whatever button closes the dialog.
    record->m_nScannedSensors = m_nScannedSensors;
    int index = -1;
    for (int entry = 0; entry < m_comboLogger->count(); ++entry) {
        const int value = LeadingInt(FromQt(m_comboLogger->itemText(entry))) - 1;
        if (entry == 0)
            index = value;
        if (value == record->m_nGraphLogger) {
            m_comboLogger->setCurrentIndex(entry);
            index = value;
            break;
        }
    }
    LoadChecks(index);
    return true;
}

void CGraphSetDlg::LoadChecks(int index)
{
    const LoggerRecord* record = CurrentLogger();
    if (!record || index < 0 || index >= MaxLoggerIds)
        return;
    DialogControls& controls = Controls();
    for (int ch = 0; ch < 16; ++ch) {
        controls.SetCheck(SeriesChecks[ch].a, record->m_bGraphSeriesA[index][ch] != 0);
        controls.SetCheck(SeriesChecks[ch].b, record->m_bGraphSeriesB[index][ch] != 0);
    }
}

void CGraphSetDlg::OnBnClickedSeries(int ch, bool readingA, bool checked)
{
    if (checked)
        Controls().SetCheck(readingA ? SeriesChecks[ch].b : SeriesChecks[ch].a, false);
}

// Typed text that names no listed logger stores nothing: the dialog stays for a choice.
void CGraphSetDlg::OnBnClickedSet()
{
    LoggerRecord* record = CurrentLogger();
    const int id = SelectedLoggerId(m_comboLogger);
    if (!record || id < 1 || id > MaxLoggerIds) {
        if (QLineEdit* edit = m_comboLogger->lineEdit()) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
        return;
    }
    const int index = id - 1;
    record->m_nGraphLogger = index;
    const DialogControls& controls = Controls();
    for (int ch = 0; ch < 16; ++ch) {
        record->m_bGraphSeriesA[index][ch] = controls.IsChecked(SeriesChecks[ch].a) ? 1 : 0;
        record->m_bGraphSeriesB[index][ch] = controls.IsChecked(SeriesChecks[ch].b) ? 1 : 0;
    }
    EndDialog(IDOK);
}

// Enter confirms the choice as Set does.
void CGraphSetDlg::OnOK()
{
    OnBnClickedSet();
}

std::array<CGraphSetDlg::Sample, 16> CGraphSetDlg::ColourSamples(
    int clientWidth, int clientHeight, double growth)
{
    const auto scaled = [growth](int pixels) { return DialogUnits::Grown(pixels, growth); };
    std::array<Sample, 16> samples{};
    int y = (clientHeight - scaled(SampleTop)) / 16 + scaled(SampleTop);
    for (int i = 0; i < 16; ++i) {
        samples[static_cast<size_t>(i)] = {clientWidth * 23 / 40, clientWidth * 36 / 40, y};
        y += scaled(SampleStep + (i == 5 ? GapAfterSixth : 0));
    }
    return samples;
}

void CGraphSetDlg::paintEvent(QPaintEvent* event)
{
    CDialogBase::paintEvent(event);
    QPainter painter(this);
    const auto samples = ColourSamples(width(), height(), DialogUnits::FontGrowth(font()));
    for (size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        // A 3-pixel pen covers the row before its line and the row after.
        gdi::FillRect(painter, GdiRect(s.x1, s.y - 1, s.x2, s.y + 2), m_pens[i].color());
    }
}
