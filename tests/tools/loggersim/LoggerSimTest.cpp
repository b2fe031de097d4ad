#include "loggersim/LoggerSim.h"
#include "loggersim/SimRecords.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace loggersim;

namespace {

// A bare client on the simulator's pseudo-terminal, without the link.
class RawClient
{
public:
    explicit RawClient(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
    }
    ~RawClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool IsOpen() const { return m_fd >= 0; }
    void Send(const std::string& bytes)
    {
        ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads until `count` bytes came, the line hangs up or timeoutMs passed.
    std::string Read(size_t count, int timeoutMs, bool* hungUp = nullptr)
    {
        std::string bytes;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (bytes.size() < count && std::chrono::steady_clock::now() < end) {
            pollfd fd{m_fd, POLLIN, 0};
            if (::poll(&fd, 1, 20) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0) {
                if (hungUp)
                    *hungUp = true;
                break;
            }
            bytes.append(buffer, static_cast<size_t>(n));
        }
        return bytes;
    }

private:
    int m_fd;
};

int Number(const std::string& text, size_t pos, size_t length)
{
    return std::atoi(text.substr(pos, length).c_str());
}

TEST(SimRecordsTest, RecordLinesFollowTheRawDataColumns)
{
    SimLogger logger(3, 11);
    logger.SetRecordCount(70);
    const std::vector<std::string>& records = logger.Records();
    ASSERT_EQ(records.size(), 70u);
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string& r = records[i];
        ASSERT_EQ(r.size(), 28u);
        EXPECT_EQ(r.substr(0, 2), "03");
        EXPECT_EQ(r[2], ' ');
        EXPECT_EQ(Number(r, 3, 2), static_cast<int>(i % 32) / 2); // channel
        EXPECT_EQ(r[20], i % 2 == 0 ? '1' : '3'); // reading A, then B
        EXPECT_EQ(r[5], ' ');
        EXPECT_EQ(r[12], ' ');
        EXPECT_EQ(r[19], ' ');
        EXPECT_EQ(r[21], ' ');
    }
    // One moment per schedule interval (one hour), 32 readings each.
    EXPECT_EQ(records[0].substr(6, 13), "240105 120000");
    EXPECT_EQ(records[31].substr(6, 13), "240105 120000");
    EXPECT_EQ(records[32].substr(6, 13), "240105 130000");

    SimLogger same(3, 11);
    same.SetRecordCount(70);
    EXPECT_EQ(same.Records(), records);
    SimLogger other(3, 12);
    other.SetRecordCount(70);
    EXPECT_NE(other.Records(), records);
}

TEST(SimRecordsTest, CalendarArithmeticRollsOver)
{
    const SimDateTime t = SimFromSeconds(SimSeconds({2024, 2, 28, 23, 0, 0}) + 2 * 3600);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 1);
}

TEST(LoggerSimTest, LoggersKeepTheirStateWhenTheLineChanges)
{
    LoggerSim sim;
    sim.SetRecordCount(1, 5);
    sim.SetLoggers({1, 4});
    EXPECT_EQ(sim.RecordCount(1), 5);
    EXPECT_EQ(sim.RecordCount(4), 64);
    EXPECT_EQ(sim.RecordCount(2), -1);
    EXPECT_EQ(sim.Loggers(), (std::vector<int>{1, 4}));
}

TEST(LoggerSimTest, AnswersOnlyTheAddressedLogger)
{
    LoggerSim::Options options;
    options.ids = {2};
    LoggerSim sim(options);
    ASSERT_TRUE(sim.Start());
    RawClient client(sim.Path());
    ASSERT_TRUE(client.IsOpen());
    client.Send("@01,01,address\r@01,02,address\r");
    EXPECT_EQ(client.Read(19, 2000), "@01,02,address 02\r\n");
    EXPECT_TRUE(sim.WaitForCommands(2, 2000));
    EXPECT_EQ(sim.Commands(), (std::vector<std::string>{"@01,01,address", "@01,02,address"}));
}

// 421 bytes at 3840 bytes/s take about a ninth of a second.
TEST(LoggerSimTest, PacedOutputKeepsToTheLineRate)
{
    LoggerSim::Options options;
    options.paced = true;
    options.records = 10;
    LoggerSim sim(options);
    ASSERT_TRUE(sim.Start());
    RawClient client(sim.Path());
    client.Send("@01,01,data load\r");
    const size_t total = 21 + 10 * 40; // header and ten record lines with CR LF
    const auto start = std::chrono::steady_clock::now();
    const std::string bytes = client.Read(total, 5000);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(bytes.size(), total);
    EXPECT_GE(elapsed, std::chrono::milliseconds(90));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
}

TEST(LoggerSimTest, VanishingLineHangsUpAfterWhatWasSent)
{
    LoggerSim sim;
    ASSERT_TRUE(sim.Start());
    RawClient client(sim.Path());
    sim.InjectFault(SimFault::Vanish, 1);
    client.Send("@01,01,channel all\r");
    bool hungUp = false;
    const std::string bytes = client.Read(1000, 5000, &hungUp);
    EXPECT_TRUE(hungUp);
    EXPECT_EQ(bytes, "@01,01,channel 00 01 00 0020 03\r\n@01,01,channel ");
    EXPECT_TRUE(sim.Vanished());
}

TEST(LoggerSimTest, NewCommandAbandonsTheUnsentReply)
{
    LoggerSim::Options options;
    options.paced = true;
    options.records = 200;
    LoggerSim sim(options);
    ASSERT_TRUE(sim.Start());
    RawClient client(sim.Path());
    client.Send("@01,01,data load\r");
    ASSERT_FALSE(client.Read(40, 2000).empty());
    client.Send("@01,01,memory\r");
    const std::string rest = client.Read(100000, 400);
    EXPECT_NE(rest.find("@01,01,memory 200\r\n"), std::string::npos);
    EXPECT_LT(rest.size(), 200u * 40u / 2);
}

} // namespace
