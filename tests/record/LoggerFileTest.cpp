#include "record/DataFolder.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

class LoggerFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path().toStdString() + "/";
        savedDataFolder = g_strDataFolder;
        g_strDataFolder = folder;
        ClearLoggerTable();
    }
    void TearDown() override
    {
        g_strDataFolder = savedDataFolder;
        ClearLoggerTable();
    }

    QByteArray ReadFile(const std::string& path)
    {
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void WriteFile(const std::string& path, const QByteArray& bytes)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // Loads record from a file of its own: "" when it loads whole, else the refusal less the
    // file's name.
    std::string Refusal(const LoggerRecord& record)
    {
        WriteFile(
            folder + "case.arg", QByteArray(reinterpret_cast<const char*>(&record), sizeof record));
        std::string refusal;
        const bool loaded = LoadLoggerFile(0, "case", &refusal);
        EXPECT_EQ(loaded, refusal.empty());
        EXPECT_TRUE(!loaded || std::memcmp(&g_loggers[0], &record, sizeof record) == 0);
        const std::string head = folder + "case.arg is not a configuration file: ";
        return refusal.rfind(head, 0) == 0 ? refusal.substr(head.size()) : refusal;
    }

    QTemporaryDir dir;
    std::string folder;
    std::string savedDataFolder;
};

void PutInt(std::vector<char>& image, size_t offset, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[offset + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
}

void PutText(std::vector<char>& image, size_t offset, const std::string& text)
{
    std::memcpy(image.data() + offset, text.data(), text.size());
}

TEST_F(LoggerFileTest, NewRecordIsWrittenInTheFileLayout)
{
    const LoggerRecord record = NewLoggerRecord("abc", folder);
    ASSERT_TRUE(SaveLoggerFile(0, &record));

    std::vector<char> image(3960, 0);
    PutText(image, 0, "abc");
    PutInt(image, 20, 1);
    PutInt(image, 24, 1);
    PutInt(image, 56, 1);
    PutText(image, 64, "AT+CRM=129,ATDT");
    PutText(image, 84, "+++");
    PutText(image, 124, folder);
    for (size_t offset : {824, 1232, 1640, 2048, 2456, 2864, 3272})
        PutInt(image, offset, 1);

    const QByteArray written = ReadFile(folder + "abc.arg");
    ASSERT_EQ(written.size(), 3960);
    for (size_t i = 0; i < image.size(); ++i)
        ASSERT_EQ(written[static_cast<qsizetype>(i)], image[i]) << "byte " << i;
}

TEST_F(LoggerFileTest, SaveAndLoadGiveBackTheSameBytes)
{
    LoggerRecord record = NewLoggerRecord("Site1", folder);
    record.m_bSingle = 0;
    record.m_bLoggerUsed[1] = 1;
    record.m_bLoggerUsed[4] = 1;
    record.m_units[4].m_channels[15].m_nAnalogType = 4;
    record.m_bGraphSeriesB[6][15] = 1;
    record.m_reserved[447] = 0x5A; // carried unchanged
    record.m_nScannedSensors = 12;
    ASSERT_TRUE(SaveLoggerFile(0, &record));

    ASSERT_TRUE(LoadLoggerFile(3, "Site1"));
    EXPECT_EQ(std::memcmp(&g_loggers[3], &record, sizeof record), 0);

    // Saving by index writes the table's record.
    g_nLoggerCount = 4;
    g_loggers[3].m_nDateFormat = 5;
    ASSERT_TRUE(SaveLoggerFile(3, nullptr));
    const QByteArray bytes = ReadFile(folder + "Site1.arg");
    EXPECT_EQ(bytes.size(), 3960);
    EXPECT_EQ(bytes[416], 5);
}

TEST_F(LoggerFileTest, EntryFormsNameTheirFiles)
{
    // An absolute entry is the path itself; anything else is a title in the data folder.
    EXPECT_EQ(LoggerFilePath("/x/y"), "/x/y.arg");
    EXPECT_EQ(LoggerFilePath("y"), folder + "y.arg");
    EXPECT_EQ(LoggerFilePath("x/y"), folder + "x/y.arg");

    QTemporaryDir other;
    const std::string elsewhere = other.path().toStdString() + "/Remote";
    LoggerRecord record = NewLoggerRecord("Remote", other.path().toStdString() + "/");
    ASSERT_TRUE(SaveLoggerFile(0, &record));
    ASSERT_TRUE(LoadLoggerFile(0, elsewhere));
    EXPECT_STREQ(g_loggers[0].m_szName, "Remote");
}

TEST_F(LoggerFileTest, StoredNameWinsOverTheFileName)
{
    LoggerRecord record = NewLoggerRecord("Inside", folder);
    ASSERT_TRUE(SaveLoggerFile(0, &record));
    ASSERT_TRUE(QFile::rename(QString::fromStdString(folder + "Inside.arg"),
        QString::fromStdString(folder + "Renamed.arg")));
    ASSERT_TRUE(LoadLoggerFile(0, "Renamed"));
    EXPECT_STREQ(g_loggers[0].m_szName, "Inside");
    // The slot remembers the file it came from, not the one its name makes.
    EXPECT_EQ(LoggerSourceFile(0), folder + "Renamed.arg");
}

TEST_F(LoggerFileTest, UnreadableAndShortFiles)
{
    EXPECT_FALSE(LoadLoggerFile(0, "missing"));
    EXPECT_STREQ(g_loggers[0].m_szName, "missing");
    EXPECT_EQ(g_loggers[0].m_bSingle, 0);

    // A long entry is shown by its title, cut to the field.
    EXPECT_FALSE(LoadLoggerFile(1, "/no/such/folder/a-very-long-configuration-name"));
    EXPECT_STREQ(g_loggers[1].m_szName, "a-very-long-configu");

    // A short file replaces the record from its start only.
    QByteArray shortFile(22, '\0');
    shortFile.replace(0, 2, "ab");
    shortFile[20] = 1;
    WriteFile(folder + "short-one.arg", shortFile);
    ASSERT_TRUE(LoadLoggerFile(2, "short-one"));
    EXPECT_STREQ(g_loggers[2].m_szName, "ab");
    EXPECT_EQ(g_loggers[2].m_bSingle, 1);

    // A longer file is read for its first 3960 bytes.
    LoggerRecord record = NewLoggerRecord("long", folder);
    QByteArray longFile(reinterpret_cast<const char*>(&record), sizeof record);
    longFile.append(100, 'x');
    WriteFile(folder + "long.arg", longFile);
    ASSERT_TRUE(LoadLoggerFile(3, "long"));
    EXPECT_EQ(std::memcmp(&g_loggers[3], &record, sizeof record), 0);
}

TEST_F(LoggerFileTest, TextFieldsNeverRunPastTheirBound)
{
    LoggerRecord record = NewLoggerRecord(std::string(40, 'n'), std::string(400, 'f'));
    EXPECT_EQ(FieldText(record.m_szName), std::string(19, 'n'));
    EXPECT_EQ(FieldText(record.m_szDataFolder), std::string(259, 'f'));
}

// Every value some dialog, logger read or the scheduler stores loads, whichever system wrote
// the file; one past it is refused, naming the first wrong field in file order.
TEST_F(LoggerFileTest, ARecordLoadsOnlyWithValuesTheProgramStores)
{
    using Set = void (*)(LoggerRecord&, int32_t);
#define SETS(field)                                                                                \
    [](LoggerRecord& r, int32_t v) {                                                               \
        r.field = static_cast<std::remove_reference_t<decltype(r.field)>>(v);                      \
    }
    struct Case
    {
        const char* field;
        Set set;
        int32_t low, high;
    };
    const int32_t most = INT32_MAX;
    const Case cases[] = {
        {"Single flag", SETS(m_bSingle), 0, 1},
        {"RS-485 flag", SETS(m_bRs485), 0, 1},
        {"logger 7 network flag", SETS(m_bLoggerUsed[6]), 0, 1},
        {"COM port", SETS(m_nComPort), 0, 256},
        {"modem flag", SETS(m_bUseModem), 0, 1},
        {"receive schedule flag", SETS(m_bAutoReceive), 0, 1},
        {"minute flag", SETS(m_bIntervalOn), 0, 1},
        {"delay flag", SETS(m_bDelayOn), 0, 1},
        {"receive interval", SETS(m_nReceiveInterval), 0, most},
        {"receive delay", SETS(m_nReceiveDelay), 0, most},
        {"last receive day", SETS(m_nLastDay), 0, 31},
        {"next receive minute", SETS(m_nNextReceive), 0, most},
        {"erase flag", SETS(m_bEraseAfterReceive), 0, 1},
        {"date style", SETS(m_nDateFormat), -1, 5},
        {"logger 7 channel 16 sensor flag", SETS(m_units[6].m_channels[15].m_bPresent), 0, 1},
        {"logger 2 channel 3 VW type", SETS(m_units[1].m_channels[2].m_nVwType), 0, 1000000000},
        {"logger 2 channel 3 analog type", SETS(m_units[1].m_channels[2].m_nAnalogType), 0,
            999999999},
        {"logger 2 channel 3 value", SETS(m_units[1].m_channels[2].m_nValue), 0, 999999999},
        {"logger 4 measuring hours", SETS(m_units[3].m_schedule.m_nHours), 0, 99},
        {"logger 4 measuring minutes", SETS(m_units[3].m_schedule.m_nMinutes), 0, 99},
        {"logger 4 schedule kind", SETS(m_units[3].m_schedule.m_nScheduleMode), 0, 1},
        {"logger 4 unit flag", SETS(m_units[3].m_schedule.m_nUnitFlag), 0, 1},
        {"graph logger", SETS(m_nGraphLogger), 0, 6},
        {"logger 5 channel 9 graph A flag", SETS(m_bGraphSeriesA[4][8]), 0, 1},
        {"logger 5 channel 9 graph B flag", SETS(m_bGraphSeriesB[4][8]), 0, 1},
        {"graph period", SETS(m_nGraphPeriod), 0, 3600},
        {"scanned sensor count", SETS(m_nScannedSensors), 0, 32},
    };
#undef SETS
    // Written elsewhere: a name in a Windows code page, a Windows folder, full text fields.
    LoggerRecord base = NewLoggerRecord("Damm\xE4", "C:\\Daten\\");
    SetFieldText(base.m_szPhoneNumber, std::string(19, '9'));
    base.m_reserved[0] = 0x5A; // carried, never judged
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        for (int32_t value : {c.low, c.high}) {
            LoggerRecord record = base;
            c.set(record, value);
            EXPECT_EQ(Refusal(record), "") << value;
        }
        const std::string wrong = std::string("its ") + c.field + " is wrong.";
        LoggerRecord record = base;
        c.set(record, c.low - 1);
        EXPECT_EQ(Refusal(record), wrong);
        if (c.high < most) {
            record = base;
            c.set(record, c.high + 1);
            EXPECT_EQ(Refusal(record), wrong);
        }
    }

    // Text without its end, and names that are no file title.
    using Edit = void (*)(LoggerRecord&);
    const std::pair<const char*, Edit> texts[] = {
        {"name", [](LoggerRecord& r) { std::memset(r.m_szName, 'n', sizeof r.m_szName); }},
        {"name", [](LoggerRecord& r) { SetFieldText(r.m_szName, ""); }},
        {"name", [](LoggerRecord& r) { SetFieldText(r.m_szName, "a/b"); }},
        {"name", [](LoggerRecord& r) { SetFieldText(r.m_szName, ".."); }},
        {"AT command", [](LoggerRecord& r) { std::memset(r.m_szModemCommand, 'a', 20); }},
        {"disconnect command", [](LoggerRecord& r) { std::memset(r.m_szHangUpCommand, '+', 20); }},
        {"phone number", [](LoggerRecord& r) { std::memset(r.m_szPhoneNumber, '9', 20); }},
        {"data folder", [](LoggerRecord& r) { std::memset(r.m_szDataFolder, 'f', 260); }},
        // Two wrong fields: the one earlier in the file is named, whatever its kind.
        {"COM port", [](LoggerRecord& r) { r.m_nComPort = -1649375348, r.m_nDateFormat = 9; }},
        {"logger 1 channel 1 value",
            [](LoggerRecord& r) {
                r.m_units[0].m_channels[0].m_nValue = -1;
                r.m_units[0].m_channels[1].m_bPresent = 2;
            }},
    };
    for (const auto& [field, edit] : texts) {
        LoggerRecord record = base;
        edit(record);
        EXPECT_EQ(Refusal(record), std::string("its ") + field + " is wrong.");
        EXPECT_EQ(g_loggers[0].m_szName[0], '\0'); // nothing of it stays in the slot
        EXPECT_EQ(LoggerSourceFile(0), "");
    }
}

// Files of random bytes, of several sizes, are refused by name; a short one too.
TEST_F(LoggerFileTest, RandomFilesAreRefused)
{
    std::mt19937 random(25);
    for (int size : {30, 500, 3960, 5000}) {
        QByteArray bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        WriteFile(folder + "bad.arg", bytes);
        std::string refusal;
        EXPECT_FALSE(LoadLoggerFile(0, "bad", &refusal)) << size;
        EXPECT_EQ(refusal.rfind(folder + "bad.arg is not a configuration file: its ", 0), 0u)
            << refusal;
        const LoggerRecord zero{};
        EXPECT_EQ(std::memcmp(&g_loggers[0], &zero, sizeof zero), 0) << size;
    }
}

TEST_F(LoggerFileTest, SaveReportsFailures)
{
    LoggerRecord record = NewLoggerRecord("abc", folder + "no/such/folder/");
    EXPECT_FALSE(SaveLoggerFile(0, &record));
    record = NewLoggerRecord("..", folder);
    EXPECT_FALSE(SaveLoggerFile(0, &record));
    EXPECT_FALSE(SaveLoggerFile(0, nullptr)); // empty table
    EXPECT_FALSE(IsValidLoggerName("a/b"));
    EXPECT_TRUE(IsValidLoggerName("a.b"));

    // A disk that fills during the save: false, and the old file stays whole.
    record = NewLoggerRecord("full", folder);
    ASSERT_TRUE(SaveLoggerFile(0, &record));
    SetFieldText(record.m_szPhoneNumber, "0123");
    {
        const FileSizeLimit full(1000);
        EXPECT_FALSE(SaveLoggerFile(0, &record));
    }
    QFile saved(QString::fromStdString(folder + "full.arg"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const LoggerRecord fresh = NewLoggerRecord("full", folder);
    EXPECT_EQ(saved.readAll(), QByteArray(reinterpret_cast<const char*>(&fresh), sizeof fresh));

    // A name whose file place is taken by a folder cannot be written.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder + "taken.arg")));
    record = NewLoggerRecord("taken", folder);
    EXPECT_FALSE(SaveLoggerFile(0, &record));
}

TEST(LoggerTableTest, ClosingRecordsKeepsTheTableDense)
{
    ClearLoggerTable();
    for (int i = 0; i < 3; ++i) {
        const std::string name(1, static_cast<char>('a' + i));
        g_loggers[i] = NewLoggerRecord(name, "/");
        SetLoggerSourceFile(i, "/" + name + ".arg");
    }
    g_nLoggerCount = 3;
    g_nCurLogger = 2;

    CloseLoggerAt(1);
    EXPECT_EQ(g_nLoggerCount, 2);
    EXPECT_EQ(g_nCurLogger, 0);
    EXPECT_STREQ(g_loggers[0].m_szName, "a");
    EXPECT_STREQ(g_loggers[1].m_szName, "c");
    EXPECT_STREQ(g_loggers[2].m_szName, "");
    EXPECT_EQ(LoggerSourceFile(1), "/c.arg");
    EXPECT_EQ(LoggerSourceFile(2), "");

    CloseLoggerAt(5); // outside the table: nothing happens
    EXPECT_EQ(g_nLoggerCount, 2);

    CloseLoggerAt(0);
    CloseLoggerAt(0);
    EXPECT_EQ(g_nLoggerCount, 0);
    EXPECT_EQ(CurrentLogger(), nullptr);
    SetLoggerSourceFile(0, "/x.arg");
    ClearLoggerTable();
    EXPECT_EQ(LoggerSourceFile(0), "");
}

TEST(LoggerRecordTest, LoggerIdsOfSingleAndNetworkLines)
{
    LoggerRecord record = NewLoggerRecord("n", "/");
    EXPECT_TRUE(IsLoggerIdUsed(record, 1));
    EXPECT_FALSE(IsLoggerIdUsed(record, 2));
    record.m_bSingle = 0;
    record.m_bLoggerUsed[2] = 1;
    EXPECT_FALSE(IsLoggerIdUsed(record, 1));
    EXPECT_TRUE(IsLoggerIdUsed(record, 3));
    EXPECT_FALSE(IsLoggerIdUsed(record, 8));
}

} // namespace
