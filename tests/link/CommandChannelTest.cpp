#include "LinkFixture.h"

#include <QCoreApplication>
#include <QTest>

using loggersim::SimFault;

namespace {

class CommandChannelTest : public LinkFixture
{
};

TEST_F(CommandChannelTest, ClosedPortAnswersEmptyAtOnce)
{
    g_port.m_Serial.Close();
    EXPECT_EQ(g_port.SendCommand("@01,01,address\r"), "");
    EXPECT_EQ(g_port.SendCommand(""), "");
    EXPECT_TRUE(s_trace.empty());
    EXPECT_EQ(Slices(), 0);
    EXPECT_EQ(sim.Received(), "");
}

TEST_F(CommandChannelTest, ReplyLineAndItsTrace)
{
    EXPECT_EQ(g_port.SendCommand("@01,01,address\r"), "@01,01,address 01");
    EXPECT_EQ(TakeReceived(), "@01,01,address\r");
    ASSERT_EQ(s_trace.size(), 3u);
    EXPECT_EQ(s_trace[0], "Send [@01,01,address\r]\r\n");
    EXPECT_EQ(s_trace[1].rfind("ReadString1 ", 0), 0u);
    EXPECT_GT(std::atoi(s_trace[1].c_str() + 12), 0);
    EXPECT_EQ(s_trace[1].substr(s_trace[1].size() - 2), "\r\n");
    EXPECT_EQ(s_trace[2], "ReadString2 [13] [@01,01,address 01\r]\r\n");
}

// The LF after a direct reply's CR stays queued and is skipped by the next read.
TEST_F(CommandChannelTest, EmptyCommandSendsNothingAndReadsTheNextLine)
{
    ASSERT_EQ(g_port.SendCommand("@01,02,channel all\r"), "@01,02,channel 00 01 00 0020 03");
    TakeReceived();
    s_trace.clear();
    EXPECT_EQ(g_port.SendCommand(""), "@01,02,channel 01 01 00 0020 03");
    EXPECT_EQ(TakeReceived(), "");
    ASSERT_FALSE(s_trace.empty());
    EXPECT_EQ(s_trace[0], "Send []\r\n");
}

TEST_F(CommandChannelTest, CommandPurgesUnreadLinesOfEarlierReplies)
{
    ASSERT_FALSE(g_port.SendCommand("@01,01,channel all\r").empty());
    WaitSent();
    ASSERT_GT(g_port.m_Serial.QueuedBytes(), 0);
    EXPECT_EQ(g_port.SendCommand("@01,01,memory\r"), "@01,01,memory 40");
}

// Modem form: a CR does not end the line, the LF does; CRs are removed.
TEST_F(CommandChannelTest, ModemLineEndsAtLineFeed)
{
    EXPECT_EQ(g_port.SendCommand("AT+CRM=129\r\n", true), "AT+CRM=129");
    EXPECT_EQ(g_port.SendCommand("", true), "OK");
}

TEST_F(CommandChannelTest, FirstByteWaitsInSlices)
{
    ShortSlices();
    sim.SetSilent(true);
    const struct
    {
        bool modem;
        int seconds;
        long long slices;
    } cases[] = {{false, 0, 60}, {true, 0, 110}, {false, 2, 20}, {true, 1, 10}, {false, 60, 600}};
    for (const auto& c : cases) {
        MarkSlices();
        s_trace.clear();
        EXPECT_EQ(g_port.SendCommand("@01,01,address\r", c.modem, c.seconds), "");
        EXPECT_EQ(Slices(), c.slices) << "modem " << c.modem << " timeout " << c.seconds;
        EXPECT_EQ(FirstByteSlices(c.modem, c.seconds), c.slices);
        ASSERT_EQ(s_trace.size(), 2u);
        EXPECT_EQ(s_trace[1], "ReadString1 0\r\n");
    }
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

// A line without an end comes back as far as it came, after one second (ten slices).
TEST_F(CommandChannelTest, LineWithoutEndEndsAfterASilentSecond)
{
    ShortSlices();
    sim.InjectFault(SimFault::NoLineEnd, 0);
    ASSERT_EQ(g_port.SendCommand("@01,01,memory\r"), "@01,01,memory 40");
    sim.InjectFault(SimFault::NoLineEnd, 1);
    ASSERT_EQ(g_port.SendCommand("@01,01,channel all\r"), "@01,01,channel 00 01 00 0020 03");
    WaitSent();
    MarkSlices();
    EXPECT_EQ(g_port.SendCommand(""), "@01,01,channel 01 01 00 0020 03");
    EXPECT_EQ(Slices(), 10);
}

TEST_F(CommandChannelTest, CutLineComesBackAsFarAsItCame)
{
    ShortSlices();
    sim.InjectFault(SimFault::CutLine, 0);
    EXPECT_EQ(g_port.SendCommand("@01,01,memory\r"), "@01,01,m");
    EXPECT_EQ(g_port.SendCommand("@01,01,memory\r"), "@01,01,memory 40");
}

TEST_F(CommandChannelTest, GarbageLineIsReturnedAndTheNextLineIsClean)
{
    sim.InjectFault(SimFault::Garbage, 0);
    const std::string garbage = g_port.SendCommand("@01,03,channel all\r");
    EXPECT_EQ(garbage.size(), std::string("@01,03,channel 00 01 00 0020 03").size());
    EXPECT_NE(garbage.rfind("@01,03,channel", 0), 0u);
    EXPECT_EQ(g_port.SendCommand(""), "@01,03,channel 01 01 00 0020 03");
}

// The tail of an overlong line is read and dropped, so the next reply starts clean.
TEST_F(CommandChannelTest, OverlongLineIsCutAndItsTailDropped)
{
    sim.InjectFault(SimFault::LongLine, 0);
    const std::string first = g_port.SendCommand("@01,01,channel all\r");
    EXPECT_EQ(first.size(), MaxReplyLength);
    EXPECT_EQ(first.rfind("@01,01,channel 00 01 00 0020 03#", 0), 0u);
    EXPECT_EQ(g_port.SendCommand(""), "@01,01,channel 01 01 00 0020 03");
}

TEST_F(CommandChannelTest, LineGoingAwayMidReplyIsNoReplyAndClosesTheLink)
{
    sim.InjectFault(SimFault::Vanish, 0);
    EXPECT_EQ(g_port.SendCommand("@01,01,data load\r"), "");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    MarkSlices();
    EXPECT_EQ(g_port.LoadData(1, true), "");
    EXPECT_EQ(Slices(), 0);
}

TEST_F(CommandChannelTest, LineGoingAwayDuringADownloadStopsWithoutWaiting)
{
    sim.InjectFault(SimFault::Vanish, 4); // the header, three records, then half of one
    ASSERT_EQ(g_port.LoadData(1, false), "");
    EXPECT_EQ(g_port.LoadData(1, true), sim.Records(1)[0]);
    EXPECT_EQ(g_port.LoadData(1, true), sim.Records(1)[1]);
    EXPECT_EQ(g_port.LoadData(1, true), sim.Records(1)[2]);
    MarkSlices();
    EXPECT_EQ(g_port.LoadData(1, true), "");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_LE(Slices(), 2);
    EXPECT_TRUE(sim.Vanished());
}

// Lines that arrived before the hang-up are readings that exist nowhere else: they are
// still delivered, and only then does the link count as closed.
TEST_F(CommandChannelTest, RecordsReceivedBeforeTheLineWentAwayAreStillRead)
{
    sim.InjectFault(SimFault::Vanish, 3);
    ASSERT_EQ(g_port.LoadData(1, false), "");
    ASSERT_TRUE(QTest::qWaitFor([this] { return sim.Vanished(); }, WaitMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(g_port.LoadData(1, true), sim.Records(1)[0]);
    EXPECT_EQ(g_port.LoadData(1, true), sim.Records(1)[1]);
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(g_port.LoadData(1, true), ""); // half a line, then the end of the line
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
}

} // namespace
