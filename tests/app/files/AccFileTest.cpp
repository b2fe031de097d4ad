#include "DataFileFixture.h"

#include "app/FolderUtils.h"

namespace {

class AccFileTest : public DataFileFixture
{
};

TEST_F(AccFileTest, AppendsLinesWithCrLfAndKeepsWhatWasThere)
{
    const std::string path = AccFilePath(record, 2);
    EXPECT_FALSE(IsFile(path.c_str()));
    {
        AccFile raw(path);
        ASSERT_TRUE(raw.Open());
        EXPECT_TRUE(IsFile(path.c_str()));
        EXPECT_TRUE(raw.AppendLine("01 00 240105 120000 1 012345"));
        EXPECT_TRUE(raw.AppendLine(""));
        EXPECT_TRUE(raw.Sync());
        EXPECT_FALSE(raw.HasWriteError());
    }
    AccFile raw(path);
    ASSERT_TRUE(raw.Open());
    EXPECT_TRUE(raw.AppendLine("01 01 240105 120000 1 000500"));
    std::string bytes;
    ASSERT_TRUE(raw.ReadAll(bytes));
    EXPECT_EQ(bytes, "01 00 240105 120000 1 012345\r\n\r\n01 01 240105 120000 1 000500\r\n");
}

TEST_F(AccFileTest, DownloadRoadAppendsThenRebuildsFromTheOpenFile)
{
    AccFile raw(AccFilePath(record, 1));
    ASSERT_TRUE(raw.Open());
    ASSERT_TRUE(raw.AppendLine("01 00 240105 120000 1 012345"));
    ASSERT_TRUE(raw.AppendLine("01 00 240105 120030 4 000123"));
    CsvBuildOptions options;
    options.downloadTraces = true;
    ASSERT_TRUE(RebuildCsvFile(record, 1, raw, options));
    EXPECT_EQ(ReadTable(), "Measured Date,Time,1A,1B\r\n2024/01/05,12:00:00,1234.5,123\r\n");
}

TEST_F(AccFileTest, FailuresAreVisibleToTheCaller)
{
    AccFile inMissingFolder(LoggerFolderPath(record) + "/missing/Site1-01.acc");
    EXPECT_FALSE(inMissingFolder.Open());
    EXPECT_FALSE(inMissingFolder.AppendLine("01 00 240105 120000 1 012345"));
    EXPECT_TRUE(inMissingFolder.HasWriteError());
    std::string bytes;
    EXPECT_FALSE(inMissingFolder.ReadAll(bytes));

    // A device that refuses every write, as a full disk does.
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    AccFile full("/dev/full");
    ASSERT_TRUE(full.Open());
    EXPECT_FALSE(full.AppendLine("01 00 240105 120000 1 012345"));
    EXPECT_TRUE(full.HasWriteError());
    EXPECT_FALSE(full.AppendLine("01 00 240105 120000 1 012345"));
}

} // namespace
