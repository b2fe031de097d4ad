#include "LinkFixture.h"

#include "link/LoggerCommand.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>

using loggersim::SimFault;
using ::testing::MatchesRegex;

namespace {

const auto Str = [](long long value) { return std::to_string(value); };

// One command of the logger command set, run in order against the simulated loggers.
struct CommandRow
{
    std::function<std::string()> call;
    std::string sent; // the exact bytes a live line receives
    ::testing::Matcher<std::string> value; // the value taken from the live replies
    std::string failure = {}; // the value on a silent line or a closed port
    long long silentSlices = 60; // slices waited on a silent line
    std::string silentSent = {}; // what a silent line receives, when less than sent
};

class LoggerCommandTest : public LinkFixture
{
protected:
    std::vector<CommandRow> Table();
    static size_t CommandsIn(const std::string& bytes)
    {
        return static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
    }
};

// Rows read the lines left by the row before them ("" sent) and what earlier rows set.
std::vector<CommandRow> LoggerCommandTest::Table()
{
    const QDateTime t(QDate(2027, 11, 28), QTime(9, 8, 7, 500));
    const auto modemErase = [this] { // the last row: the modem stays on
        Record().m_bUseModem = 1;
        return Str(g_port.InitMemory(2));
    };
    return {
        {[] { return g_port.ReadAddress(3); }, "@01,03,address\r", "address 03"},
        {[] { return g_port.ReadAddress(-1); }, "@01,01,address\r", "address 01"},
        {[] { return Str(g_port.IsLoggerPresent(2)); }, "@01,02,address\r", "1", "0"},
        {[t] { return Str(g_port.SetDateTime(1, t)); },
            "@01,01,date 27 11 28\r@01,01,time 09 08 07\r", "1", "0", 60, "@01,01,date 27 11 28\r"},
        {[] { return g_port.ReadDateTime(1); }, "@01,01,date\r@01,01,time\r", "2027/11/28 09:08:07",
            "", 60, "@01,01,date\r"},
        {[] { return g_port.MeasureAll(3); }, "@01,03,measure all\r", "00 0 000000", "", 17 * 60},
        {[] { return g_port.MeasureAll(-1); }, "", MatchesRegex("00 4 [0-9]{6}")},
        {[] { return g_port.MeasureChannel(2, 7, 1, 2, 20, 0); }, "@01,02,measure 07 01 02 0020\r",
            MatchesRegex("07 1 [0-9]{6}")},
        {[] { return g_port.MeasureChannel(2, 7, 0, 0, 0, 4); }, "@01,02,measure 07 04\r",
            MatchesRegex("07 4 [0-9]{6}")},
        {[] { return g_port.MeasureChannel(2, 7, 1, 0, 20, 3); }, "@01,02,measure 07\r",
            MatchesRegex("07 1 [0-9]{6}")},
        {[] { return g_port.MeasureChannel(2, 7, 0, 0, 0, 0); }, "", MatchesRegex("07 3 [0-9]{6}")},
        {[] { return Str(g_port.SetScheduleMode(2, false)); }, "@01,02,schedule fixed\r", "1", "0"},
        {[] { return g_port.SetSchedule(2, 4, 5), std::string(); }, "@01,02,schedule 04 05 00\r",
            ""},
        {[] { return g_port.ReadSchedule(2); }, "@01,02,schedule\r", "04 05 00 fixed"},
        {[] { return Str(g_port.SetScheduleMode(2, true)); }, "@01,02,schedule periodic\r", "1",
            "0"},
        {[] { return g_port.SetChannel(1, 0, 0, 0, 0, 0, 2); }, "@01,01,channel 00 00 00 0000 02\r",
            "@01,01,channel 00 00 00 0000 02"},
        {[] { return g_port.SetChannel(2, 15, 4, 1, 3, 20, 0); },
            "@01,02,channel 15 01 03 0020 00\r", "@01,02,channel 15 01 03 0020 00"},
        {[] { return Str(g_port.ReadChannelAll(1, false)); }, "@01,01,channel all\r", "1", "-1"},
        {[] { return Str(g_port.ReadChannelAll(1, true)); }, "", "3", "-1"},
        {[] { return g_port.SetSave(1, false); }, "@01,01,save off\r", "@01,01,save off", "", 10},
        {[] { return g_port.SetSave(1, true); }, "@01,01,save on\r", "@01,01,save on", "", 10},
        {[] { return Str(g_port.ReadMemoryCount(2)); }, "@01,02,memory\r", "40", "-1", 30},
        {[] { return g_port.LoadData(3, false); }, "@01,03,data load\r", ""},
        {[] { return g_port.LoadData(3, true); }, "", sim.Records(3)[0]},
        {[] { return Str(g_port.InitMemory(1)); }, "@01,01,memory init\r", "1", "0"},
        {[] { return Str(g_port.ReadMemoryCount(1)); }, "@01,01,memory\r", "0", "-1", 30},
        {[this] { return Str(g_port.ResetLogger(2, progress)); }, "@01,02,reset\r@01,02,address\r",
            "1", "0", 5 * 20 + 60},
        {modemErase, "@01,02,memory init\r", "1", "0", 600},
    };
}

// On a silent line each command waits its own time and fails; a closed port fails every command at
// once, without a trace.
TEST_F(LoggerCommandTest, EveryCommandSendsItsLineAndTakesItsValueOrFails)
{
    sim.SetClock(1, {}, true); // frozen: the time set reads back unchanged
    sim.SetChannel(3, 0, {0, 0, 0, 4});
    for (const CommandRow& row : Table()) {
        SCOPED_TRACE(row.sent);
        EXPECT_THAT(row.call(), row.value);
        EXPECT_EQ(TakeReceived(CommandsIn(row.sent)), row.sent);
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5}));

    positions.clear();
    Record().m_bUseModem = 0;
    g_port.m_nSensorCount = 9;
    Silence();
    for (const CommandRow& row : Table()) {
        SCOPED_TRACE(row.sent);
        MarkSlices();
        EXPECT_EQ(row.call(), row.failure);
        EXPECT_EQ(Slices(), row.silentSlices);
        const std::string& sent = row.silentSent.empty() ? row.sent : row.silentSent;
        EXPECT_EQ(TakeReceived(CommandsIn(sent)), sent);
    }
    EXPECT_EQ(g_port.m_nSensorCount, 0); // an unanswered scan still restarts the count
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_THAT(s_trace, ::testing::Contains("ReadString1 0\r\n"));

    g_port.m_Serial.Close();
    s_trace.clear();
    MarkSlices();
    for (const CommandRow& row : Table())
        EXPECT_EQ(row.call(), row.failure) << row.sent;
    EXPECT_EQ(Slices(), 0);
    EXPECT_TRUE(s_trace.empty());
    EXPECT_EQ(TakeReceived(), "");
}

// A reply missing its second part fails; missing fields read 0, empty ones "". A record that gets
// no reply leaves the rest intact; a silent second ends the read.
TEST_F(LoggerCommandTest, ShortRepliesGiveSafeValues)
{
    sim.SetRecordCount(3, 70);
    sim.InjectFault(SimFault::DropReply, 2); // the header, record 0, then record 1 is lost
    ASSERT_EQ(g_port.LoadData(3, false), "");
    const std::vector<std::string> records = sim.Records(3);
    for (size_t i = 0; i < records.size(); i += i == 0 ? 2 : 1)
        ASSERT_EQ(g_port.LoadData(3, true), records[i]) << i;
    ShortSlices();
    MarkSlices();
    EXPECT_EQ(g_port.LoadData(3, true), "");
    EXPECT_EQ(Slices(), 10);
    sim.InjectFault(SimFault::DropReply, 1);
    EXPECT_EQ(g_port.ReadDateTime(1), "");
    sim.InjectFault(SimFault::DropReply, 1);
    EXPECT_FALSE(g_port.SetDateTime(1, QDateTime::currentDateTime()));
    sim.OverrideNextReply("@01,01,date\r\n");
    EXPECT_EQ(g_port.ReadDateTime(1).substr(0, 10), "2000/00/00");
    EXPECT_EQ(LoggerCommand::Field("a  b", 1), "");
    EXPECT_EQ(LoggerCommand::Field("a  b", 2), "b");
    EXPECT_EQ(ChannelLine::FromReply("@01,03,channel 105").channel, 5);
    EXPECT_EQ(ChannelLine::FromReply("@01,03,channel 05").analogType, 0);
    EXPECT_EQ(ChannelLine::FromReply("@01,03,channel 05 01 02 123456789 04").value, 123456789);
}

// The head of the logger asked, then digits only; nothing wraps round into a small count, and
// counts past the capacity are cut to it.
TEST(MemoryCountTest, OnlyTheLoggersOwnDigitsAreACount)
{
    for (const auto& [reply, records] :
        {std::pair{"@01,01,memory 40", 40}, std::pair{"@01,01,memory  00040 ", 40},
            std::pair{"@01,01,memory 0", 0}, std::pair{"@01,01,memory 35000", 35000},
            std::pair{"@01,01,memory 35001", 35000}, std::pair{"@01,01,memory 4294967295", 35000},
            std::pair{"@01,01,memory 4294967297", 35000},
            std::pair{"@01,01,memory 99999999999999999999999", 35000}, std::pair{"", -1},
            std::pair{"@01,01,memory", -1}, std::pair{"@01,01,memory40", -1},
            std::pair{"@01,01,memory 4 0", -1}, std::pair{"@01,01,memory +40", -1},
            std::pair{"@01,01,memory 0x40", -1}, std::pair{"@01,02,memory 40", -1},
            std::pair{"@01,01,memorx 40", -1}, std::pair{"#@01,01,memory 40", -1}}) {
        const MemoryCount count = MemoryCount::FromReply(reply, 1);
        EXPECT_EQ(count.records, records) << reply;
        EXPECT_EQ(count.cut, records == 35000 && std::strcmp(reply, "@01,01,memory 35000"))
            << reply;
    }
}

TEST_F(LoggerCommandTest, ChannelScanFillsTheCurrentRecordAndCountsSensors)
{
    sim.SetChannel(3, 0, {0, 0, 0, 2});
    sim.SetChannel(3, 5, {1, 2, 20, 4});
    sim.SetChannel(3, 7, {});
    Record().m_units[2].m_channels[7].m_bPresent = 1;
    g_port.m_nSensorCount = 9;
    EXPECT_EQ(g_port.ReadChannelAll(3, false), 1); // a scan restarts the count; 00 has B only
    int count = 0;
    for (int ch = 1; ch < 16; ++ch)
        count = g_port.ReadChannelAll(3, true);
    EXPECT_EQ(count, 1 + 2 + 13 * 2); // 00 B only, 05 A and B, 07 nothing, the rest A and B
    const ChannelConfig& five = Record().m_units[2].m_channels[5];
    EXPECT_EQ(std::tie(five.m_bPresent, five.m_nVwType, five.m_nAnalogType, five.m_nValue),
        std::tuple(1, 3, 4, 20));
    EXPECT_EQ(Record().m_units[2].m_channels[0].m_bPresent, 1);
    EXPECT_EQ(Record().m_units[2].m_channels[7].m_bPresent, 0);
    EXPECT_EQ(Record().m_units[0].m_channels[5].m_bPresent, 0); // other loggers untouched

    // No 17th line, a channel outside the table, fields too large or no numbers: nothing changes.
    const LoggerRecord before = Record();
    ShortSlices();
    EXPECT_EQ(g_port.ReadChannelAll(3, true), -1);
    EXPECT_EQ(g_port.m_nSensorCount, count);
    for (const char* line :
        {"@01,03,channel 16 01 00 0020 03\r\n", "@01,03,channel 05 2147483647 02 0020 04\r\n",
            "@01,03,channel 05 01 02 0020 4294967300\r\n", "@01,03,channel 05 01 -2 0020 04\r\n",
            "@01,03,channel 0x 01 02 0020 04\r\n"}) {
        sim.OverrideNextReply(line);
        EXPECT_EQ(g_port.ReadChannelAll(3, false), 0) << line;
    }
    EXPECT_EQ(std::memcmp(&before, &Record(), sizeof before), 0);
    EXPECT_EQ(g_port.ReadChannelAll(1, false), 2); // logger 1 fills its own unit
    EXPECT_EQ(Record().m_units[0].m_channels[0].m_bPresent, 1);
    g_nCurLogger = -1;
    EXPECT_EQ(g_port.ReadChannelAll(1, false), 2); // no current record: still counted
}

} // namespace
