#include "LinkFixture.h"

#include "link/LoggerCommand.h"

#include <algorithm>
#include <cctype>

using loggersim::SimChannel;
using loggersim::SimDateTime;
using loggersim::SimFault;
using loggersim::SimSchedule;

namespace {

class LoggerCommandTest : public LinkFixture
{
};

TEST(ReplyCutTest, HeadsAndFields)
{
    EXPECT_EQ(LoggerCommand::CutHead("@01,01,memory 40", LoggerCommand::MemoryCut), " 40");
    EXPECT_EQ(LoggerCommand::CutHead("@01,01,memory", LoggerCommand::MemoryCut), "");
    EXPECT_EQ(LoggerCommand::Field("a  b", 1), "");
    EXPECT_EQ(LoggerCommand::Field("a  b", 2), "b");
    EXPECT_EQ(LoggerCommand::Field("a b", 5), "");
    const ChannelLine line = ChannelLine::FromReply("@01,03,channel 05 01 02 0020 04");
    EXPECT_EQ(line.Text(), "05 01 02 0020 04");
    EXPECT_EQ(ChannelLine::FromReply("@01,03,channel x").channel, 0);
    EXPECT_EQ(ChannelLine::FromReply("@01,03,channel 105").channel, 5);
    EXPECT_EQ(ChannelLine::FromReply("@01,03,channel 05").analogType, 0);
}

TEST_F(LoggerCommandTest, AddressAndPresence)
{
    EXPECT_EQ(g_port.ReadAddress(3), "address 03");
    EXPECT_EQ(TakeReceived(), "@01,03,address\r");
    EXPECT_EQ(g_port.ReadAddress(-1), "address 01");
    EXPECT_EQ(TakeReceived(), "@01,01,address\r");
    EXPECT_TRUE(g_port.IsLoggerPresent(2));

    ShortSlices();
    MarkSlices();
    EXPECT_FALSE(g_port.IsLoggerPresent(5)); // not on the line
    EXPECT_EQ(Slices(), 60);
    EXPECT_EQ(g_port.ReadAddress(6), "");
}

TEST_F(LoggerCommandTest, ReadDateTimeBuildsItsTextFromBothReplies)
{
    sim.SetClock(1, SimDateTime{2026, 3, 5, 14, 7, 9});
    EXPECT_EQ(g_port.ReadDateTime(1), "2026/03/05 14:07:09");
    EXPECT_EQ(TakeReceived(), "@01,01,date\r@01,01,time\r");

    ShortSlices();
    sim.InjectFault(SimFault::DropReply, 1);
    EXPECT_EQ(g_port.ReadDateTime(1), "");
    sim.SetSilent(true);
    MarkSlices();
    EXPECT_EQ(g_port.ReadDateTime(1), "");
    EXPECT_EQ(TakeReceived(3), "@01,01,date\r@01,01,time\r@01,01,date\r");
    EXPECT_EQ(Slices(), 60);
}

TEST_F(LoggerCommandTest, ShortDateReplyGivesZeroParts)
{
    sim.OverrideNextReply("@01,01,date\r\n");
    EXPECT_EQ(g_port.ReadDateTime(1).substr(0, 10), "2000/00/00");
}

TEST_F(LoggerCommandTest, SetDateTimeSendsDateThenTime)
{
    const QDateTime t(QDate(2026, 3, 5), QTime(14, 7, 9, 500));
    EXPECT_TRUE(g_port.SetDateTime(1, t));
    EXPECT_EQ(TakeReceived(), "@01,01,date 26 03 05\r@01,01,time 14 07 09\r");
    const SimDateTime clock = sim.Clock(1);
    EXPECT_EQ(clock.year, 2026);
    EXPECT_EQ(clock.day, 5);

    ShortSlices();
    sim.SetSilent(true);
    EXPECT_FALSE(g_port.SetDateTime(1, t));
    EXPECT_EQ(TakeReceived(1), "@01,01,date 26 03 05\r");
    sim.SetSilent(false);
    sim.InjectFault(SimFault::DropReply, 1);
    EXPECT_FALSE(g_port.SetDateTime(1, t));
}

TEST_F(LoggerCommandTest, MeasureAllGivesThirtyTwoLinesInChannelOrder)
{
    sim.SetChannel(1, 4, SimChannel{0, 0, 0, 4});
    // "cc k vvvvvv": channel, kind (1 reading A, the analog type for B, 0 off), reading
    for (int i = 0; i < 32; ++i) {
        const std::string reply = g_port.MeasureAll(i == 0 ? 1 : -1);
        ASSERT_EQ(reply.size(), 11u) << i << ": " << reply;
        EXPECT_EQ(std::atoi(reply.substr(0, 2).c_str()), i / 2);
        const int kind = i / 2 == 4 ? (i % 2 ? 4 : 0) : (i % 2 ? 3 : 1);
        EXPECT_EQ(reply[3] - '0', kind) << i;
        const std::string reading = LoggerCommand::Field(reply, 2);
        EXPECT_EQ(reading, reply.substr(5));
        EXPECT_TRUE(std::all_of(
            reading.begin(), reading.end(), [](unsigned char c) { return std::isdigit(c); }));
    }
    EXPECT_EQ(TakeReceived(), "@01,01,measure all\r");
}

TEST_F(LoggerCommandTest, MeasureAllOnASilentLoggerReadsSeventeenTimes)
{
    ShortSlices();
    sim.SetSilent(true);
    EXPECT_EQ(g_port.MeasureAll(1), "");
    EXPECT_EQ(Slices(), 17 * 60);
    EXPECT_EQ(TakeReceived(1), "@01,01,measure all\r");
    MarkSlices();
    EXPECT_EQ(g_port.MeasureAll(-1), "");
    EXPECT_EQ(Slices(), 60);
}

TEST_F(LoggerCommandTest, MeasureChannelForms)
{
    std::string reply = g_port.MeasureChannel(2, 7, 1, 2, 20, 0);
    EXPECT_EQ(TakeReceived(), "@01,02,measure 07 01 02 0020\r");
    EXPECT_EQ(reply.substr(0, 5), "07 1 ");
    reply = g_port.MeasureChannel(2, 7, 0, 0, 0, 4);
    EXPECT_EQ(TakeReceived(), "@01,02,measure 07 04\r");
    EXPECT_EQ(reply.substr(0, 5), "07 4 ");
    EXPECT_EQ(g_port.MeasureChannel(2, 7, 1, 0, 20, 3).substr(0, 5), "07 1 ");
    EXPECT_EQ(TakeReceived(), "@01,02,measure 07\r");
    // Neither reading: nothing is sent, the next line (reading B of that channel) is read.
    EXPECT_EQ(g_port.MeasureChannel(2, 7, 0, 0, 0, 0).substr(0, 5), "07 3 ");
    EXPECT_EQ(TakeReceived(), "");

    ShortSlices();
    sim.SetSilent(true);
    EXPECT_EQ(g_port.MeasureChannel(2, 7, 1, 2, 20, 0), "");
}

TEST_F(LoggerCommandTest, ScheduleReadAndSet)
{
    sim.SetSchedule(2, SimSchedule{2, 30, 0, false});
    const std::string reply = g_port.ReadSchedule(2);
    EXPECT_EQ(TakeReceived(), "@01,02,schedule\r");
    EXPECT_EQ(reply, "02 30 00 fixed");
    EXPECT_EQ(LoggerCommand::Field(reply, 0), "02");
    EXPECT_EQ(LoggerCommand::Field(reply, 1), "30");
    EXPECT_EQ(LoggerCommand::Field(reply, 3), "fixed");

    EXPECT_TRUE(g_port.SetScheduleMode(2, true));
    EXPECT_EQ(TakeReceived(), "@01,02,schedule periodic\r");
    EXPECT_TRUE(g_port.SetScheduleMode(2, false));
    EXPECT_EQ(TakeReceived(), "@01,02,schedule fixed\r");
    g_port.SetSchedule(2, 4, 5);
    EXPECT_EQ(TakeReceived(), "@01,02,schedule 04 05 00\r");
    EXPECT_EQ(sim.Schedule(2).hours, 4);
    EXPECT_EQ(sim.Schedule(2).minutes, 5);

    ShortSlices();
    sim.SetSilent(true);
    EXPECT_EQ(g_port.ReadSchedule(2), "");
    EXPECT_FALSE(g_port.SetScheduleMode(2, true));
    MarkSlices();
    g_port.SetSchedule(2, 1, 0);
    EXPECT_EQ(Slices(), 60);
}

TEST_F(LoggerCommandTest, LoadDataGivesEveryStoredRecord)
{
    sim.SetRecordCount(3, 70);
    EXPECT_EQ(g_port.LoadData(3, false), "");
    EXPECT_EQ(TakeReceived(), "@01,03,data load\r");
    for (const std::string& record : sim.Records(3)) {
        const std::string line = g_port.LoadData(3, true);
        ASSERT_EQ(line, record);
        ASSERT_EQ(line.size(), 28u);
    }
    EXPECT_EQ(TakeReceived(), "");
    // The last record's LF is still queued: it is skipped, then a silent second ends the read.
    ShortSlices();
    MarkSlices();
    EXPECT_EQ(g_port.LoadData(3, true), "");
    EXPECT_EQ(Slices(), 10);
    MarkSlices();
    EXPECT_EQ(g_port.LoadData(3, true), "");
    EXPECT_EQ(Slices(), 60);
}

TEST_F(LoggerCommandTest, RecordThatGetsNoReplyLeavesTheRestIntact)
{
    sim.InjectFault(SimFault::DropReply, 2); // the header, record 0, then record 1 is lost
    ASSERT_EQ(g_port.LoadData(1, false), "");
    const std::vector<std::string> records = sim.Records(1);
    EXPECT_EQ(g_port.LoadData(1, true), records[0]);
    EXPECT_EQ(g_port.LoadData(1, true), records[2]);
}

} // namespace
