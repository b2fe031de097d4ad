#include "data/AccFile.h"
#include "data/ChannelValue.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "data/FolderUtils.h"
#include "data/ReceiveSchedule.h"
#include "record/LoggerRecord.h"
#include "platform/Format.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

namespace {

// A configuration "Site1" in a temporary folder, on fixed zone rules.
class DataFileFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("TZ", "UTC");
        tzset();
        record.m_nDateFormat = 0;
        ASSERT_TRUE(dir.isValid() && QDir().mkpath(folder));
    }

    static QByteArray Lines(const std::vector<std::string>& lines, const char* end = "\r\n")
    {
        QByteArray bytes;
        for (const std::string& line : lines)
            bytes += QByteArray::fromStdString(line) + end;
        return bytes;
    }
    // Replaces the raw file of logger 1, rebuilds its table from it and returns the table.
    QByteArray Rebuild(const QByteArray& raw, const CsvBuildOptions& options = {})
    {
        WriteRaw(raw);
        AccFile acc(AccFilePath(record, 1));
        EXPECT_TRUE(acc.Open() && RebuildCsvFile(record, 1, acc, options));
        return ReadTable();
    }
    void WriteRaw(const QByteArray& raw)
    {
        QFile file(QString::fromStdString(AccFilePath(record, 1)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(raw) == raw.size());
    }
    QByteArray BuildFrom(const std::vector<std::string>& lines) { return Rebuild(Lines(lines)); }
    QByteArray ReadTable()
    {
        QFile file(QString::fromStdString(CsvFilePath(record, 1)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    LoggerRecord record = NewLoggerRecord("Site1", dir.path().toStdString() + "/");
    const QString folder = QString::fromStdString(LoggerFolderPath(record));
};

using AccFileTest = DataFileFixture;

// A line left without its end is ended before the next append; no failed write is silent.
TEST_F(AccFileTest, AppendsLinesWithCrLfAndTellsFailures)
{
    const std::string path = AccFilePath(record, 1);
    EXPECT_FALSE(IsFile(path.c_str()));
    {
        AccFile raw(path);
        ASSERT_TRUE(raw.Open() && IsFile(path.c_str()));
        EXPECT_TRUE(raw.AppendLine("01 00 240105 120000 1 012345") && raw.AppendLine(""));
        EXPECT_TRUE(raw.Sync() && !raw.HasWriteError());
    }
    QFile cut(QString::fromStdString(path));
    ASSERT_TRUE(cut.open(QIODevice::Append) && cut.write("01 0") == 4);
    cut.close();
    AccFile raw(path);
    ASSERT_TRUE(raw.Open());
    EXPECT_TRUE(raw.AppendLine("01 01 240105 120000 4 000500"));
    std::string bytes;
    ASSERT_TRUE(raw.ReadAll(bytes));
    EXPECT_EQ(
        bytes, "01 00 240105 120000 1 012345\r\n\r\n01 0\r\n01 01 240105 120000 4 000500\r\n");
    ASSERT_TRUE(RebuildCsvFile(record, 1, raw));
    EXPECT_EQ(ReadTable(), "Measured Date,Time,1A,2B\r\n2024/01/05,12:00:00,1234.5,500\r\n");
    for (const std::string& failing :
        {LoggerFolderPath(record) + "/missing/x.acc", std::string("/dev/full")}) {
        const bool device = failing == "/dev/full";
        if (device && !QFile::exists("/dev/full"))
            GTEST_SKIP() << "no /dev/full here";
        AccFile refused(failing);
        EXPECT_EQ(refused.Open(), device);
        EXPECT_FALSE(refused.AppendLine("01 00 240105 120000 1 012345"));
        EXPECT_FALSE(refused.AppendLine("01 00 240105 120000 1 012345"));
        EXPECT_TRUE(refused.HasWriteError() && (device || !refused.ReadAll(bytes)));
    }
}

using CsvRebuildTest = DataFileFixture;

// Record lines: "01 CC YYMMDD HHMMSS K VVVVVV", whatever the line ends, last one ended or not.
TEST_F(CsvRebuildTest, RecordLinesGiveTheirTable)
{
    const struct
    {
        const char* what;
        std::vector<std::string> lines;
        QByteArray table;
    } cases[] = {
        {"worked example, empty lines between, repeats: the first value stays",
            {"", "01 00 240105 120000 1 012345", "", "01 00 240105 120030 4 000123", "", "",
                "01 01 240105 120000 1 000500", "01 00 240105 120000 1 012345",
                "01 00 240105 120000 1 099999", "01 00 240105 120300 1 012350"},
            "Measured Date,Time,1A,1B,2A\r\n"
            "2024/01/05,12:00:00,1234.5,123,50.0\r\n"
            "2024/01/05,12:03:00,1235.0,999999,999999\r\n"},
        {"no record lines", {}, "Measured Date,Time\r\n"},
        {"empty lines and lines of other lengths only",
            {"", "01 00 240105 120000 1 01234", "01 00 240105 120000 1 0123456", "", "garbage"},
            "Measured Date,Time\r\n"},
        {"unsorted records: rows in time order",
            {"01 00 240107 080000 1 000003", "01 00 231231 235900 1 000001",
                "01 00 240105 120000 1 000002"},
            "Measured Date,Time,1A\r\n2023/12/31,23:59:00,0.1\r\n"
            "2024/01/05,12:00:00,0.2\r\n2024/01/07,08:00:00,0.3\r\n"},
        {"a row takes readings within 180 s of its first (179 s joins, 180 s does not) into "
         "cells not yet taken",
            {"01 00 240105 120000 1 000010", "01 01 240105 120259 1 000020",
                "01 02 240105 120300 1 000030", "01 02 240105 120310 1 000040",
                "01 00 240105 120320 1 000050"},
            "Measured Date,Time,1A,2A,3A\r\n"
            "2024/01/05,12:00:00,1.0,2.0,999999\r\n"
            "2024/01/05,12:03:00,999999,999999,3.0\r\n"
            "2024/01/05,12:03:10,5.0,999999,4.0\r\n"},
        {"a row across midnight keeps the date of its first reading",
            {"01 00 240131 235930 1 000010", "01 01 240201 000100 1 000020"},
            "Measured Date,Time,1A,2A\r\n2024/01/31,23:59:30,1.0,2.0\r\n"},
        {"month 00, hour 24, minute -1 keep their column but no row; 31 April is 1 May",
            {"01 00 240105 120000 1 000010", "01 05 240005 120000 1 000020",
                "01 06 240105 240000 1 000030", "01 07 240105 12-100 1 000040",
                "01 00 240431 120000 1 000050"},
            "Measured Date,Time,1A,6A,7A,8A\r\n"
            "2024/01/05,12:00:00,1.0,999999,999999,999999\r\n"
            "2024/05/01,12:00:00,5.0,999999,999999,999999\r\n"},
        {"channels outside 00..15 are skipped; ab reads as 0",
            {"01 16 240105 120000 1 000010", "01 -1 240105 120000 1 000020",
                "01 99 240105 120000 4 000030", "01 15 240105 120000 4 000040",
                "01 ab 240105 120000 1 000050"},
            "Measured Date,Time,1A,16B\r\n2024/01/05,12:00:00,5.0,40\r\n"},
        {"VW (without its ;), RTD and thermistor in tenths, mV whole, another kind 0",
            {"01 00 240105 120000 1 01;234", "01 00 240105 120000 2 -01234",
                "01 01 240105 120000 3 000005", "01 02 240105 120000 4 000123",
                "01 03 240105 120000 4 -00007", "01 04 240105 120000 x abcdef"},
            "Measured Date,Time,1A,1B,2B,3B,4B,5B\r\n"
            "2024/01/05,12:00:00,123.4,-123.4,0.5,123,-7,0.0\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildFrom(c.lines), c.table) << c.what;
        EXPECT_EQ(Rebuild(Lines(c.lines, "\n")), c.table) << c.what;
        EXPECT_EQ(Rebuild(Lines(c.lines, "\n").chopped(c.lines.empty() ? 0 : 1)), c.table)
            << c.what;
    }
}

TEST_F(CsvRebuildTest, EveryDateStyleAndRawTextsOutsideThem)
{
    const std::pair<int, QByteArray> styles[] = {{1, "2024/01/05,13:04"}, {2, "24/01/05,13:04:09"},
        {4, "01/05/2024,13:04:09"}, {-1, "240105,130409"}};
    for (const auto& [style, row] : styles) {
        record.m_nDateFormat = style;
        EXPECT_EQ(BuildFrom({"01 00 240105 130409 1 000010"}),
            "Measured Date,Time,1A\r\n" + row + ",1.0\r\n")
            << style;
    }
    // A damaged record whose time still reads as one: the raw texts keep their digits only,
    // so no separator of the table slips into the row.
    record.m_nDateFormat = 7;
    EXPECT_EQ(BuildFrom({"01 00 24,105 13,409 1 000010", "01 01 240105 13,409 1 000020"}),
        "Measured Date,Time,1A,2A\r\n240105,13409,999999,2.0\r\n");
}

// A failed build is reported, leaves the old table whole and nothing over; events run during it.
TEST_F(CsvRebuildTest, AFailedBuildIsReportedAndLeavesTheOldTableWhole)
{
    std::vector<std::string> lines;
    for (int minute = 0; minute < 300; ++minute)
        lines.push_back(FormatString("01 00 240105 %02d%02d00 1 000010", minute / 60, minute % 60));
    const QByteArray old = BuildFrom(lines);
    ASSERT_GT(old.size(), 6000);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        record.m_nDateFormat = 7;
        SetFieldText(record.m_szName, "Other");
    });
    CsvBuildOptions options;
    options.eventIntervalMs = 0;
    Rebuild(Lines(lines), options);
    EXPECT_TRUE(ran);
    SetFieldText(record.m_szName, "Site1");
    record.m_nDateFormat = 0;
    EXPECT_EQ(ReadTable(), old);
    ASSERT_TRUE(QFile::remove(folder + "/Site1-01.acc"));
    AccFile missing(AccFilePath(record, 1)); // never opened, so never created
    EXPECT_FALSE(RebuildCsvFile(record, 1, missing));
    EXPECT_EQ(ReadTable(), old);
    lines.push_back("01 00 240106 120000 1 000020");
    WriteRaw(Lines(lines));
    AccFile raw(AccFilePath(record, 1));
    ASSERT_TRUE(raw.Open());
    {
        const FileSizeLimit full(4096);
        EXPECT_FALSE(RebuildCsvFile(record, 1, raw));
    }
    EXPECT_EQ(ReadTable(), old);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{"Site1-01.acc", "Site1-01.csv"}));
    const QString table = folder + "/Site1-01.csv";
    ASSERT_TRUE(QFile::remove(table) && QDir().mkdir(table));
    EXPECT_FALSE(RebuildCsvFile(record, 1, raw));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Site1-01.acc"});
}

// Above kind 3 the whole value cut toward zero, else tenths; no value breaks the text.
TEST(ChannelValueTest, EveryKindAndValueGivesACellText)
{
    const std::tuple<int, float, const char*> cells[]
        = {{4, -7.9f, "-7"}, {9, 7.9f, "7"}, {-5, 999999.0f, "99999.9"}, {4, 1e20f, "2147483647"},
            {4, std::numeric_limits<float>::quiet_NaN(), "0"}};
    for (const auto& [kind, value, text] : cells)
        EXPECT_EQ(FormatChannelValue(kind, value), text) << kind << " " << value;
}

// Each interval and delay receives on its minutes; a long receive or an invalid time makes up
// nothing, and a huge interval or delay from a file of any origin never overflows.
TEST(ReceiveScheduleTest, EachIntervalAndDelayReceivesOnItsMinutes)
{
    const struct
    {
        int interval;
        bool delayOn;
        int delay, from, to, step, ticks;
        std::vector<int> minutes;
    } cases[] = {{60, false, 30, 0, 181, 1, 60, {0, 60, 120, 180}}, // a delay that is off
        {60, false, 0, 10 * 60 + 37, 12 * 60, 1, 60, {660, 720}}, // a start after the hour
        {120, true, 30, 0, 300, 1, 2, {30, 150, 270}},
        {600, false, 0, 0, 1439, 1, 1, {0, 600, 1200}}, {0, true, 5, 0, 1439, 1, 3, {5}},
        {INT_MAX, true, 5, 0, 1439, 1, 1, {5}}, {10, true, INT_MAX, 0, 1439, 1, 1, {}},
        {10, false, 0, 0, 50, 25, 1, {0, 50}}};
    for (const auto& c : cases) {
        LoggerRecord record = NewLoggerRecord("s", "/");
        record.m_bAutoReceive = 1;
        record.m_nReceiveInterval = c.interval;
        record.m_bDelayOn = c.delayOn;
        record.m_nReceiveDelay = c.delay;
        std::vector<int> minutes;
        for (int minute = c.from; minute <= c.to; minute += c.step) {
            for (int tick = 0; tick < c.ticks; ++tick) {
                if (TakeScheduledTurn(record, {6, minute}))
                    minutes.push_back(minute);
            }
        }
        EXPECT_EQ(minutes, c.minutes) << c.interval;
        EXPECT_TRUE(c.to < 1439 || record.m_nNextReceive >= 24 * 60); // nothing more today
        // The next day starts over.
        EXPECT_TRUE(c.minutes.empty() || TakeScheduledTurn(record, {7, c.delayOn ? c.delay : 0}));
        EXPECT_FALSE(TakeScheduledTurn(record, ScheduleTimeOf(QDateTime())));
        if (c.interval != INT_MAX)
            continue;
        for (const int next : {INT_MAX - 1, INT_MIN}) {
            record.m_nNextReceive = next;
            EXPECT_FALSE(
                TakeScheduledTurn(record, {0, 700}) || TakeScheduledTurn(record, {0, 1439}));
        }
    }
    const ScheduleTime time = ScheduleTimeOf(QDateTime(QDate(2026, 12, 6), QTime(10, 37, 59)));
    EXPECT_EQ(std::pair(time.day, time.minuteOfDay), std::pair(6, 637));
}

} // namespace
