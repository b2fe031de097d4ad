#include "MainWindowFixture.h"

#include "platform/Format.h"
#include "res/CommandIds.h"
#include "support/ModalDriver.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include <map>

namespace {

// The shown main window driven by mouse and keys.
class LineInputTest : public MainWindowFixture
{
protected:
    static constexpr int WaitMs = 10000;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    QPoint RowCentre(int row) const { return List()->visualItemRect(List()->item(row)).center(); }
    QPoint BelowEntries() const { return {RowCentre(0).x(), List()->viewport()->height() - 4}; }
    void ClickAt(QPoint at, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, at);
    }
    // The rules run when a menu opens and when the loop idles.
    void OpenMenu() const
    {
        QMenu* menu = frame->menuBar()->actions().at(1)->menu();
        menu->popup(QPoint(0, 0));
        menu->close();
    }
    static void Idle() { emit QAbstractEventDispatcher::instance()->aboutToBlock(); }

    // The highlight, the current row and record, the name combo and the panel all show row.
    void ExpectShowing(int row, const char* how) const
    {
        std::vector<int> highlighted;
        for (const QListWidgetItem* item : List()->selectedItems())
            highlighted.push_back(List()->row(item));
        EXPECT_EQ(std::tuple(highlighted, List()->currentRow(), view->Selection(), g_nCurLogger,
                      NameCombo()->currentIndex(), Text(IDC_COM_PORT)),
            std::tuple(std::vector<int>{row}, row, row, row, row,
                FormatString("COM %d", g_loggers[row].m_nComPort)))
            << how;
    }
    // Runs the command from its toolbar button, else its menu entry: the title of the window it
    // opened, else "acted" when it said, showed or changed anything, else "".
    std::string Acts(int id)
    {
        const auto state = [this] {
            return std::tuple(
                boxes.requests.size(), m_shown, g_nLoggerCount, g_port.m_Serial.IsOpen());
        };
        const auto before = state();
        std::string title;
        ModalDriver driver;
        driver.Then([&title](QWidget* modal) {
            title = modal->windowTitle().toStdString();
            RejectModal(modal);
        });
        driver.Then(RejectModal).Then(RejectModal);
        QAction* action = frame->Command(id);
        if (QWidget* button = frame->ToolBar()->widgetForAction(action))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            action->trigger();
        HandlePosted();
        if (driver.StepsDone() == 0 && state() == before)
            return "";
        return title.empty() ? "acted" : title;
    }
    // The line's commands and the screen's line buttons that are on.
    std::set<int> LineCommandsOn() const
    {
        std::set<int> on = CommandsOn();
        for (int id : {ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT})
            on.erase(id);
        for (int id : {IDC_RECEIVE_DATA, IDC_DISCONNECT, IDC_MEASUREMENT, IDC_CALL})
            if (Enabled(id))
                on.insert(id);
        return on;
    }

    int m_shown = 0; // data and graph windows opened
};

// Connected, another entry chosen in any way is refused with one warning each.
TEST_F(LineInputTest, EveryClickAndKeyLeavesTheHighlightOnTheRecordTheCommandsActOn)
{
    sim.SetReplyDelay(150); // every wait on the line a real one
    ASSERT_TRUE(StartLine({1}));
    OpenConfigurations({Single("A", SimComPort), Single("B", 5), Single("C", 6)});
    List()->setFocus();
    const auto click = [this](QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        return [=, this] { ClickAt(at, modifiers); };
    };
    const auto key = [this](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
        return [=, this] { QTest::keyClick(List(), pressed, modifiers); };
    };
    const QPoint below = BelowEntries();
    ASSERT_FALSE(List()->indexAt(below).isValid());
    using Input = std::tuple<const char*, std::function<void()>, int>;
    const Input inputs[] = {
        {"click", click(RowCentre(1)), 1},
        {"ctrl+click on the highlighted entry", click(RowCentre(1), Qt::ControlModifier), 1},
        {"click below the entries", click(below), 1},
        {"ctrl+click below the entries", click(below, Qt::ControlModifier), 1},
        {"shift+click below the entries", click(below, Qt::ShiftModifier), 1},
        {"ctrl+space", key(Qt::Key_Space, Qt::ControlModifier), 1},
        {"ctrl+home", key(Qt::Key_Home, Qt::ControlModifier), 0},
        {"shift+end", key(Qt::Key_End, Qt::ShiftModifier), 2},
        {"ctrl+a", key(Qt::Key_A, Qt::ControlModifier), 2},
        {"drag from an entry to below the entries",
            [&] {
                QTest::mousePress(List()->viewport(), Qt::LeftButton, {}, RowCentre(0));
                QTest::mouseMove(List()->viewport(), below);
                QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, below);
            },
            0},
    };
    for (const auto& [how, input, row] : inputs) {
        input();
        HandlePosted();
        ExpectShowing(row, how);
    }
    EXPECT_TRUE(boxes.requests.empty());

    ConnectLine();
    const Input refused[] = {
        {"click", click(RowCentre(1)), 0},
        {"down", key(Qt::Key_Down), 0},
        {"double click",
            [&] { QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, RowCentre(1)); }, 0},
        {"name combo",
            [this] {
                NameCombo()->setFocus();
                QTest::keyClick(NameCombo(), Qt::Key_Down);
            },
            0},
    };
    for (size_t i = 0; i < std::size(refused); ++i) {
        std::get<1>(refused[i])();
        ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.requests.size() > i; }, WaitMs));
        HandlePosted();
        ExpectShowing(0, std::get<0>(refused[i]));
    }
    EXPECT_EQ(boxes.Texts(), Strings(4, "already port open"));
}

// In each state, with the highlight tried away before each command.
TEST_F(LineInputTest, EveryEnabledCommandActsOnTheHighlightedEntry)
{
    ASSERT_TRUE(StartLine({1}));
    frame->SetDisplayWindows({[this] { ++m_shown; }, [this] { ++m_shown; }});
    const int order[] = {ID_OPEN_LOGGER, ID_CONNECT_OPTION, ID_ZIGBEE_SET, ID_VIEW_DATA,
        ID_RECEIVE_DATA, ID_MEMORY_CHECK, ID_FORMAT_MEMORY, ID_TIME_SET_CHECK, ID_LOGGER_RESET,
        ID_VIEW_GRAPH, ID_LOGGER_SETTING, ID_APP_ABOUT, ID_CONNECT, ID_DISCONNECT, ID_CLOSE_LOGGER};
    const std::map<int, std::string> dialogs{{ID_MEMORY_CHECK, "Memory Check"},
        {ID_FORMAT_MEMORY, "Format memory"}, {ID_TIME_SET_CHECK, "Time Set"},
        {ID_LOGGER_RESET, "Reset"}, {ID_ZIGBEE_SET, "Zigbee set"}};
    for (const std::string state : {"nothing open", "line closed", "connected"}) {
        const bool open = state != "nothing open";
        const bool connected = state == "connected";
        if (open) {
            OpenConfigurations({Single("First", SimComPort), Single("Second", SimComPort)});
            ClickAt(RowCentre(1));
        }
        if (connected)
            ConnectLine();
        for (int id : order) {
            if (!frame->Command(id)->isEnabled())
                continue;
            if (open) { // Ctrl+click on the highlight, a click under the entries
                ClickAt(RowCentre(List()->currentRow()), Qt::ControlModifier);
                ClickAt(BelowEntries());
                HandlePosted();
                ExpectShowing(g_nCurLogger, state.c_str());
            }
            const std::string acted = Acts(id);
            EXPECT_NE(acted, "") << state << ": command " << id;
            EXPECT_TRUE(dialogs.count(id) == 0 || acted == dialogs.at(id)) << acted;
        }
        // Close Logger, the last, closed the highlighted entry (Open Logger chose the first).
        const Strings left = connected ? Strings{"First"} : open ? Strings{"Second"} : Strings{};
        EXPECT_EQ(Items(IDC_LOGGER_LIST), left) << state;
    }
}

// Noticed by a call, by a download, or by the idle port.
TEST_F(LineInputTest, AfterTheLineGoesAwayTheScreenIsAsAfterDisconnect)
{
    OpenConfigurations({Single("Site1", SimComPort, 60)});
    const auto connectAndCall = [this] {
        ASSERT_TRUE(StartLine({1}));
        Click(IDC_CONNECT);
        ASSERT_TRUE(g_port.m_Serial.IsOpen());
        Click(IDC_CALL);
        ASSERT_TRUE(Enabled(IDC_LAMP_GOOD));
    };
    connectAndCall();
    Click(IDC_DISCONNECT);
    const auto disconnected = std::pair(ScreenOn(), CommandsOn());
    const std::pair<const char*, std::function<void()>> losses[] = {
        {"call",
            [this] {
                sim.InjectFault(loggersim::SimFault::Vanish);
                Click(IDC_CALL);
            }},
        {"receive data",
            [this] {
                sim.InjectFault(loggersim::SimFault::Vanish, 3);
                Click(IDC_RECEIVE_DATA);
            }},
        {"idle", [this] { sim.Stop(); }},
    };
    for (const auto& [how, lose] : losses) {
        sim.Stop();
        connectAndCall();
        lose();
        ASSERT_TRUE(QTest::qWaitFor(
            [] { return g_port.m_Serial.IsLineLost() || !g_port.m_Serial.IsOpen(); }, WaitMs))
            << how;
        Idle();
        EXPECT_EQ(std::pair(ScreenOn(), CommandsOn()), disconnected) << how;
        EXPECT_FALSE(g_port.m_Serial.IsOpen()) << how;
    }
}

// No line command is on or runs inside a wait, clicked or reached another way.
TEST_F(LineInputTest, TheRulesKeepEveryLineCommandOffInsideAWait)
{
    sim.SetReplyDelay(150);
    ASSERT_TRUE(StartLine({1}));
    OpenConfigurations({Single("Site1", SimComPort)});
    bool waited = false;
    std::set<int> on;
    QTimer probe;
    probe.callOnTimeout([&] {
        if (waited || !view->IsLineBusy() || !g_port.m_Serial.IsOpen())
            return;
        waited = true;
        on = LineCommandsOn();
        OpenMenu();
        Idle();
        on.merge(LineCommandsOn());
        for (int id : {IDC_RECEIVE_DATA, IDC_DISCONNECT, IDC_MEASUREMENT, IDC_CALL})
            Click(id);
        frame->OnCommand(ID_RECEIVE_DATA);
        view->OnBnClickedCall();
        view->DisconnectLogger();
    });
    ConnectLine();
    probe.start(0);
    sim.ClearReceived();
    Click(IDC_CALL);
    EXPECT_TRUE(waited);
    EXPECT_EQ(on, std::set<int>{});
    EXPECT_EQ(sim.Commands(), Strings{"@01,01,memory"});
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(ScreenOn(),
        (std::set<int>{IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_LAMP_GOOD,
            IDC_RECEIVE_DATA, IDC_VIEW_DATA, IDC_DISCONNECT}));
    probe.stop();
    Click(IDC_DISCONNECT); // a port opened or closed behind the screen: idle, or a menu
    ASSERT_TRUE(OpenPort());
    Idle();
    QAction* connect = frame->Command(ID_CONNECT);
    EXPECT_TRUE(Enabled(IDC_DISCONNECT) && !connect->isEnabled());
    g_port.m_Serial.Close();
    OpenMenu();
    EXPECT_TRUE(!Enabled(IDC_DISCONNECT) && connect->isEnabled());
}

} // namespace
