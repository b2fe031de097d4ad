#include "record/DataFolder.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <random>
#include <type_traits>
#include <utility>

namespace {

QByteArray Bytes(const LoggerRecord& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

class LoggerFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedDataFolder = std::exchange(g_strDataFolder, folder);
        ClearLoggerTable();
    }
    void TearDown() override
    {
        g_strDataFolder = savedDataFolder;
        ClearLoggerTable();
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
        if (loaded)
            EXPECT_EQ(Bytes(g_loggers[0]), bytes);
        else
            EXPECT_TRUE(Bytes(g_loggers[0]) == Bytes({}) && LoggerSourceFile(0).empty());
        const std::string head = folder + "case.arg is not a configuration file: ";
        return refusal.rfind(head, 0) == 0 ? refusal.substr(head.size()) : refusal;
    }

    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    std::string savedDataFolder;
};

// An absolute entry is the path itself, anything else a title in the data folder.
TEST_F(LoggerFileTest, SaveAndLoadGiveBackTheSameBytesInTheFileLayout)
{
    LoggerRecord record = NewLoggerRecord("Site1", folder);
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
    QTemporaryDir other;
    record = NewLoggerRecord("Remote", other.path().toStdString() + "/");
    ASSERT_TRUE(SaveLoggerFile(0, &record));
    ASSERT_TRUE(LoadLoggerFile(0, other.path().toStdString() + "/Remote"));
    EXPECT_EQ(Bytes(g_loggers[0]), Bytes(record));
}

// An unreadable file leaves the entry's title; a short or long file is read for what it has.
TEST_F(LoggerFileTest, UnreadableShortAndLongFiles)
{
    EXPECT_FALSE(LoadLoggerFile(0, "missing"));
    EXPECT_FALSE(LoadLoggerFile(1, "/no/such/folder/a-very-long-configuration-name"));
    WriteFile("short", QByteArray("ab") + QByteArray(18, '\0') + QByteArray("\1\0", 2));
    ASSERT_TRUE(LoadLoggerFile(2, "short"));
    EXPECT_EQ(std::tuple(FieldText(g_loggers[0].m_szName), FieldText(g_loggers[1].m_szName),
                  FieldText(g_loggers[2].m_szName), g_loggers[2].m_bSingle),
        std::tuple("missing", "a-very-long-configu", "ab", 1));
    const LoggerRecord record = NewLoggerRecord("long", folder);
    WriteFile("long", Bytes(record) + QByteArray(100, 'x'));
    ASSERT_TRUE(LoadLoggerFile(3, "long"));
    EXPECT_EQ(Bytes(g_loggers[3]), Bytes(record));
}

// One past any value the program stores is refused, naming the first wrong field in the file.
TEST_F(LoggerFileTest, ARecordLoadsOnlyWithValuesTheProgramStores)
{
#define SETS(field)                                                                                \
    [](LoggerRecord& r, int32_t v) {                                                               \
        r.field = static_cast<std::remove_reference_t<decltype(r.field)>>(v);                      \
    }
    struct Case
    {
        const char* field;
        void (*set)(LoggerRecord&, int32_t);
        int32_t low, high;
    };
    const Case cases[] = {{"Single flag", SETS(m_bSingle), 0, 1},
        {"COM port", SETS(m_nComPort), 0, 256}, {"last receive day", SETS(m_nLastDay), 0, 31},
        {"receive interval", SETS(m_nReceiveInterval), 0, INT32_MAX},
        {"date style", SETS(m_nDateFormat), -1, 5},
        {"logger 7 channel 16 sensor flag", SETS(m_units[6].m_channels[15].m_bPresent), 0, 1},
        {"logger 2 channel 3 VW type", SETS(m_units[1].m_channels[2].m_nVwType), 0, 1000000000},
        {"logger 2 channel 3 value", SETS(m_units[1].m_channels[2].m_nValue), 0, 999999999},
        {"logger 4 measuring hours", SETS(m_units[3].m_schedule.m_nHours), 0, 99},
        {"graph logger", SETS(m_nGraphLogger), 0, 6},
        {"logger 5 channel 9 graph B flag", SETS(m_bGraphSeriesB[4][8]), 0, 1},
        {"graph period", SETS(m_nGraphPeriod), 0, 3600},
        {"scanned sensor count", SETS(m_nScannedSensors), 0, 32}};
#undef SETS
    // Written elsewhere: a name in a Windows code page, a Windows folder, full text fields.
    LoggerRecord base = NewLoggerRecord("Damm\xE4", "C:\\Daten\\");
    SetFieldText(base.m_szPhoneNumber, std::string(19, '9'));
    base.m_reserved[0] = 0x5A; // carried, never judged
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        for (int64_t value : {c.low - 1LL, c.low + 0LL, c.high + 0LL, c.high + 1LL}) {
            if (value > INT32_MAX)
                continue;
            LoggerRecord record = base;
            c.set(record, static_cast<int32_t>(value));
            const bool stored = value >= c.low && value <= c.high;
            EXPECT_EQ(
                Refusal(Bytes(record)), stored ? "" : "its " + std::string(c.field) + " is wrong.")
                << value;
        }
    }
    // Text without its end, and names that are no file title.
    using Edit = void (*)(LoggerRecord&);
    const std::pair<const char*, Edit> texts[] = {
        {"name", [](LoggerRecord& r) { std::memset(r.m_szName, 'n', sizeof r.m_szName); }},
        {"name", [](LoggerRecord& r) { SetFieldText(r.m_szName, ""); }},
        {"name", [](LoggerRecord& r) { SetFieldText(r.m_szName, "a/b"); }},
        {"AT command", [](LoggerRecord& r) { std::memset(r.m_szModemCommand, 'a', 20); }},
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
        EXPECT_EQ(Refusal(Bytes(record)), "its " + std::string(field) + " is wrong.");
    }
    // Random bytes, short or long, are refused too.
    std::mt19937 random(25);
    for (int size : {30, 500, 3960, 5000}) {
        QByteArray bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        EXPECT_EQ(Refusal(bytes).rfind("its ", 0), 0u) << size;
    }
}

TEST_F(LoggerFileTest, SaveReportsFailures)
{
    LoggerRecord record = NewLoggerRecord("abc", folder + "no/such/folder/");
    EXPECT_FALSE(SaveLoggerFile(0, &record));
    record = NewLoggerRecord("..", folder);
    EXPECT_FALSE(SaveLoggerFile(0, &record));
    EXPECT_FALSE(SaveLoggerFile(0, nullptr)); // empty table
    EXPECT_TRUE(IsValidLoggerName("a.b"));
    // A disk that fills during the save: false, and the old file stays whole.
    const LoggerRecord fresh = NewLoggerRecord("full", folder);
    ASSERT_TRUE(SaveLoggerFile(0, &fresh));
    record = fresh;
    SetFieldText(record.m_szPhoneNumber, "0123");
    {
        const FileSizeLimit full(1000);
        EXPECT_FALSE(SaveLoggerFile(0, &record));
    }
    EXPECT_EQ(ReadFile("full"), Bytes(fresh));
    // A name whose file place is taken by a folder cannot be written.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder + "taken.arg")));
    record = NewLoggerRecord("taken", folder);
    EXPECT_FALSE(SaveLoggerFile(0, &record));
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
}

// A single line has logger 1 only; a network the loggers marked used.
TEST(LoggerRecordTest, LoggerIdsOfSingleAndNetworkLines)
{
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
    const struct
    {
        const char *file, *content, *folder;
        bool made;
    } cases[] = {{nullptr, "", "/Documents/Quorbel/Data/", true},
        {"/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
            "/Dokumente/Quorbel/Data/", true},
        {"/Documents", "", "/Documents/Quorbel/Data/", false}};
    for (const auto& c : cases) {
        QTemporaryDir home;
        qputenv("HOME", QFile::encodeName(home.path()));
        qunsetenv("XDG_CONFIG_HOME");
        ASSERT_TRUE(home.isValid() && (!c.file || write(home.path() + c.file, c.content)));
        EXPECT_EQ(InitDataFolder(), c.made) << c.folder;
        EXPECT_EQ(g_strDataFolder, QFile::encodeName(home.path()).toStdString() + c.folder);
        const QString folder = QFile::decodeName(g_strDataFolder.c_str());
        EXPECT_EQ(QFileInfo(folder).isDir(), c.made);
        if (c.made) {
            ASSERT_TRUE(write(folder + "Site.arg", "kept") && InitDataFolder());
            EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Site.arg"});
        }
    }
}

} // namespace
