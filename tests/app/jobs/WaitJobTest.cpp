#include "app/operations/OperationDlgFixture.h"

#include "app/WaitJob.h"
#include "app/WaitMode.h"

#include <algorithm>
#include <numeric>

namespace {

using Positions = std::vector<int>;
using loggersim::SimChannel;
using loggersim::SimFault;

constexpr const char* NoResponse = "W:No response from logger!";
constexpr const char* NoResponseInfo = "I:No response from logger!";

// The jobs on the open line; the bar's range and every position it was moved to are recorded.
class WaitJobTest : public OperationDlgFixture
{
protected:
    WaitJobResult Run(int mode, int logger, int channel = -1, int kind = -1, bool save = false)
    {
        JobProgress progress;
        progress.range = [this](int maximum) { ranges.push_back(maximum); };
        progress.pos = [this](int position) { positions.push_back(position); };
        ranges.clear();
        positions.clear();
        ClearReceived();
        slicesBefore = g_port.m_Serial.SliceCount();
        return CWaitJob({mode, logger, channel, kind, save}, progress).Run();
    }
    long long Slices() const { return g_port.m_Serial.SliceCount() - slicesBefore; }
    ChannelConfig& Channel(int id, int ch) { return Record().m_units[id - 1].m_channels[ch]; }

    Positions ranges, positions;
    long long slicesBefore = 0;
};

Positions Range(int from, int to)
{
    Positions values(static_cast<size_t>(to - from + 1));
    std::iota(values.begin(), values.end(), from);
    return values;
}

// Each reading as "<channel><A|B>", "." for a decimal value, "?" for a line not its own.
std::string Readings(const WaitJobResult& result)
{
    std::string text;
    for (size_t i = 0; i < result.readings.size(); ++i) {
        const MeasuredReading& r = result.readings[i];
        const bool own = r.line.rfind(FormatString("%02d ", r.channel), 0) == 0
            && result.lines.at(i) == r.line;
        const char* decimal = r.line.find('.') == std::string::npos ? "" : ".";
        text += FormatString(" %d%c%s", r.channel, r.reading, own ? decimal : "?");
    }
    return text.empty() ? text : text.substr(1);
}

// Measure all keeps only the set readings; kind 0 both, 1 A, 2 B; save framing unless saving.
// A reply has field two replaced everywhere by its text.
TEST_F(WaitJobTest, MeasuringTakesTheReadingsAskedFor)
{
    Channel(1, 3) = Channel(1, 5) = {1, 2, 4, 0, 20, 0};
    Channel(1, 4) = {1, 0, 3, 0, 0, 0};
    Channel(1, 15).m_nAnalogType = 3; // the last of the 32 lines
    Record().m_bGraphSeriesA[0][3] = Record().m_bGraphSeriesB[0][3] = 1;
    Record().m_bGraphSeriesB[0][5] = 1;
    const Texts both{"@01,01,measure 03 01 01 0020", "@01,01,measure 03 04"};
    const Texts framing{"@01,01,save off", "@01,01,save on"};
    const struct
    {
        int mode, channel, kind;
        bool save;
        Texts commands;
        const char* readings;
        Positions ranges, positions;
    } cases[] = {
        {WaitMode::Measure, -1, -1, false,
            {"@01,01,save off", "@01,01,measure all", "@01,01,save on"}, "3A. 3B 4B. 5A. 5B 15B.",
            {16}, Range(1, 16)},
        {WaitMode::Measure, 3, 0, true, both, "3A. 3B", {2}, {1, 2}},
        {WaitMode::Measure, 4, 0, true, {"@01,01,measure 04 03"}, "4B.", {2}, {1, 2}},
        // No VW on the channel: no measuring command, the framing all the same.
        {WaitMode::Measure, 4, 1, false, framing, "", {}, {}},
        {WaitMode::Measure, 4, 2, true, {"@01,01,measure 04 03"}, "4B.", {1}, {1}},
        {WaitMode::MeasureForGraph, 3, 0, false, both, "3A. 3B", {16}, {4}},
        {WaitMode::MeasureForGraph, 5, 0, false, {"@01,01,measure 05 04"}, "5B", {16}, {6}},
    };
    for (const auto& c : cases) {
        const WaitJobResult result = Run(c.mode, 0, c.channel, c.kind, c.save);
        EXPECT_EQ(sim.Commands(), c.commands) << c.channel;
        EXPECT_EQ(Readings(result), c.readings);
        EXPECT_EQ(std::pair(ranges, positions), std::pair(c.ranges, c.positions));
        EXPECT_FALSE(result.replyMissing || result.saveOnFailed);
    }
    const std::tuple<const char*, char, int, const char*> replies[]
        = {{"03 1 012345", 'A', 0, "03 1 1234.5"},
            {"77 1 77", 'A', 0, "7.7 1 7.7"}, // also inside other fields
            {"05 4 -00123", 'B', 4, "05 4 -123"}, {"05 3 000251", 'B', 3, "05 3 25.1"},
            {"1 1 1", 'A', 0, "0.1 0.1 0.1"}, // the replacement is not searched again
            {"03 1  5", 'A', 0, "03 1  5"}, // an empty field two leaves the line
            {"03 1", 'B', 2, "03 1"}};
    for (const auto& [reply, reading, analogType, converted] : replies)
        EXPECT_EQ(ConvertMeasureReply(reply, reading, analogType), converted) << reply;
}

// Three unanswered "save on" empty the results; an answer to the second keeps the reading. A
// reading ends at once when silent, or after two lines in a row do not come, as incomplete.
TEST_F(WaitJobTest, UnansweredSaveOnOrReadingsEndTheMeasuring)
{
    Channel(1, 0).m_nVwType = 1;
    // Lines from now: save off, the reading, then the "save on" replies.
    for (int line : {2, 3, 4})
        sim.InjectFault(SimFault::DropReply, line);
    const WaitJobResult unsaved = Run(WaitMode::Measure, 0, 0, 1);
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,save off", "@01,01,measure 00 01 00 0020", "@01,01,save on",
            "@01,01,save on", "@01,01,save on"}));
    EXPECT_TRUE(unsaved.lines.empty() && unsaved.readings.empty() && unsaved.saveOnFailed);
    sim.InjectFault(SimFault::DropReply, 2);
    const WaitJobResult retried = Run(WaitMode::Measure, 0, 0, 1);
    EXPECT_TRUE(retried.lines.size() == 1 && !retried.saveOnFailed);
    // Slices: save off, the trailing read and each save on 10; measure all 17 x 60 when silent,
    // else the end of the first line 10 and one read 60; a further read would add 60.
    const struct
    {
        int linesAnswered; // of "measure all"; -1: none of any command
        int saveOns;
        long long slices;
        size_t lines;
    } cases[] = {{-1, 3, 10 + 17 * 60 + 10 + 3 * 10, 0}, {1, 1, 10 + 60 + 10, 1}};
    for (const auto& c : cases) {
        sim.SetSilent(c.linesAnswered < 0);
        // Line 0 answers "save off"; the measure all lines after the answered ones drop.
        for (int line = c.linesAnswered + 1; c.linesAnswered >= 0 && line <= 32; ++line)
            sim.InjectFault(SimFault::DropReply, line);
        const WaitJobResult result = Run(WaitMode::Measure, 0);
        Texts commands{"@01,01,save off", "@01,01,measure all"};
        commands.insert(commands.end(), c.saveOns, "@01,01,save on");
        EXPECT_EQ(sim.Commands(), commands);
        EXPECT_TRUE(Slices() >= c.slices && Slices() < c.slices + 60) << Slices();
        EXPECT_TRUE(result.lines.size() == c.lines && result.replyMissing);
    }
}

TEST_F(WaitJobTest, FormatResetAndWriteChannelsTellWhetherTheLoggerAnswered)
{
    Channel(1, 0) = {1, 2, 0, 0, 20, 0};
    Channel(1, 1) = {1, 0, 2, 0, 0, 0};
    Channel(1, 2) = {1, 4, 4, 0, 20, 0};
    EXPECT_FALSE(Run(WaitMode::WriteChannels, 0).replyMissing);
    const Texts commands = sim.Commands();
    ASSERT_EQ(commands.size(), 16u);
    EXPECT_EQ(Texts(commands.begin(), commands.begin() + 3),
        (Texts{"@01,01,channel 00 01 01 0020 00", "@01,01,channel 01 00 00 0000 02",
            "@01,01,channel 02 01 03 0020 04"}));
    EXPECT_TRUE(sim.Channel(1, 2).vwSweep == 3 && positions == Range(1, 16));
    sim.InjectFault(SimFault::DropReply, 7);
    EXPECT_TRUE(Run(WaitMode::WriteChannels, 0).replyMissing);
    for (bool silent : {false, true}) {
        sim.SetSilent(silent);
        Run(WaitMode::FormatMemory, 1);
        EXPECT_EQ(positions, Range(1, 5));
        EXPECT_TRUE(silent || sim.Commands() == Texts{"@01,01,memory init"});
        Run(WaitMode::Reset, 1);
        EXPECT_EQ(positions, Range(1, 6));
        EXPECT_TRUE(silent || sim.Commands() == (Texts{"@01,01,reset", "@01,01,address"}));
    }
    EXPECT_EQ(sim.RecordCount(1), 0);
    EXPECT_EQ(Told(), (Texts{"I:Format complete!", "I:Reset complete!", NoResponse, NoResponse}));
}

// Reading fills the table and reads the schedule; a scan jumps past a logger that does not answer.
TEST_F(WaitJobTest, ReadAndScanChannelsFillTheTable)
{
    sim.SetSchedule(1, {2, 30, 0, false});
    sim.SetChannel(1, 6, SimChannel{1, 3, 20, 0});
    EXPECT_EQ(Run(WaitMode::ReadChannels, 1).lines, (Texts{"31", "02 30 00 fixed"}));
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,channel all", "@01,01,schedule"}));
    EXPECT_EQ(std::pair(Channel(1, 6).m_nVwType, Channel(1, 6).m_nAnalogType), std::pair(4, 0));
    EXPECT_EQ(std::pair(ranges, positions), std::pair(Positions{17}, Range(1, 17)));
    EXPECT_TRUE(Told().empty());
    // The schedule unanswered, then nothing at all.
    sim.InjectFault(SimFault::DropReply, 16);
    const WaitJobResult result = Run(WaitMode::ReadChannels, 1);
    EXPECT_TRUE(result.lines == (Texts{"31", ""}) && result.replyMissing);
    sim.SetSilent(true);
    EXPECT_EQ(Run(WaitMode::ReadChannels, 1).lines, (Texts{"-1"}));
    EXPECT_EQ(positions, (Positions{16, 17}));
    EXPECT_EQ(Told(), (Texts(2, NoResponseInfo)));
    sim.SetSilent(false);
    sim.SetLoggers({2});
    sim.SetChannel(2, 3, SimChannel{0, 0, 0, 0});
    Record().m_bSingle = 0;
    Record().m_bLoggerUsed[1] = Record().m_bLoggerUsed[4] = 1;
    // Two readings on 15 channels of logger 2; logger 5 adds nothing.
    EXPECT_EQ(Run(WaitMode::ScanChannels, -1).lines, (Texts{"30"}));
    EXPECT_EQ(sim.Commands(), (Texts{"@01,02,channel all", "@01,05,channel all"}));
    Positions expected = Range(0, 16);
    expected.insert(expected.end(), {31, 32, 32});
    EXPECT_EQ(std::pair(ranges, positions), std::pair(Positions{32}, expected));
    EXPECT_EQ(std::pair(Channel(2, 0).m_nAnalogType, Channel(2, 3).m_bPresent), std::pair(3, 0));
    sim.SetSilent(true);
    EXPECT_EQ(Run(WaitMode::ScanChannels, -1).lines, (Texts{"0"}));
    EXPECT_EQ(positions, (Positions{15, 16, 31, 32, 32}));
}

TEST_F(WaitJobTest, ArgumentsOutOfRangeRunNoJobAndTouchNoRecord)
{
    const LoggerRecord before = Record();
    namespace M = WaitMode;
    const int cases[][3] = {{M::Measure, 7, -1}, {M::Measure, -1, 0}, {M::Measure, 0, 16},
        {M::Measure, 0, -2}, {M::MeasureForGraph, 0, -1}, {M::WriteChannels, 7, -1},
        {M::ReadChannels, 0, -1}, {M::ReadChannels, 8, -1}, {M::FormatMemory, 0, -1},
        {M::Reset, 8, -1}, {7, 1, -1}, {-1, 1, -1}};
    for (const auto& c : cases) {
        const WaitJobResult result = Run(c[0], c[1], c[2], 0);
        EXPECT_FALSE(result.ran || !result.lines.empty()) << c[0] << " " << c[1] << " " << c[2];
    }
    EXPECT_TRUE(sim.Commands().empty() && Told().empty() && SameRecord(before, Record()));
}

TEST_F(WaitJobTest, ALineThatGoesAwayMidJobIsNeverReportedAsSuccess)
{
    // Channel lines 0..4 come, then half of the sixth, and the line goes away.
    sim.InjectFault(SimFault::Vanish, 5);
    EXPECT_EQ(Run(WaitMode::ReadChannels, 1).lines, (Texts{"-1"}));
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    // The half line counts as a sixth line when it is read before the close is seen.
    EXPECT_TRUE(positions == (Positions{1, 2, 3, 4, 5, 6, 16, 17})
        || positions == (Positions{1, 2, 3, 4, 5, 16, 17}));
    // On the closed port every job runs through at once.
    Channel(1, 0).m_nVwType = 1;
    const WaitJobResult result = Run(WaitMode::Measure, 0);
    EXPECT_TRUE(result.lines.empty() && result.saveOnFailed);
    EXPECT_EQ(Run(WaitMode::ScanChannels, -1).lines, (Texts{"0"}));
    Run(WaitMode::FormatMemory, 1);
    Run(WaitMode::Reset, 1);
    EXPECT_EQ(Told(), (Texts{NoResponseInfo, NoResponse, NoResponse}));
    EXPECT_EQ(Slices(), 0);
}

} // namespace
