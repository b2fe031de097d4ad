#include "OperationDlgFixture.h"

#include "app/dialogs/ZigbeeSetDlg.h"
#include "platform/DialogUnits.h"
#include "record/LoggerRecord.h"
#include "res/DialogTemplates.h"

#include <QStyle>

namespace {

using namespace DialogInput;
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

// The checks exclude each other and only Logger moves the ID list. The dialog's own port on the
// chosen COM; only logger mode asks the logger: silence closes it, Sends off, as a failed open.
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
    EXPECT_EQ("/dev/" + dlg->m_port.m_Serial.Device()->portName().toStdString(), sim.Path());
    EXPECT_EQ(dlg->m_port.m_Serial.Device()->baudRate(), 38400);
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

// Every command field holds its whole preset at 100 % and 125 % fonts (10 points at 120 dpi
// are 12.5 points at 96); a field's frame and margins do not grow with the font.
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
    States expected = AllOff;
    expected.insert(expected.end(), {false, true, true});
    EXPECT_EQ(inWait, expected);
    EXPECT_FALSE(dlg->isVisible() || PortOpen());
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR), Texts{""});
    ASSERT_TRUE(sim.WaitForCommands(1, WaitMs));
    EXPECT_EQ(sim.Commands(), Texts{"+++"});
}

// No way out (Esc, the close box, Close, destroyed while open) sends the configuration's
// modem hang-up to the radio module.
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

} // namespace
