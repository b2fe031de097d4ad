#include "GraphWindowFixture.h"

#include "platform/DebugTrace.h"

#include "support/Screenshot.h"
#include "support/WholeControls.h"

namespace {

const Texts PassCommands = {"@01,01,address", "@01,01,save off", "@01,01,measure 00 01 00 0020",
    "@01,01,measure 03 04", "@01,01,measure 05 01 01 0020", "@01,01,save on"};

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
    EXPECT_FALSE(dlg->HasData());
    EXPECT_EQ(dlg->Scale().top, 10);
    EXPECT_FLOAT_EQ(dlg->Scale().step, 1.0f);
    bool busyDuringPass = false;
    bool graphSetDuringPass = true;
    bool measureDuringPass = true;
    Soon([&] {
        busyDuringPass = dlg->m_bBusy;
        graphSetDuringPass = Enabled(IDC_GRAPH_SET);
        measureDuringPass = Enabled(IDC_MEASURE_ONCE);
    });
    Click(IDC_MEASURE_ONCE);

    EXPECT_EQ(sim.Commands(), PassCommands);
    EXPECT_TRUE(busyDuringPass);
    EXPECT_FALSE(graphSetDuringPass);
    EXPECT_FALSE(measureDuringPass);
    EXPECT_FALSE(dlg->m_bBusy);
    EXPECT_TRUE(Enabled(IDC_MEASURE_ONCE));
    EXPECT_TRUE(Enabled(IDC_GRAPH_SET));
    EXPECT_EQ(dlg->m_nWritePos, 1);
    EXPECT_EQ(dlg->m_graph.m_nStart, 1);
    const float a0 = SimValue(0, 1, 1);
    const float b3 = SimValue(3, MillivoltType, 2);
    const float a5 = SimValue(5, 1, 3);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][0], a0);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[3][0], b3);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[5][0], a5);
    const int shown[16] = {1, 0, 0, 1, 0, 1};
    EXPECT_TRUE(std::equal(std::begin(shown), std::end(shown), dlg->m_graph.m_bShown));
    EXPECT_TRUE(sim.Saving(1));
    EXPECT_TRUE(boxes.requests.empty());

    // The scale spans the values with 10 to spare; its top label is the top truncated.
    const float top = std::max({a0, b3, a5}) + 10.0f;
    const float bottom = std::min({a0, b3, a5}) - 10.0f;
    EXPECT_TRUE(dlg->HasData());
    EXPECT_EQ(dlg->Scale().top, static_cast<int>(top));
    EXPECT_FLOAT_EQ(dlg->Scale().step, static_cast<float>((top - bottom) / 9.0));

    // The window's trace of the first channel, among the link's.
    Texts first;
    for (const std::string& text : trace) {
        if (text.find("MeasuredOne") != std::string::npos || text.rfind("m_string_array1", 0) == 0
            || text.rfind("m_string_array2", 0) == 0)
            first.push_back(text);
    }
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(first[0], "-------------------MeasuredOne1\r\n");
    EXPECT_EQ(first[1], "-----------------------MeasuredOne2\r\n");
    EXPECT_EQ(first[2], FormatString("m_string_array1 [0] [0] [00 1 %.1f] [1]\r\n", a0));
    EXPECT_EQ(first[3], FormatString("m_string_array2 [%.1f]\r\n", a0));
    // Channel 4's reading B: the flag shown is that of reading A.
    EXPECT_EQ(first[6].rfind("m_string_array1 [3] [0] [03 4 ", 0), 0u) << first[6];
    EXPECT_EQ(first[6].substr(first[6].size() - 6), " [0]\r\n");
}

TEST_F(GraphWindowTest, WithTheSaveCheckNoSavePairGoesOutAndAClickDuringAPassChangesNothing)
{
    Click(IDC_SAVE_READING);
    ASSERT_TRUE(dlg->Controls().IsChecked(IDC_SAVE_READING));
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,address", "@01,01,measure 00 01 00 0020", "@01,01,measure 03 04",
            "@01,01,measure 05 01 01 0020"}));

    // Unchecked at the start of the pass, checked during it: "save on" still goes out.
    sim.ClearReceived();
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

TEST_F(GraphWindowTest, ASilentLoggerGivesTheBoxAndLeavesTheGraphAsItWas)
{
    sim.SetSilent(true);
    Click(IDC_MEASURE_ONCE);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, "No response from logger!");
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,address"}));
    EXPECT_EQ(dlg->m_nWritePos, 0);
    EXPECT_FALSE(dlg->HasData());
    EXPECT_TRUE(Enabled(IDC_MEASURE_ONCE));
    EXPECT_TRUE(Enabled(IDC_GRAPH_SET));

    // Usable at once: the next click measures when the logger is back.
    sim.SetSilent(false);
    sim.ClearReceived();
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    EXPECT_EQ(dlg->m_nWritePos, 1);
}

TEST_F(GraphWindowTest, TenPassesWrapAndTheEleventhOverwritesTheOldest)
{
    Record().m_bGraphSeriesB[0][3] = 0;
    Record().m_bGraphSeriesA[0][5] = 0;
    for (int pass = 1; pass <= 10; ++pass) {
        Click(IDC_MEASURE_ONCE);
        EXPECT_EQ(dlg->m_bWrapped, pass == 10) << pass;
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

TEST_F(GraphWindowTest, AFirstValueSetsTheScaleAroundIt)
{
    Record().m_bGraphSeriesB[0][3] = 0;
    Record().m_bGraphSeriesA[0][5] = 0;
    Click(IDC_MEASURE_ONCE);
    const float v = SimValue(0, 1, 1);
    EXPECT_EQ(dlg->Scale().top, static_cast<int>(v + 10.0f));
    EXPECT_FLOAT_EQ(dlg->Scale().step, 20.0f / 9.0f);
    EXPECT_FLOAT_EQ(dlg->m_fMax, v + 10.0f);
    EXPECT_FLOAT_EQ(dlg->m_fMin, v - 10.0f);
}

TEST_F(GraphWindowTest, ReadingsThatAreNoFiniteNumberInRangeAreNotPlotted)
{
    Record().m_bGraphSeriesB[0][3] = 0;
    Record().m_bGraphSeriesA[0][5] = 0;
    for (const char* raw : {"inf", "nan", "1e13", "-30000000000"}) {
        AnswerEachReadingWith(FormatString("@01,01,measure 00 01 %s\r\n", raw));
        Click(IDC_MEASURE_ONCE);
        EXPECT_FALSE(dlg->HasData()) << raw;
        EXPECT_EQ(dlg->m_graph.m_bShown[0], 0) << raw;
        EXPECT_FLOAT_EQ(dlg->m_fMax, -65535.0f) << raw;
    }
    // The ring still moved, and the picture keeps its empty axes.
    EXPECT_EQ(dlg->m_nWritePos, 4);
    EXPECT_EQ(dlg->Scale().top, 10);
    AnswerEachReadingWith("@01,01,measure 00 01 012345\r\n");
    Click(IDC_MEASURE_ONCE);
    EXPECT_FLOAT_EQ(dlg->m_graph.m_fSeries[0][4], 1234.5f);
    EXPECT_TRUE(dlg->HasData());
}

TEST_F(GraphWindowTest, APassWithoutAnyValueKeepsTheEmptyAxes)
{
    Record().m_bGraphSeriesB[0][3] = 0;
    Record().m_bGraphSeriesA[0][5] = 0;
    AnswerEachReadingWith("@01,01,measure 00 01\r\n");
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(dlg->m_nWritePos, 1);
    EXPECT_FALSE(dlg->HasData());
    EXPECT_EQ(dlg->Scale().top, 10);
    EXPECT_FLOAT_EQ(dlg->Scale().step, 1.0f);
}

TEST_F(GraphWindowTest, ALostSaveOnIsTriedThreeTimesAndWarnedOfWhenAllFail)
{
    Record().m_bGraphSeriesB[0][3] = 0;
    Record().m_bGraphSeriesA[0][5] = 0;
    // Reply lines: address, save off, measure, then the "save on" answers.
    sim.InjectFault(loggersim::SimFault::DropReply, 3);
    Click(IDC_MEASURE_ONCE);
    EXPECT_TRUE(boxes.requests.empty());
    const Texts once = sim.Commands();
    EXPECT_EQ(std::count(once.begin(), once.end(), "@01,01,save on"), 2);
    EXPECT_TRUE(sim.Saving(1));

    sim.ClearReceived();
    for (int line = 3; line <= 5; ++line)
        sim.InjectFault(loggersim::SimFault::DropReply, line);
    Click(IDC_MEASURE_ONCE);
    const Texts commands = sim.Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "@01,01,save on"), 3);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text,
        "No response from logger! The logger may not be saving its readings.");
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    // The reading came and is plotted all the same.
    EXPECT_EQ(dlg->m_nWritePos, 2);
    EXPECT_TRUE(dlg->HasData());
}

TEST_F(GraphWindowTest, ALineThatGoesAwayMidPassEndsThePassAndTheWindowStaysUsable)
{
    // The reply to the first measure vanishes with the line.
    sim.InjectFault(loggersim::SimFault::Vanish, 2);
    Click(IDC_MEASURE_ONCE);
    EXPECT_TRUE(sim.Vanished());
    EXPECT_FALSE(dlg->m_bBusy);
    EXPECT_EQ(dlg->m_nWritePos, 1);
    EXPECT_FALSE(dlg->HasData());
    EXPECT_TRUE(Enabled(IDC_MEASURE_ONCE));
    ASSERT_FALSE(boxes.requests.empty());
    EXPECT_EQ(boxes.requests.back().text,
        "No response from logger! The logger may not be saving its readings.");
    boxes.requests.clear();
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(boxes.Texts(), (Texts{"No response from logger!"}));
}

TEST_F(GraphWindowTest, AGraphLoggerOutsideTheLineReadsAsTheFirst)
{
    Record().m_nGraphLogger = 9;
    Click(IDC_MEASURE_ONCE);
    EXPECT_EQ(sim.Commands(), PassCommands);
    Record().m_nGraphLogger = -3;
    Click(IDC_MEASURE_ONCE);
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
