#include "GraphWindowFixture.h"

#include "platform/DebugTrace.h"

#include "support/Screenshot.h"
#include "support/WholeControls.h"

namespace {

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

class GraphWindowTest : public GraphWindowFixture
{
protected:
    void SetUp() override
    {
        GraphWindowFixture::SetUp();
        // A reply late on a loaded machine must not pass for a lost one: "save on" waits 200 ms.
        CSerialCom::SetSliceMs(20);
        g_trace = &trace;
        SetTraceSink(&RecordTrace);
        Open();
    }
    void TearDown() override
    {
        SetTraceSink(nullptr);
        g_trace = nullptr;
        g_onMeasureTrace = nullptr;
        GraphWindowFixture::TearDown();
    }
    // Only reading A of channel 1 plotted.
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

    std::vector<std::string> trace;
    std::function<void()> overrideReply;
};

TEST_F(GraphWindowTest, OnePassSendsItsCommandsInOrderAndPlotsEachChosenReading)
{
    bool busyDuringPass = false;
    bool enabledDuringPass = true;
    Soon([&] {
        busyDuringPass = dlg->m_bBusy;
        enabledDuringPass = Enabled(IDC_GRAPH_SET) || Enabled(IDC_MEASURE_ONCE);
    });
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    EXPECT_TRUE(busyDuringPass);
    EXPECT_FALSE(enabledDuringPass);
    EXPECT_FALSE(dlg->m_bBusy);
    EXPECT_TRUE(Enabled(IDC_MEASURE_ONCE) && Enabled(IDC_GRAPH_SET));
    EXPECT_EQ(dlg->m_nWritePos, 1);
    const float a0 = SimValue(0, 1, 1);
    const float b3 = SimValue(3, MillivoltType, 2);
    const float a5 = SimValue(5, 1, 3);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][0], a0);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[3][0], b3);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[5][0], a5);
    const int shown[16] = {1, 0, 0, 1, 0, 1};
    EXPECT_TRUE(std::equal(std::begin(shown), std::end(shown), dlg->m_graph.m_bShown));
    EXPECT_TRUE(boxes.requests.empty());
    // The scale spans the values with 10 to spare; its top label is the top truncated.
    const float top = std::max({a0, b3, a5}) + 10.0f;
    const float bottom = std::min({a0, b3, a5}) - 10.0f;
    EXPECT_EQ(dlg->Scale().top, static_cast<int>(top));
    EXPECT_FLOAT_EQ(dlg->Scale().step, static_cast<float>((top - bottom) / 9.0));
    // The window's trace of each reply, among the link's.
    Texts replies;
    for (const std::string& text : trace)
        if (text.rfind("m_string_array1", 0) == 0 || text.rfind("m_string_array2", 0) == 0)
            replies.push_back(text);
    ASSERT_EQ(replies.size(), 6u);
    EXPECT_EQ(replies[0], FormatString("m_string_array1 [0] [0] [00 1 %.1f] [1]\r\n", a0));
    EXPECT_EQ(replies[1], FormatString("m_string_array2 [%.1f]\r\n", a0));
    // Channel 4's reading B: the flag shown is that of reading A.
    EXPECT_EQ(replies[2].rfind("m_string_array1 [3] [0] [03 4 ", 0), 0u) << replies[2];
    EXPECT_EQ(replies[2].substr(replies[2].size() - 6), " [0]\r\n");
}

TEST_F(GraphWindowTest, WithTheSaveCheckNoSavePairGoesOutAndAClickDuringAPassChangesNothing)
{
    Click(IDC_SAVE_READING);
    ASSERT_TRUE(dlg->Controls().IsChecked(IDC_SAVE_READING));
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(),
        (Texts{PassCommands[0], PassCommands[2], PassCommands[3], PassCommands[4]}));
    // Unchecked at the start of the pass, checked during it: "save on" still goes out.
    ClearReceived();
    Click(IDC_SAVE_READING);
    Soon([this] {
        Click(IDC_SAVE_READING);
        SetInterval("5");
        Click(IDC_NOW_MEASURE);
    });
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    EXPECT_TRUE(dlg->m_bSaveManualReading);
    EXPECT_TRUE(sim.Saving(1));
}

TEST_F(GraphWindowTest, ASilentLoggerOrALostLineGivesTheBoxAndTheWindowStaysUsable)
{
    sim.SetSilent(true);
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(boxes.Texts(), (Texts{"No response from logger!"}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,address"}));
    EXPECT_EQ(dlg->m_nWritePos, 0);
    EXPECT_FALSE(dlg->HasData());
    EXPECT_TRUE(Enabled(IDC_MEASURE_ONCE) && Enabled(IDC_GRAPH_SET));
    // Usable at once: the next click measures when the logger is back.
    sim.SetSilent(false);
    ClearReceived();
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    EXPECT_EQ(dlg->m_nWritePos, 1);
    // The reply to the first measure vanishes with the line.
    boxes.requests.clear();
    sim.InjectFault(loggersim::SimFault::Vanish, 2);
    Click(IDC_MEASURE_ONCE);
    EXPECT_TRUE(sim.Vanished());
    EXPECT_FALSE(dlg->m_bBusy);
    EXPECT_EQ(dlg->m_nWritePos, 2);
    EXPECT_TRUE(Enabled(IDC_MEASURE_ONCE));
    ASSERT_FALSE(boxes.requests.empty());
    EXPECT_EQ(boxes.requests.back().text, NotSaving);
    boxes.requests.clear();
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(boxes.Texts(), (Texts{"No response from logger!"}));
}

TEST_F(GraphWindowTest, AFirstValueSetsTheScaleAroundItAndTheEleventhPassOverwritesTheOldest)
{
    PlotChannelOneOnly();
    for (int pass = 1; pass <= 10; ++pass) {
        Click(IDC_MEASURE_ONCE);
        EXPECT_EQ(dlg->m_bWrapped, pass == 10) << pass;
        if (pass > 1)
            continue;
        const float v = SimValue(0, 1, 1);
        EXPECT_EQ(dlg->Scale().top, static_cast<int>(v + 10.0f));
        EXPECT_FLOAT_EQ(dlg->Scale().step, 20.0f / 9.0f);
        EXPECT_FLOAT_EQ(dlg->m_fMin, v - 10.0f);
    }
    EXPECT_EQ(dlg->m_nWritePos, 0);
    EXPECT_EQ(dlg->m_graph.m_nStart, 0);
    for (int slot = 0; slot < 10; ++slot)
        EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][slot], SimValue(0, 1, slot + 1)) << slot;
    Click(IDC_MEASURE_ONCE);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][0], SimValue(0, 1, 11));
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][1], SimValue(0, 1, 2));
    EXPECT_EQ(dlg->m_graph.m_nStart, 1);
}

TEST_F(GraphWindowTest, ReadingsThatAreNoFiniteNumberInRangeOrNoneAreNotPlotted)
{
    PlotChannelOneOnly();
    for (const char* raw : {"", "inf", "nan", "1e13", "-30000000000"}) {
        AnswerEachReadingWith(FormatString("@01,01,measure 00 01%s%s\r\n", *raw ? " " : "", raw));
        Click(IDC_MEASURE_ONCE);
        EXPECT_FALSE(dlg->HasData()) << raw;
        EXPECT_EQ(dlg->m_graph.m_bShown[0], 0) << raw;
        EXPECT_FLOAT_EQ(dlg->m_fMax, -65535.0f) << raw;
    }
    // The ring still moved, and the picture keeps its empty axes.
    EXPECT_EQ(dlg->m_nWritePos, 5);
    EXPECT_EQ(dlg->Scale().top, 10);
    EXPECT_FLOAT_EQ(dlg->Scale().step, 1.0f);
    AnswerEachReadingWith("@01,01,measure 00 01 012345\r\n");
    Click(IDC_MEASURE_ONCE);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][5], 1234.5f);
    EXPECT_TRUE(dlg->HasData());
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
    EXPECT_EQ(dlg->m_nWritePos, 2);
    EXPECT_TRUE(dlg->HasData());
}

TEST_F(GraphWindowTest, AGraphLoggerOutsideTheLineReadsAsTheFirst)
{
    Record().m_nGraphLogger = 9;
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    ClearReceived();
    Record().m_nGraphLogger = -3;
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands().front(), PassCommands[0]);
    EXPECT_EQ(dlg->m_nWritePos, 2);
}

// Run at 100 % fonts and again at 125 % (tests/CMakeLists.txt).
TEST_F(GraphWindowTest, AtEachFontSizeNothingIsCutAndTheControlsKeepTheirMargin)
{
    // Every control keeps the graph frame's margins: those of its sides at the sides, that of
    // its top at the bottom.
    const QRect frame = Item(IDC_GRAPH_FRAME)->geometry();
    ExpectControlsWhole(dlg.get(), dlg->rect().adjusted(frame.x(), 0, -frame.x(), -frame.y()));
    EXPECT_TRUE(SaveScreenshot(dlg.get(), QStringLiteral("graph_font%1").arg(FontScalePercent())));
}

} // namespace
