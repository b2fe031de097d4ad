#include "LinkFixture.h"

using loggersim::SimChannel;
using loggersim::SimFault;

namespace {

class ChannelCommandTest : public LinkFixture
{
};

TEST_F(ChannelCommandTest, ChannelLineFillsTheCurrentRecord)
{
    g_loggers[0].m_bSingle = 0;
    sim.SetChannel(3, 0, SimChannel{0, 0, 0, 0});
    sim.SetChannel(3, 5, SimChannel{1, 2, 20, 4});
    sim.SetChannel(3, 7, SimChannel{0, 0, 0, 0});
    Record().m_units[2].m_channels[7].m_bPresent = 1;
    g_port.m_nSensorCount = 9;

    EXPECT_EQ(g_port.ReadChannelAll(3, false), 0); // channel 00, nothing on it
    EXPECT_EQ(TakeReceived(), "@01,03,channel all\r");
    int count = 0;
    for (int ch = 1; ch < 16; ++ch) {
        const int before = count;
        count = g_port.ReadChannelAll(3, true);
        if (ch == 5) {
            EXPECT_EQ(count, before + 2);
        }
        if (ch == 7) {
            EXPECT_EQ(count, before);
        }
    }
    EXPECT_EQ(TakeReceived(), "");
    EXPECT_EQ(count, 2 + 13 * 2);
    EXPECT_EQ(g_port.m_nSensorCount, count);
    const ChannelConfig& five = Record().m_units[2].m_channels[5];
    EXPECT_EQ(five.m_bPresent, 1);
    EXPECT_EQ(five.m_nVwType, 3);
    EXPECT_EQ(five.m_nAnalogType, 4);
    EXPECT_EQ(five.m_nValue, 20);
    EXPECT_EQ(Record().m_units[2].m_channels[7].m_bPresent, 0);
    EXPECT_EQ(Record().m_units[2].m_channels[7].m_nVwType, 0);
    EXPECT_EQ(Record().m_units[0].m_channels[5].m_bPresent, 0); // other loggers untouched
}

TEST_F(ChannelCommandTest, NoLineLeavesCountAndTableAlone)
{
    for (int ch = 0; ch < 16; ++ch)
        ASSERT_EQ(g_port.ReadChannelAll(1, ch != 0), 2 * (ch + 1));
    const LoggerRecord before = Record();
    ShortSlices();
    EXPECT_EQ(g_port.ReadChannelAll(1, true), -1); // the logger has no 17th line
    EXPECT_EQ(g_port.m_nSensorCount, 32);
    sim.SetSilent(true);
    MarkSlices();
    EXPECT_EQ(g_port.ReadChannelAll(1, false), -1); // a new scan restarts the count
    EXPECT_EQ(Slices(), 60);
    EXPECT_EQ(g_port.m_nSensorCount, 0);
    EXPECT_EQ(std::memcmp(&before, &Record(), sizeof before), 0);
}

TEST_F(ChannelCommandTest, ChannelOutsideTheTableChangesNothing)
{
    const LoggerRecord before = Record();
    sim.OverrideNextReply("@01,01,channel 16 01 00 0020 03\r\n");
    EXPECT_EQ(g_port.ReadChannelAll(1, false), 0);
    EXPECT_EQ(std::memcmp(&before, &Record(), sizeof before), 0);
}

TEST_F(ChannelCommandTest, ScanWithoutCurrentRecordStillCounts)
{
    ClearLoggerTable();
    g_nCurLogger = -1;
    EXPECT_EQ(g_port.ReadChannelAll(1, false), 2);
}

TEST_F(ChannelCommandTest, SetChannelSendsTheChannelLine)
{
    EXPECT_EQ(g_port.SetChannel(2, 4, 0, 0, 0, 0, 2), "@01,02,channel 04 00 00 0000 02");
    EXPECT_EQ(TakeReceived(), "@01,02,channel 04 00 00 0000 02\r");
    EXPECT_EQ(sim.Channel(2, 4).analogType, 2);
    EXPECT_EQ(g_port.SetChannel(2, 15, 4, 1, 3, 20, 0), "@01,02,channel 15 01 03 0020 00");
    EXPECT_EQ(TakeReceived(), "@01,02,channel 15 01 03 0020 00\r");
    ShortSlices();
    sim.SetSilent(true);
    EXPECT_EQ(g_port.SetChannel(2, 4, 0, 0, 0, 0, 2), "");
}

class MemoryCommandTest : public LinkFixture
{
};

TEST_F(MemoryCommandTest, SaveOffAndOn)
{
    EXPECT_EQ(g_port.SetSave(1, false), "@01,01,save off");
    EXPECT_EQ(TakeReceived(), "@01,01,save off\r");
    EXPECT_FALSE(sim.Saving(1));
    EXPECT_EQ(g_port.SetSave(1, true), "@01,01,save on");
    EXPECT_EQ(TakeReceived(), "@01,01,save on\r");
    ShortSlices();
    sim.SetSilent(true);
    MarkSlices();
    EXPECT_EQ(g_port.SetSave(1, true), "");
    EXPECT_EQ(Slices(), 10);
}

TEST_F(MemoryCommandTest, MemoryCountIsCappedAndFailsAsMinusOne)
{
    EXPECT_EQ(g_port.ReadMemoryCount(2), 40);
    EXPECT_EQ(TakeReceived(), "@01,02,memory\r");
    sim.SetRecordCount(2, 36000);
    EXPECT_EQ(g_port.ReadMemoryCount(2), LoggerMemoryCapacity);
    sim.OverrideNextReply("@01,02,memory\r\n");
    EXPECT_EQ(g_port.ReadMemoryCount(2), 0);
    sim.OverrideNextReply("@01,02,memory -12\r\n");
    EXPECT_EQ(g_port.ReadMemoryCount(2), 0);
    ShortSlices();
    sim.SetSilent(true);
    MarkSlices();
    EXPECT_EQ(g_port.ReadMemoryCount(2), -1);
    EXPECT_EQ(Slices(), 30);
}

TEST_F(MemoryCommandTest, InitMemoryErasesTheRecords)
{
    EXPECT_TRUE(g_port.InitMemory(1));
    EXPECT_EQ(TakeReceived(), "@01,01,memory init\r");
    EXPECT_EQ(sim.RecordCount(1), 0);
    ShortSlices();
    sim.SetSilent(true);
    MarkSlices();
    EXPECT_FALSE(g_port.InitMemory(1));
    EXPECT_EQ(Slices(), 60);
}

// Over a modem the erase may take a minute, and its reply ends at LF.
TEST_F(MemoryCommandTest, InitMemoryOverAModemWaitsAMinute)
{
    Record().m_bUseModem = 1;
    EXPECT_TRUE(g_port.InitMemory(1));
    ShortSlices();
    sim.SetSilent(true);
    MarkSlices();
    EXPECT_FALSE(g_port.InitMemory(1));
    EXPECT_EQ(Slices(), 600);
}

TEST_F(MemoryCommandTest, ResetMovesTheProgressThenAsksTheAddress)
{
    std::vector<int> positions;
    const ProgressPos progress = [&positions](int p) { positions.push_back(p); };
    EXPECT_TRUE(g_port.ResetLogger(2, progress));
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(TakeReceived(), "@01,02,reset\r@01,02,address\r");

    ShortSlices();
    sim.SetSilent(true);
    positions.clear();
    MarkSlices();
    EXPECT_FALSE(g_port.ResetLogger(2, progress));
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(Slices(), 5 * 20 + 60);
}

TEST_F(MemoryCommandTest, ClosedPortFailsEveryCommandAtOnce)
{
    g_port.m_Serial.Close();
    EXPECT_EQ(g_port.ReadAddress(1), "");
    EXPECT_EQ(g_port.ReadDateTime(1), "");
    EXPECT_FALSE(g_port.SetDateTime(1, QDateTime::currentDateTime()));
    EXPECT_EQ(g_port.MeasureAll(1), "");
    EXPECT_EQ(g_port.ReadChannelAll(1, false), -1);
    EXPECT_EQ(g_port.ReadMemoryCount(1), -1);
    EXPECT_FALSE(g_port.InitMemory(1));
    EXPECT_FALSE(g_port.ResetLogger(1, {}));
    EXPECT_EQ(Slices(), 0);
    EXPECT_EQ(sim.Received(), "");
}

} // namespace
