#include "LinkFixture.h"

namespace {

class ModemTest : public LinkFixture
{
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        Record().m_bUseModem = 1;
        SetFieldText(Record().m_szPhoneNumber, "0123");
    }

    std::vector<int> positions;
    ProgressPos progress = [this](int p) { positions.push_back(p); };
};

TEST_F(ModemTest, HangUpSendsItsStringUnchanged)
{
    EXPECT_TRUE(g_port.ModemHangUp());
    EXPECT_EQ(TakeReceived(), "+++");
}

// The modem echoes its commands; CONNECT is the first line read after the dial.
TEST_F(ModemTest, ConnectStopsReadingAtConnect)
{
    sim.SetDialDelay(300);
    EXPECT_TRUE(g_port.ModemConnect(progress));
    EXPECT_EQ(positions, (std::vector<int>{1, 8, 13}));
    EXPECT_EQ(TakeReceived(), "+++AT+CRM=129\r\nATDT0123\r\n");
    EXPECT_TRUE(g_port.IsLoggerPresent(1));
}

TEST_F(ModemTest, ConnectWithoutAnswerStillSucceedsAfterItsWaits)
{
    ShortSlices();
    sim.SetSilent(true);
    EXPECT_TRUE(g_port.ModemConnect(progress));
    EXPECT_EQ(positions, (std::vector<int>{1, 8, 10, 11, 12, 13}));
    EXPECT_EQ(Slices(), 60 + 110 + 110 + 4 * 60);
    EXPECT_EQ(TakeReceived(3), "+++AT+CRM=129\r\nATDT0123\r\n");
}

TEST_F(ModemTest, ModemStringWithoutCommaIsAllInitialisation)
{
    ShortSlices();
    sim.SetSilent(true);
    SetFieldText(Record().m_szModemCommand, "ATZ");
    SetFieldText(Record().m_szHangUpCommand, "ATH0\r");
    g_port.ModemConnect({});
    EXPECT_EQ(TakeReceived(3), "ATH0\rATZ\r\n0123\r\n");
}

TEST_F(ModemTest, DestructorHangsUpAnOpenModemLine)
{
    g_port.m_Serial.Close();
    {
        CPort own;
        OpenOn(own);
        ASSERT_TRUE(own.m_Serial.IsOpen());
    }
    EXPECT_EQ(TakeReceived(1), "+++");
}

TEST_F(ModemTest, DestructorWithoutModemOrRecordOnlyCloses)
{
    g_port.m_Serial.Close();
    Record().m_bUseModem = 0;
    {
        CPort own;
        OpenOn(own);
        ASSERT_TRUE(own.m_Serial.IsOpen());
    }
    Record().m_bUseModem = 1;
    g_nCurLogger = -1;
    {
        CPort own;
        OpenOn(own);
        ASSERT_TRUE(own.m_Serial.IsOpen());
    }
    // Reopening works only if both were closed; nothing was sent on the line.
    OpenOn(g_port);
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(sim.Received(), "");
}

// The Zigbee set-up talks to the radio modules on a link of its own.
TEST_F(ModemTest, RadioModuleCommandsOnASecondLink)
{
    g_port.m_Serial.Close();
    Record().m_bUseModem = 0;
    CPort zigbee;
    OpenOn(zigbee);
    ASSERT_TRUE(zigbee.m_Serial.IsOpen());
    ShortSlices();
    EXPECT_EQ(zigbee.SendCommand("@01,05,zigbee\r"), ""); // no logger 5 on the line
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    EXPECT_EQ(zigbee.SendCommand("@01,02,zigbee\r"), "@01,02,zigbee");
    EXPECT_EQ(zigbee.SendCommand("+++\r"), "OK");
    EXPECT_EQ(zigbee.SendCommand("at+settargetffffffffffffffff\r"), "OK");
    EXPECT_EQ(zigbee.SendCommand("at+gettarget\r"), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(zigbee.SendCommand("atz\r"), "OK");
    EXPECT_EQ(zigbee.SendCommand(""), "RESET");
    EXPECT_EQ(zigbee.SendCommand(""), "ZIGBEE READY");
    EXPECT_EQ(zigbee.SendCommand(""), "PAN 1A2B");
    EXPECT_EQ(TakeReceived(),
        "@01,05,zigbee\r@01,02,zigbee\r+++\rat+settargetffffffffffffffff\r"
        "at+gettarget\ratz\r");
    zigbee.m_Serial.Close();
}

} // namespace
