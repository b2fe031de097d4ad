#include "data/AccFile.h"
#include "data/ChannelValue.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "data/FolderUtils.h"
#include "data/ReceiveSchedule.h"
#include "platform/Format.h"
#include "record/DataFolder.h"
#include "record/LoggerFile.h"
#include "record/LoggerRecord.h"
#include "record/LoggerTable.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <functional>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

QByteArray Bytes(const LoggerRecord& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

// A 32-bit little-endian integer at offset, as the file holds it.
void PutInt(QByteArray& bytes, int offset, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

// A temporary data folder holding the configuration "Site1" and its folder, on fixed zone rules.
class StoredFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("TZ", "UTC");
        tzset();
        ASSERT_TRUE(dir.isValid() && QDir().mkpath(site));
        savedDataFolder = std::exchange(g_strDataFolder, folder);
        ClearLoggerTable();
    }
    void TearDown() override
    {
        g_strDataFolder = savedDataFolder;
        ClearLoggerTable();
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

    // The file of a title in the data folder.
    QByteArray ReadFile(const std::string& title)
    {
        QFile file(QString::fromStdString(folder + title + ".arg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable";
    }
    void WriteFile(const std::string& title, const QByteArray& bytes)
    {
        QFile file(QString::fromStdString(folder + title + ".arg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Loads bytes from a file of their own: "" when they load whole, else the refusal less
    // the file's name. A refused file leaves nothing in the slot.
    std::string Refusal(const QByteArray& bytes)
    {
        WriteFile("case", bytes);
        std::string refusal;
        const bool loaded = LoadLoggerFile(0, "case", &refusal);
        EXPECT_EQ(loaded, refusal.empty());
        if (loaded) // a short file fills the record from its start only
            EXPECT_EQ(Bytes(g_loggers[0]).left(bytes.size()), bytes.left(sizeof(LoggerRecord)));
        else
            EXPECT_TRUE(Bytes(g_loggers[0]) == Bytes({}) && LoggerSourceFile(0).empty());
        const std::string head = folder + "case.arg is not a configuration file: ";
        return refusal.rfind(head, 0) == 0 ? refusal.substr(head.size()) : refusal;
    }

    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    std::string savedDataFolder;
    LoggerRecord record = NewLoggerRecord("Site1", folder);
    const QString site = QString::fromStdString(LoggerFolderPath(record));
};

using CsvRebuildTest = StoredFileTest;
using LoggerFileTest = StoredFileTest;

// Record lines: "01 CC YYMMDD HHMMSS K VVVVVV", whatever the line ends, last one ended or not;
// then each date style, and cell texts of any kind and value.
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
    // Above kind 3 the whole value cut toward zero, else tenths; no value breaks the text.
    const std::tuple<int, float, const char*> cells[]
        = {{4, -7.9f, "-7"}, {9, 7.9f, "7"}, {-5, 999999.0f, "99999.9"}, {4, 1e20f, "2147483647"},
            {4, std::numeric_limits<float>::quiet_NaN(), "0"}};
    for (const auto& [kind, value, text] : cells)
        EXPECT_EQ(FormatChannelValue(kind, value), text) << kind << " " << value;
}

// A line left without its end is ended before the next append; no failed write is silent. A
// failed build is reported, leaves the old table whole and nothing over; events run during it.
TEST_F(CsvRebuildTest, AppendsAndRebuildsAndTellsEveryFailure)
{
    const std::string path = AccFilePath(record, 1);
    AccFile made(path);
    ASSERT_TRUE(!IsFile(path.c_str()) && made.Open() && IsFile(path.c_str()));
    EXPECT_TRUE(made.AppendLine("01 00 240105 120000 1 012345") && made.AppendLine(""));
    EXPECT_TRUE(made.Sync() && !made.HasWriteError());
    QFile cut(QString::fromStdString(path));
    ASSERT_TRUE(cut.open(QIODevice::Append) && cut.write("01 0") == 4 && cut.flush());
    AccFile reopened(path);
    ASSERT_TRUE(reopened.Open());
    EXPECT_TRUE(reopened.AppendLine("01 01 240105 120000 4 000500"));
    std::string bytes;
    ASSERT_TRUE(reopened.ReadAll(bytes));
    EXPECT_EQ(
        bytes, "01 00 240105 120000 1 012345\r\n\r\n01 0\r\n01 01 240105 120000 4 000500\r\n");
    ASSERT_TRUE(RebuildCsvFile(record, 1, reopened));
    EXPECT_EQ(ReadTable(), "Measured Date,Time,1A,2B\r\n2024/01/05,12:00:00,1234.5,500\r\n");
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
    ASSERT_TRUE(QFile::remove(site + "/Site1-01.acc"));
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
    EXPECT_EQ(QDir(site).entryList(QDir::Files), (QStringList{"Site1-01.acc", "Site1-01.csv"}));
    const QString table = site + "/Site1-01.csv";
    ASSERT_TRUE(QFile::remove(table) && QDir().mkdir(table));
    EXPECT_FALSE(RebuildCsvFile(record, 1, raw));
    EXPECT_EQ(QDir(site).entryList(QDir::Files), QStringList{"Site1-01.acc"});
    for (const std::string& failing :
        {LoggerFolderPath(record) + "/missing/x.acc", std::string("/dev/full")}) {
        const bool device = failing == "/dev/full";
        if (device && !QFile::exists("/dev/full"))
            GTEST_SKIP() << "no /dev/full here";
        AccFile refused(failing);
        EXPECT_EQ(refused.Open(), device);
        EXPECT_FALSE(refused.AppendLine("01 0") || refused.AppendLine("01 0"));
        EXPECT_TRUE(refused.HasWriteError() && (device || !refused.ReadAll(bytes)));
    }
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
        {60, true, INT_MIN, 0, 1439, 1, 60, {}}, // a delay typed as 2^31 minutes
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
    // A tick without a time of day receives nothing, even at the minute a file left.
    LoggerRecord stale = NewLoggerRecord("s", "/");
    stale.m_bAutoReceive = 1;
    stale.m_nNextReceive = -61;
    EXPECT_FALSE(TakeScheduledTurn(stale, ScheduleTimeOf(QDateTime())));
    const ScheduleTime time = ScheduleTimeOf(QDateTime(QDate(2026, 12, 6), QTime(10, 37, 59)));
    EXPECT_EQ(std::pair(time.day, time.minuteOfDay), std::pair(6, 637));
}

// An absolute entry is the path itself, anything else a title in the data folder. A failed save
// is told and leaves the old file whole.
TEST_F(LoggerFileTest, SaveAndLoadGiveBackTheSameBytesInTheFileLayout)
{
    EXPECT_FALSE(SaveLoggerFile(0, nullptr)); // empty table
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder + "taken.arg"))); // a folder's place
    for (const auto& [name, where] : {std::pair("abc", folder + "no/such/folder/"),
             std::pair("..", folder), std::pair("taken", folder)}) {
        const LoggerRecord failing = NewLoggerRecord(name, where);
        EXPECT_FALSE(SaveLoggerFile(0, &failing)) << name;
    }
    ASSERT_TRUE(SaveLoggerFile(0, &record));
    const QByteArray one("\1\0\0\0", 4);
    QByteArray image(3960, '\0');
    for (const auto& [offset, bytes] : std::initializer_list<std::pair<int, QByteArray>>{
             {0, "Site1"}, {20, one}, {24, one}, {56, one}, {64, "AT+CRM=129,ATDT"}, {84, "+++"},
             {124, QByteArray::fromStdString(folder)}})
        image.replace(offset, bytes.size(), bytes);
    for (int unit = 0; unit < 7; ++unit) // each logger's unit flag
        image.replace(824 + 408 * unit, 4, one);
    EXPECT_EQ(ReadFile("Site1"), image);
    record.m_reserved[447] = 0x5A; // carried unchanged
    ASSERT_TRUE(SaveLoggerFile(0, &record));
    ASSERT_TRUE(QFile::rename(QString::fromStdString(folder + "Site1.arg"),
        QString::fromStdString(folder + "Renamed.arg")));
    ASSERT_TRUE(LoadLoggerFile(3, "Renamed"));
    EXPECT_EQ(Bytes(g_loggers[3]), Bytes(record));
    EXPECT_EQ(LoggerSourceFile(3), folder + "Renamed.arg");
    g_nLoggerCount = 4;
    g_loggers[3].m_nDateFormat = 5;
    ASSERT_TRUE(SaveLoggerFile(3, nullptr));
    EXPECT_EQ(ReadFile("Site1")[416], 5);
    g_loggers[4] = record; // beyond the table
    EXPECT_FALSE(SaveLoggerFile(4, nullptr));
    const QByteArray saved = ReadFile("Site1");
    SetFieldText(record.m_szPhoneNumber, "0123");
    {
        const FileSizeLimit full(1000); // a disk that fills during the save
        EXPECT_FALSE(SaveLoggerFile(0, &record));
    }
    EXPECT_EQ(ReadFile("Site1"), saved);
    QTemporaryDir other;
    record = NewLoggerRecord("Remote", other.path().toStdString() + "/");
    ASSERT_TRUE(SaveLoggerFile(0, &record));
    ASSERT_TRUE(LoadLoggerFile(0, other.path().toStdString() + "/Remote"));
    EXPECT_EQ(Bytes(g_loggers[0]), Bytes(record));
}

// Flags and list positions are refused one past their ends; every other number is read as
// stored. The first wrong field in the file is named.
TEST_F(LoggerFileTest, OnlyWhatNoConfigurationHoldsIsRefused)
{
    constexpr int64_t Min = INT32_MIN, Max = INT32_MAX;
    const struct
    {
        const char* field;
        int offset;
        int64_t low, high;
        bool byte = false;
    } cases[] = {{"Single flag", 20, 0, 1}, {"logger 7 network flag", 52, 0, 1},
        {"modem flag", 60, 0, 1}, {"erase flag", 412, 0, 1}, {"date style", 416, -1, 5},
        {"logger 7 channel 16 sensor flag", 3228, 0, 1}, {"logger 4 schedule kind", 2040, -1, 1},
        {"logger 7 unit flag", 3272, 0, 1}, {"graph logger", 3276, 0, 6},
        {"logger 5 channel 9 graph B flag", 3464, 0, 1, true},
        // Numbers as their writers left them: the COM port, the receive interval and delay, the
        // scheduler's day and minute, a channel's VW type, analog type and value, the measuring
        // hours and minutes, the graph period, the scanned sensor count.
        {"", 56, Min, Max}, {"", 396, Min, Max}, {"", 400, Min, Max}, {"", 404, Min, Max},
        {"", 408, Min, Max}, {"", 880, Min, Max}, {"", 884, Min, Max}, {"", 892, Min, Max},
        {"", 2028, Min, Max}, {"", 2032, Min, Max}, {"", 3952, Min, Max}, {"", 3956, Min, Max}};
    // Written elsewhere: a name in a Windows code page, a Windows folder, full text fields.
    LoggerRecord base = NewLoggerRecord("Damm\xE4", "C:\\Daten\\");
    SetFieldText(base.m_szPhoneNumber, std::string(19, '9'));
    base.m_reserved[0] = 0x5A; // carried, never judged
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        for (int64_t value : {c.low - 1, c.low, c.high, c.high + 1}) {
            if (value < Min || value > Max)
                continue;
            QByteArray bytes = Bytes(base);
            if (c.byte)
                bytes[c.offset] = static_cast<char>(value);
            else
                PutInt(bytes, c.offset, static_cast<int32_t>(value));
            const bool held = value >= c.low && value <= c.high && (!c.byte || value >= 0);
            EXPECT_EQ(Refusal(bytes), held ? "" : "its " + std::string(c.field) + " is wrong.")
                << value;
        }
    }
    // Text without its end (in the field, or in a file that ends first), names that are no
    // file title, and two wrong fields, of which the one earlier in the file is named.
    const QByteArray whole = Bytes(NewLoggerRecord(std::string(19, 'n'), std::string(259, 'f')));
    const std::pair<const char*, std::function<void(QByteArray&)>> texts[] = {
        {"name", [](QByteArray& b) { b.replace(0, 20, QByteArray(20, 'n')); }},
        {"name", [](QByteArray& b) { b.replace(0, 20, QByteArray(20, '\0')); }},
        {"name", [](QByteArray& b) { b.replace(0, 4, "a/b\0"); }},
        {"name", [](QByteArray& b) { b = "Site notes\n"; }}, // a text file
        {"name", [&whole](QByteArray& b) { b = whole.left(19); }},
        {"AT command", [](QByteArray& b) { b.replace(64, 20, QByteArray(20, 'a')); }},
        {"data folder", [](QByteArray& b) { b.replace(124, 260, QByteArray(260, 'f')); }},
        {"data folder", [&whole](QByteArray& b) { b = whole.left(124 + 258); }},
        {"modem flag", [](QByteArray& b) { PutInt(b, 60, -1649375348), PutInt(b, 416, 9); }},
        // The schedule of logger 1 lies before the channels of logger 2.
        {"logger 1 schedule kind", [](QByteArray& b) { PutInt(b, 828, 2), PutInt(b, 816, 5); }},
    };
    for (const auto& [field, edit] : texts) {
        QByteArray bytes = Bytes(base);
        edit(bytes);
        EXPECT_EQ(Refusal(bytes), "its " + std::string(field) + " is wrong.") << bytes.size();
    }
    // Cut after its texts' ends, a configuration keeps what the file held of it.
    EXPECT_EQ(Refusal(whole.left(124 + 260)), "");
    // An older configuration: minutes typed past 2^31 - 1, an interval of 120 hours and one of
    // 150 minutes, a schedule list left without a choice, a logger's reply of -123, ten
    // digits and a type of 12.
    QByteArray older = Bytes(base);
    for (const auto& [offset, value] : std::initializer_list<std::pair<int, int64_t>>{
             {396, 3000000000}, {400, 4294967295}, {2028, 120}, {1624, 150}, {2040, -1}, {880, 12},
             {884, 12}, {892, -123}, {916, 1234567890}})
        PutInt(older, offset, static_cast<int32_t>(value));
    EXPECT_EQ(Refusal(older), "");
    // Random bytes, short or long, are refused too.
    std::mt19937 random(25);
    for (int size : {30, 500, 3960, 5000}) {
        QByteArray bytes(size, '\0');
        std::generate(bytes.begin(), bytes.end(), [&random] { return char(random()); });
        EXPECT_EQ(Refusal(bytes).rfind("its ", 0), 0u) << size;
    }
    // An unreadable file leaves the entry's title; a short or long file is read for what it has.
    EXPECT_FALSE(LoadLoggerFile(0, "missing"));
    EXPECT_FALSE(LoadLoggerFile(1, "/no/such/folder/a-very-long-configuration-name"));
    WriteFile("short", QByteArray("ab") + QByteArray(18, '\0') + QByteArray("\1\0", 2));
    ASSERT_TRUE(LoadLoggerFile(2, "short"));
    EXPECT_EQ(std::tuple(FieldText(g_loggers[0].m_szName), FieldText(g_loggers[1].m_szName),
                  FieldText(g_loggers[2].m_szName), g_loggers[2].m_bSingle),
        std::tuple("missing", "a-very-long-configu", "ab", 1));
    const LoggerRecord longRecord = NewLoggerRecord("long", folder);
    WriteFile("long", Bytes(longRecord) + QByteArray(100, 'x'));
    ASSERT_TRUE(LoadLoggerFile(3, "long"));
    EXPECT_EQ(Bytes(g_loggers[3]), Bytes(longRecord));
}

// Closing a record moves the later ones up with their files; outside the table nothing happens.
TEST(LoggerTableTest, ClosingRecordsKeepsTheTableDense)
{
    ClearLoggerTable();
    for (int i = 0; i < 3; ++i) {
        g_loggers[i] = NewLoggerRecord(std::string(1, static_cast<char>('a' + i)), "/");
        SetLoggerSourceFile(i, FieldText(g_loggers[i].m_szName) + ".arg");
    }
    g_nLoggerCount = 3;
    g_nCurLogger = 2;
    CloseLoggerAt(1);
    CloseLoggerAt(2);
    EXPECT_EQ(std::tuple(g_nLoggerCount, g_nCurLogger, FieldText(g_loggers[0].m_szName),
                  FieldText(g_loggers[1].m_szName), LoggerSourceFile(1), LoggerSourceFile(2)),
        std::tuple(2, 0, "a", "c", "c.arg", ""));
    ClearLoggerTable();
    EXPECT_TRUE(LoggerSourceFile(0).empty() && CurrentLogger() == nullptr && !g_nLoggerCount);
    // A single line has logger 1 only; a network the loggers marked used.
    LoggerRecord record = NewLoggerRecord("n", "/");
    EXPECT_TRUE(IsLoggerIdUsed(record, 1) && !IsLoggerIdUsed(record, 2));
    record.m_bSingle = 0;
    record.m_bLoggerUsed[2] = 1;
    EXPECT_TRUE(!IsLoggerIdUsed(record, 1) && IsLoggerIdUsed(record, 3));
    EXPECT_FALSE(IsLoggerIdUsed(record, 8));
}

// On a fresh home each: nothing made yet, a documents folder of its own, a file in the way.
TEST(DataFolderTest, TheFolderLiesUnderTheDocumentsFolderAndIsMadeOrReported)
{
    const auto restore = qScopeGuard(
        [home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME"), folder = g_strDataFolder] {
            qputenv("HOME", home);
            qputenv("XDG_CONFIG_HOME", config);
            g_strDataFolder = folder;
        });
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly)
            && file.write(bytes) == bytes.size();
    };
    const std::tuple<const char*, const char*, const char*, bool> cases[]
        = {{nullptr, "", "/Documents/Quorbel/Data/", true},
            {"/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
                "/Dokumente/Quorbel/Data/", true},
            {"/Documents", "", "/Documents/Quorbel/Data/", false}};
    for (const auto& [file, content, where, made] : cases) {
        QTemporaryDir home;
        qputenv("HOME", QFile::encodeName(home.path()));
        qunsetenv("XDG_CONFIG_HOME");
        ASSERT_TRUE(home.isValid() && (!file || write(home.path() + file, content)));
        EXPECT_EQ(InitDataFolder(), made) << where;
        EXPECT_EQ(g_strDataFolder, QFile::encodeName(home.path()).toStdString() + where);
        const QString folder = QFile::decodeName(g_strDataFolder.c_str());
        EXPECT_EQ(QFileInfo(folder).isDir(), made);
        if (made) {
            ASSERT_TRUE(write(folder + "Site.arg", "kept") && InitDataFolder());
            EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Site.arg"});
        }
    }
}

} // namespace
