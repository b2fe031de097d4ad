#include "DataFileFixture.h"

#include "app/ChannelValue.h"
#include "platform/DebugTrace.h"

#include <limits>

namespace {

std::vector<std::string> g_traces;

void CollectTrace(const char* text)
{
    g_traces.emplace_back(text);
}

class TraceTest : public DataFileFixture
{
protected:
    void SetUp() override
    {
        DataFileFixture::SetUp();
        g_traces.clear();
        SetTraceSink(&CollectTrace);
    }
    void TearDown() override { SetTraceSink(nullptr); }
};

TEST_F(TraceTest, DownloadTracesLinesCountsAndChannels)
{
    WriteRaw(Lines({"01 03 240105 120030 1 000020", "", "short", "01 00 240105 120000 1 000010",
        "01 00 240105 120000 1 000010", "01 00 240005 120000 1 000010"}));
    CsvBuildOptions options;
    options.downloadTraces = true;
    Rebuild(options);
    const std::vector<std::string> expected = {
        "mrawdata [0] [01 03 240105 120030 1 000020]\r\n",
        "mrawdata [1] [01 00 240105 120000 1 000010]\r\n",
        "mrawdata [2] [01 00 240105 120000 1 000010]\r\n",
        "mrawdata [3] [01 00 240005 120000 1 000010]\r\n",
        "Memory receive 2 [4]\r\n",
        "Memory receive 3 [4]\r\n",
        "Memory receive 3 [4]\r\n",
        "channel_id 0\r\n", // the duplicate and the month 00 record get no channel trace
        "channel_id 3\r\n",
    };
    EXPECT_EQ(g_traces, expected);
}

TEST_F(TraceTest, OtherRebuildsTraceOnlyTheChannels)
{
    WriteRaw(Lines({"01 07 240105 120000 4 000010"}));
    Rebuild();
    EXPECT_EQ(g_traces, std::vector<std::string>{"channel_id 7\r\n"});
}

TEST(ChannelValueTest, MillivoltsAreWholeAndOtherKindsTenths)
{
    EXPECT_EQ(FormatChannelValue(4, 123.0f), "123");
    EXPECT_EQ(FormatChannelValue(4, -7.9f), "-7");
    EXPECT_EQ(FormatChannelValue(9, 7.9f), "7");
    EXPECT_EQ(FormatChannelValue(1, 12345.0f), "1234.5");
    EXPECT_EQ(FormatChannelValue(3, 500.0f), "50.0");
    EXPECT_EQ(FormatChannelValue(2, -1234.0f), "-123.4");
    EXPECT_EQ(FormatChannelValue(0, 1.0f), "0.1");
    EXPECT_EQ(FormatChannelValue(-5, 999999.0f), "99999.9");
    // Values a live reading can bring that no integer holds.
    EXPECT_EQ(FormatChannelValue(4, 1e20f), "2147483647");
    EXPECT_EQ(FormatChannelValue(4, std::numeric_limits<float>::quiet_NaN()), "0");
}

} // namespace
