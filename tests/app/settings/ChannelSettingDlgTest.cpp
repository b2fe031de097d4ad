#include "app/operations/OperationDlgFixture.h"

#include "app/OperationDialogs.h"
#include "app/dialogs/ChangingLoggerDlg.h"
#include "app/dialogs/ChannelSettingDlg.h"
#include "app/dialogs/LoggerIdChecks.h"
#include "app/dialogs/LoggerSettingDlg.h"
#include "record/LoggerFile.h"
#include "res/ChannelSettingIds.h"

#include <QMessageBox>

namespace {

using namespace DialogInput;
using namespace ChannelSettingIds;
using loggersim::SimChannel;
using loggersim::SimFault;

constexpr int IDC_LOGGER_1 = 1014, IDC_CHANGE_QUANTITY = 1012, IDC_CLOSE_SETTINGS = 1004,
              IDC_OK = 1001;
constexpr const char* NoResponse = "W:No response from logger!";

// The settings on an open simulated line of loggers 1 and 3 (a network).
class SettingsTest : public OperationDlgFixture
{
protected:
    void SetUp() override
    {
        OperationDlgFixture::SetUp();
        UseNetwork({1, 3});
    }

    LoggerUnit& Unit(int id) { return Record().m_units[id - 1]; }
    std::unique_ptr<CChannelSettingDlg> OpenFor(int id) { return Open<CChannelSettingDlg>(id); }
    // Each channel's row as "<VW check> <VW type> / <analog check> <analog type>", x for on.
    static Texts Rows(QWidget* dlg)
    {
        Texts rows;
        for (const ChannelRowIds& row : ChannelRows) {
            rows.push_back((Checked(dlg, row.vwCheck) ? "x " : "- ") + Text(dlg, row.vwList)
                + (Checked(dlg, row.analogCheck) ? " / x " : " / - ") + Text(dlg, row.analogList));
        }
        return rows;
    }
};

// The buttons follow the line and its change, which takes two or more IDs into the record.
TEST_F(SettingsTest, LoggerButtonsFollowTheLineAndItsChange)
{
    auto dlg = Open<CLoggerSettingDlg>();
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "logger_setting"));
    std::vector<int> ids = Ids(IDC_LOGGER_1, 7);
    ids.push_back(IDC_CHANGE_QUANTITY);
    EXPECT_EQ(EnabledOf(dlg.get(), ids), (States{1, 0, 1, 0, 0, 0, 0, 1}));
    const LoggerRecord before = Record();
    States shown, single;
    bool openAfterOneId = false;
    std::string idText;
    ModalDriver driver;
    driver
        .Then([](QWidget* modal) {
            for (int id : LoggerIdCheckIds)
                ClickItem(modal, id);
            EXPECT_TRUE(SaveScreenshot(modal, "changing_logger"));
            RejectModal(modal);
        })
        .Then([&](QWidget* modal) {
            for (int id : LoggerIdCheckIds)
                shown.push_back(Checked(modal, id));
            ClickItem(modal, LoggerIdCheckIds[0]); // leaves ID 3 alone
            ClickItem(modal, IDC_OK);
            openAfterOneId = modal->isVisible();
            ClickItem(modal, LoggerIdCheckIds[6]);
            ClickItem(modal, IDC_OK);
        })
        .Then([&idText](QWidget* modal) {
            idText = Text(modal, IDC_LOGGER_ID);
            RejectModal(modal);
        })
        .Then([&](QWidget* modal) {
            single = EnabledOf(modal, ids);
            ClickItem(modal, IDC_CLOSE_SETTINGS);
        });
    Click(dlg.get(), IDC_CHANGE_QUANTITY);
    EXPECT_TRUE(SameRecord(Record(), before));
    Click(dlg.get(), IDC_CHANGE_QUANTITY);
    EXPECT_EQ(shown, (States{1, 0, 1, 0, 0, 0, 0}));
    EXPECT_TRUE(openAfterOneId);
    EXPECT_EQ(Told(), Texts{"W:To use the multi network, you have to select over two loggers!"});
    EXPECT_EQ(EnabledOf(dlg.get(), ids), (States{0, 0, 1, 0, 0, 0, 1, 1}));
    EXPECT_FALSE(Exists(Folder() + "Site1.arg"));
    Click(dlg.get(), IDC_LOGGER_1 + 2); // the channel settings of ID 3
    EXPECT_EQ(idText, "3");
    Click(dlg.get(), IDC_CLOSE_SETTINGS);
    EXPECT_FALSE(dlg->isVisible());
    Record().m_bSingle = 1; // the menu command on a single logger
    RunLoggerSettingDlg();
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(single, (States{1, 0, 0, 0, 0, 0, 0, 0}));
    g_nCurLogger = -1;
    EXPECT_EQ(CChangingLoggerDlg().DoModal(), IDCANCEL);
}

// The stored settings first; Reading shows what the logger reports, the interval not stored.
TEST_F(SettingsTest, TheDialogShowsTheStoredSettingsThenWhatTheLoggerReports)
{
    Unit(3).m_channels[0].m_nVwType = Unit(3).m_channels[0].m_nAnalogType = 2;
    Unit(3).m_channels[1].m_nAnalogType = 4;
    Unit(3).m_schedule = {0, 30, 0, SchedulePeriodic, 0, 1};
    auto dlg = OpenFor(3);
    QWidget* d = dlg.get();
    EXPECT_TRUE(SaveScreenshot(d, "channel_setting"));
    EXPECT_EQ(TextsOf(d, {IDC_LOGGER_ID, IDC_NETWORK, IDC_SCHEDULE, IDC_HOURS, IDC_MINUTES}),
        (Texts{"3", "Logger network : RS-485", "Periodic", "0", "30"}));
    Texts rows{"x Sweep 02 / x RTD", "- Sweep 01 / x mV"};
    rows.resize(16, "- Sweep 01 / - Thermistor");
    EXPECT_EQ(Rows(d), rows);
    EXPECT_FALSE(Checked(d, IDC_ALL_VW) || Checked(d, IDC_ALL_ANALOG));

    for (int ch = 0; ch < 16; ++ch)
        sim.SetChannel(3, ch, ch < 5 ? SimChannel{1, 3, 20, 0} : SimChannel{});
    sim.SetSchedule(3, {2, 0, 0, false});
    Click(d, IDC_READING);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,03,channel all", "@01,03,schedule"}));
    rows.assign(5, "x Sweep 04 / - Thermistor");
    rows.resize(16, "- Sweep 01 / - Thermistor");
    EXPECT_EQ(Rows(d), rows);
    EXPECT_FALSE(Checked(d, IDC_ALL_VW));
    EXPECT_EQ(TextsOf(d, {IDC_SCHEDULE, IDC_HOURS, IDC_MINUTES}), (Texts{"Fixed", "2", "0"}));
    EXPECT_EQ(Unit(3).m_schedule.m_nScheduleMode, ScheduleFixed);
    EXPECT_EQ(Unit(3).m_schedule.m_nMinutes, 30);
    EXPECT_FALSE(Exists(Folder() + "Site1.arg"));
    // The VW column's head check sets every channel's VW; typed minutes zero the hours.
    Click(d, IDC_ALL_VW);
    rows.assign(16, "x Sweep 01 / - Thermistor");
    std::fill_n(rows.begin(), 5, "x Sweep 04 / - Thermistor");
    EXPECT_EQ(Rows(d), rows);
    Type(d, IDC_MINUTES, "15");
    EXPECT_EQ(TextsOf(d, {IDC_HOURS, IDC_MINUTES}), (Texts{"0", "15"}));
}

// Cancel keeps the changes on screen from the record; Send stores, saves and sends them.
TEST_F(SettingsTest, SendStoresSavesAndSendsTheShownSettings)
{
    Unit(1).m_schedule.m_nMinutes = 30;
    const LoggerRecord before = Record();
    auto dlg = OpenFor(1);
    Click(dlg.get(), ChannelRows[3].vwCheck);
    Click(dlg.get(), IDC_ALL_ANALOG);
    Type(dlg.get(), IDC_HOURS, "5");
    Click(dlg.get(), IDC_CANCEL);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(SameRecord(Record(), before) && sim.Commands().empty());

    dlg = OpenFor(1);
    Click(dlg.get(), ChannelRows[0].vwCheck);
    Pick(dlg.get(), ChannelRows[0].vwList, 1);
    Click(dlg.get(), ChannelRows[1].analogCheck);
    Pick(dlg.get(), ChannelRows[1].analogList, 2);
    Click(dlg.get(), IDC_SEND);
    EXPECT_FALSE(dlg->isVisible());
    const Texts commands = sim.Commands();
    ASSERT_EQ(commands.size(), 18u);
    EXPECT_EQ(Texts(commands.begin(), commands.begin() + 4),
        (Texts{"@01,01,schedule fixed", "@01,01,schedule 00 30 00",
            "@01,01,channel 00 01 01 0020 00", "@01,01,channel 01 00 00 0000 02"}));
    EXPECT_EQ(Unit(1).m_channels[0].m_nVwType, 2);
    EXPECT_EQ(Unit(1).m_channels[1].m_nAnalogType, 2);
    EXPECT_TRUE(Told().empty());
    const LoggerRecord sent = Record(); // the file holds what was sent
    ASSERT_TRUE(LoadLoggerFile(1, Folder() + "Site1"));
    EXPECT_TRUE(SameRecord(g_loggers[1], sent));
}

// An unanswered command and a file that cannot be written are told; bad input sends nothing.
TEST_F(SettingsTest, WhatFailsOrCannotBeTakenIsTold)
{
    SetFieldText(Record().m_szDataFolder, "/nonexistent-quorbel/");
    const LoggerRecord before = Record();
    const auto send = [this](int drop) {
        auto dlg = OpenFor(1);
        Click(dlg.get(), ChannelRows[0].vwCheck);
        Type(dlg.get(), IDC_HOURS, "3");
        sim.InjectFault(SimFault::DropReply, drop);
        Click(dlg.get(), IDC_SEND);
        EXPECT_FALSE(dlg->isVisible());
        return sim.Commands();
    };
    EXPECT_EQ(send(0), Texts{"@01,01,schedule fixed"});
    EXPECT_EQ(Told(), Texts{NoResponse});
    EXPECT_EQ(send(1), (Texts{"@01,01,schedule fixed", "@01,01,schedule 03 00 00"}));
    EXPECT_EQ(Told(), Texts{NoResponse});
    EXPECT_TRUE(SameRecord(Record(), before));
    EXPECT_EQ(send(5).size(), 18u);
    EXPECT_EQ(Told(),
        (Texts{"W:The configuration file /nonexistent-quorbel/Site1.arg could not be written.",
            NoResponse}));

    Unit(1).m_schedule.m_nHours = 120;
    const auto refused = [this](int check, int list) {
        auto dlg = OpenFor(1);
        if (list != 0) {
            Type(dlg.get(), IDC_HOURS, "1");
            Type(dlg.get(), list, "xyz");
        }
        if (check != 0)
            Click(dlg.get(), check);
        Click(dlg.get(), IDC_SEND);
        EXPECT_TRUE(dlg->isVisible() && sim.Commands().empty());
        return Told();
    };
    EXPECT_EQ(refused(0, 0), Texts{"W:The Hour field must hold a number of at most two digits."});
    EXPECT_EQ(refused(ChannelRows[2].vwCheck, ChannelRows[2].vwList),
        Texts{"W:Channel 3: the sensor type \"xyz\" is not in the list."});
    EXPECT_EQ(refused(0, ChannelRows[15].analogList),
        Texts{"W:Channel 16: the sensor type \"xyz\" is not in the list."});
    EXPECT_EQ(Unit(1).m_channels[2].m_nVwType, 0);
}

// While a send waits, Cancel, Esc, the close box and a second Send act not: it goes once.
TEST_F(SettingsTest, ASendUnderWayIsNeitherCancelledNorRepeated)
{
    const std::function<void(QWidget*)> ways[] = {
        [](QWidget* dlg) { QTest::mouseClick(Control<QWidget>(dlg, IDC_CANCEL), Qt::LeftButton); },
        [](QWidget* dlg) { QTest::keyClick(dlg, Qt::Key_Escape); },
        [](QWidget* dlg) { dlg->close(); },
        [](QWidget* dlg) { QTest::mouseClick(Control<QWidget>(dlg, IDC_SEND), Qt::LeftButton); },
    };
    for (int ch = 0; ch < 4; ++ch) {
        auto dlg = OpenFor(1);
        Click(dlg.get(), ChannelRows[ch].vwCheck);
        bool openInWait = false;
        sim.SetReplyDelay(30);
        QTimer::singleShot(0, dlg.get(), [&] { // inside the first wait for the reply
            ways[ch](dlg.get());
            openInWait = dlg->isVisible();
            sim.SetReplyDelay(0);
        });
        Click(dlg.get(), IDC_SEND);
        EXPECT_TRUE(openInWait && !dlg->isVisible()) << ch;
        const Texts commands = sim.Commands();
        ASSERT_EQ(commands.size(), 18u) << ch;
        EXPECT_EQ(commands[2 + ch], FormatString("@01,01,channel %02d 01 00 0020 00", ch));
        EXPECT_TRUE(Told().empty());
        ASSERT_TRUE(LoadLoggerFile(1, Folder() + "Site1"));
        EXPECT_EQ(g_loggers[1].m_units[0].m_channels[ch].m_nVwType, 1);
    }
}

// After an incomplete reading Send asks first.
TEST_F(SettingsTest, AfterAnIncompleteReadingSendAsksFirst)
{
    auto dlg = OpenFor(1);
    sim.InjectFault(SimFault::DropReply, 4);
    Click(dlg.get(), IDC_READING);
    EXPECT_EQ(Told(), (Texts{"I:No response from logger!"}));
    EXPECT_FALSE(Checked(dlg.get(), ChannelRows[0].vwCheck));
    EXPECT_EQ(Unit(1).m_channels[0].m_nAnalogType, 3);
    std::string question;
    ModalDriver driver;
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        driver.Then([&question, answer](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            question = box ? box->text().toStdString() : "";
            if (box)
                box->button(answer)->click();
        });
    }
    ClearReceived();
    Click(dlg.get(), IDC_SEND);
    EXPECT_EQ(question, "The channel settings were not read completely. Send the settings shown?");
    EXPECT_TRUE(sim.Commands().empty() && dlg->isVisible());
    Click(dlg.get(), IDC_SEND);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(sim.Commands().size(), 18u);
    EXPECT_EQ(sim.Channel(1, 0).analogType, 0);
}

} // namespace
