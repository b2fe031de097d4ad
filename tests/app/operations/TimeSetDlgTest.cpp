#include "OperationDlgFixture.h"

#include "app/dialogs/TimeSetDlg.h"
#include "data/DataFilePaths.h"
#include "data/FolderUtils.h"
#include "platform/Format.h"
#include "record/LoggerFile.h"

#include "support/Screenshot.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace DialogInput;

constexpr int IDC_LOGGER = 1132;
constexpr int IDC_FORMAT = 1134;
constexpr int IDC_TIME = 1004;
constexpr int IDC_REQUEST = 1030;
constexpr int IDC_MATCH = 1031;
constexpr int IDC_SET = 1032;
constexpr int IDC_OK = 1001;
constexpr int IDC_CANCEL = 1019;
constexpr int IDC_YEAR = 1012;
constexpr int ClockEdits[] = {IDC_YEAR, 1013, 1014, 1015, 1016, 1017}; // year .. second
constexpr const char* NoResponse = "No response from logger!";
constexpr const char* Complete = " Time/date setting complete!";

const QDateTime PcNow(QDate(2025, 6, 7), QTime(10, 20, 30));

// The PC's clock at PcNow, logger 1's at 2024/01/05 13:04:09.
class TimeSetTest : public OperationDlgFixture
{
protected:
    void SetUp() override
    {
        OperationDlgFixture::SetUp();
        CTimeSetDlg::s_now = [] { return PcNow; };
        sim.SetClock(1, {2024, 1, 5, 13, 4, 9});
    }
    void TearDown() override
    {
        CTimeSetDlg::s_now = [] { return QDateTime::currentDateTime(); };
        OperationDlgFixture::TearDown();
    }

    std::unique_ptr<CTimeSetDlg> OpenDlg() { return Open<CTimeSetDlg>(); }

    static void TypeClock(QWidget* dlg, const Texts& fields)
    {
        for (size_t i = 0; i < fields.size(); ++i)
            Type(dlg, ClockEdits[i], fields[i].c_str());
    }
};

// Opens with the PC's time and the stored style; a requested clock is shown in the style on
// screen, and only there.
TEST_F(TimeSetTest, RequestShowsTheClockInTheStyleOnScreenWithoutStoringIt)
{
    UseNetwork({1, 3});
    Record().m_nDateFormat = 3;
    auto dlg = OpenDlg();
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "time_set"));
    const Texts pcTime{"2025", "6", "7", "10", "20", "30"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Text(dlg.get(), ClockEdits[i]), pcTime[i]);
    EXPECT_EQ(Entries(dlg.get(), IDC_LOGGER), (Texts{"1", "3"}));
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "");
    Click(dlg.get(), IDC_REQUEST);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,date", "@01,01,time"}));
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "24/01/05 13:04");
    Pick(dlg.get(), IDC_FORMAT, 5);
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "01/05/2024 13:04");
    Pick(dlg.get(), IDC_FORMAT, 0);
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "2024/01/05 13:04:09");
    // Text that names no style keeps what is shown.
    Type(dlg.get(), IDC_FORMAT, "dd.mm.yyyy");
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "2024/01/05 13:04:09");
    EXPECT_EQ(Record().m_nDateFormat, 3);
    // Another logger: the time shown is not its time.
    Pick(dlg.get(), IDC_LOGGER, 1);
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "");
    // The clock edits keep what was typed meanwhile.
    Type(dlg.get(), IDC_YEAR, "2030");
    Click(dlg.get(), IDC_REQUEST);
    EXPECT_EQ(Text(dlg.get(), IDC_YEAR), "2030");
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_FALSE(Exists(Folder() + "Site1.arg"));
}

TEST_F(TimeSetTest, SilenceAndDamagedClockRepliesAreTold)
{
    auto dlg = OpenDlg();
    Click(dlg.get(), IDC_REQUEST);
    sim.SetSilent(true);
    Click(dlg.get(), IDC_REQUEST);
    EXPECT_EQ(boxes.Texts(), Texts{NoResponse});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "");

    // A date that does not exist is shown as it came, in any style; the dialog stays.
    sim.SetSilent(false);
    sim.OverrideNextReply("@01,01,date 24 00 32\r\n");
    Click(dlg.get(), IDC_REQUEST);
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "2024/00/32 13:04:09");
    Pick(dlg.get(), IDC_FORMAT, 5);
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "2024/00/32 13:04:09");
    EXPECT_TRUE(dlg->isVisible());

    // With no style chosen a reply still shows, as it came.
    Type(dlg.get(), IDC_FORMAT, "");
    Click(dlg.get(), IDC_REQUEST);
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "2024/01/05 13:04:09");
    EXPECT_EQ(boxes.requests.size(), 1u);

    // The line gone in the middle of the date reply (adapter pulled): no answer, no time
    // shown, and the clock buttons after it say so too.
    sim.InjectFault(loggersim::SimFault::Vanish);
    Click(dlg.get(), IDC_REQUEST);
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    Click(dlg.get(), IDC_MATCH);
    EXPECT_EQ(boxes.Texts(), Texts(3, NoResponse));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(Enabled(dlg.get(), IDC_REQUEST));
}

TEST_F(TimeSetTest, MatchComputerAndSetSendTheClockAndTheStoredInterval)
{
    Record().m_units[0].m_schedule.m_nHours = 2;
    Record().m_units[0].m_schedule.m_nMinutes = 30;
    auto dlg = OpenDlg();
    Click(dlg.get(), IDC_MATCH);
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,date 25 06 07", "@01,01,time 10 20 30", "@01,01,schedule 02 30 00"}));
    const loggersim::SimDateTime clock = sim.Clock(1);
    EXPECT_TRUE(clock.year == 2025 && clock.month == 6 && clock.day == 7 && clock.hour == 10
        && clock.minute == 20 && clock.second == 30);
    EXPECT_EQ(boxes.Texts(), Texts{Complete});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);

    sim.ClearReceived();
    TypeClock(dlg.get(), {"2028", "2", "29", "23", "59", "58"});
    Click(dlg.get(), IDC_SET);
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,date 28 02 29", "@01,01,time 23 59 58", "@01,01,schedule 02 30 00"}));
    EXPECT_EQ(sim.Clock(1).day, 29);

    // No answer to the date: told, and the interval is not sent.
    sim.ClearReceived();
    sim.SetSilent(true);
    Click(dlg.get(), IDC_MATCH);
    ASSERT_TRUE(sim.WaitForCommands(1, WaitMs));
    EXPECT_EQ(sim.Commands(), Texts{"@01,01,date 25 06 07"});
    EXPECT_EQ(boxes.Texts(), (Texts{Complete, Complete, NoResponse}));
}

TEST_F(TimeSetTest, SetSendsNothingForATimeTheLoggerCannotTake)
{
    auto dlg = OpenDlg();
    const Texts impossible[] = {
        {"2023", "2", "29", "10", "0", "0"},
        {"1999", "12", "31", "10", "0", "0"},
        {"2100", "1", "1", "10", "0", "0"},
        {"2024", "0", "10", "10", "0", "0"},
        {"2024", "4", "31", "10", "0", "0"},
        {"2024", "1", "1", "24", "0", "0"},
        {"2024", "1", "1", "10", "60", "0"},
        {"2024", "1", "1", "10", "0", "60"},
    };
    for (const Texts& fields : impossible) {
        boxes.requests.clear();
        TypeClock(dlg.get(), fields);
        Click(dlg.get(), IDC_SET);
        EXPECT_EQ(boxes.Texts(), Texts{"Invalid date or time."}) << fields[0] << fields[1];
    }
    // A field that is no number: the prompt, the focus on it, nothing sent.
    boxes.requests.clear();
    TypeClock(dlg.get(), {"2024", "1", "1", "", "0", "0"});
    Click(dlg.get(), IDC_SET);
    EXPECT_EQ(boxes.Texts(), Texts{"Please enter an integer."});
    EXPECT_EQ(dlg->focusWidget(), Control<QLineEdit>(dlg.get(), ClockEdits[3]));
    EXPECT_TRUE(sim.Commands().empty());
}

TEST_F(TimeSetTest, OneCommandAtATime)
{
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    sim.SetReplyDelay(300);
    auto dlg = OpenDlg();
    std::vector<bool> inWait;
    bool closedInWait = false;
    QTimer::singleShot(100, dlg.get(), [&] {
        for (int id : {IDC_LOGGER, IDC_FORMAT, IDC_REQUEST, IDC_MATCH, IDC_SET, IDC_OK, IDC_CANCEL})
            inWait.push_back(Enabled(dlg.get(), id));
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        QTest::keyClick(dlg.get(), Qt::Key_Return);
        closedInWait = !dlg->isVisible();
    });
    Click(dlg.get(), IDC_REQUEST);
    EXPECT_EQ(inWait, std::vector<bool>(7, false));
    EXPECT_FALSE(closedInWait);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,date", "@01,01,time"}));
    EXPECT_EQ(Text(dlg.get(), IDC_TIME), "2024/01/05 13:04:09");
    EXPECT_TRUE(Enabled(dlg.get(), IDC_REQUEST) && Enabled(dlg.get(), IDC_LOGGER));
}

// Table files with style 0 rows for loggers 1 and 2 of a network of 1, 2 and 3; logger 3 has
// a table but no raw file.
class TableStyleTest : public TimeSetTest
{
protected:
    void SetUp() override
    {
        TimeSetTest::SetUp();
        UseNetwork({1, 2, 3});
        ASSERT_TRUE(CreateFolderTree(LoggerFolderPath(Record()).c_str()));
        for (int id : {1, 2}) {
            WriteFile(AccFilePath(Record(), id),
                QByteArray::fromStdString(FormatString(
                    "0%d 00 240105 120000 1 000010\r\n0%d 00 240105 121000 1 000011\r\n", id - 1,
                    id - 1)));
            WriteFile(CsvFilePath(Record(), id), "old table\r\n");
        }
        WriteFile(CsvFilePath(Record(), 3), "only copy\r\n");
    }

    static void WriteFile(const std::string& path, const QByteArray& bytes)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    std::string Table(int id) const
    {
        QFile file(QString::fromStdString(CsvFilePath(g_loggers[0], id)));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    std::string ArgFile() const { return Folder() + "Site1.arg"; }
    // The style in the saved configuration; -100 when it cannot be read back.
    int SavedStyle() const
    {
        return LoadLoggerFile(1, Folder() + "Site1") ? g_loggers[1].m_nDateFormat : -100;
    }
};

TEST_F(TableStyleTest, OkWithANewStyleRewritesEveryTableThatHasItsRecords)
{
    auto dlg = OpenDlg();
    Pick(dlg.get(), IDC_FORMAT, 4);
    sim.SetSilent(true); // the style works on the files alone
    Click(dlg.get(), IDC_OK);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(Record().m_nDateFormat, 4);
    EXPECT_EQ(SavedStyle(), 4);
    for (int id : {1, 2}) {
        EXPECT_NE(Table(id).find("01/05/2024"), std::string::npos) << Table(id);
        EXPECT_EQ(Table(id).find("2024/01/05"), std::string::npos);
    }
    EXPECT_EQ(Table(3), "only copy\r\n");
    EXPECT_FALSE(Exists(AccFilePath(Record(), 3)));
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_TRUE(sim.Commands().empty());
}

TEST_F(TableStyleTest, AStyleOutsideTheListOpensWithNoneAndOkStoresNone)
{
    Record().m_nDateFormat = 7;
    auto dlg = OpenDlg();
    EXPECT_EQ(Text(dlg.get(), IDC_FORMAT), "");
    Click(dlg.get(), IDC_OK);
    EXPECT_EQ(Record().m_nDateFormat, -1);
    EXPECT_EQ(SavedStyle(), -1);
    // The raw texts of the record line.
    EXPECT_NE(Table(1).find("240105"), std::string::npos) << Table(1);
}

TEST_F(TableStyleTest, FilesThatCannotBeWrittenAreNamed)
{
    const std::string table = CsvFilePath(Record(), 2);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(table)));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(table)));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(ArgFile())));
    auto dlg = OpenDlg();
    Pick(dlg.get(), IDC_FORMAT, 1);
    Click(dlg.get(), IDC_OK);
    EXPECT_EQ(boxes.Texts(),
        (Texts{"The table file " + table + " could not be written.",
            "The configuration file " + ArgFile() + " could not be written."}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_NE(Table(1).find("2024/01/05"), std::string::npos) << Table(1);
    EXPECT_FALSE(dlg->isVisible());
}

// Cancel, Esc, Enter in a clock edit, and OK on the style the dialog opened with.
TEST_F(TableStyleTest, TheWaysOutWithoutANewStyleStoreNothing)
{
    const std::function<void(CTimeSetDlg*)> ways[] = {
        [](CTimeSetDlg* dlg) { Click(dlg, IDC_CANCEL); },
        [](CTimeSetDlg* dlg) { QTest::keyClick(dlg, Qt::Key_Escape); },
        [](CTimeSetDlg* dlg) {
            Control<QLineEdit>(dlg, IDC_YEAR)->setFocus();
            QTest::keyClick(Control<QLineEdit>(dlg, IDC_YEAR), Qt::Key_Return);
        },
        [](CTimeSetDlg* dlg) {
            Pick(dlg, IDC_FORMAT, 0);
            Click(dlg, IDC_OK);
        },
    };
    for (const auto& leave : ways) {
        auto dlg = OpenDlg();
        Pick(dlg.get(), IDC_FORMAT, 4);
        leave(dlg.get());
        EXPECT_FALSE(dlg->isVisible());
    }
    // Cancel reads the clock edits first: one that holds no number keeps the dialog open.
    auto dlg = OpenDlg();
    Type(dlg.get(), ClockEdits[1], "x");
    Click(dlg.get(), IDC_CANCEL);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(boxes.Texts(), Texts{"Please enter an integer."});

    EXPECT_EQ(Record().m_nDateFormat, 0);
    EXPECT_EQ(Table(1), "old table\r\n");
    EXPECT_FALSE(Exists(ArgFile()));
}

} // namespace
