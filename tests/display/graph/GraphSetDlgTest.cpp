#include "display/GraphColours.h"
#include "display/GraphSetDlg.h"
#include "platform/DialogUnits.h"
#include "record/LoggerTable.h"
#include "res/GraphIds.h"

#include "support/DialogInput.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"
#include "support/WholeControls.h"

#include <functional>
#include <memory>

namespace {

using namespace GraphSetIds;

// The style tints the group boxes' insides a little.
bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 16 && std::abs(qGreen(a) - qGreen(b)) <= 16
        && std::abs(qBlue(a) - qBlue(b)) <= 16;
}

// Channel by channel: 'A' or 'B' for the reading plotted, '-' for none, '2' for both.
std::string Ticks(const std::function<bool(int ch, bool readingA)>& plotted)
{
    std::string ticks;
    for (int ch = 0; ch < 16; ++ch) {
        const bool a = plotted(ch, true);
        const bool b = plotted(ch, false);
        ticks += a && b ? '2' : a ? 'A' : b ? 'B' : '-';
    }
    return ticks;
}

// The settings on a current network record of loggers 2 and 5, graph logger ID 2 showing
// reading A of channel 1 and reading B of channel 7.
class GraphSetDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearLoggerTable();
        g_loggers[0] = NewLoggerRecord("Net", "/tmp/");
        Record().m_bSingle = 0;
        Record().m_bLoggerUsed[1] = Record().m_bLoggerUsed[4] = 1;
        Record().m_nGraphLogger = 1;
        Record().m_bGraphSeriesA[1][0] = 1;
        Record().m_bGraphSeriesB[1][6] = 1;
        g_nLoggerCount = 1;
        g_nCurLogger = 0;
    }
    void TearDown() override
    {
        dlg.reset();
        ClearLoggerTable();
    }
    void Open(int scanned = 7)
    {
        dlg = std::make_unique<CGraphSetDlg>();
        dlg->m_nScannedSensors = scanned;
        dlg->Create();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    static LoggerRecord& Record() { return g_loggers[0]; }
    QComboBox* Combo() const { return dlg->ItemAs<QComboBox>(IDC_LOGGER); }
    Texts Entries() const { return DialogInput::Entries(dlg.get(), IDC_LOGGER); }
    // The boxes as checked, and the flags as stored for a logger.
    std::string Shown() const
    {
        return Ticks([this](int ch, bool a) {
            return dlg->Controls().IsChecked(a ? SeriesChecks[ch].a : SeriesChecks[ch].b);
        });
    }
    static std::string Stored(int index)
    {
        return Ticks([index](int ch, bool a) {
            return (a ? Record().m_bGraphSeriesA : Record().m_bGraphSeriesB)[index][ch] != 0;
        });
    }
    void Click(int id) { DialogInput::Click(dlg.get(), id); }

    std::unique_ptr<CGraphSetDlg> dlg;
    RecordingPresenter boxes;
};

TEST_F(GraphSetDlgTest, ListsTheLineAndShowsTheGraphLoggersFlagsOrTheFirstsWhenItIsNotListed)
{
    Open(9);
    EXPECT_EQ(Entries(), (Texts{"2", "5"}));
    EXPECT_EQ(Combo()->currentText(), "2");
    EXPECT_EQ(Shown(), "A-----B---------");
    // Written at once, whatever closes the dialog.
    EXPECT_EQ(Record().m_nScannedSensors, 9);
    dlg.reset();
    Record().m_nGraphLogger = 3; // ID 4, not on the line
    Record().m_bGraphSeriesB[1][2] = 1;
    Open();
    EXPECT_EQ(Combo()->currentText(), "2");
    EXPECT_EQ(Shown(), "A-B---B---------");
    dlg.reset();
    Record().m_bSingle = 1;
    Open();
    EXPECT_EQ(Entries(), (Texts{"1"}));
}

// Typed text that names no listed logger stores nothing; another logger keeps the boxes.
TEST_F(GraphSetDlgTest, SetStoresTheBoxesUnderTheChosenLoggerNeverBothReadingsOfAChannel)
{
    Open();
    for (const char* typed : {"3", "", "x", "0"}) {
        DialogInput::Type(dlg.get(), IDC_LOGGER, typed);
        Click(SeriesChecks[2].a);
        Click(IDC_SET);
        EXPECT_TRUE(dlg->isVisible() && Record().m_nGraphLogger == 1) << typed;
        EXPECT_EQ(Stored(1), "A-----B---------") << typed;
        Click(SeriesChecks[2].a);
    }
    Combo()->setCurrentIndex(1);
    EXPECT_EQ(Shown(), "A-----B---------");
    Click(SeriesChecks[0].b);
    EXPECT_EQ(Shown(), "B-----B---------");
    Click(SeriesChecks[0].b);
    Click(SeriesChecks[6].a);
    Click(SeriesChecks[3].a);
    EXPECT_EQ(Shown(), "---A--A---------");
    Click(IDC_SET);
    EXPECT_TRUE(dlg->result() == IDOK && !dlg->isVisible());
    EXPECT_EQ(Record().m_nGraphLogger, 4);
    EXPECT_EQ(Stored(4) + Stored(1), "---A--A---------A-----B---------");
    // Typed text naming a listed ID counts as that entry and keeps the boxes; Enter sets too.
    Open();
    DialogInput::Type(dlg.get(), IDC_LOGGER, "2");
    Click(SeriesChecks[2].a);
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_TRUE(!dlg->isVisible() && Record().m_nGraphLogger == 1);
    EXPECT_EQ(Stored(1), "--AA--A---------");
    EXPECT_TRUE(boxes.requests.empty());
}

TEST_F(GraphSetDlgTest, CancelEscAndTheCloseBoxKeepLoggerAndFlags)
{
    const std::function<void()> ways[] = {[this] { Click(IDC_CANCEL); },
        [this] { QTest::keyClick(dlg.get(), Qt::Key_Escape); }, [this] { dlg->close(); }};
    for (const auto& way : ways) {
        Open(3);
        Combo()->setCurrentIndex(1);
        Click(SeriesChecks[9].a);
        way();
        EXPECT_TRUE(dlg->result() == IDCANCEL && !dlg->isVisible());
        EXPECT_EQ(Record().m_nGraphLogger, 1);
        EXPECT_EQ(Stored(1) + Stored(4), "A-----B-------------------------");
        EXPECT_EQ(Record().m_nScannedSensors, 3);
    }
}

// Run at 100 % fonts and again at 125 % (tests/CMakeLists.txt).
TEST_F(GraphSetDlgTest, AtEachFontSizeNothingIsCutAndEachColourIsDrawnBesideItsChannel)
{
    // On the usual screen the samples are 26 pixels apart, 28 after the sixth.
    const auto usual = CGraphSetDlg::ColourSamples(400, 700);
    for (size_t i = 1; i < usual.size(); ++i)
        EXPECT_EQ(usual[i].y - usual[i - 1].y, i == 6 ? 28 : 26) << i;
    Open();
    // The template's margin of 7 units on the sides and at the bottom.
    ExpectControlsWhole(dlg.get(), dlg->MapDialogRect(7, 0, 203 - 14, 333 - 7));
    // Each sample a line 3 pixels thick within half a row of its channel's middle.
    const QImage shot = dlg->grab().toImage();
    const auto drawn = CGraphSetDlg::ColourSamples(
        dlg->width(), dlg->height(), DialogUnits::FontGrowth(dlg->font()));
    const int rowStep = dlg->Item(SeriesChecks[1].a)->y() - dlg->Item(SeriesChecks[0].a)->y();
    for (size_t ch = 0; ch < 16; ++ch) {
        const int x = (drawn[ch].x1 + drawn[ch].x2) / 2;
        for (const int dy : {-2, -1, 0, 1, 2})
            EXPECT_EQ(Near(shot.pixel(x, drawn[ch].y + dy), GraphSeriesColours[ch]), dy * dy < 4)
                << ch << " " << dy;
        const int middle = dlg->Item(SeriesChecks[ch].a)->geometry().center().y();
        EXPECT_LE(std::abs(drawn[ch].y - middle), rowStep / 2) << "channel " << ch + 1;
    }
    EXPECT_TRUE(
        SaveScreenshot(dlg.get(), QStringLiteral("graph_settings_font%1").arg(FontScalePercent())));
}

} // namespace
