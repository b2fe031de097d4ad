#include "app/MeasuredReading.h"
#include "app/dialogs/TimerConfirmDlg.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "display/DataGraphDlg.h"
#include "display/GraphSetDlg.h"
#include "link/LoggerCommand.h"
#include "platform/DebugTrace.h"
#include "platform/Format.h"
#include "platform/TextNumber.h"
#include "res/GraphIds.h"

#include "loggersim/SimRecords.h"
#include "support/DialogInput.h"
#include "support/ModalDriver.h"
#include "support/Screenshot.h"
#include "support/WholeControls.h"
#include "support/sim/SimLineFixture.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QtEndian>

#include <functional>
#include <memory>

namespace {

using namespace GraphIds;

const Texts PassCommands = {"@01,01,address", "@01,01,save off", "@01,01,measure 00 01 00 0020",
    "@01,01,measure 03 04", "@01,01,measure 05 01 01 0020", "@01,01,save on"};
const char* const NotSaving = "No response from logger! The logger may not be saving its readings.";

std::vector<std::string>* g_trace = nullptr;
std::function<void()>* g_onMeasureTrace = nullptr;

void RecordTrace(const char* text)
{
    if (g_trace)
        g_trace->push_back(text);
    if (g_onMeasureTrace && std::string(text).find("MeasuredOne1") != std::string::npos)
        (*g_onMeasureTrace)();
}

// Acts once on the first window of class T to show while it lives, queued from that window's
// own loop: it never depends on how often the code under test lets events run.
template <class T> class ModalWatch : public QObject
{
public:
    explicit ModalWatch(std::function<void(T*)> act)
        : m_act(std::move(act))
    {
        QApplication::instance()->installEventFilter(this);
    }
    bool Done() const { return m_done; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* window = qobject_cast<T*>(object);
        if (!m_queued && window && event->type() == QEvent::Show) {
            m_queued = true;
            QTimer::singleShot(0, this, [this, window] {
                m_done = true;
                m_act(window);
            });
        }
        return false;
    }

private:
    std::function<void(T*)> m_act;
    bool m_queued = false;
    bool m_done = false;
};

// The graph window on an open simulated line (logger 1, seed 11), its popups quick, plotting
// reading A of channel 1 (index 0), reading B (mV) of channel 4 and reading A of channel 6.
class GraphWindowTest : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ShortSlices();
        CWaitPopupDlg::StartDelayMs = CWaitPopupDlg::CloseDelayMs = 1;
        ASSERT_TRUE(OpenPort());
        Channel(0).m_nVwType = 1;
        Channel(3).m_nAnalogType = MillivoltType;
        Channel(5).m_nVwType = 2;
        Record().m_bGraphSeriesA[0][0] = 1;
        Record().m_bGraphSeriesB[0][3] = 1;
        Record().m_bGraphSeriesA[0][5] = 1;
        Record().m_nGraphPeriod = 5;
        g_trace = &trace;
        SetTraceSink(&RecordTrace);
        Open();
    }
    void TearDown() override
    {
        SetTraceSink(nullptr);
        g_trace = nullptr;
        g_onMeasureTrace = nullptr;
        dlg.reset();
        CWaitPopupDlg::StartDelayMs = 100;
        CWaitPopupDlg::CloseDelayMs = 500;
        SimLineFixture::TearDown();
    }
    void Open()
    {
        dlg = std::make_unique<CDataGraphDlg>();
        dlg->Create();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    ChannelConfig& Channel(int ch) { return Record().m_units[0].m_channels[ch]; }
    QWidget* Item(int id) const { return dlg->Item(id); }
    bool Enabled(int id) const { return Item(id)->isEnabled(); }
    bool Armed() const { return dlg->IsTimerRunning(CDataGraphDlg::PeriodTimer); }
    // The armed interval, "Measure once" on, the button's caption and its check.
    std::string State() const
    {
        const int armed = Armed() ? dlg->TimerInterval(CDataGraphDlg::PeriodTimer) : 0;
        return FormatString("%d %d %s %d", armed, Enabled(IDC_MEASURE_ONCE),
            dlg->Controls().ItemText(IDC_NOW_MEASURE).c_str(),
            dlg->Controls().IsChecked(IDC_NOW_MEASURE));
    }
    void Click(int id)
    {
        QWidget* item = Item(id);
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    }
    void SetInterval(const char* text) { DialogInput::Type(dlg.get(), IDC_INTERVAL, text); }
    static void Soon(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }
    // The value plotted from the simulator's count-th reading (of all) of a channel.
    static float SimValue(int ch, int kind, uint64_t count)
    {
        const int raw = loggersim::SimReading(11, 1, ch, kind, count);
        const std::string reply = FormatString("%02d %d %06d", ch, kind, raw);
        const std::string line = ConvertMeasureReply(reply, kind == 1 ? 'A' : 'B', kind);
        return static_cast<float>(LeadingDouble(LoggerCommand::Field(line, 2)));
    }
    void PlotChannelOneOnly()
    {
        Record().m_bGraphSeriesB[0][3] = 0;
        Record().m_bGraphSeriesA[0][5] = 0;
    }
    // Before each channel's popup, the next reply becomes these bytes.
    void AnswerEachReadingWith(const std::string& bytes)
    {
        overrideReply = [this, bytes] { sim.OverrideNextReply(bytes); };
        g_onMeasureTrace = &overrideReply;
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
    QByteArray SavedFile() const
    {
        QFile file(QString::fromStdString(Folder() + "Site1.arg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A 32-bit number of the saved configuration file.
    int SavedInt(int offset) const
    {
        const QByteArray bytes = SavedFile().mid(offset, 4);
        return bytes.size() == 4 ? qFromLittleEndian<qint32>(bytes.constData()) : 0;
    }

    static constexpr int MillivoltType = 4;
    static constexpr int PeriodAt = 3952;
    std::unique_ptr<CDataGraphDlg> dlg;
    std::vector<std::string> trace;
    std::function<void()> overrideReply;
};

TEST_F(GraphWindowTest, OnePassSendsItsCommandsInOrderAndPlotsEachChosenReading)
{
    bool busyAndOff = false;
    Soon([&] {
        busyAndOff = dlg->m_bBusy && !Enabled(IDC_GRAPH_SET) && !Enabled(IDC_MEASURE_ONCE);
    });
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    EXPECT_TRUE(busyAndOff);
    EXPECT_TRUE(!dlg->m_bBusy && Enabled(IDC_MEASURE_ONCE) && Enabled(IDC_GRAPH_SET));
    EXPECT_EQ(dlg->m_nWritePos, 1);
    const auto& series = dlg->m_graph.m_fSeries;
    EXPECT_EQ((std::vector<float>{series[0][0], series[3][0], series[5][0]}),
        (std::vector<float>{SimValue(0, 1, 1), SimValue(3, MillivoltType, 2), SimValue(5, 1, 3)}));
    EXPECT_TRUE(boxes.requests.empty());
    // The trace of each reply carries the flag of reading A, also for channel 4's reading B.
    Texts flags;
    for (const std::string& text : trace)
        if (text.rfind("m_string_array1", 0) == 0)
            flags.push_back(text.substr(text.rfind('[')));
    EXPECT_EQ(flags, (Texts{"[1]\r\n", "[0]\r\n", "[1]\r\n"}));
}

// A graph logger stored outside the line reads as the first.
TEST_F(GraphWindowTest, TheSaveCheckKeepsTheSavePairOffAndAClickDuringAPassChangesNothing)
{
    Record().m_nGraphLogger = -3;
    Click(IDC_SAVE_READING);
    ASSERT_TRUE(dlg->Controls().IsChecked(IDC_SAVE_READING));
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(),
        (Texts{PassCommands[0], PassCommands[2], PassCommands[3], PassCommands[4]}));
    // Unchecked at the start of the pass, checked during it: "save on" still goes out.
    ClearReceived();
    Record().m_nGraphLogger = 9;
    Click(IDC_SAVE_READING);
    Soon([this] {
        Click(IDC_SAVE_READING);
        SetInterval("5");
        Click(IDC_NOW_MEASURE);
    });
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    EXPECT_TRUE(dlg->m_bSaveManualReading && sim.Saving(1));
    EXPECT_EQ(dlg->m_nWritePos, 2);
}

TEST_F(GraphWindowTest, ASilentLoggerOrALostLineGivesTheBoxAndTheWindowStaysUsable)
{
    sim.SetSilent(true);
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(boxes.Texts(), (Texts{"No response from logger!"}));
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,address"}));
    EXPECT_TRUE(!dlg->HasData() && Enabled(IDC_MEASURE_ONCE) && Enabled(IDC_GRAPH_SET));
    // Usable at once: the next click measures when the logger is back.
    sim.SetSilent(false);
    ClearReceived();
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    // The reply to the first measure vanishes with the line.
    boxes.requests.clear();
    sim.InjectFault(loggersim::SimFault::Vanish, 2);
    Click(IDC_MEASURE_ONCE);
    EXPECT_TRUE(sim.Vanished() && !dlg->m_bBusy && Enabled(IDC_MEASURE_ONCE));
    EXPECT_EQ(dlg->m_nWritePos, 2);
    EXPECT_EQ(boxes.Texts(), Texts{NotSaving});
}

TEST_F(GraphWindowTest, TheEleventhPassOverwritesTheOldest)
{
    PlotChannelOneOnly();
    for (int pass = 1; pass <= 11; ++pass) {
        Click(IDC_MEASURE_ONCE);
        EXPECT_EQ(dlg->m_bWrapped, pass >= 10) << pass;
        EXPECT_EQ(dlg->m_graph.m_nStart, pass % 10) << pass;
    }
    const float* values = dlg->m_graph.m_fSeries[0];
    EXPECT_EQ((std::vector<float>(values, values + 3)),
        (std::vector<float>{SimValue(0, 1, 11), SimValue(0, 1, 2), SimValue(0, 1, 3)}));
}

TEST_F(GraphWindowTest, ReadingsThatAreNoFiniteNumberInRangeOrNoneAreNotPlotted)
{
    PlotChannelOneOnly();
    for (const char* raw : {"", "inf", "nan", "1e13", "-30000000000"}) {
        AnswerEachReadingWith(FormatString("@01,01,measure 00 01%s%s\r\n", *raw ? " " : "", raw));
        Click(IDC_MEASURE_ONCE);
        EXPECT_TRUE(!dlg->HasData() && dlg->m_graph.m_bShown[0] == 0) << raw;
        EXPECT_FLOAT_EQ(dlg->m_fMax, -65535.0f) << raw;
    }
    // The ring still moved, and the picture keeps its empty axes.
    EXPECT_TRUE(dlg->m_nWritePos == 5 && dlg->Scale().top == 10 && dlg->Scale().step == 1.0f);
    // A first value sets the scale around it.
    AnswerEachReadingWith("@01,01,measure 00 01 012345\r\n");
    Click(IDC_MEASURE_ONCE);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][5], 1234.5f);
    EXPECT_EQ(dlg->Scale().top, 1244);
    EXPECT_FLOAT_EQ(dlg->Scale().step, 20.0f / 9.0f);
}

TEST_F(GraphWindowTest, ALostSaveOnIsTriedThreeTimesAndWarnedOfWhenAllFail)
{
    PlotChannelOneOnly();
    for (const int lost : {1, 3}) {
        // Reply lines: address, save off, measure, then the "save on" answers.
        ClearReceived();
        for (int line = 3; line < 3 + lost; ++line)
            sim.InjectFault(loggersim::SimFault::DropReply, line);
        Click(IDC_MEASURE_ONCE);
        const Texts sent = sim.Commands();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "@01,01,save on"), std::min(lost + 1, 3));
        EXPECT_EQ(boxes.Texts(), lost == 3 ? Texts{NotSaving} : Texts{}) << lost;
    }
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    // The reading came and is plotted all the same.
    EXPECT_TRUE(dlg->m_nWritePos == 2 && dlg->HasData());
}

// Run at 100 % fonts and again at 125 % (tests/CMakeLists.txt).
TEST_F(GraphWindowTest, AtEachFontSizeNothingIsCutAndTheControlsKeepTheirMargin)
{
    // The graph frame's margins: those of its sides at the sides, that of its top at the bottom.
    const QRect frame = Item(IDC_GRAPH_FRAME)->geometry();
    ExpectControlsWhole(dlg.get(), dlg->rect().adjusted(frame.x(), 0, -frame.x(), -frame.y()));
    EXPECT_TRUE(SaveScreenshot(dlg.get(), QStringLiteral("graph_font%1").arg(FontScalePercent())));
}

TEST_F(GraphWindowTest, NowMeasureTakesOneTo3600SecondsEachTickRunsAPassAndStopReturnsToIdle)
{
    // An interval that is no integer is refused, by the button and by Enter alike.
    SetInterval("12x");
    Click(IDC_NOW_MEASURE);
    EXPECT_TRUE(dlg->m_nInterval == 5 && !dlg->m_bRunning);
    EXPECT_EQ(State(), "0 1 &Now measure 0");
    SetInterval("");
    QTest::keyClick(Item(IDC_INTERVAL), Qt::Key_Return);
    EXPECT_EQ(boxes.Texts(), (Texts{"Please enter an integer.", "Please enter an integer."}));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Item(IDC_INTERVAL));
    const std::pair<const char*, bool> cases[]
        = {{"0", false}, {"3601", false}, {"1", true}, {"3600", true}};
    for (const auto& [text, good] : cases) {
        SetInterval(text);
        EXPECT_EQ(NowMeasure(), good ? "" : "Error: You should enter the from 1 to 3600!") << text;
        // The first pass comes a second after the start. Refused, the click's toggle stays as
        // it was given; the next click toggles it back.
        EXPECT_EQ(State(), good ? "1000 0 Stop 1" : "0 1 &Now measure 1") << text;
        SetInterval("5");
        EXPECT_EQ(NowMeasure(), "");
        EXPECT_FALSE(dlg->m_bRunning) << text;
        EXPECT_EQ(State(), "0 1 &Now measure 0") << text;
    }
    EXPECT_TRUE(sim.Commands().empty());
    SetInterval("7");
    EXPECT_EQ(NowMeasure(), "");
    // What the edit holds at the pass is taken, within 1..3600.
    const std::pair<const char*, int> ticks[]
        = {{"7", 7000}, {"0", 1000}, {"99999", 3600000}, {"2147483647", 3600000}, {"3", 3000}};
    for (const auto& [text, ms] : ticks) {
        SetInterval(text);
        dlg->OnTimer(CDataGraphDlg::PeriodTimer);
        EXPECT_EQ(dlg->TimerInterval(CDataGraphDlg::PeriodTimer), ms) << text;
        EXPECT_FALSE(Enabled(IDC_MEASURE_ONCE));
    }
    dlg->OnTimer(2); // another timer's id does nothing
    EXPECT_EQ(dlg->m_nWritePos, 5);
    // Stopped: a late tick measures once and arms nothing.
    EXPECT_EQ(NowMeasure(), "");
    dlg->OnTimer(CDataGraphDlg::PeriodTimer);
    EXPECT_EQ(dlg->m_nWritePos, 6);
    EXPECT_FALSE(Armed());
}

TEST_F(GraphWindowTest, GraphSetIsOffDuringAPassCancelKeepsTheRingAndSetResetsIt)
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
    EXPECT_TRUE(Record().m_bGraphSeriesA[0][1] == 0 && dlg->m_nWritePos == 1 && dlg->HasData());
    GraphSet(GraphSetIds::IDC_SET);
    EXPECT_TRUE(Record().m_bGraphSeriesA[0][1] == 1 && dlg->m_nWritePos == 0 && !dlg->HasData());
    EXPECT_TRUE(dlg->m_graph.m_bShown[0] == 0 && dlg->m_graph.m_fSeries[0][0] == 0.0f);
}

TEST_F(GraphWindowTest, EnterAndEscSaveTheConfigurationAndAFailedSaveIsReported)
{
    // Esc keeps the last interval read, clamped.
    SetInterval("0");
    Click(IDC_MEASURE_ONCE); // reads 0
    SetInterval("9"); // never read
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible() || Armed());
    EXPECT_EQ(Record().m_nGraphPeriod, 1);
    EXPECT_EQ(SavedInt(PeriodAt), 1);
    // Enter saves period, graph logger, series and scanned count.
    Record().m_nGraphLogger = 0;
    Record().m_nScannedSensors = 12;
    Open();
    SetInterval("42");
    QTest::keyClick(Item(IDC_INTERVAL), Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), IDOK);
    const QByteArray file = SavedFile();
    ASSERT_EQ(file.size(), 3960);
    EXPECT_EQ((std::vector<int>{SavedInt(PeriodAt), SavedInt(3276), SavedInt(3956)}),
        (std::vector<int>{42, 0, 12}));
    EXPECT_EQ(file.mid(3280, 6) + file.mid(3395, 1), QByteArray::fromHex("01000000000101"));
    EXPECT_TRUE(boxes.requests.empty());
    Open();
    SetFieldText(Record().m_szDataFolder, Folder() + "missing/");
    dlg->close();
    EXPECT_EQ(boxes.Texts(),
        (Texts{"The configuration file " + Folder() + "missing/Site1.arg could not be written."}));
}

// Closed while the pass's first reading runs: that reading ends, no other begins, the logger
// is told to save again and no timer is left.
TEST_F(GraphWindowTest, ClosingDuringAPassEndsItWithSaveOnAndArmsNothing)
{
    SetInterval("3");
    EXPECT_EQ(NowMeasure(), "");
    ModalWatch<CWaitPopupDlg> esc(
        [this](CWaitPopupDlg*) { QTest::keyClick(dlg.get(), Qt::Key_Escape); });
    dlg->OnTimer(CDataGraphDlg::PeriodTimer);
    EXPECT_TRUE(esc.Done());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(sim.Commands(),
        (Texts{PassCommands[0], PassCommands[1], PassCommands[2], "@01,01,save on"}));
    EXPECT_TRUE(sim.Saving(1));
    EXPECT_FALSE(Armed());
    EXPECT_EQ(SavedInt(PeriodAt), 3);
    dlg->OnTimer(CDataGraphDlg::PeriodTimer); // a late tick measures nothing
    EXPECT_EQ(sim.Commands().size(), 4u);
}

} // namespace
