#include "GraphWindowFixture.h"
#include "ModalWatch.h"

#include "app/dialogs/TimerConfirmDlg.h"
#include "display/GraphSetDlg.h"

#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QFile>

#include <cstring>

namespace {

class GraphWindowControlsTest : public GraphWindowFixture
{
protected:
    void SetUp() override
    {
        GraphWindowFixture::SetUp();
        // The logger answers every command here: with the line's own slices a reply slowed
        // by a busy machine is never taken for silence.
        CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
        Open();
    }
    // Clicks "&Now measure" and returns the text of the "Error" message it gave, "" if none.
    std::string NowMeasure()
    {
        std::string error;
        ModalWatch<CTimerConfirmDlg> watch([&error](CTimerConfirmDlg* box) {
            error = box->windowTitle().toStdString() + ": " + box->m_strText;
            RejectModal(box);
        });
        Click(IDC_NOW_MEASURE);
        return error;
    }
    // Opens the graph settings, ticks reading A of channel 2 and leaves with the button.
    void GraphSet(int button)
    {
        ModalWatch<CGraphSetDlg> watch([button](CGraphSetDlg* settings) {
            QTest::mouseClick(settings->Item(GraphSetIds::SeriesChecks[1].a), Qt::LeftButton);
            QTest::mouseClick(settings->Item(button), Qt::LeftButton);
        });
        Click(IDC_GRAPH_SET);
        EXPECT_TRUE(watch.Done());
    }
    // A 32-bit number of the saved configuration file.
    int SavedInt(int offset) const { return Int32At(SavedFile(), offset); }
    QByteArray SavedFile() const
    {
        QFile file(QString::fromStdString(Folder() + "Site1.arg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static int Int32At(const QByteArray& bytes, int offset)
    {
        int32_t value = 0;
        if (offset + 4 <= bytes.size())
            std::memcpy(&value, bytes.constData() + offset, sizeof value);
        return value;
    }
    bool Armed() const { return dlg->IsTimerRunning(CDataGraphDlg::PeriodTimer); }
    static constexpr int PeriodAt = 3952;
};

TEST_F(GraphWindowControlsTest, TheWindowOpensOnTheStoredPeriodAndItsLayoutFollowsItsSize)
{
    EXPECT_EQ(dlg->ItemAs<QLineEdit>(IDC_INTERVAL)->text(), "5");
    EXPECT_FALSE(dlg->Controls().IsChecked(IDC_NOW_MEASURE));
    Click(IDC_MEASURE_ONCE);
    Click(IDC_MEASURE_ONCE);
    dlg->resize(dlg->TemplateSize());
    QApplication::processEvents();
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "graph"));
    dlg->resize(900, 500);
    QApplication::processEvents();
    EXPECT_EQ(Item(IDC_GRAPH_FRAME)->geometry(), QRect(13, 9, 900 - 26, 500 - 60));
    EXPECT_EQ(Item(IDC_GRAPH_SET)->geometry().topRight(), QPoint(900 - 14, 500 - 40));
    EXPECT_EQ(Item(IDC_INTERVAL)->geometry(), QRect(450 - 55, 500 - 38, 53, 25));
    EXPECT_EQ(dlg->m_rcGraph, GdiRect(15, 20, 900 - 16, 500 - 40));
    // Too small for a plot: the window draws what fits.
    dlg->resize(90, 70);
    QApplication::processEvents();
    EXPECT_FALSE(dlg->grab().isNull());
    EXPECT_EQ(dlg->m_graph.m_nPlotWidth, 90 - 31 - 71);
}

TEST_F(GraphWindowControlsTest, NowMeasureTakesOneTo3600SecondsAndStopReturnsToIdle)
{
    // An interval that is no integer is refused, by the button and by Enter alike.
    SetInterval("12x");
    Click(IDC_NOW_MEASURE);
    EXPECT_TRUE(dlg->m_nInterval == 5 && !dlg->m_bRunning && !Armed());
    EXPECT_FALSE(dlg->Controls().IsChecked(IDC_NOW_MEASURE));
    SetInterval("");
    EnterInInterval();
    EXPECT_EQ(boxes.Texts(), (Texts{"Please enter an integer.", "Please enter an integer."}));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Item(IDC_INTERVAL));
    for (const char* bad : {"0", "3601"}) {
        SetInterval(bad);
        EXPECT_EQ(NowMeasure(), "Error: You should enter the from 1 to 3600!") << bad;
        EXPECT_FALSE(Armed());
        EXPECT_EQ(Caption(IDC_NOW_MEASURE), "&Now measure");
        // The click's toggle stays as it was given; the next click toggles it back.
        EXPECT_TRUE(dlg->Controls().IsChecked(IDC_NOW_MEASURE));
        SetInterval("5");
        EXPECT_EQ(NowMeasure(), "");
        EXPECT_FALSE(dlg->m_bRunning);
    }
    for (const char* good : {"1", "3600"}) {
        SetInterval(good);
        EXPECT_EQ(NowMeasure(), "") << good;
        EXPECT_TRUE(dlg->m_bRunning && !Enabled(IDC_MEASURE_ONCE));
        EXPECT_EQ(Caption(IDC_NOW_MEASURE), "Stop");
        // The first pass comes a second after the start.
        EXPECT_EQ(dlg->TimerInterval(CDataGraphDlg::PeriodTimer), 1000);
        EXPECT_EQ(NowMeasure(), "");
        EXPECT_TRUE(!dlg->m_bRunning && Enabled(IDC_MEASURE_ONCE) && !Armed());
        EXPECT_EQ(Caption(IDC_NOW_MEASURE), "&Now measure");
    }
    EXPECT_TRUE(sim.Commands().empty());
}

TEST_F(GraphWindowControlsTest, TheTimerRunsAPassAndReArmsWithTheIntervalKeptInRange)
{
    SetInterval("7");
    EXPECT_EQ(NowMeasure(), "");
    dlg->OnTimer(CDataGraphDlg::PeriodTimer);
    EXPECT_EQ(dlg->m_nWritePos, 1);
    EXPECT_EQ(dlg->TimerInterval(CDataGraphDlg::PeriodTimer), 7000);
    EXPECT_FALSE(Enabled(IDC_MEASURE_ONCE));
    // What the edit holds at the pass is taken, within 1..3600.
    const std::pair<const char*, int> cases[]
        = {{"0", 1000}, {"99999", 3600000}, {"2147483647", 3600000}, {"3", 3000}};
    for (const auto& [text, ms] : cases) {
        SetInterval(text);
        dlg->OnTimer(CDataGraphDlg::PeriodTimer);
        EXPECT_EQ(dlg->TimerInterval(CDataGraphDlg::PeriodTimer), ms) << text;
    }
    dlg->OnTimer(2); // another timer's id does nothing
    EXPECT_EQ(dlg->m_nWritePos, 5);
    // Stopped: a late tick measures once and arms nothing.
    EXPECT_EQ(NowMeasure(), "");
    dlg->OnTimer(CDataGraphDlg::PeriodTimer);
    EXPECT_EQ(dlg->m_nWritePos, 6);
    EXPECT_FALSE(Armed());
}

TEST_F(GraphWindowControlsTest, GraphSetIsOffDuringAPassCancelKeepsTheRingAndSetResetsIt)
{
    bool refused = false;
    Soon([&] {
        ClearReceived();
        Click(IDC_GRAPH_SET);
        dlg->OnBnClickedGraphSet();
        refused = !Enabled(IDC_GRAPH_SET);
    });
    Click(IDC_MEASURE_ONCE);
    EXPECT_TRUE(refused);
    for (const std::string& command : sim.Commands())
        EXPECT_EQ(command.find("channel"), std::string::npos) << command;
    ASSERT_EQ(dlg->m_nWritePos, 1);
    ClearReceived();
    GraphSet(GraphSetIds::IDC_CANCEL);
    EXPECT_EQ(sim.Commands().front(), "@01,01,channel all");
    EXPECT_EQ(Record().m_nScannedSensors, 32);
    EXPECT_EQ(Record().m_bGraphSeriesA[0][1], 0);
    EXPECT_TRUE(dlg->m_nWritePos == 1 && dlg->HasData());
    GraphSet(GraphSetIds::IDC_SET);
    EXPECT_EQ(Record().m_bGraphSeriesA[0][1], 1);
    EXPECT_TRUE(dlg->m_nWritePos == 0 && !dlg->HasData() && dlg->m_graph.m_bShown[0] == 0);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][0], 0.0f);
    EXPECT_FLOAT_EQ(dlg->m_fMax, -65535.0f);
}

TEST_F(GraphWindowControlsTest, EnterSavesPeriodGraphLoggerSeriesAndScannedCount)
{
    Record().m_nGraphLogger = 0;
    Record().m_nScannedSensors = 12;
    SetInterval("42");
    EnterInInterval();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), IDOK);
    const QByteArray file = SavedFile();
    ASSERT_EQ(file.size(), 3960);
    EXPECT_EQ(Int32At(file, PeriodAt), 42);
    EXPECT_EQ(Int32At(file, 3276), 0);
    EXPECT_EQ(Int32At(file, 3956), 12);
    EXPECT_EQ(file.mid(3280, 6), QByteArray::fromHex("010000000001"));
    EXPECT_EQ(file[3392 + 3], 1);
    EXPECT_TRUE(boxes.requests.empty());
}

TEST_F(GraphWindowControlsTest, EscSavesTheLastReadIntervalClampedAndAFailedSaveIsReported)
{
    SetInterval("0");
    Click(IDC_MEASURE_ONCE); // reads 0
    SetInterval("9"); // never read
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(Record().m_nGraphPeriod, 1);
    EXPECT_EQ(SavedInt(PeriodAt), 1);
    EXPECT_FALSE(Armed());
    Open();
    SetFieldText(Record().m_szDataFolder, Folder() + "missing/");
    dlg->close();
    EXPECT_EQ(boxes.Texts(),
        (Texts{"The configuration file " + Folder() + "missing/Site1.arg could not be written."}));
}

// The window is closed while the pass's first reading runs: that reading ends, no other
// begins, the logger is told to save again and no timer is left.
TEST_F(GraphWindowControlsTest, ClosingDuringAPassEndsItWithSaveOnAndArmsNothing)
{
    SetInterval("3");
    EXPECT_EQ(NowMeasure(), "");
    ModalWatch<CWaitPopupDlg> esc(
        [this](CWaitPopupDlg*) { QTest::keyClick(dlg.get(), Qt::Key_Escape); });
    dlg->OnTimer(CDataGraphDlg::PeriodTimer);
    EXPECT_TRUE(esc.Done());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,address", "@01,01,save off", "@01,01,measure 00 01 00 0020",
            "@01,01,save on"}));
    EXPECT_TRUE(sim.Saving(1));
    EXPECT_FALSE(Armed());
    EXPECT_EQ(SavedInt(PeriodAt), 3);
    dlg->OnTimer(CDataGraphDlg::PeriodTimer); // a late tick measures nothing
    EXPECT_EQ(sim.Commands().size(), 4u);
}

} // namespace
