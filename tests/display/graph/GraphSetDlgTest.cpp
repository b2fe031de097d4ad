#include "display/GraphColours.h"
#include "display/GraphSetDlg.h"
#include "record/LoggerTable.h"
#include "res/GraphIds.h"

#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"
#include "support/WholeControls.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace GraphSetIds;
using Texts = std::vector<std::string>;

// The style tints the group boxes' insides a little.
bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 16 && std::abs(qGreen(a) - qGreen(b)) <= 16
        && std::abs(qBlue(a) - qBlue(b)) <= 16;
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
    Texts Entries() const
    {
        Texts entries;
        for (int i = 0; i < Combo()->count(); ++i)
            entries.push_back(Combo()->itemText(i).toStdString());
        return entries;
    }
    bool Checked(int id) const { return dlg->Controls().IsChecked(id); }
    void Click(int id)
    {
        QWidget* item = dlg->Item(id);
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    }

    std::unique_ptr<CGraphSetDlg> dlg;
    RecordingPresenter boxes;
};

TEST_F(GraphSetDlgTest, ListsTheLineAndShowsTheGraphLoggersChoice)
{
    Open(9);
    EXPECT_EQ(dlg->windowTitle(), "Graph Setting");
    EXPECT_EQ(Entries(), (Texts{"2", "5"}));
    EXPECT_EQ(Combo()->currentText(), "2");
    EXPECT_TRUE(Checked(SeriesChecks[0].a));
    EXPECT_FALSE(Checked(SeriesChecks[0].b));
    EXPECT_TRUE(Checked(SeriesChecks[6].b));
    EXPECT_FALSE(Checked(SeriesChecks[6].a));
    EXPECT_FALSE(Checked(SeriesChecks[1].a));
    // Written at once, whatever closes the dialog.
    EXPECT_EQ(Record().m_nScannedSensors, 9);
}

TEST_F(GraphSetDlgTest, ASingleLoggerListsOneAndAnUnlistedGraphLoggerSelectsTheFirst)
{
    Record().m_bSingle = 1;
    Open();
    EXPECT_EQ(Entries(), (Texts{"1"}));
    dlg.reset();

    Record().m_bSingle = 0;
    Record().m_nGraphLogger = 3; // ID 4, not on the line
    Record().m_bGraphSeriesB[1][2] = 1;
    Open();
    EXPECT_EQ(Combo()->currentText(), "2");
    EXPECT_TRUE(Checked(SeriesChecks[2].b)); // logger 2's flags
}

TEST_F(GraphSetDlgTest, AnotherLoggerKeepsTheBoxesAndSetStoresThemUnderIt)
{
    Open();
    Combo()->setCurrentIndex(1);
    EXPECT_TRUE(Checked(SeriesChecks[0].a));
    Click(SeriesChecks[3].a);
    Click(IDC_SET);
    EXPECT_EQ(dlg->result(), IDOK);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(Record().m_nGraphLogger, 4);
    EXPECT_EQ(Record().m_bGraphSeriesA[4][0], 1);
    EXPECT_EQ(Record().m_bGraphSeriesA[4][3], 1);
    EXPECT_EQ(Record().m_bGraphSeriesB[4][6], 1);
    EXPECT_EQ(Record().m_bGraphSeriesB[4][0], 0);
    // Logger 2's flags stay as they were.
    EXPECT_EQ(Record().m_bGraphSeriesA[1][3], 0);
    EXPECT_EQ(Record().m_bGraphSeriesB[1][6], 1);
}

TEST_F(GraphSetDlgTest, AAndBOfAChannelAreNeverBothChecked)
{
    Open();
    Click(SeriesChecks[0].b);
    EXPECT_TRUE(Checked(SeriesChecks[0].b));
    EXPECT_FALSE(Checked(SeriesChecks[0].a));
    Click(SeriesChecks[0].b);
    EXPECT_FALSE(Checked(SeriesChecks[0].b));
    EXPECT_FALSE(Checked(SeriesChecks[0].a));
    Click(SeriesChecks[6].a);
    EXPECT_TRUE(Checked(SeriesChecks[6].a));
    EXPECT_FALSE(Checked(SeriesChecks[6].b));
    // Other channels are left alone.
    EXPECT_FALSE(Checked(SeriesChecks[5].a));
}

TEST_F(GraphSetDlgTest, CancelEscAndTheCloseBoxKeepLoggerAndFlags)
{
    const LoggerRecord before = Record();
    for (const int way : {0, 1, 2}) {
        Open(3);
        Combo()->setCurrentIndex(1);
        Click(SeriesChecks[9].a);
        if (way == 0)
            Click(IDC_CANCEL);
        else if (way == 1)
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
        else
            dlg->close();
        EXPECT_EQ(dlg->result(), IDCANCEL) << way;
        EXPECT_FALSE(dlg->isVisible()) << way;
        EXPECT_EQ(Record().m_nGraphLogger, before.m_nGraphLogger);
        EXPECT_EQ(0,
            std::memcmp(
                Record().m_bGraphSeriesA, before.m_bGraphSeriesA, sizeof before.m_bGraphSeriesA));
        EXPECT_EQ(0,
            std::memcmp(
                Record().m_bGraphSeriesB, before.m_bGraphSeriesB, sizeof before.m_bGraphSeriesB));
        EXPECT_EQ(Record().m_nScannedSensors, 3);
    }
}

TEST_F(GraphSetDlgTest, TypedTextThatNamesNoListedLoggerStoresNothing)
{
    Open();
    QLineEdit* edit = Combo()->lineEdit();
    for (const char* typed : {"3", "", "x", "0"}) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        edit->setText(typed);
        Click(SeriesChecks[2].a);
        Click(IDC_SET);
        EXPECT_TRUE(dlg->isVisible()) << typed;
        EXPECT_EQ(Record().m_nGraphLogger, 1) << typed;
        EXPECT_EQ(Record().m_bGraphSeriesA[1][2], 0) << typed;
        Click(SeriesChecks[2].a);
    }
    // Typed text naming a listed ID counts as that entry; Enter sets too.
    edit->setText("5");
    Click(SeriesChecks[2].a);
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(Record().m_nGraphLogger, 4);
    EXPECT_EQ(Record().m_bGraphSeriesA[4][2], 1);
    EXPECT_TRUE(boxes.requests.empty());
}

TEST_F(GraphSetDlgTest, ColourSamplesAre26PixelsApartAnd28AfterTheSixth)
{
    const auto samples = CGraphSetDlg::ColourSamples(400, 700);
    EXPECT_EQ(samples[0].y, (700 - 93) / 16 + 93);
    EXPECT_EQ(samples[0].x1, 400 * 23 / 40);
    EXPECT_EQ(samples[0].x2, 400 * 36 / 40);
    for (size_t i = 1; i < samples.size(); ++i)
        EXPECT_EQ(samples[i].y - samples[i - 1].y, i == 6 ? 28 : 26) << i;

    Open();
    const QImage shot = dlg->grab().toImage();
    const auto drawn = CGraphSetDlg::ColourSamples(dlg->width(), dlg->height());
    for (size_t i = 0; i < drawn.size(); ++i) {
        const int x = (drawn[i].x1 + drawn[i].x2) / 2;
        for (const int dy : {-1, 0, 1})
            EXPECT_TRUE(Near(shot.pixel(x, drawn[i].y + dy), GraphSeriesColours[i]))
                << i << " " << dy;
        EXPECT_FALSE(Near(shot.pixel(x, drawn[i].y + 2), GraphSeriesColours[i])) << i;
    }
}

// Run at 100 % fonts and again at 125 % (tests/CMakeLists.txt).
TEST_F(GraphSetDlgTest, AtEachFontSizeNothingIsCutAndEachColourStaysBesideItsChannel)
{
    Open();
    // The template's margin of 7 units on the sides and at the bottom.
    ExpectControlsWhole(dlg.get(), dlg->MapDialogRect(7, 0, 203 - 14, 333 - 7));
    // Each sample within half a row of its channel's middle, its 3 pixels thick line whole.
    const QImage shot = dlg->grab().toImage();
    const int x = dlg->width() * 59 / 80;
    const int rowStep = dlg->Item(SeriesChecks[1].a)->y() - dlg->Item(SeriesChecks[0].a)->y();
    for (size_t ch = 0; ch < 16; ++ch) {
        const int middle = dlg->Item(SeriesChecks[ch].a)->geometry().center().y();
        int run = 0;
        int longest = 0;
        for (int y = middle - rowStep / 2; y <= middle + rowStep / 2; ++y) {
            run = Near(shot.pixel(x, y), GraphSeriesColours[ch]) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        EXPECT_GE(longest, 3) << "channel " << ch + 1;
    }
    EXPECT_TRUE(
        SaveScreenshot(dlg.get(), QStringLiteral("graph_settings_font%1").arg(FontScalePercent())));
}

} // namespace
