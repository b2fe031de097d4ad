#include "OperationDlgFixture.h"

#include "app/dialogs/FormatDlg.h"
#include "app/dialogs/MemoryCheckDlg.h"
#include "app/dialogs/ResetDlg.h"
#include "app/dialogs/TimeSetDlg.h"
#include "app/dialogs/ZigbeeSetDlg.h"
#include "data/DataFilePaths.h"
#include "data/FolderUtils.h"
#include "platform/DialogUnits.h"
#include "record/LoggerFile.h"
#include "record/LoggerRecord.h"
#include "res/DialogTemplates.h"

#include <QDir>
#include <QFile>
#include <QStyle>

#include <sstream>

namespace {

using namespace DialogInput;
constexpr const char* NoResponse = "W:No response from logger!";

namespace LoggerChoice {

constexpr int IDC_ID = 1132, IDC_COUNT = 1077, IDC_PERCENT = 1078, IDC_CHECK = 1, IDC_FORMAT = 1107,
              IDC_RESET = 1000;

using LoggerChoiceTest = OperationDlgFixture;

// One query at a time: while it waits neither the button, nor Enter, nor Esc acts.
TEST_F(LoggerChoiceTest, MemoryCheckShowsTheCountAndHowFullTheMemoryIs)
{
    sim.SetRecordCount(1, 17500);
    sim.SetReplyDelay(30);
    auto dlg = Open<CMemoryCheckDlg>();
    States inWait;
    QTimer::singleShot(0, dlg.get(), [&] { // inside the first wait for the reply
        inWait = EnabledOf(dlg.get(), {IDC_CHECK, IDC_ID});
        QTest::keyClick(dlg.get(), Qt::Key_Return);
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        sim.SetReplyDelay(0);
    });
    Click(dlg.get(), IDC_CHECK);
    EXPECT_EQ(inWait, States(2, false));
    EXPECT_EQ(TextsOf(dlg.get(), {IDC_COUNT, IDC_PERCENT}), (Texts{"17500", "50.00"}));
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "memory_check"));
    Key(dlg.get(), IDC_ID, Qt::Key_Return);
    EXPECT_EQ(sim.Commands(), Texts(2, "@01,01,memory"));

    const struct
    {
        const char* reply; // empty: silence
        Texts shown;
    } cases[] = {{"35000", {"35000", "100.00"}}, {"", {"", ""}}, {"40000", {"35000", "100.00"}},
        {"12x4", {"", ""}}, {"1", {"1", "0.00"}}};
    for (const auto& c : cases) {
        sim.SetSilent(*c.reply == '\0');
        if (*c.reply)
            sim.OverrideNextReply(std::string("@01,01,memory ") + c.reply + "\r\n");
        Click(dlg.get(), IDC_CHECK);
        EXPECT_EQ(TextsOf(dlg.get(), {IDC_COUNT, IDC_PERCENT}), c.shown) << c.reply;
        EXPECT_EQ(Told(), c.shown[0].empty() ? Texts{NoResponse} : Texts{}) << c.reply;
    }
    Type(dlg.get(), IDC_ID, "9");
    Click(dlg.get(), IDC_CHECK);
    EXPECT_EQ(TextsOf(dlg.get(), {IDC_COUNT, IDC_PERCENT}), (Texts{"", ""}));
    EXPECT_TRUE(dlg->isVisible());
    Key(dlg.get(), 0, Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
}

// The ID typed or picked acts, one naming no logger nothing; a lost line is told, dialogs stay.
TEST_F(LoggerChoiceTest, FormatAndResetActOnTheLoggerOnScreenAndStayOpen)
{
    UseNetwork({1, 3});
    auto dlg = Open<CFormatDlg>();
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "format"));
    Type(dlg.get(), IDC_ID, "3");
    Click(dlg.get(), IDC_FORMAT);
    EXPECT_TRUE(sim.RecordCount(3) == 0 && sim.RecordCount(1) == 40);
    EXPECT_EQ(Told(), Texts{"I:Format complete!"});
    EXPECT_TRUE(dlg->isVisible());

    ClearReceived();
    Type(dlg.get(), IDC_ID, "13");
    Click(dlg.get(), IDC_FORMAT);
    Key(dlg.get(), IDC_ID, Qt::Key_Return);
    EXPECT_TRUE(sim.Commands().empty() && Told().empty());

    Type(dlg.get(), IDC_ID, "1");
    Key(dlg.get(), IDC_ID, Qt::Key_Return);
    EXPECT_EQ(sim.RecordCount(1), 0);
    EXPECT_TRUE(dlg->isVisible() && Told().size() == 1);
    auto reset = Open<CResetDlg>();
    EXPECT_TRUE(SaveScreenshot(reset.get(), "reset"));
    Click(reset.get(), IDC_RESET);
    EXPECT_EQ(sim.Commands().at(0), "@01,01,reset");
    EXPECT_EQ(Told(), Texts{"I:Reset complete!"});

    auto memory = Open<CMemoryCheckDlg>();
    sim.InjectFault(loggersim::SimFault::Vanish);
    Click(memory.get(), IDC_CHECK);
    EXPECT_EQ(TextsOf(memory.get(), {IDC_COUNT, IDC_PERCENT}), (Texts{"", ""}));
    Click(dlg.get(), IDC_FORMAT);
    Click(reset.get(), IDC_RESET);
    EXPECT_EQ(Told(), Texts(3, NoResponse));
    EXPECT_TRUE(dlg->isVisible() && reset->isVisible() && memory->isVisible());
}

} // namespace LoggerChoice

namespace TimeSet {

constexpr int IDC_LOGGER = 1132, IDC_FORMAT = 1134, IDC_TIME = 1004, IDC_REQUEST = 1030,
              IDC_MATCH = 1031, IDC_SET = 1032, IDC_OK = 1001, IDC_CANCEL = 1019, IDC_YEAR = 1012;
const std::vector<int> ClockEdits = DialogInput::Ids(IDC_YEAR, 6); // year .. second
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

// A requested clock shows in the style on screen; a date that does not exist shows as it came.
TEST_F(TimeSetTest, RequestShowsTheClockInTheStyleOnScreenWithoutStoringIt)
{
    UseNetwork({1, 3});
    Record().m_nDateFormat = 3;
    auto dlg = OpenDlg();
    QWidget* d = dlg.get();
    EXPECT_TRUE(SaveScreenshot(d, "time_set"));
    EXPECT_EQ(TextsOf(d, ClockEdits), (Texts{"2025", "6", "7", "10", "20", "30"}));
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
    EXPECT_EQ(inWait, (States{0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,date", "@01,01,time"}));
    EXPECT_EQ(Text(d, IDC_TIME), "24/01/05 13:04");
    Pick(d, IDC_FORMAT, 5);
    EXPECT_EQ(Text(d, IDC_TIME), "01/05/2024 13:04");
    EXPECT_TRUE(Record().m_nDateFormat == 3 && !Exists(Folder() + "Site1.arg"));
    sim.OverrideNextReply("@01,01,date 24 00 32\r\n");
    Click(d, IDC_REQUEST);
    EXPECT_EQ(Text(d, IDC_TIME), "2024/00/32 13:04:09");
    Pick(d, IDC_FORMAT, 3);
    EXPECT_EQ(Text(d, IDC_TIME), "2024/00/32 13:04:09");
    sim.SetSilent(true);
    Click(d, IDC_REQUEST);
    EXPECT_EQ(Told(), Texts{NoResponse});
    EXPECT_EQ(Text(d, IDC_TIME), "");
    sim.SetSilent(false);
    // The line gone in the middle of the date reply; the clock buttons after it are told too.
    sim.InjectFault(loggersim::SimFault::Vanish);
    Click(d, IDC_REQUEST);
    EXPECT_EQ(Text(d, IDC_TIME), "");
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    Click(d, IDC_MATCH);
    EXPECT_EQ(Told(), Texts(2, NoResponse));
    EXPECT_TRUE(d->isVisible() && Enabled(d, IDC_REQUEST) && Enabled(d, IDC_LOGGER));
}

// Match computer and Set send the clock, then the interval; an impossible time sends nothing.
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

// Every way out but OK on a new style stores nothing; that rewrites each table with records.
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

} // namespace TimeSet

namespace ZigbeeSet {

constexpr int IDC_COORDINATOR = 1134, IDC_LOGGER = 1131, IDC_ID = 1132, IDC_COM = 1137,
              IDC_CONNECT = 32775, IDC_LIST_COORDINATOR = 1101, IDC_LIST_LOGGER = 1102,
              IDC_CLOSE = 1058;
const std::vector<int> Sends = DialogInput::Ids(1033, 10);
const States AllOff(10, false);
const States AllOn(10, true);

// The dialog on the simulated line (COM9) with g_port closed, as the main frame leaves it.
class ZigbeeSetTest : public OperationDlgFixture
{
protected:
    void SetUp() override
    {
        OperationDlgFixture::SetUp();
        g_port.m_Serial.Close();
        dlg = Open<CZigbeeSetDlg>();
    }
    void TearDown() override
    {
        dlg.reset();
        OperationDlgFixture::TearDown();
    }

    QWidget* Dlg() const { return dlg.get(); }
    bool PortOpen() const { return dlg->m_port.m_Serial.IsOpen(); }
    void Connect(int checkId, int idEntry = 0)
    {
        if (!Checked(Dlg(), checkId))
            Click(Dlg(), checkId);
        Pick(Dlg(), IDC_COM, ComPort - 1);
        Pick(Dlg(), IDC_ID, idEntry);
        ClearReceived();
        Told();
        Click(Dlg(), IDC_CONNECT);
    }

    std::unique_ptr<CZigbeeSetDlg> dlg;
};

// The dialog's own port; only logger mode asks the logger, and silence closes it again.
TEST_F(ZigbeeSetTest, ConnectAsksOnlyInLoggerMode)
{
    EXPECT_TRUE(SaveScreenshot(Dlg(), "zigbee_set"));
    EXPECT_EQ(EnabledOf(Dlg(), Sends), AllOff);
    Click(Dlg(), IDC_LOGGER);
    Click(Dlg(), IDC_COORDINATOR);
    EXPECT_TRUE(Checked(Dlg(), IDC_COORDINATOR) && !Checked(Dlg(), IDC_LOGGER));
    EXPECT_TRUE(Enabled(Dlg(), IDC_ID));
    Click(Dlg(), IDC_LOGGER);
    Click(Dlg(), IDC_LOGGER);
    EXPECT_TRUE(Checked(Dlg(), IDC_COORDINATOR) && !Checked(Dlg(), IDC_LOGGER));
    EXPECT_FALSE(Enabled(Dlg(), IDC_ID));

    Connect(IDC_COORDINATOR);
    ASSERT_TRUE(PortOpen());
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_TRUE(sim.Received().empty());
    EXPECT_EQ(EnabledOf(Dlg(), Sends), AllOn);
    EXPECT_EQ(Told(), Texts{"I:Connected!!"});
    sim.SetLoggers({5});
    for (const int entry : {4, 2, 4}) {
        Connect(IDC_LOGGER, entry);
        EXPECT_EQ(sim.Received(), FormatString("@01,%02d,zigbee\r", entry + 1));
        EXPECT_EQ(Told(), Texts{entry == 4 ? "I:Connected!!" : "W:Connected failed"});
        EXPECT_EQ(PortOpen(), entry == 4);
        ASSERT_EQ(EnabledOf(Dlg(), Sends), entry == 4 ? AllOn : AllOff);
    }
    // A name of this process's own: the port's lock file is named after the device.
    const std::string missing
        = FormatString("/nonexistent/tty%lld", QCoreApplication::applicationPid());
    qputenv(FormatString("QUORBEL_COM%d", ComPort).c_str(), QByteArray::fromStdString(missing));
    Connect(IDC_COORDINATOR);
    EXPECT_EQ(Told(),
        Texts{FormatString(
            "W:port open fail\nCOM%d is %s: no such device.", ComPort, missing.c_str())});
    EXPECT_EQ(EnabledOf(Dlg(), Sends), AllOff);
}

TEST_F(ZigbeeSetTest, EachSendPutsItsRepliesUnderItsColumn)
{
    Connect(IDC_COORDINATOR);
    Click(Dlg(), 1036);
    EXPECT_EQ(sim.Received(), "at+settargetffffffffffffffff\r");
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR), Texts{"OK"});
    Click(Dlg(), 1042);
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_LOGGER), (Texts{"OK", "RESET", "ZIGBEE READY", "PAN 1A2B"}));
    Click(Dlg(), 1040);
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_LOGGER).back(), "FFFFFFFFFFFFFFFF");
    Click(Dlg(), 1042); // more lines than the list has room for: the newest is in view
    auto* list = Control<QListWidget>(Dlg(), IDC_LIST_LOGGER);
    EXPECT_TRUE(
        list->viewport()->rect().contains(list->visualItemRect(list->item(list->count() - 1))));

    // As edited; an empty edit sends the carriage return alone and its empty reply is listed.
    ClearReceived();
    Type(Dlg(), 1008, "at+getlocal");
    Click(Dlg(), 1037);
    EXPECT_EQ(sim.Received(), "at+getlocal\r");
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR), (Texts{"OK", "0013A20040B1C2D3", "", "", ""}));
    ClearReceived();
    Type(Dlg(), 1005, "");
    Click(Dlg(), 1034);
    EXPECT_EQ(sim.Received(), "\r");
    EXPECT_EQ(
        Entries(Dlg(), IDC_LIST_COORDINATOR), (Texts{"OK", "0013A20040B1C2D3", "", "", "", ""}));
    EXPECT_EQ(Told(), Texts{"I:Connected!!"});
}

// Every command field holds its whole preset at 100 % and 125 % fonts.
TEST_F(ZigbeeSetTest, CommandFieldsShowTheirWholeCommand)
{
    const QFont base = DialogUnits::TemplateFont(Dialog154().pointSize);
    for (const double scale : {1.0, 1.25}) {
        QFont font = base;
        font.setPointSizeF(base.pointSizeF() * scale);
        const DialogUnits units = DialogUnits::ForFont(font);
        for (const ControlTemplate& c : Dialog154().controls) {
            auto* edit = c.kind == ControlKind::Edit ? Control<QLineEdit>(Dlg(), c.id) : nullptr;
            if (!edit)
                continue;
            const int frame
                = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
            const int needed = QFontMetrics(font).horizontalAdvance(edit->text()) + 2 * frame + 4;
            EXPECT_LE(needed, units.Map(c.x, c.y, c.cx, c.cy).width()) << c.id << " at " << scale;
        }
    }
}

TEST_F(ZigbeeSetTest, ALineThatGoesAwayTurnsTheSendsOff)
{
    Connect(IDC_COORDINATOR);
    sim.InjectFault(loggersim::SimFault::Vanish);
    Click(Dlg(), 1035);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sim.Vanished(); }, WaitMs));
    // The close is seen during that send or the next: only the half line that came is listed.
    if (Enabled(Dlg(), 1034))
        Click(Dlg(), 1034);
    const Texts replies = Entries(Dlg(), IDC_LIST_COORDINATOR);
    EXPECT_LE(replies.size(), 2u);
    for (const std::string& reply : replies)
        EXPECT_TRUE(reply.empty() || reply == "0013A200") << reply;
    EXPECT_FALSE(PortOpen());
    EXPECT_EQ(EnabledOf(Dlg(), Sends), AllOff);
    EXPECT_TRUE(Enabled(Dlg(), IDC_CONNECT));
}

// One command at a time, and Enter ends nothing; Close still ends the dialog and its wait.
TEST_F(ZigbeeSetTest, WhileASendWaitsOnlyCloseActs)
{
    Connect(IDC_COORDINATOR);
    sim.SetSilent(true);
    States inWait;
    QTimer::singleShot(0, Dlg(), [&] { // inside the first wait for the reply
        std::vector<int> ids = Sends;
        ids.insert(ids.end(), {IDC_CONNECT, IDC_CLOSE});
        inWait = EnabledOf(Dlg(), ids);
        QTest::keyClick(Dlg(), Qt::Key_Return);
        inWait.push_back(Dlg()->isVisible());
        Click(Dlg(), IDC_CLOSE);
    });
    Click(Dlg(), 1033);
    EXPECT_EQ(inWait, (States{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
    EXPECT_FALSE(dlg->isVisible() || PortOpen());
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR), Texts{""});
    ASSERT_TRUE(sim.WaitForCommands(1, WaitMs));
    EXPECT_EQ(sim.Commands(), Texts{"+++"});
}

// No way out (Esc, the close box, Close, destroyed) sends the modem hang-up to the radio.
TEST_F(ZigbeeSetTest, NoWayOutSendsAHangUp)
{
    Record().m_bUseModem = 1;
    SetFieldText(Record().m_szHangUpCommand, "ATH0");
    const std::function<void()> ways[] = {
        [this] { QTest::keyClick(Dlg(), Qt::Key_Escape); },
        [this] { dlg->close(); },
        [this] { Click(Dlg(), IDC_CLOSE); },
        [] {},
    };
    for (const auto& leave : ways) {
        dlg = Open<CZigbeeSetDlg>();
        Connect(IDC_COORDINATOR);
        ASSERT_TRUE(PortOpen());
        ClearReceived();
        leave();
        dlg.reset();
        ASSERT_TRUE(OpenPort()); // what the dialog's port sent is ahead of this command
        EXPECT_TRUE(g_port.IsLoggerPresent(1));
        g_port.m_Serial.Close();
        EXPECT_EQ(sim.Received(), "@01,01,address\r");
    }
}

} // namespace ZigbeeSet

} // namespace
