#include "OperationDlgFixture.h"

#include "app/dialogs/TimeSetDlg.h"
#include "data/DataFilePaths.h"
#include "data/FolderUtils.h"
#include "record/LoggerFile.h"

#include <QDir>
#include <QFile>

#include <sstream>

namespace {

using namespace DialogInput;
constexpr int IDC_LOGGER = 1132, IDC_FORMAT = 1134, IDC_TIME = 1004, IDC_REQUEST = 1030,
              IDC_MATCH = 1031, IDC_SET = 1032, IDC_OK = 1001, IDC_CANCEL = 1019, IDC_YEAR = 1012;
const std::vector<int> ClockEdits = DialogInput::Ids(IDC_YEAR, 6); // year .. second
constexpr const char* NoResponse = "W:No response from logger!";
constexpr const char* Complete = "I: Time/date setting complete!";

// The PC's clock at 2025/06/07 10:20:30, logger 1's at 2024/01/05 13:04:09.
class TimeSetTest : public OperationDlgFixture
{
protected:
    void SetUp() override
    {
        OperationDlgFixture::SetUp();
        CTimeSetDlg::s_now = [] { return QDateTime(QDate(2025, 6, 7), QTime(10, 20, 30)); };
        sim.SetClock(1, {2024, 1, 5, 13, 4, 9});
    }
    void TearDown() override
    {
        CTimeSetDlg::s_now = [] { return QDateTime::currentDateTime(); };
        OperationDlgFixture::TearDown();
    }

    std::unique_ptr<CTimeSetDlg> OpenDlg() { return Open<CTimeSetDlg>(); }
    // Presses button id with the clock edits at fields and returns what the operator is told.
    Texts SetClock(QWidget* dlg, const std::string& fields, int id = IDC_SET)
    {
        std::istringstream in(fields);
        std::string field;
        for (int edit : ClockEdits) {
            std::getline(in, field, ' ');
            Type(dlg, edit, field);
        }
        Click(dlg, id);
        return Told();
    }
};

// Opens with the PC's time and the stored style; a requested clock is shown in the style on
// screen, and only there: a date that does not exist as it came, silence and a lost line not.
TEST_F(TimeSetTest, RequestShowsTheClockInTheStyleOnScreenWithoutStoringIt)
{
    UseNetwork({1, 3});
    Record().m_nDateFormat = 3;
    auto dlg = OpenDlg();
    QWidget* d = dlg.get();
    EXPECT_TRUE(SaveScreenshot(d, "time_set"));
    EXPECT_EQ(TextsOf(d, ClockEdits), (Texts{"2025", "6", "7", "10", "20", "30"}));
    EXPECT_EQ(Entries(d, IDC_LOGGER), (Texts{"1", "3"}));
    EXPECT_EQ(Text(d, IDC_TIME), "");
    // One command at a time: while it waits no control acts, and neither Esc nor Enter.
    sim.SetReplyDelay(30);
    States inWait;
    QTimer::singleShot(0, d, [&] { // inside the first wait for the reply
        inWait = EnabledOf(
            d, {IDC_LOGGER, IDC_FORMAT, IDC_REQUEST, IDC_MATCH, IDC_SET, IDC_OK, IDC_CANCEL});
        QTest::keyClick(d, Qt::Key_Escape);
        QTest::keyClick(d, Qt::Key_Return);
        inWait.push_back(d->isVisible());
        sim.SetReplyDelay(0);
    });
    Click(d, IDC_REQUEST);
    States expected(7, false);
    expected.push_back(true);
    EXPECT_EQ(inWait, expected);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,date", "@01,01,time"}));
    EXPECT_EQ(Text(d, IDC_TIME), "24/01/05 13:04");
    Pick(d, IDC_FORMAT, 5);
    EXPECT_EQ(Text(d, IDC_TIME), "01/05/2024 13:04");
    Pick(d, IDC_FORMAT, 0);
    Type(d, IDC_FORMAT, "dd.mm.yyyy"); // names no style: what is shown stays
    EXPECT_EQ(Text(d, IDC_TIME), "2024/01/05 13:04:09");
    EXPECT_EQ(Record().m_nDateFormat, 3);
    Pick(d, IDC_LOGGER, 1); // the time shown is not this logger's
    EXPECT_EQ(Text(d, IDC_TIME), "");
    Type(d, IDC_YEAR, "2030"); // the clock edits keep what was typed
    Click(d, IDC_REQUEST);
    EXPECT_EQ(Text(d, IDC_YEAR), "2030");
    EXPECT_TRUE(Told().empty() && !Exists(Folder() + "Site1.arg"));

    Pick(d, IDC_LOGGER, 0);
    sim.OverrideNextReply("@01,01,date 24 00 32\r\n");
    Click(d, IDC_REQUEST);
    EXPECT_EQ(Text(d, IDC_TIME), "2024/00/32 13:04:09");
    Pick(d, IDC_FORMAT, 5);
    EXPECT_EQ(Text(d, IDC_TIME), "2024/00/32 13:04:09");
    sim.SetSilent(true);
    Click(d, IDC_REQUEST);
    EXPECT_EQ(Told(), Texts{NoResponse});
    EXPECT_EQ(Text(d, IDC_TIME), "");
    sim.SetSilent(false);
    Type(d, IDC_FORMAT, ""); // with no style a reply shows as it came
    Click(d, IDC_REQUEST);
    EXPECT_EQ(Text(d, IDC_TIME), "2024/01/05 13:04:09");
    // The line gone in the middle of the date reply; the clock buttons after it are told too.
    sim.InjectFault(loggersim::SimFault::Vanish);
    Click(d, IDC_REQUEST);
    EXPECT_EQ(Text(d, IDC_TIME), "");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    Click(d, IDC_MATCH);
    EXPECT_EQ(Told(), Texts(2, NoResponse));
    EXPECT_TRUE(d->isVisible() && Enabled(d, IDC_REQUEST) && Enabled(d, IDC_LOGGER));
}

// Match computer and Set send the clock, then the stored interval; Set sends nothing for a
// time the logger cannot take or a field that is no number.
TEST_F(TimeSetTest, MatchComputerAndSetSendTheClockAndTheStoredInterval)
{
    Record().m_units[0].m_schedule.m_nHours = 2;
    Record().m_units[0].m_schedule.m_nMinutes = 30;
    auto dlg = OpenDlg();
    Click(dlg.get(), IDC_MATCH);
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,date 25 06 07", "@01,01,time 10 20 30", "@01,01,schedule 02 30 00"}));
    ClearReceived();
    EXPECT_EQ(SetClock(dlg.get(), "2028 2 29 23 59 58"), Texts(2, Complete));
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,date 28 02 29", "@01,01,time 23 59 58", "@01,01,schedule 02 30 00"}));
    ClearReceived();
    for (const char* fields :
        {"2023 2 29 10 0 0", "1999 12 31 10 0 0", "2100 1 1 10 0 0", "2024 0 10 10 0 0",
            "2024 4 31 10 0 0", "2024 1 1 24 0 0", "2024 1 1 10 60 0", "2024 1 1 10 0 60"})
        EXPECT_EQ(SetClock(dlg.get(), fields), Texts{"W:Invalid date or time."}) << fields;
    // The prompt, and the focus on the field.
    EXPECT_EQ(SetClock(dlg.get(), "2024 1 1  0 0"), Texts{"W:Please enter an integer."});
    EXPECT_EQ(dlg->focusWidget(), Control<QLineEdit>(dlg.get(), ClockEdits[3]));
    EXPECT_TRUE(sim.Commands().empty());

    // No answer to the date: told, and the interval is not sent.
    sim.SetSilent(true);
    Click(dlg.get(), IDC_MATCH);
    EXPECT_EQ(sim.Commands(), Texts{"@01,01,date 25 06 07"});
    EXPECT_EQ(Told(), Texts{NoResponse});
}

// Style 0 tables of loggers 1 and 2 of a network of 1, 2 and 3; logger 3's has no raw file.
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
                FormatString("0%d 00 240105 120000 1 000010\r\n0%d 00 240105 121000 1 000011\r\n",
                    id - 1, id - 1));
            WriteFile(CsvFilePath(Record(), id), "old table\r\n");
        }
        WriteFile(CsvFilePath(Record(), 3), "only copy\r\n");
    }

    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)
            && file.write(bytes.data(), static_cast<qint64>(bytes.size())) == qint64(bytes.size()));
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

// Cancel, Esc, Enter in a clock edit, and OK on the style the dialog opened with store nothing;
// Cancel reads the clock edits first. A style outside the list opens as none and OK stores
// none, the tables in the record's raw texts; a new style rewrites every table that has its
// records, on the files alone.
TEST_F(TableStyleTest, OkWithANewStyleRewritesEveryTableThatHasItsRecords)
{
    const std::function<void(QWidget*)> ways[] = {
        [](QWidget* dlg) { Click(dlg, IDC_CANCEL); },
        [](QWidget* dlg) { Key(dlg, 0, Qt::Key_Escape); },
        [](QWidget* dlg) { Key(dlg, IDC_YEAR, Qt::Key_Return); },
        [](QWidget* dlg) {
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
    auto dlg = OpenDlg();
    EXPECT_EQ(
        SetClock(dlg.get(), "2024 x 1 1 1 1", IDC_CANCEL), Texts{"W:Please enter an integer."});
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Record().m_nDateFormat, 0);
    EXPECT_EQ(Table(1), "old table\r\n");
    EXPECT_FALSE(Exists(ArgFile()));

    Record().m_nDateFormat = 7;
    dlg = OpenDlg();
    EXPECT_EQ(Text(dlg.get(), IDC_FORMAT), "");
    Click(dlg.get(), IDC_OK);
    EXPECT_EQ(Record().m_nDateFormat, -1);
    EXPECT_EQ(SavedStyle(), -1);
    EXPECT_NE(Table(1).find("240105"), std::string::npos) << Table(1);

    dlg = OpenDlg();
    Pick(dlg.get(), IDC_FORMAT, 4);
    sim.SetSilent(true);
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
    EXPECT_TRUE(Told().empty() && sim.Commands().empty());

    // Files that cannot be written are named; the others are rewritten all the same.
    const std::string table = CsvFilePath(Record(), 2);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(table)));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(table)));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(ArgFile())));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(ArgFile())));
    dlg = OpenDlg();
    Pick(dlg.get(), IDC_FORMAT, 1);
    Click(dlg.get(), IDC_OK);
    EXPECT_EQ(Told(),
        (Texts{"W:The table file " + table + " could not be written.",
            "W:The configuration file " + ArgFile() + " could not be written."}));
    EXPECT_NE(Table(1).find("2024/01/05"), std::string::npos) << Table(1);
    EXPECT_FALSE(dlg->isVisible());
}

} // namespace
