#include "LinkFixture.h"

#include <tuple>

namespace {

using ModemTest = LinkFixture;

// The modem echoes its commands; CONNECT is the first line read after the dial. Without an
// answer the connect still succeeds after its waits. The modem string is "initialisation,dial
// prefix" (without a comma all initialisation); the hang-up string goes out unchanged.
TEST_F(ModemTest, ConnectHangsUpInitialisesAndDials)
{
    SetFieldText(Record().m_szPhoneNumber, "0123");
    sim.SetDialDelay(300);
    EXPECT_TRUE(g_port.ModemConnect(progress));
    EXPECT_EQ(positions, (std::vector<int>{1, 8, 13}));
    EXPECT_TRUE(g_port.IsLoggerPresent(1));
    EXPECT_EQ(TakeReceived(), "+++AT+CRM=129\r\nATDT0123\r\n@01,01,address\r");

    SetFieldText(Record().m_szModemCommand, "ATZ");
    SetFieldText(Record().m_szHangUpCommand, "ATH0\r");
    positions.clear();
    Silence();
    EXPECT_TRUE(g_port.ModemConnect(progress));
    EXPECT_EQ(positions, (std::vector<int>{1, 8, 10, 11, 12, 13}));
    EXPECT_EQ(Slices(), 60 + 110 + 110 + 4 * 60);
    EXPECT_EQ(TakeReceived(3), "ATH0\rATZ\r\n0123\r\n");
}

// A link object going away hangs up only a modem line of a current configuration.
TEST_F(ModemTest, DestructorHangsUpAnOpenModemLine)
{
    g_port.m_Serial.Close();
    using Case = std::tuple<char, int, const char*>;
    for (const auto& [useModem, current, sent] :
        {Case{1, 0, "+++"}, Case{0, 0, ""}, Case{1, -1, ""}}) {
        Record().m_bUseModem = useModem;
        g_nCurLogger = current;
        {
            CPort own;
            OpenOn(own);
            ASSERT_TRUE(own.m_Serial.IsOpen());
        }
        EXPECT_EQ(TakeReceived(sent[0] ? 1 : 0), sent) << int(useModem) << current;
    }
    OpenOn(g_port); // only a closed line opens again, and nothing more was sent on it
    EXPECT_EQ(g_port.SendCommand("@01,01,address\r"), "@01,01,address 01");
    EXPECT_EQ(TakeReceived(), "@01,01,address\r");
}

} // namespace
