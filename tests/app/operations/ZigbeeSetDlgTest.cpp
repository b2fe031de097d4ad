#include "OperationDlgFixture.h"

#include "record/LoggerRecord.h"

#include "app/dialogs/ZigbeeSetDlg.h"
#include "platform/DialogUnits.h"
#include "platform/Format.h"
#include "res/DialogTemplates.h"

#include "support/Screenshot.h"

#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace DialogInput;

constexpr int IDC_COORDINATOR = 1134;
constexpr int IDC_LOGGER = 1131;
constexpr int IDC_ID = 1132;
constexpr int IDC_COM = 1137;
constexpr int IDC_CONNECT = 32775;
constexpr int IDC_LIST_COORDINATOR = 1101;
constexpr int IDC_LIST_LOGGER = 1102;
constexpr int IDC_CLOSE = 1058;
constexpr int FirstSend = 1033;
constexpr int ComPort = 3;

// The dialog with COM3 mapped to the simulated line and g_port closed, as the main frame
// leaves it.
class ZigbeeSetTest : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ShortSlices();
        qputenv(
            FormatString("QUORBEL_COM%d", ComPort).c_str(), QByteArray::fromStdString(sim.Path()));
        dlg = std::make_unique<CZigbeeSetDlg>();
        dlg->Create();
        dlg->show();
    }
    void TearDown() override
    {
        dlg.reset();
        qunsetenv(FormatString("QUORBEL_COM%d", ComPort).c_str());
        SimLineFixture::TearDown();
    }

    QWidget* Dlg() const { return dlg.get(); }
    std::vector<bool> Sends() const
    {
        std::vector<bool> states;
        for (int id = FirstSend; id < FirstSend + 10; ++id)
            states.push_back(Enabled(Dlg(), id));
        return states;
    }
    bool PortOpen() const { return dlg->m_port.m_Serial.IsOpen(); }
    bool NewestShown(int listId) const
    {
        auto* list = Control<QListWidget>(Dlg(), listId);
        const QRect newest = list->visualItemRect(list->item(list->count() - 1));
        return list->viewport()->rect().contains(newest);
    }
    void Connect(int checkId, int idEntry = 0)
    {
        if (!Checked(Dlg(), checkId))
            Click(Dlg(), checkId);
        Pick(Dlg(), IDC_COM, ComPort - 1);
        Pick(Dlg(), IDC_ID, idEntry);
        sim.ClearReceived();
        boxes.requests.clear();
        Click(Dlg(), IDC_CONNECT);
    }

    std::unique_ptr<CZigbeeSetDlg> dlg;
};

const std::vector<bool> AllOff(10, false);
const std::vector<bool> AllOn(10, true);

TEST_F(ZigbeeSetTest, TheChecksExcludeEachOtherAndOnlyLoggerMovesTheIdList)
{
    EXPECT_TRUE(SaveScreenshot(Dlg(), "zigbee_set"));
    EXPECT_EQ(Sends(), AllOff);
    Click(Dlg(), IDC_LOGGER);
    Click(Dlg(), IDC_COORDINATOR);
    EXPECT_TRUE(Checked(Dlg(), IDC_COORDINATOR));
    EXPECT_FALSE(Checked(Dlg(), IDC_LOGGER));
    EXPECT_TRUE(Enabled(Dlg(), IDC_ID));
    Click(Dlg(), IDC_LOGGER);
    Click(Dlg(), IDC_LOGGER);
    EXPECT_FALSE(Checked(Dlg(), IDC_LOGGER));
    EXPECT_TRUE(Checked(Dlg(), IDC_COORDINATOR));
    EXPECT_FALSE(Enabled(Dlg(), IDC_ID));
}

// The dialog's own port on the chosen COM; only logger mode asks the chosen logger, and
// silence there closes the port and turns the Sends off.
TEST_F(ZigbeeSetTest, ConnectAsksOnlyInLoggerMode)
{
    Connect(IDC_COORDINATOR);
    ASSERT_TRUE(PortOpen());
    EXPECT_EQ("/dev/" + dlg->m_port.m_Serial.Device()->portName().toStdString(), sim.Path());
    EXPECT_EQ(dlg->m_port.m_Serial.Device()->baudRate(), 38400);
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_TRUE(sim.Received().empty());
    EXPECT_EQ(Sends(), AllOn);
    EXPECT_EQ(boxes.Texts(), Texts{"Connected!!"});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);

    sim.SetLoggers({5});
    Connect(IDC_LOGGER, 4);
    EXPECT_EQ(sim.Received(), "@01,05,zigbee\r");
    EXPECT_EQ(boxes.Texts(), Texts{"Connected!!"});
    EXPECT_EQ(Sends(), AllOn);

    Connect(IDC_LOGGER, 2);
    ASSERT_TRUE(sim.WaitForCommands(1, WaitMs));
    EXPECT_EQ(sim.Received(), "@01,03,zigbee\r");
    EXPECT_EQ(boxes.Texts(), Texts{"Connected failed"});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(PortOpen());
    EXPECT_EQ(Sends(), AllOff);

    // A port that cannot be opened after a connect: named as the connect dialog names it,
    // nothing on.
    Connect(IDC_LOGGER, 4);
    ASSERT_EQ(Sends(), AllOn);
    qputenv(FormatString("QUORBEL_COM%d", ComPort).c_str(), "/nonexistent/tty");
    Connect(IDC_COORDINATOR);
    ASSERT_EQ(boxes.Texts(),
        Texts{FormatString("port open fail\nCOM%d is /nonexistent/tty: no such device.", ComPort)});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_EQ(Sends(), AllOff);
}

TEST_F(ZigbeeSetTest, EachSendPutsItsRepliesUnderItsColumn)
{
    Connect(IDC_COORDINATOR);
    sim.ClearReceived();
    Click(Dlg(), 1036);
    EXPECT_EQ(sim.Received(), "at+settargetffffffffffffffff\r");
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR), Texts{"OK"});
    Click(Dlg(), 1042);
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_LOGGER), (Texts{"OK", "RESET", "ZIGBEE READY", "PAN 1A2B"}));
    Click(Dlg(), 1040);
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_LOGGER).back(), "FFFFFFFFFFFFFFFF");
    // More lines than the list has room for: the newest is in view.
    Click(Dlg(), 1042);
    EXPECT_TRUE(NewestShown(IDC_LIST_LOGGER));

    // As edited; an empty edit sends the carriage return alone and its empty reply is listed.
    sim.ClearReceived();
    Type(Dlg(), 1008, "at+getlocal");
    Click(Dlg(), 1037);
    EXPECT_EQ(sim.Received(), "at+getlocal\r");
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR), (Texts{"OK", "0013A20040B1C2D3", "", "", ""}));
    sim.ClearReceived();
    Type(Dlg(), 1005, "");
    Click(Dlg(), 1034);
    EXPECT_EQ(sim.Received(), "\r");
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR).size(), 6u);
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR).back(), "");
    EXPECT_EQ(boxes.Texts(), Texts{"Connected!!"});
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
    // The close is seen during that send or at the next one, as the timing has it; either way
    // no more than the half line that came is listed, and the sends end up off.
    if (Enabled(Dlg(), 1034))
        Click(Dlg(), 1034);
    const Texts replies = Entries(Dlg(), IDC_LIST_COORDINATOR);
    EXPECT_LE(replies.size(), 2u);
    for (const std::string& reply : replies)
        EXPECT_TRUE(reply.empty() || reply == "0013A200") << reply;
    EXPECT_FALSE(PortOpen());
    EXPECT_EQ(Sends(), AllOff);
    EXPECT_TRUE(Enabled(Dlg(), IDC_CONNECT));
}

// One command at a time; Close still ends the dialog, and with it the wait.
TEST_F(ZigbeeSetTest, WhileASendWaitsOnlyCloseActs)
{
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    Connect(IDC_COORDINATOR);
    sim.SetSilent(true);
    std::vector<bool> inWait;
    QTimer::singleShot(150, Dlg(), [&] {
        inWait = Sends();
        inWait.push_back(Enabled(Dlg(), IDC_CONNECT));
        inWait.push_back(Enabled(Dlg(), IDC_CLOSE));
        QTest::keyClick(Dlg(), Qt::Key_Return);
        Click(Dlg(), IDC_CLOSE);
    });
    Click(Dlg(), 1033);
    std::vector<bool> expected = AllOff;
    expected.push_back(false);
    expected.push_back(true);
    EXPECT_EQ(inWait, expected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(PortOpen());
    EXPECT_EQ(Entries(Dlg(), IDC_LIST_COORDINATOR), Texts{""});
    EXPECT_EQ(sim.Commands(), Texts{"+++"});
}

// The dialog's port dies with the dialog: no way out sends the configuration's modem hang-up
// to the radio module.
TEST_F(ZigbeeSetTest, NoWayOutSendsAHangUp)
{
    Record().m_bUseModem = 1;
    SetFieldText(Record().m_szHangUpCommand, "ATH0");
    const auto leave = [this](const std::function<void()>& how) {
        Connect(IDC_COORDINATOR);
        ASSERT_TRUE(PortOpen());
        sim.ClearReceived();
        how();
        dlg.reset();
        // What the dialog's port sent is ahead of a command on the same line.
        ASSERT_TRUE(OpenPort());
        EXPECT_TRUE(g_port.IsLoggerPresent(1));
        g_port.m_Serial.Close();
        EXPECT_EQ(sim.Received(), "@01,01,address\r");
        dlg = std::make_unique<CZigbeeSetDlg>();
        dlg->Create();
        dlg->show();
    };
    leave([this] {
        QTest::keyClick(Dlg(), Qt::Key_Escape);
        EXPECT_FALSE(dlg->isVisible());
    });
    leave([this] {
        dlg->close();
        EXPECT_FALSE(dlg->isVisible());
    });
    leave([this] {
        Click(Dlg(), IDC_CLOSE);
        EXPECT_FALSE(dlg->isVisible());
    });
    leave([] {}); // destroyed while open
}

} // namespace
