#include "MainWindowFixture.h"

#include "platform/Format.h"
#include "res/CommandIds.h"
#include "res/DialogTemplates.h"

#include "support/ModalDriver.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <map>
#include <tuple>

namespace {

using Strings = std::vector<std::string>;

// The shown main window driven by mouse and keys, against a simulated line whose loggers
// take their time to answer, so that every wait on the line is a real one.
class LineInputTest : public MainWindowFixture
{
protected:
    static constexpr int ReplyDelayMs = 150;
    static constexpr int WaitMs = 10000;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    bool StartSlowLine(std::initializer_list<int> ids, int records = 5)
    {
        if (!StartLine(ids, records))
            return false;
        sim.SetReplyDelay(ReplyDelayMs);
        return true;
    }

    void Click(int controlId) { QTest::mouseClick(view->Item(controlId), Qt::LeftButton); }
    QPoint RowCentre(int row) const { return List()->visualItemRect(List()->item(row)).center(); }
    void ClickRow(int row)
    {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, RowCentre(row));
    }
    QComboBox* NameCombo() const { return view->ItemAs<QComboBox>(IDC_LOGGER_COMBO); }
    QMenu* ConnectMenu() const { return frame->menuBar()->actions().at(1)->menu(); }
    bool WaitForBoxes(size_t count)
    {
        return QTest::qWaitFor([&] { return boxes.requests.size() >= count; }, WaitMs);
    }

    std::vector<int> Highlighted() const
    {
        std::vector<int> rows;
        for (const QListWidgetItem* item : List()->selectedItems())
            rows.push_back(List()->row(item));
        return rows;
    }
    // The highlight, the current row and record, the name combo and the panel all show row.
    void ExpectShowing(int row, const char* how) const
    {
        EXPECT_EQ(Highlighted(), std::vector<int>{row}) << how;
        EXPECT_EQ(List()->currentRow(), row) << how;
        EXPECT_EQ(view->Selection(), row) << how;
        EXPECT_EQ(g_nCurLogger, row) << how;
        EXPECT_EQ(NameCombo()->currentIndex(), row) << how;
        if (row >= 0 && row < g_nLoggerCount) {
            EXPECT_EQ(Text(IDC_COM_PORT), FormatString("COM %d", g_loggers[row].m_nComPort)) << how;
        }
    }
    // Inputs that would take the highlight away: Ctrl+click on it, a click under the entries.
    void TryToDeselect()
    {
        const int row = List()->currentRow();
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(row));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, BelowEntries());
        HandlePosted();
    }
    QPoint BelowEntries() const { return {RowCentre(0).x(), List()->viewport()->height() - 4}; }
    // The command, from its toolbar button or else its menu entry, opened a window, said
    // something, or changed the table or the line.
    bool Acts(int id)
    {
        const auto state = [this] {
            return std::tuple(
                boxes.requests.size(), m_shown, g_nLoggerCount, g_port.m_Serial.IsOpen());
        };
        const auto before = state();
        ModalDriver driver;
        for (int i = 0; i < 3; ++i)
            driver.Then(RejectModal);
        QAction* action = frame->Command(id);
        if (QWidget* button = frame->ToolBar()->widgetForAction(action))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            action->trigger();
        HandlePosted();
        return driver.StepsDone() > 0 || state() != before;
    }

    // Enabled and shown, of every numbered control of the screen and of every command's menu
    // entry and toolbar button.
    std::map<std::string, bool> ScreenState() const
    {
        std::map<std::string, bool> state;
        for (const ControlTemplate& control : Dialog101().controls) {
            if (const QWidget* widget = control.id > 0 ? view->Item(control.id) : nullptr) {
                state[FormatString("control %d on", control.id)] = widget->isEnabled();
                state[FormatString("control %d shown", control.id)] = widget->isVisible();
            }
        }
        for (int id : AllCommands) {
            QAction* action = frame->Command(id);
            state[FormatString("command %d on", id)] = action->isEnabled();
            state[FormatString("command %d shown", id)] = action->isVisible();
            if (const QWidget* button = frame->ToolBar()->widgetForAction(action))
                state[FormatString("button %d on", id)] = button->isEnabled();
        }
        return state;
    }

    int m_shown = 0; // data and graph windows opened
};

TEST_F(LineInputTest, EveryClickAndKeyOnTheListLeavesOneEntrySelected)
{
    OpenConfigurations({Single("A", 4), Single("B", 5), Single("C", 6)});
    List()->setFocus();
    const auto click = [this](QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        return [=, this] { QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, at); };
    };
    const auto key = [this](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
        return [=, this] { QTest::keyClick(List(), pressed, modifiers); };
    };
    const QPoint below = BelowEntries();
    ASSERT_FALSE(List()->indexAt(below).isValid());
    const struct
    {
        const char* how;
        std::function<void()> input;
        int row;
    } inputs[] = {
        {"click", click(RowCentre(1)), 1},
        {"ctrl+click on the highlighted entry", click(RowCentre(1), Qt::ControlModifier), 1},
        {"click below the entries", click(below), 1},
        {"ctrl+click below the entries", click(below, Qt::ControlModifier), 1},
        {"shift+click below the entries", click(below, Qt::ShiftModifier), 1},
        {"ctrl+space", key(Qt::Key_Space, Qt::ControlModifier), 1},
        {"space", key(Qt::Key_Space), 1},
        {"ctrl+down", key(Qt::Key_Down, Qt::ControlModifier), 2},
        {"down on the last entry", key(Qt::Key_Down), 2},
        {"ctrl+home", key(Qt::Key_Home, Qt::ControlModifier), 0},
        {"shift+end", key(Qt::Key_End, Qt::ShiftModifier), 2},
        {"ctrl+up", key(Qt::Key_Up, Qt::ControlModifier), 1},
        {"ctrl+a", key(Qt::Key_A, Qt::ControlModifier), 1},
        {"drag from an entry to below the entries",
            [&] {
                QTest::mousePress(List()->viewport(), Qt::LeftButton, {}, RowCentre(0));
                QTest::mouseMove(List()->viewport(), below);
                QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, below);
            },
            0},
    };
    for (const auto& input : inputs) {
        input.input();
        HandlePosted();
        ExpectShowing(input.row, input.how);
    }
    EXPECT_TRUE(boxes.requests.empty());
}

// Nothing open, line closed, connected: with the highlight tried away before each, every
// enabled command of the menu and the toolbar acts on the highlighted entry.
TEST_F(LineInputTest, EveryEnabledCommandActsOnTheHighlightedEntry)
{
    ASSERT_TRUE(StartLine({1}));
    frame->SetDisplayWindows({[this] { ++m_shown; }, [this] { ++m_shown; }});
    const int order[] = {ID_OPEN_LOGGER, ID_CONNECT_OPTION, ID_ZIGBEE_SET, ID_VIEW_DATA,
        ID_RECEIVE_DATA, ID_MEMORY_CHECK, ID_FORMAT_MEMORY, ID_TIME_SET_CHECK, ID_LOGGER_RESET,
        ID_VIEW_GRAPH, ID_LOGGER_SETTING, ID_APP_ABOUT, ID_CONNECT, ID_DISCONNECT, ID_CLOSE_LOGGER};
    for (const char* state : {"nothing open", "line closed", "connected"}) {
        const bool open = state != std::string("nothing open");
        const bool connected = state == std::string("connected");
        if (open) {
            OpenConfigurations({Single("First", SimComPort), Single("Second", SimComPort)});
            ClickRow(1);
        }
        if (connected)
            ConnectLine();
        std::set<int> ran;
        for (int id : order) {
            if (!frame->Command(id)->isEnabled())
                continue;
            if (open) {
                TryToDeselect();
                ExpectShowing(g_nCurLogger, state);
            }
            EXPECT_TRUE(Acts(id)) << state << ": command " << id;
            ran.insert(id);
        }
        EXPECT_EQ(ran.count(ID_ZIGBEE_SET), connected ? 0U : 1U) << state;
        EXPECT_EQ(ran.count(ID_CONNECT_OPTION), open && !connected ? 1U : 0U) << state;
        EXPECT_EQ(ran.count(ID_RECEIVE_DATA), connected ? 1U : 0U) << state;
    }
}

// The line goes away while connected, noticed by a call, by a download, or by the idle
// port: the screen, menu and toolbar end as Disconnect leaves them.
TEST_F(LineInputTest, AfterTheLineGoesAwayTheScreenIsAsAfterDisconnect)
{
    ASSERT_TRUE(StartLine({1}));
    OpenConfigurations({Single("Site1", SimComPort, 60)});
    const auto connectAndCall = [this] {
        Click(IDC_CONNECT);
        ASSERT_TRUE(g_port.m_Serial.IsOpen());
        Click(IDC_CALL);
        ASSERT_TRUE(Enabled(IDC_LAMP_GOOD));
    };
    connectAndCall();
    Click(IDC_DISCONNECT);
    const auto disconnected = ScreenState();

    const struct
    {
        const char* how;
        std::function<void()> lose;
    } losses[] = {
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
    for (const auto& loss : losses) {
        sim.Stop();
        ASSERT_TRUE(StartLine({1}));
        connectAndCall();
        loss.lose();
        ASSERT_TRUE(QTest::qWaitFor(
            [] { return g_port.m_Serial.IsLineLost() || !g_port.m_Serial.IsOpen(); }, WaitMs))
            << loss.how;
        emit QAbstractEventDispatcher::instance()->aboutToBlock(); // the program idles
        EXPECT_EQ(ScreenState(), disconnected) << loss.how;
        EXPECT_FALSE(g_port.m_Serial.IsOpen()) << loss.how;
    }
}

TEST_F(LineInputTest, ARefusedChoiceLeavesTheHighlightOnTheRecordTheCommandsActOn)
{
    ASSERT_TRUE(StartSlowLine({1}));
    OpenConfigurations({Single("First", SimComPort), Single("Second", 4)});
    Click(IDC_CONNECT);
    ASSERT_TRUE(g_port.m_Serial.IsOpen());
    boxes.requests.clear();

    ClickRow(1);
    ASSERT_TRUE(WaitForBoxes(1));
    ExpectShowing(0, "mouse");

    List()->setFocus();
    for (int key : {Qt::Key_Down, Qt::Key_End}) {
        QTest::keyClick(List(), static_cast<Qt::Key>(key));
        HandlePosted();
        ExpectShowing(0, "list keys");
    }
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, RowCentre(1));
    HandlePosted();
    ExpectShowing(0, "double click");
    NameCombo()->setFocus();
    QTest::keyClick(NameCombo(), Qt::Key_Down);
    HandlePosted();
    ExpectShowing(0, "name combo keys");
    // One warning for each refused choice, the double click's two presses being one choice.
    EXPECT_EQ(boxes.Texts(), Strings(5, "already port open"));
    EXPECT_EQ(boxes.requests.front().icon, MessageIcon::Warning);
    // While the schedule runs a double click does nothing at all.
    boxes.requests.clear();
    g_bScheduleRunning = true;
    emit List()->itemDoubleClicked(List()->item(1));
    HandlePosted();
    EXPECT_TRUE(boxes.requests.empty());
    g_bScheduleRunning = false;

    Click(IDC_DISCONNECT);
    ASSERT_FALSE(g_port.m_Serial.IsOpen());
    ExpectShowing(0, "disconnected");
    Click(IDC_CLOSE_LOGGER);
    EXPECT_EQ(Items(IDC_LOGGER_LIST), Strings{"Second"});

    // With the line closed a click chooses, and the commands follow it.
    OpenConfigurations({Single("First", SimComPort), Single("Second", 4)});
    ClickRow(1);
    ExpectShowing(1, "line closed");
    Click(IDC_CLOSE_LOGGER);
    EXPECT_EQ(Items(IDC_LOGGER_LIST), Strings{"First"});
}

TEST_F(LineInputTest, NoOtherLineCommandRunsInsideACallsWait)
{
    ASSERT_TRUE(StartSlowLine({1}));
    OpenConfigurations({Single("Site1", SimComPort)});
    Click(IDC_CONNECT);
    ASSERT_TRUE(g_port.m_Serial.IsOpen());
    boxes.requests.clear();
    sim.ClearReceived();

    struct
    {
        bool ran = false;
        std::set<int> enabled; // line commands found enabled inside the wait
    } inWait;
    const auto lookAtLineCommands = [&] {
        for (int id : {IDC_RECEIVE_DATA, IDC_DISCONNECT, IDC_MEASUREMENT, IDC_CALL})
            if (Enabled(id))
                inWait.enabled.insert(id);
        for (int id : {ID_RECEIVE_DATA, ID_DISCONNECT, ID_MEMORY_CHECK, ID_LOGGER_SETTING})
            if (frame->Command(id)->isEnabled())
                inWait.enabled.insert(id);
    };
    QTimer::singleShot(ReplyDelayMs / 3, view, [&] {
        inWait.ran = true;
        lookAtLineCommands();
        // The rules run when a menu opens and when the loop idles: they keep them off.
        ConnectMenu()->popup(QPoint(0, 0));
        ConnectMenu()->close();
        emit QAbstractEventDispatcher::instance()->aboutToBlock();
        lookAtLineCommands();
        for (int id : {IDC_RECEIVE_DATA, IDC_DISCONNECT, IDC_MEASUREMENT, IDC_CALL})
            Click(id);
        // Nor do the handlers themselves, reached another way: a second call, a disconnect.
        frame->OnCommand(ID_RECEIVE_DATA);
        view->OnBnClickedCall();
        view->DisconnectLogger();
    });
    Click(IDC_CALL);

    EXPECT_TRUE(inWait.ran);
    EXPECT_EQ(inWait.enabled, std::set<int>{});
    EXPECT_TRUE(Enabled(IDC_LAMP_GOOD));
    EXPECT_FALSE(Enabled(IDC_LAMP_BAD));
    EXPECT_EQ(sim.Commands(), Strings{"@01,01,memory"});
    EXPECT_FALSE(Exists("Site1/Site1-01.acc"));
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
    // The call over, the line commands are back.
    ExpectScreen({IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_LAMP_GOOD, IDC_RECEIVE_DATA,
                     IDC_VIEW_DATA, IDC_DISCONNECT},
        "after the call");
}

TEST_F(LineInputTest, NothingLightsUpBehindTheConnectDialog)
{
    ASSERT_TRUE(StartSlowLine({1}));
    OpenConfigurations({Single("Site1", SimComPort)});
    std::set<int> behind; // enabled while the dialog checks the logger
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        EXPECT_TRUE(g_port.m_Serial.IsOpen());
        for (int id : {IDC_RECEIVE_DATA, IDC_DISCONNECT})
            if (Enabled(id))
                behind.insert(id);
        for (int id : {ID_RECEIVE_DATA, ID_DISCONNECT, ID_MEMORY_CHECK})
            if (frame->Command(id)->isEnabled())
                behind.insert(id);
    });
    Click(IDC_CONNECT);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(behind, std::set<int>{});
    EXPECT_TRUE(Enabled(IDC_RECEIVE_DATA));
    EXPECT_TRUE(frame->Command(ID_DISCONNECT)->isEnabled());
}

TEST_F(LineInputTest, TheRulesWaitUntilAModalWindowHasClosed)
{
    ASSERT_TRUE(StartLine({1}));
    OpenConfigurations({Single("Site1", SimComPort)});
    bool lit = true;
    ModalDriver driver;
    driver.Then([&](QWidget* about) {
        ASSERT_TRUE(OpenPort()); // behind the frame, as a dialog's own work would
        // Checked once the About box's loop has idled with the port open.
        QTimer::singleShot(30, about, [&, about] {
            lit = Enabled(IDC_DISCONNECT) || frame->Command(ID_DISCONNECT)->isEnabled();
            RejectModal(about);
        });
    });
    frame->OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_FALSE(lit);
    EXPECT_TRUE(Enabled(IDC_DISCONNECT));

    // Outside a modal window they run when a menu opens and when the loop idles.
    QAction* connect = frame->Command(ID_CONNECT);
    g_port.m_Serial.Close();
    ConnectMenu()->popup(QPoint(0, 0));
    ConnectMenu()->close();
    EXPECT_TRUE(connect->isEnabled());
    EXPECT_FALSE(Enabled(IDC_DISCONNECT));
    ASSERT_TRUE(OpenPort());
    EXPECT_TRUE(connect->isEnabled());
    emit QAbstractEventDispatcher::instance()->aboutToBlock();
    EXPECT_FALSE(connect->isEnabled());
    EXPECT_TRUE(Enabled(IDC_DISCONNECT));
}

} // namespace
