#include "DataFileFixture.h"

#include "platform/Format.h"

#include <QTimer>

namespace {

// One record line: "01 CC YYMMDD HHMMSS K VVVVVV".
std::string Rec(
    const char* channel, const char* date, const char* time, const char* kind, const char* value)
{
    return FormatString("01 %s %s %s %s %s", channel, date, time, kind, value);
}

class CsvRebuildTest : public DataFileFixture
{
};

TEST_F(CsvRebuildTest, WorkedExampleGivesItsTable)
{
    const QByteArray table = BuildFrom({
        "01 00 240105 120000 1 012345",
        "01 00 240105 120030 4 000123",
        "01 01 240105 120000 1 000500",
        "01 00 240105 120000 1 012345",
        "01 00 240105 120300 1 012350",
    });
    EXPECT_EQ(table,
        "Measured Date,Time,1A,1B,2A\r\n"
        "2024/01/05,12:00:00,1234.5,123,50.0\r\n"
        "2024/01/05,12:03:00,1235.0,999999,999999\r\n");
}

TEST_F(CsvRebuildTest, EveryDateStyleAndTheRawFallback)
{
    WriteRaw(Lines({Rec("00", "240105", "130409", "1", "000010")}));
    const std::vector<std::pair<int, QByteArray>> styles = {
        {0, "2024/01/05,13:04:09"},
        {1, "2024/01/05,13:04"},
        {2, "24/01/05,13:04:09"},
        {3, "24/01/05,13:04"},
        {4, "01/05/2024,13:04:09"},
        {5, "01/05/2024,13:04"},
        {6, "240105,130409"},
        {-1, "240105,130409"},
    };
    for (const auto& [style, row] : styles) {
        SCOPED_TRACE(style);
        record.m_nDateFormat = style;
        EXPECT_EQ(Rebuild(), "Measured Date,Time,1A\r\n" + row + ",1.0\r\n");
    }
}

TEST_F(CsvRebuildTest, FilesWithoutRecordLinesGiveTheHeaderAlone)
{
    for (const QByteArray& raw : {QByteArray(), QByteArray("\r\n\r\n\n"),
             QByteArray("01 00 240105 120000 1 01234\r\n"
                        "01 00 240105 120000 1 0123456\r\n"
                        "garbage\r\n")}) {
        WriteRaw(raw);
        EXPECT_EQ(Rebuild(), "Measured Date,Time\r\n");
    }
}

TEST_F(CsvRebuildTest, LfAndCrLfFilesAndEmptyLinesGiveOneTable)
{
    const std::vector<std::string> lines = {
        "",
        Rec("00", "240105", "120000", "1", "012345"),
        "",
        Rec("01", "240105", "120010", "4", "000077"),
        "",
        "",
        Rec("00", "240105", "121000", "1", "012346"),
    };
    const QByteArray expected = "Measured Date,Time,1A,2B\r\n"
                                "2024/01/05,12:00:00,1234.5,77\r\n"
                                "2024/01/05,12:10:00,1234.6,999999\r\n";
    WriteRaw(Lines(lines, "\r\n"));
    EXPECT_EQ(Rebuild(), expected);
    WriteRaw(Lines(lines, "\n"));
    EXPECT_EQ(Rebuild(), expected);
    QByteArray noLastEnd = Lines(lines, "\n");
    noLastEnd.chop(1);
    WriteRaw(noLastEnd);
    EXPECT_EQ(Rebuild(), expected);
}

TEST_F(CsvRebuildTest, DuplicatesCountOnceAndTheFirstDownloadedValueStays)
{
    const std::vector<std::string> memory = {
        Rec("03", "240105", "120000", "1", "000100"),
        Rec("03", "240105", "120000", "2", "000200"),
        Rec("04", "240105", "120000", "1", "000300"),
        Rec("03", "240105", "130000", "1", "000400"),
    };
    const QByteArray once = BuildFrom(memory);
    std::vector<std::string> twice = memory;
    twice.insert(twice.end(), memory.begin(), memory.end());
    EXPECT_EQ(BuildFrom(twice), once);
    EXPECT_EQ(once,
        "Measured Date,Time,4A,4B,5A\r\n"
        "2024/01/05,12:00:00,10.0,20.0,30.0\r\n"
        "2024/01/05,13:00:00,40.0,999999,999999\r\n");

    // A later download that repeats a record with another value does not replace it.
    twice.push_back(Rec("03", "240105", "120000", "1", "000999"));
    EXPECT_EQ(BuildFrom(twice), once);
}

TEST_F(CsvRebuildTest, UnsortedRecordsGiveRowsInTimeOrder)
{
    const QByteArray table = BuildFrom({
        Rec("00", "240107", "080000", "1", "000003"),
        Rec("00", "231231", "235900", "1", "000001"),
        Rec("00", "240105", "120000", "1", "000002"),
    });
    EXPECT_EQ(table,
        "Measured Date,Time,1A\r\n"
        "2023/12/31,23:59:00,0.1\r\n"
        "2024/01/05,12:00:00,0.2\r\n"
        "2024/01/07,08:00:00,0.3\r\n");
}

TEST_F(CsvRebuildTest, RowsGroupReadingsWithinOneHundredAndEightySeconds)
{
    const QByteArray table = BuildFrom({
        Rec("00", "240105", "120000", "1", "000010"),
        Rec("01", "240105", "120259", "1", "000020"), // 179 s: joins, label unchanged
        Rec("02", "240105", "120300", "1", "000030"), // 180 s: a new row
        Rec("02", "240105", "120310", "1", "000040"), // its cell is taken: a new row
        Rec("00", "240105", "120320", "1", "000050"), // 10 s after that row's start: joins
    });
    EXPECT_EQ(table,
        "Measured Date,Time,1A,2A,3A\r\n"
        "2024/01/05,12:00:00,1.0,2.0,999999\r\n"
        "2024/01/05,12:03:00,999999,999999,3.0\r\n"
        "2024/01/05,12:03:10,5.0,999999,4.0\r\n");
}

TEST_F(CsvRebuildTest, RowSpanningMidnightKeepsTheDateOfItsFirstReading)
{
    const QByteArray table = BuildFrom({
        Rec("00", "240131", "235930", "1", "000010"),
        Rec("01", "240201", "000100", "1", "000020"),
    });
    EXPECT_EQ(table, "Measured Date,Time,1A,2A\r\n2024/01/31,23:59:30,1.0,2.0\r\n");
}

TEST_F(CsvRebuildTest, BadDatesAreLeftOutOfTheRowsButKeepTheirColumn)
{
    const QByteArray table = BuildFrom({
        Rec("00", "240105", "120000", "1", "000010"),
        Rec("05", "240005", "120000", "1", "000020"), // month 00
        Rec("06", "240105", "240000", "1", "000030"), // hour 24
        Rec("07", "240105", "12-100", "1", "000040"), // minute -1
        Rec("00", "240431", "120000", "1", "000050"), // 31 April is 1 May
    });
    EXPECT_EQ(table,
        "Measured Date,Time,1A,6A,7A,8A\r\n"
        "2024/01/05,12:00:00,1.0,999999,999999,999999\r\n"
        "2024/05/01,12:00:00,5.0,999999,999999,999999\r\n");
}

TEST_F(CsvRebuildTest, ChannelsOutsideTheSixteenAreSkipped)
{
    const QByteArray table = BuildFrom({
        Rec("16", "240105", "120000", "1", "000010"), Rec("-1", "240105", "120000", "1", "000020"),
        Rec("99", "240105", "120000", "4", "000030"), Rec("15", "240105", "120000", "4", "000040"),
        Rec("ab", "240105", "120000", "1", "000050"), // reads as channel 0
    });
    EXPECT_EQ(table, "Measured Date,Time,1A,16B\r\n2024/01/05,12:00:00,5.0,40\r\n");
}

TEST_F(CsvRebuildTest, CellsFollowTheReadingKind)
{
    const QByteArray table = BuildFrom({
        Rec("00", "240105", "120000", "1", "01;234"), // VW: tenths, ";" removed
        Rec("00", "240105", "120000", "2", "-01234"), // RTD: tenths
        Rec("01", "240105", "120000", "3", "000005"), // thermistor: tenths
        Rec("02", "240105", "120000", "4", "000123"), // mV: whole
        Rec("03", "240105", "120000", "4", "-00007"),
        Rec("04", "240105", "120000", "x", "abcdef"), // kind 0, value 0
    });
    EXPECT_EQ(table,
        "Measured Date,Time,1A,1B,2B,3B,4B,5B\r\n"
        "2024/01/05,12:00:00,123.4,-123.4,0.5,123,-7,0.0\r\n");
}

TEST_F(CsvRebuildTest, MalformedLinesNeverBreakTheTable)
{
    // Deterministic noise: lines of record length built from digits, blanks, signs, letters,
    // ";" and NUL bytes, between lines of every other length.
    const char alphabet[] = "0123456789 -+;ab\0";
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    QByteArray raw;
    for (int i = 0; i < 3000; ++i) {
        const unsigned length = i % 3 == 0 ? next() % 40 : 28;
        for (unsigned c = 0; c < length; ++c)
            raw += alphabet[next() % (sizeof alphabet - 1)];
        raw += i % 2 ? "\r\n" : "\n";
    }
    raw += Lines({Rec("00", "240105", "120000", "1", "000010")});
    WriteRaw(raw);
    const QList<QByteArray> lines = Rebuild().split('\n');
    ASSERT_GE(lines.size(), 2);
    const qsizetype fields = lines.front().count(',');
    EXPECT_TRUE(lines.front().startsWith("Measured Date,Time"));
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        EXPECT_TRUE(line.endsWith('\r'));
        EXPECT_EQ(line.count(','), fields) << line.toStdString();
    }
}

TEST_F(CsvRebuildTest, FailedBuildReportsAndLeavesTheOldTable)
{
    const QString table = QString::fromStdString(CsvFilePath(record, 1));
    {
        QFile old(table);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old table\r\n");
    }
    AccFile missing(AccFilePath(record, 1)); // never opened, so never created
    EXPECT_FALSE(RebuildCsvFile(record, 1, missing));
    EXPECT_EQ(ReadTable(), "old table\r\n");

    // A table path the build cannot replace: the failure is reported and nothing is left over.
    ASSERT_TRUE(QFile::remove(table));
    ASSERT_TRUE(QDir().mkdir(table));
    WriteRaw(Lines({Rec("00", "240105", "120000", "1", "000010")}));
    AccFile raw(AccFilePath(record, 1));
    ASSERT_TRUE(raw.Open());
    EXPECT_FALSE(RebuildCsvFile(record, 1, raw));
    const QDir folder(QString::fromStdString(LoggerFolderPath(record)));
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList{"Site1-01.acc"});
}

TEST_F(CsvRebuildTest, EventsRunDuringTheBuildWithoutDisturbingIt)
{
    std::vector<std::string> lines;
    for (int minute = 0; minute < 60; ++minute)
        lines.push_back(
            Rec("00", "240105", FormatString("12%02d00", minute).c_str(), "1", "000010"));
    WriteRaw(Lines(lines));
    const QByteArray expected = Rebuild();

    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        record.m_nDateFormat = 7;
        SetFieldText(record.m_szName, "Other");
    });
    AccFile raw(AccFilePath(record, 1));
    ASSERT_TRUE(raw.Open());
    CsvBuildOptions options;
    options.eventIntervalMs = 0;
    EXPECT_TRUE(RebuildCsvFile(record, 1, raw, options));
    EXPECT_TRUE(ran);
    SetFieldText(record.m_szName, "Site1");
    EXPECT_EQ(ReadTable(), expected);
}

} // namespace
