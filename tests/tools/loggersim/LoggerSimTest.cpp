#include "loggersim/LoggerSim.h"
#include "loggersim/SimRecords.h"
#include "platform/Format.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <tuple>
#include <unistd.h>

using namespace loggersim;

namespace {

// A simulator serving a bare client on its pseudo-terminal, without the link.
class SimClient
{
public:
    explicit SimClient(const LoggerSim::Options& options = {})
        : sim(options)
    {
        EXPECT_TRUE(sim.Start());
        m_fd = ::open(sim.Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(m_fd, 0);
    }
    ~SimClient() { ::close(m_fd); }
    void Send(const std::string& bytes)
    {
        ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads until count bytes came or, when given, until came; for at most five seconds.
    std::string Read(size_t count, const std::string& until = {})
    {
        std::string bytes;
        char buffer[4096];
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (bytes.size() < count && (until.empty() || bytes.find(until) == std::string::npos)
            && std::chrono::steady_clock::now() < end) {
            pollfd fd{m_fd, POLLIN, 0};
            const ssize_t n = ::poll(&fd, 1, 20) > 0 ? ::read(m_fd, buffer, sizeof buffer) : 0;
            bytes.append(buffer, static_cast<size_t>(std::max<ssize_t>(n, 0)));
        }
        return bytes;
    }

    LoggerSim sim;

private:
    int m_fd = -1;
};

// 32 readings (A, then B, of each channel) per hourly moment, the same records for the same seed.
TEST(SimRecordsTest, RecordLinesFollowTheRawDataColumns)
{
    const auto recordsOf = [](uint64_t seed) {
        SimLogger logger(3, seed);
        logger.SetRecordCount(70);
        return logger.Records();
    };
    const std::vector<std::string> records = recordsOf(11);
    ASSERT_EQ(records.size(), 70u);
    for (int i = 0; i < 70; ++i) {
        const std::string& r = records[static_cast<size_t>(i)];
        ASSERT_EQ(r.size(), 28u);
        EXPECT_EQ(r.substr(0, 22),
            FormatString(
                "03 %02d 240105 %02d0000 %c ", i % 32 / 2, 12 + i / 32, i % 2 ? '3' : '1'));
        EXPECT_EQ(r.find_first_not_of("0123456789", 22), std::string::npos) << r;
    }
    EXPECT_EQ(recordsOf(11), records);
    EXPECT_NE(recordsOf(12), records);
    const SimDateTime t = SimFromSeconds(SimSeconds({2024, 2, 28, 23, 0, 0}) + 2 * 3600);
    EXPECT_EQ(std::tie(t.month, t.day, t.hour), std::tuple(2, 29, 1));
}

// Loggers kept on a changed line keep their state; only the addressed device answers.
TEST(LoggerSimTest, AnswersOnlyTheAddressedDeviceOnTheLine)
{
    SimClient line({.ids = {2}});
    line.sim.SetRecordCount(2, 5);
    line.sim.SetLoggers({2, 4});
    EXPECT_EQ(line.sim.RecordCount(2), 5);
    EXPECT_EQ(line.sim.RecordCount(4), 64);
    EXPECT_EQ(line.sim.RecordCount(1), -1);
    line.Send("@01,01,address\r@01,04,address\r");
    EXPECT_EQ(line.Read(19), "@01,04,address 04\r\n");
    EXPECT_TRUE(line.sim.WaitForCommands(2, 5000));
    EXPECT_EQ(line.sim.Commands(), (std::vector<std::string>{"@01,01,address", "@01,04,address"}));
    line.Send("at+settargetfedcba9876543210\r");
    EXPECT_EQ(line.Read(4), "OK\r\n");
    line.Send("at+gettarget\r");
    EXPECT_EQ(line.Read(18), "FEDCBA9876543210\r\n");
    line.Send("atz\r");
    EXPECT_EQ(line.Read(35), "OK\r\nRESET\r\nZIGBEE READY\r\nPAN 1A2B\r\n");
}

// 421 bytes at 3840 bytes/s take about a ninth of a second; a new command abandons the rest.
TEST(LoggerSimTest, PacedOutputKeepsToTheLineRateUntilTheNextCommand)
{
    SimClient line({.records = 200, .paced = true});
    line.Send("@01,01,data load\r");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_GE(line.Read(421).size(), 421u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(90));
    line.Send("@01,01,memory\r");
    const std::string rest = line.Read(SIZE_MAX, "@01,01,memory 200\r\n");
    EXPECT_NE(rest.find("@01,01,memory 200\r\n"), std::string::npos);
    EXPECT_LT(rest.size(), 200u * 40u / 2);
}

} // namespace
