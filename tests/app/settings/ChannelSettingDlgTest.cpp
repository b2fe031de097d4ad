#include "app/OperationDialogs.h"
#include "app/dialogs/ChannelSettingDlg.h"
#include "app/dialogs/LoggerSettingDlg.h"
#include "record/LoggerFile.h"
#include "platform/Format.h"
#include "res/ChannelSettingIds.h"

#include "app/operations/OperationDlgFixture.h"
#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

using namespace ChannelSettingIds;
using namespace DialogInput;
using loggersim::SimChannel;
using loggersim::SimFault;

constexpr int IDC_LOGGER_1 = 1014;
constexpr int IDC_CHANGE_QUANTITY = 1012;
constexpr int IDC_CLOSE_SETTINGS = 1004;
constexpr const char* NoResponse = "No response from logger!";

bool SameRecord(const LoggerRecord& a, const LoggerRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

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
    static QComboBox* List(QWidget* dlg, int id) { return Control<QComboBox>(dlg, id); }
    // Answers the next question box with this button, keeping its text.
    void Answer(ModalDriver& driver, QMessageBox::StandardButton button)
    {
        driver.Then([this, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            question = box ? box->text().toStdString() : "";
            if (box)
                box->button(button)->click();
        });
    }

    std::string question;
};

// The buttons follow the line and the operator's change of it; a single logger offers only 1.
TEST_F(SettingsTest, LoggerButtonsFollowTheLineAndItsChange)
{
    CLoggerSettingDlg dlg;
    dlg.Create();
    dlg.show();
    EXPECT_TRUE(SaveScreenshot(&dlg, "logger_setting"));
    auto enabled = [](QWidget* window) {
        std::vector<bool> states;
        for (int id = IDC_LOGGER_1; id < IDC_LOGGER_1 + 7; ++id)
            states.push_back(Enabled(window, id));
        states.push_back(Enabled(window, IDC_CHANGE_QUANTITY));
        return states;
    };
    EXPECT_EQ(enabled(&dlg), (std::vector<bool>{1, 0, 1, 0, 0, 0, 0, 1}));

    // A new choice, and a choice left unchanged by Esc: the buttons follow the record.
    ModalDriver driver;
    driver.Then([](QWidget* modal) {
        ClickItem(modal, 1030); // ID 7
        ClickItem(modal, 1001);
    });
    Click(&dlg, IDC_CHANGE_QUANTITY);
    EXPECT_EQ(enabled(&dlg), (std::vector<bool>{1, 0, 1, 0, 0, 0, 1, 1}));
    Record().m_bLoggerUsed[6] = 0;
    Record().m_bLoggerUsed[4] = 1;
    driver.Then(RejectModal);
    Click(&dlg, IDC_CHANGE_QUANTITY);
    EXPECT_EQ(enabled(&dlg), (std::vector<bool>{1, 0, 1, 0, 1, 0, 0, 1}));

    // "Logger #3" opens the channel settings of ID 3.
    std::string idText;
    driver.Then([&idText](QWidget* modal) {
        idText = Text(modal, IDC_LOGGER_ID);
        RejectModal(modal);
    });
    Click(&dlg, IDC_LOGGER_1 + 2);
    EXPECT_EQ(idText, "3");
    Click(&dlg, IDC_CLOSE_SETTINGS);
    EXPECT_FALSE(dlg.isVisible());

    // The menu command on a single logger.
    Record().m_bSingle = 1;
    std::vector<bool> single;
    driver.Then([&](QWidget* modal) {
        single = enabled(modal);
        ClickItem(modal, IDC_CLOSE_SETTINGS);
    });
    RunLoggerSettingDlg();
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(single, (std::vector<bool>{1, 0, 0, 0, 0, 0, 0, 0}));
}

// The stored settings first; Reading replaces them by what the logger reports.
TEST_F(SettingsTest, TheDialogShowsTheStoredSettingsThenWhatTheLoggerReports)
{
    Unit(3).m_channels[0].m_nVwType = 2;
    Unit(3).m_channels[0].m_nAnalogType = 2;
    Unit(3).m_channels[1].m_nAnalogType = 4;
    Unit(3).m_schedule = {0, 30, 0, SchedulePeriodic, 0, 1};
    auto dlg = OpenFor(3);
    QWidget* d = dlg.get();
    EXPECT_TRUE(SaveScreenshot(d, "channel_setting"));
    EXPECT_EQ(Text(d, IDC_LOGGER_ID), "3");
    EXPECT_EQ(Text(d, IDC_NETWORK), "Logger network : RS-485");
    EXPECT_TRUE(Checked(d, ChannelRows[0].vwCheck));
    EXPECT_EQ(Text(d, ChannelRows[0].vwList), "Sweep 02");
    EXPECT_EQ(Text(d, ChannelRows[0].analogList), "RTD");
    EXPECT_FALSE(Checked(d, ChannelRows[1].vwCheck));
    EXPECT_TRUE(Checked(d, ChannelRows[1].analogCheck));
    EXPECT_EQ(Text(d, ChannelRows[1].analogList), "mV");
    EXPECT_FALSE(Checked(d, ChannelRows[15].analogCheck));
    EXPECT_EQ(Text(d, IDC_SCHEDULE), "Periodic");
    EXPECT_EQ(Text(d, IDC_MINUTES), "30");

    for (int ch = 0; ch < 16; ++ch)
        sim.SetChannel(3, ch, ch < 5 ? SimChannel{1, 3, 20, 0} : SimChannel{});
    sim.SetSchedule(3, {2, 0, 0, false});
    Click(d, IDC_READING);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,03,channel all", "@01,03,schedule"}));
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(Checked(d, ChannelRows[ch].vwCheck), ch < 5) << ch;
        EXPECT_FALSE(Checked(d, ChannelRows[ch].analogCheck));
    }
    EXPECT_EQ(Text(d, ChannelRows[4].vwList), "Sweep 04");
    EXPECT_FALSE(Checked(d, IDC_ALL_VW));
    EXPECT_EQ(Text(d, IDC_HOURS), "2");
    EXPECT_EQ(Text(d, IDC_SCHEDULE), "Fixed");
    EXPECT_EQ(Unit(3).m_schedule.m_nScheduleMode, ScheduleFixed);
    // The interval is shown only, the file untouched.
    EXPECT_EQ(Unit(3).m_schedule.m_nMinutes, 30);
    EXPECT_FALSE(Exists(Folder() + "Site1.arg"));

    // A column-head check sets its whole column.
    Click(d, IDC_ALL_VW);
    for (const ChannelRowIds& row : ChannelRows)
        EXPECT_TRUE(Checked(d, row.vwCheck));
}

TEST_F(SettingsTest, TypingTheIntervalZeroesTheOtherField)
{
    Unit(1).m_schedule.m_nMinutes = 30;
    auto dlg = OpenFor(1);
    Type(dlg.get(), IDC_HOURS, "1");
    EXPECT_EQ(Text(dlg.get(), IDC_HOURS), "1");
    EXPECT_EQ(Text(dlg.get(), IDC_MINUTES), "0");
    Type(dlg.get(), IDC_MINUTES, "15");
    EXPECT_EQ(Text(dlg.get(), IDC_MINUTES), "15");
    EXPECT_EQ(Text(dlg.get(), IDC_HOURS), "0");
    // Two digits at most, as typed.
    Type(dlg.get(), IDC_HOURS, "123");
    EXPECT_EQ(Text(dlg.get(), IDC_HOURS), "12");
    EXPECT_EQ(Text(dlg.get(), IDC_MINUTES), "0");
}

// Cancel keeps what was changed on screen from the record and the logger; Send stores,
// saves and sends it.
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
    EXPECT_TRUE(SameRecord(Record(), before));
    EXPECT_TRUE(sim.Commands().empty());

    dlg = OpenFor(1);
    Click(dlg.get(), ChannelRows[0].vwCheck);
    List(dlg.get(), ChannelRows[0].vwList)->setCurrentIndex(1);
    Click(dlg.get(), ChannelRows[1].analogCheck);
    List(dlg.get(), ChannelRows[1].analogList)->setCurrentIndex(2);
    Click(dlg.get(), IDC_SEND);
    EXPECT_FALSE(dlg->isVisible());
    const Texts commands = sim.Commands();
    ASSERT_EQ(commands.size(), 18u);
    EXPECT_EQ(commands[0], "@01,01,schedule fixed");
    EXPECT_EQ(commands[1], "@01,01,schedule 00 30 00");
    EXPECT_EQ(commands[2], "@01,01,channel 00 01 01 0020 00");
    EXPECT_EQ(commands[3], "@01,01,channel 01 00 00 0000 02");
    EXPECT_EQ(Unit(1).m_channels[0].m_nVwType, 2);
    EXPECT_EQ(Unit(1).m_channels[1].m_nAnalogType, 2);
    EXPECT_EQ(sim.Channel(1, 0).vwSweep, 1);
    EXPECT_EQ(sim.Schedule(1).minutes, 30);
    EXPECT_TRUE(boxes.requests.empty());
    // The file holds what was sent.
    const LoggerRecord sent = Record();
    ASSERT_TRUE(LoadLoggerFile(1, Folder() + "Site1"));
    EXPECT_TRUE(SameRecord(g_loggers[1], sent));
}

TEST_F(SettingsTest, AnUnansweredScheduleCommandStoresNothingAndSendsNoMore)
{
    const LoggerRecord before = Record();
    auto dlg = OpenFor(1);
    Click(dlg.get(), ChannelRows[0].vwCheck);
    Type(dlg.get(), IDC_HOURS, "3");
    sim.SetSilent(true);
    Click(dlg.get(), IDC_SEND);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,schedule fixed"}));
    EXPECT_EQ(boxes.Texts(), (Texts{NoResponse}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(SameRecord(Record(), before));

    // The interval unanswered: the same.
    sim.SetSilent(false);
    dlg = OpenFor(1);
    Type(dlg.get(), IDC_HOURS, "3");
    sim.InjectFault(SimFault::DropReply, 1);
    Click(dlg.get(), IDC_SEND);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,schedule fixed", "@01,01,schedule 03 00 00"}));
    EXPECT_TRUE(SameRecord(Record(), before));
    EXPECT_FALSE(Exists(Folder() + "Site1.arg"));
}

TEST_F(SettingsTest, FailuresAfterTheScheduleAreTold)
{
    SetFieldText(Record().m_szDataFolder, "/nonexistent-quorbel/");
    auto dlg = OpenFor(1);
    sim.InjectFault(SimFault::DropReply, 5); // a channel command's reply
    Click(dlg.get(), IDC_SEND);
    EXPECT_EQ(boxes.Texts(),
        (Texts{"The configuration file /nonexistent-quorbel/Site1.arg could not be written.",
            NoResponse}));
    EXPECT_EQ(sim.Commands().size(), 18u);
}

// Refused before anything is sent: an interval wider than the logger's field, and typed text
// that names no sensor type, checked or not.
TEST_F(SettingsTest, WhatTheLoggerCannotTakeIsRefusedAtSend)
{
    Unit(1).m_schedule.m_nHours = 120;
    const struct
    {
        int check; // clicked first, 0 for none
        int list; // typed into, 0 for none
        const char* refusal;
    } cases[] = {
        {0, 0, "The Hour field must hold a number of at most two digits."},
        {ChannelRows[2].vwCheck, ChannelRows[2].vwList,
            "Channel 3: the sensor type \"xyz\" is not in the list."},
        {0, ChannelRows[15].analogList, "Channel 16: the sensor type \"xyz\" is not in the list."},
    };
    for (const auto& c : cases) {
        auto dlg = OpenFor(1);
        if (c.list != 0) {
            Type(dlg.get(), IDC_HOURS, "1");
            Type(dlg.get(), c.list, "xyz");
        }
        if (c.check != 0)
            Click(dlg.get(), c.check);
        boxes.requests.clear();
        Click(dlg.get(), IDC_SEND);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(boxes.Texts(), (Texts{c.refusal}));
        EXPECT_TRUE(sim.Commands().empty());
    }
    EXPECT_EQ(Unit(1).m_channels[2].m_nVwType, 0);
}

// While a send waits for a slow logger, Cancel, Esc, the close box and a second Send act not:
// the send goes through once, the dialog closes after it, and nothing says it failed.
TEST_F(SettingsTest, ASendUnderWayIsNeitherCancelledNorRepeated)
{
    CSerialCom::SetSliceMs(10); // a first byte may take 600 ms
    const auto press = [](QWidget* dlg, int id) {
        QTest::mouseClick(Control<QAbstractButton>(dlg, id), Qt::LeftButton);
    };
    const std::function<void(QWidget*)> ways[] = {
        [&](QWidget* dlg) { press(dlg, IDC_CANCEL); },
        [](QWidget* dlg) { QTest::keyClick(dlg, Qt::Key_Escape); },
        [](QWidget* dlg) { dlg->close(); },
        [&](QWidget* dlg) { press(dlg, IDC_SEND); },
    };
    for (int ch = 0; ch < 4; ++ch) {
        auto dlg = OpenFor(1);
        Click(dlg.get(), ChannelRows[ch].vwCheck);
        boxes.requests.clear();
        bool openInWait = false;
        sim.SetReplyDelay(30);
        // Runs inside the first wait for the logger's reply.
        QTimer::singleShot(0, dlg.get(), [&] {
            ways[ch](dlg.get());
            openInWait = dlg->isVisible();
            sim.SetReplyDelay(0);
        });
        Click(dlg.get(), IDC_SEND);
        EXPECT_TRUE(openInWait) << ch;
        EXPECT_FALSE(dlg->isVisible());
        const Texts commands = sim.Commands();
        ASSERT_EQ(commands.size(), 18u) << ch;
        EXPECT_EQ(commands[0], "@01,01,schedule fixed");
        EXPECT_EQ(commands[2 + ch], FormatString("@01,01,channel %02d 01 00 0020 00", ch));
        EXPECT_TRUE(boxes.requests.empty());
        ASSERT_TRUE(LoadLoggerFile(1, Folder() + "Site1"));
        EXPECT_EQ(g_loggers[1].m_units[0].m_channels[ch].m_nVwType, 1);
    }
}

TEST_F(SettingsTest, AfterAnIncompleteReadingSendAsksFirst)
{
    auto dlg = OpenFor(1);
    sim.InjectFault(SimFault::DropReply, 4);
    Click(dlg.get(), IDC_READING);
    EXPECT_EQ(boxes.Texts(), (Texts{NoResponse}));
    EXPECT_FALSE(Checked(dlg.get(), ChannelRows[0].vwCheck));
    // Lines that came stay in the record.
    EXPECT_EQ(Unit(1).m_channels[0].m_nAnalogType, 3);

    ModalDriver driver;
    Answer(driver, QMessageBox::No);
    sim.ClearReceived();
    Click(dlg.get(), IDC_SEND);
    EXPECT_EQ(question, "The channel settings were not read completely. Send the settings shown?");
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(dlg->isVisible());

    Answer(driver, QMessageBox::Yes);
    Click(dlg.get(), IDC_SEND);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(sim.Commands().size(), 18u);
    EXPECT_EQ(sim.Channel(1, 0).analogType, 0);
}

} // namespace
