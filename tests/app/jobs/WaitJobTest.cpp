#include "app/WaitJob.h"
#include "app/WaitMode.h"

#include "support/sim/SimLineFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

using Texts = std::vector<std::string>;
using Positions = std::vector<int>;
using loggersim::SimChannel;
using loggersim::SimFault;

constexpr const char* NoResponse = "No response from logger!";

// The jobs on an open simulated line with 1 ms slices; the bar's range and every position
// it was moved to are recorded.
class WaitJobTest : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ShortSlices();
        ASSERT_TRUE(OpenPort());
    }

    WaitJobResult Run(int mode, int logger, int channel = -1, int kind = -1, bool save = false)
    {
        JobProgress progress;
        progress.range = [this](int maximum) { ranges.push_back(maximum); };
        progress.pos = [this](int position) { positions.push_back(position); };
        ranges.clear();
        positions.clear();
        sim.ClearReceived();
        slicesBefore = g_port.m_Serial.SliceCount();
        return CWaitJob({mode, logger, channel, kind, save}, progress).Run();
    }

    long long Slices() const { return g_port.m_Serial.SliceCount() - slicesBefore; }
    ChannelConfig& Channel(int id, int ch) { return Record().m_units[id - 1].m_channels[ch]; }

    static Positions Range(int from, int to)
    {
        Positions values;
        for (int v = from; v <= to; ++v)
            values.push_back(v);
        return values;
    }

    Positions ranges;
    Positions positions;
    long long slicesBefore = 0;
};

// "<head> <reading>": the whole reading, or divided by ten with one decimal when converted.
bool IsReading(const std::string& line, const std::string& head, bool converted = true)
{
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (line.rfind(head + " ", 0) != 0)
        return false;
    std::string_view value = std::string_view(line).substr(head.size() + 1);
    if (!converted)
        return digits(value);
    if (!value.empty() && value[0] == '-')
        value.remove_prefix(1);
    const size_t point = value.find('.');
    return point != std::string_view::npos && point + 2 == value.size()
        && digits(value.substr(0, point)) && digits(value.substr(point + 1));
}

TEST_F(WaitJobTest, ScanChannelsJumpsPastALoggerThatDoesNotAnswer)
{
    sim.SetLoggers({2});
    sim.SetChannel(2, 3, SimChannel{0, 0, 0, 0});
    Record().m_bSingle = 0;
    Record().m_bLoggerUsed[1] = Record().m_bLoggerUsed[4] = 1;
    const WaitJobResult result = Run(WaitMode::ScanChannels, -1);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,02,channel all", "@01,05,channel all"}));
    // Two readings on 15 channels of logger 2; logger 5 adds nothing.
    EXPECT_EQ(result.lines, (Texts{"30"}));
    EXPECT_EQ(ranges, Positions{32});
    Positions expected = Range(0, 16);
    expected.insert(expected.end(), {31, 32, 32});
    EXPECT_EQ(positions, expected);
    EXPECT_EQ(Channel(2, 0).m_nAnalogType, 3);
    EXPECT_EQ(Channel(2, 3).m_bPresent, 0);

    sim.SetSilent(true);
    EXPECT_EQ(Run(WaitMode::ScanChannels, -1).lines, (Texts{"0"}));
    EXPECT_EQ(positions, (Positions{15, 16, 31, 32, 32}));
}

TEST_F(WaitJobTest, MeasureAllTakesThirtyTwoLinesKeepingOnlyTheSetReadings)
{
    EXPECT_TRUE(Run(WaitMode::Measure, 0).lines.empty());
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,save off", "@01,01,measure all", "@01,01,save on"}));
    EXPECT_EQ(positions, Range(1, 16));

    Channel(1, 0).m_nVwType = 1;
    Channel(1, 15).m_nAnalogType = 3;
    const WaitJobResult result = Run(WaitMode::Measure, 0);
    ASSERT_EQ(result.readings.size(), 2u);
    EXPECT_TRUE(IsReading(result.lines[0], "00 1")) << result.lines[0];
    // The last of the 32 lines: had one been missed, the trailing read would have taken it.
    EXPECT_TRUE(IsReading(result.lines[1], "15 3")) << result.lines[1];
    EXPECT_TRUE(result.readings[0].channel == 0 && result.readings[0].reading == 'A');
    EXPECT_TRUE(result.readings[1].channel == 15 && result.readings[1].reading == 'B');
    EXPECT_FALSE(result.replyMissing || result.saveOnFailed);
}

TEST_F(WaitJobTest, MeasureOneChannelByKindKeepsTheSaveFramingUnlessSaving)
{
    Channel(1, 3) = {1, 2, 4, 0, 20, 0};
    WaitJobResult result = Run(WaitMode::Measure, 0, 3, 0, true);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,measure 03 01 01 0020", "@01,01,measure 03 04"}));
    ASSERT_EQ(result.lines.size(), 2u);
    EXPECT_TRUE(IsReading(result.lines[0], "03 1"));
    EXPECT_TRUE(IsReading(result.lines[1], "03 4", false));
    EXPECT_EQ(ranges, Positions{2});
    EXPECT_EQ(positions, (Positions{1, 2}));

    // Kind 1 on a channel without VW: no measuring command, the framing all the same.
    Channel(1, 4) = {1, 0, 3, 0, 0, 0};
    result = Run(WaitMode::Measure, 0, 4, 1);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,save off", "@01,01,save on"}));
    EXPECT_TRUE(result.lines.empty() && ranges.empty() && positions.empty());

    result = Run(WaitMode::Measure, 0, 4, 2, true);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,measure 04 03"}));
    ASSERT_EQ(result.readings.size(), 1u);
    EXPECT_EQ(result.readings[0].reading, 'B');
}

TEST_F(WaitJobTest, ThreeUnansweredSaveOnEmptyTheResults)
{
    Channel(1, 2).m_nVwType = 1;
    // Lines from now: save off, the reading, then the three "save on" replies.
    for (int line : {2, 3, 4})
        sim.InjectFault(SimFault::DropReply, line);
    const WaitJobResult result = Run(WaitMode::Measure, 0, 2, 1);
    const Texts commands = sim.Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "@01,01,save on"), 3);
    EXPECT_TRUE(result.lines.empty() && result.readings.empty());
    EXPECT_TRUE(result.saveOnFailed);

    // The second attempt answered: the reading stays.
    sim.InjectFault(SimFault::DropReply, 2);
    const WaitJobResult retried = Run(WaitMode::Measure, 0, 2, 1);
    EXPECT_EQ(retried.lines.size(), 1u);
    EXPECT_FALSE(retried.saveOnFailed);
}

// A logger silent from the start, and one that stops after the first line: the reading ends
// at once, or after two lines in a row that do not come, told as incomplete.
TEST_F(WaitJobTest, AMeasureAllThatStopsComingEndsEarly)
{
    Channel(1, 0).m_nVwType = 1;
    const Texts saveOnThrice{"@01,01,save off", "@01,01,measure all", "@01,01,save on",
        "@01,01,save on", "@01,01,save on"};
    const struct
    {
        int linesAnswered; // of "measure all"; -1: none of any command
        Texts commands;
        // save off, the trailing read and each save on 10; measure all 17 x 60 when silent,
        // else the end of the first line 10 and one read 60; a further read would add 60
        long long slices;
        size_t lines;
    } cases[] = {
        {-1, saveOnThrice, 10 + 17 * 60 + 10 + 3 * 10, 0},
        {1, {"@01,01,save off", "@01,01,measure all", "@01,01,save on"}, 10 + 60 + 10, 1},
    };
    for (const auto& c : cases) {
        sim.SetSilent(c.linesAnswered < 0);
        // Line 0 answers "save off"; the measure all lines after the answered ones drop.
        for (int line = c.linesAnswered + 1; c.linesAnswered >= 0 && line <= 32; ++line)
            sim.InjectFault(SimFault::DropReply, line);
        const WaitJobResult result = Run(WaitMode::Measure, 0);
        EXPECT_EQ(sim.Commands(), c.commands);
        EXPECT_GE(Slices(), c.slices);
        EXPECT_LT(Slices(), c.slices + 60);
        EXPECT_EQ(result.lines.size(), c.lines);
        EXPECT_TRUE(result.replyMissing);
    }
}

TEST_F(WaitJobTest, MeasureForGraphReadsTheSeriesWantedWithoutSaveCommands)
{
    Channel(1, 4) = {1, 2, 4, 0, 20, 0};
    Record().m_bGraphSeriesA[0][4] = 1;
    Record().m_bGraphSeriesB[0][4] = 1;
    WaitJobResult result = Run(WaitMode::MeasureForGraph, 0, 4, 0);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,measure 04 01 01 0020", "@01,01,measure 04 04"}));
    ASSERT_EQ(result.readings.size(), 2u);
    EXPECT_EQ(result.readings[1].reading, 'B');
    EXPECT_EQ(ranges, Positions{16});
    EXPECT_EQ(positions, Positions{5});

    Record().m_bGraphSeriesA[0][4] = 0;
    result = Run(WaitMode::MeasureForGraph, 0, 4, 0);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,measure 04 04"}));
    EXPECT_EQ(result.lines.size(), 1u);
}

// Format and reset alike move the bar through to their end and tell the outcome.
TEST_F(WaitJobTest, FormatMemoryTellsCompleteOnlyWhenTheLoggerAnswered)
{
    const struct
    {
        int mode;
        Texts commands;
        int steps;
        const char* complete;
    } jobs[] = {
        {WaitMode::FormatMemory, {"@01,01,memory init"}, 5, "Format complete!"},
        {WaitMode::Reset, {"@01,01,reset", "@01,01,address"}, 6, "Reset complete!"},
    };
    for (const auto& job : jobs) {
        boxes.requests.clear();
        sim.SetSilent(false);
        Run(job.mode, 1);
        EXPECT_EQ(sim.Commands(), job.commands);
        EXPECT_EQ(positions, Range(1, job.steps));
        sim.SetSilent(true);
        Run(job.mode, 1);
        EXPECT_EQ(positions, Range(1, job.steps));
        EXPECT_EQ(boxes.Texts(), (Texts{job.complete, NoResponse}));
        ASSERT_EQ(boxes.requests.size(), 2u);
        EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);
        EXPECT_EQ(boxes.requests[1].icon, MessageIcon::Warning);
    }
    EXPECT_EQ(sim.RecordCount(1), 0);
}

TEST_F(WaitJobTest, WriteChannelsSendsTheSixteenStoredChannels)
{
    Channel(1, 0) = {1, 2, 0, 0, 20, 0};
    Channel(1, 1) = {1, 0, 2, 0, 0, 0};
    Channel(1, 2) = {1, 4, 4, 0, 20, 0};
    const WaitJobResult result = Run(WaitMode::WriteChannels, 0);
    const Texts commands = sim.Commands();
    ASSERT_EQ(commands.size(), 16u);
    EXPECT_EQ(commands[0], "@01,01,channel 00 01 01 0020 00");
    EXPECT_EQ(commands[1], "@01,01,channel 01 00 00 0000 02");
    EXPECT_EQ(commands[2], "@01,01,channel 02 01 03 0020 04");
    EXPECT_EQ(commands[15], "@01,01,channel 15 00 00 0000 00");
    EXPECT_EQ(sim.Channel(1, 2).vwSweep, 3);
    EXPECT_EQ(positions, Range(1, 16));
    EXPECT_FALSE(result.replyMissing);
    EXPECT_TRUE(boxes.requests.empty());

    sim.InjectFault(SimFault::DropReply, 7);
    EXPECT_TRUE(Run(WaitMode::WriteChannels, 0).replyMissing);
    EXPECT_EQ(sim.Commands().size(), 16u);
}

TEST_F(WaitJobTest, ReadChannelsFillsTheTableAndReadsTheSchedule)
{
    sim.SetSchedule(1, {2, 30, 0, false});
    sim.SetChannel(1, 6, SimChannel{1, 3, 20, 0});
    const WaitJobResult result = Run(WaitMode::ReadChannels, 1);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,channel all", "@01,01,schedule"}));
    EXPECT_EQ(result.lines, (Texts{"31", "02 30 00 fixed"}));
    EXPECT_EQ(Channel(1, 6).m_nVwType, 4);
    EXPECT_EQ(Channel(1, 6).m_nAnalogType, 0);
    EXPECT_EQ(ranges, Positions{17});
    EXPECT_EQ(positions, Range(1, 17));
    EXPECT_TRUE(boxes.requests.empty());

    sim.SetSilent(true);
    EXPECT_EQ(Run(WaitMode::ReadChannels, 1).lines, (Texts{"-1"}));
    EXPECT_EQ(positions, (Positions{16, 17}));
    EXPECT_EQ(boxes.Texts(), (Texts{NoResponse}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);
}

TEST_F(WaitJobTest, ArgumentsOutOfRangeRunNoJobAndTouchNoRecord)
{
    const LoggerRecord before = Record();
    const int cases[][3] = {
        {WaitMode::Measure, 7, -1},
        {WaitMode::Measure, -1, 0},
        {WaitMode::Measure, 0, 16},
        {WaitMode::Measure, 0, -2},
        {WaitMode::MeasureForGraph, 0, -1},
        {WaitMode::WriteChannels, 7, -1},
        {WaitMode::ReadChannels, 0, -1},
        {WaitMode::ReadChannels, 8, -1},
        {WaitMode::FormatMemory, 0, -1},
        {WaitMode::Reset, 8, -1},
        {7, 1, -1},
        {-1, 1, -1},
    };
    for (const auto& c : cases) {
        const WaitJobResult result = Run(c[0], c[1], c[2], 0);
        EXPECT_FALSE(result.ran) << c[0] << " " << c[1] << " " << c[2];
        EXPECT_TRUE(result.lines.empty());
    }
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(std::memcmp(&before, &Record(), sizeof before), 0);
}

TEST_F(WaitJobTest, ALineThatGoesAwayMidJobIsNeverReportedAsSuccess)
{
    // Channel lines 0..4 come, then half of the sixth, and the line goes away.
    sim.InjectFault(SimFault::Vanish, 5);
    EXPECT_EQ(Run(WaitMode::ReadChannels, 1).lines, (Texts{"-1"}));
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    // The half line counts as a sixth line when it is read before the close is seen.
    const Positions halfRead{1, 2, 3, 4, 5, 6, 16, 17};
    const Positions closeSeen{1, 2, 3, 4, 5, 16, 17};
    EXPECT_TRUE(positions == halfRead || positions == closeSeen);
    EXPECT_EQ(boxes.Texts(), (Texts{NoResponse}));

    // On the closed port every job runs through at once.
    Channel(1, 0).m_nVwType = 1;
    const WaitJobResult result = Run(WaitMode::Measure, 0);
    EXPECT_TRUE(result.lines.empty());
    EXPECT_TRUE(result.saveOnFailed);
    EXPECT_EQ(Run(WaitMode::ScanChannels, -1).lines, (Texts{"0"}));
    Run(WaitMode::FormatMemory, 1);
    Run(WaitMode::Reset, 1);
    EXPECT_EQ(boxes.Texts(), Texts(3, NoResponse));
    EXPECT_EQ(Slices(), 0);
}

TEST_F(WaitJobTest, AMeasureWhoseLineGoesAwayKeepsNoReadings)
{
    Channel(1, 0).m_nVwType = 1;
    Channel(1, 1).m_nVwType = 1;
    // save off, then A0 and B0 come; A1 is cut as the line goes away.
    sim.InjectFault(SimFault::Vanish, 3);
    const WaitJobResult result = Run(WaitMode::Measure, 0);
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_TRUE(result.lines.empty());
    EXPECT_TRUE(result.replyMissing && result.saveOnFailed);
}

} // namespace
