#include "app/OperationDialogs.h"
#include "app/dialogs/ChannelSettingDlg.h"
#include "app/dialogs/LoggerSettingDlg.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "record/LoggerFile.h"
#include "res/ChannelSettingIds.h"

#include "support/ModalDriver.h"
#include "support/Screenshot.h"
#include "support/sim/SimLineFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace ChannelSettingIds;
using Texts = std::vector<std::string>;
using loggersim::SimChannel;

constexpr int IDC_LOGGER_1 = 1014;
constexpr int IDC_CHANGE_QUANTITY = 1012;

// The settings on an open simulated line of loggers 1 and 3 (a network), popups closing
// 20 ms after their jobs.
class SettingsTest : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ShortSlices();
        CWaitPopupDlg::CloseDelayMs = 20;
        sim.SetLoggers({1, 3});
        Record().m_bSingle = 0;
        Record().m_bRs485 = 1;
        Record().m_bLoggerUsed[0] = Record().m_bLoggerUsed[2] = 1;
        ASSERT_TRUE(OpenPort());
    }

    void TearDown() override
    {
        CWaitPopupDlg::CloseDelayMs = 500;
        SimLineFixture::TearDown();
    }

    LoggerUnit& Unit(int id) { return Record().m_units[id - 1]; }

    // The dialog built and initialised, shown as a window of its real size.
    std::unique_ptr<CChannelSettingDlg> Open(int id)
    {
        auto dlg = std::make_unique<CChannelSettingDlg>(id);
        dlg->Create();
        dlg->show();
        sim.ClearReceived();
        return dlg;
    }

    template <class T> static T* Control(QWidget* dlg, int id)
    {
        for (auto* w : dlg->findChildren<T*>()) {
            if (w->property("controlId").toInt() == id)
                return w;
        }
        return nullptr;
    }
    static bool Checked(QWidget* dlg, int id)
    {
        return Control<QAbstractButton>(dlg, id)->isChecked();
    }
    static QComboBox* List(QWidget* dlg, int id) { return Control<QComboBox>(dlg, id); }
    static QLineEdit* Edit(QWidget* dlg, int id) { return Control<QLineEdit>(dlg, id); }
    static void Click(QWidget* dlg, int id)
    {
        auto* button = Control<QAbstractButton>(dlg, id);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    }
    static void TypeInto(QLineEdit* edit, const char* text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

bool SameRecord(const LoggerRecord& a, const LoggerRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(SettingsTest, LoggerButtonsFollowTheLineAndItsChange)
{
    CLoggerSettingDlg dlg;
    dlg.Create();
    dlg.show();
    EXPECT_TRUE(SaveScreenshot(&dlg, "logger_setting"));
    auto enabled = [&dlg] {
        std::vector<bool> states;
        for (int id = IDC_LOGGER_1; id < IDC_LOGGER_1 + 7; ++id)
            states.push_back(dlg.Item(id)->isEnabled());
        return states;
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, false, false, false, false}));
    EXPECT_TRUE(dlg.Item(IDC_CHANGE_QUANTITY)->isEnabled());

    // A new choice, and a choice left unchanged by Esc: the buttons follow the record.
    ModalDriver driver;
    driver.Then([](QWidget* modal) {
        ClickItem(modal, 1030); // ID 7
        ClickItem(modal, 1001);
    });
    Click(&dlg, IDC_CHANGE_QUANTITY);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, false, false, false, true}));
    Record().m_bLoggerUsed[6] = 0;
    Record().m_bLoggerUsed[4] = 1;
    driver.Then(RejectModal);
    Click(&dlg, IDC_CHANGE_QUANTITY);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, false, true, false, false}));

    // "Logger #3" opens the channel settings of ID 3; OK closes.
    std::string idText;
    driver.Then([&idText](QWidget* modal) {
        idText = Control<QLabel>(modal, IDC_LOGGER_ID)->text().toStdString();
        RejectModal(modal);
    });
    Click(&dlg, IDC_LOGGER_1 + 2);
    EXPECT_EQ(idText, "3");
    Click(&dlg, 1004);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(SettingsTest, ASingleLoggerOffersOnlyLoggerOneAndTheMenuCommandOpensIt)
{
    Record().m_bSingle = 1;
    std::vector<bool> states;
    ModalDriver driver;
    driver.Then([&states](QWidget* modal) {
        for (int id = IDC_LOGGER_1; id <= IDC_LOGGER_1 + 7; ++id)
            states.push_back(
                Control<QWidget>(modal, id == IDC_LOGGER_1 + 7 ? IDC_CHANGE_QUANTITY : id)
                    ->isEnabled());
        ClickItem(modal, 1004);
    });
    RunLoggerSettingDlg();
    EXPECT_EQ(states, (std::vector<bool>{true, false, false, false, false, false, false, false}));
}

TEST_F(SettingsTest, TheDialogShowsTheStoredSettings)
{
    Unit(3).m_channels[0].m_nVwType = 2;
    Unit(3).m_channels[0].m_nAnalogType = 2;
    Unit(3).m_channels[1].m_nAnalogType = 4;
    Unit(3).m_schedule = {0, 30, 0, SchedulePeriodic, 0, 1};
    auto dlg = Open(3);
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "channel_setting"));
    EXPECT_EQ(Control<QLabel>(dlg.get(), IDC_LOGGER_ID)->text(), "3");
    EXPECT_TRUE(Control<QLabel>(dlg.get(), IDC_LOGGER_ID)->font().bold());
    EXPECT_EQ(Control<QLabel>(dlg.get(), IDC_NETWORK)->text(), "Logger network : RS-485");
    EXPECT_TRUE(Checked(dlg.get(), ChannelRows[0].vwCheck));
    EXPECT_EQ(List(dlg.get(), ChannelRows[0].vwList)->currentText(), "Sweep 02");
    EXPECT_EQ(List(dlg.get(), ChannelRows[0].analogList)->currentText(), "RTD");
    EXPECT_FALSE(Checked(dlg.get(), ChannelRows[1].vwCheck));
    EXPECT_TRUE(Checked(dlg.get(), ChannelRows[1].analogCheck));
    EXPECT_EQ(List(dlg.get(), ChannelRows[1].analogList)->currentText(), "mV");
    EXPECT_FALSE(Checked(dlg.get(), ChannelRows[15].analogCheck));
    EXPECT_FALSE(Checked(dlg.get(), IDC_ALL_VW));
    EXPECT_EQ(List(dlg.get(), IDC_SCHEDULE)->currentText(), "Periodic");
    EXPECT_EQ(Edit(dlg.get(), IDC_HOURS)->text(), "0");
    EXPECT_EQ(Edit(dlg.get(), IDC_MINUTES)->text(), "30");
    EXPECT_EQ(Edit(dlg.get(), IDC_HOURS)->alignment() & Qt::AlignRight, Qt::AlignRight);
    // A column-head check sets its whole column.
    Click(dlg.get(), IDC_ALL_VW);
    for (const ChannelRowIds& row : ChannelRows)
        EXPECT_TRUE(Checked(dlg.get(), row.vwCheck));
}

TEST_F(SettingsTest, TypingTheIntervalZeroesTheOtherField)
{
    Unit(1).m_schedule.m_nMinutes = 30;
    auto dlg = Open(1);
    QLineEdit* hours = Edit(dlg.get(), IDC_HOURS);
    QLineEdit* minutes = Edit(dlg.get(), IDC_MINUTES);
    TypeInto(hours, "1");
    EXPECT_EQ(hours->text(), "1");
    EXPECT_EQ(minutes->text(), "0");
    TypeInto(minutes, "15");
    EXPECT_EQ(minutes->text(), "15");
    EXPECT_EQ(hours->text(), "0");
    // Two digits at most, as typed.
    TypeInto(hours, "123");
    EXPECT_EQ(hours->text(), "12");
    EXPECT_EQ(minutes->text(), "0");
}

TEST_F(SettingsTest, ReadingShowsWhatTheLoggerReports)
{
    for (int ch = 0; ch < 16; ++ch)
        sim.SetChannel(1, ch, ch < 5 ? SimChannel{1, 3, 20, 0} : SimChannel{});
    sim.SetSchedule(1, {2, 0, 0, false});
    Unit(1).m_schedule.m_nScheduleMode = SchedulePeriodic;
    auto dlg = Open(1);
    Click(dlg.get(), IDC_READING);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,channel all", "@01,01,schedule"}));
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(Checked(dlg.get(), ChannelRows[ch].vwCheck), ch < 5) << ch;
        EXPECT_FALSE(Checked(dlg.get(), ChannelRows[ch].analogCheck));
        if (ch < 5) {
            EXPECT_EQ(List(dlg.get(), ChannelRows[ch].vwList)->currentIndex(), 3);
        }
    }
    EXPECT_FALSE(Checked(dlg.get(), IDC_ALL_VW));
    EXPECT_FALSE(Checked(dlg.get(), IDC_ALL_ANALOG));
    EXPECT_EQ(Edit(dlg.get(), IDC_HOURS)->text(), "2");
    EXPECT_EQ(List(dlg.get(), IDC_SCHEDULE)->currentText(), "Fixed");
    EXPECT_EQ(Unit(1).m_schedule.m_nScheduleMode, ScheduleFixed);
    EXPECT_EQ(Unit(1).m_channels[2].m_nVwType, 4);
    // The interval is shown only, the file untouched.
    EXPECT_EQ(Unit(1).m_schedule.m_nHours, 0);
    EXPECT_FALSE(Exists(Folder() + "Site1.arg"));
}

TEST_F(SettingsTest, SendStoresSavesAndSendsTheShownSettings)
{
    Unit(1).m_schedule.m_nMinutes = 30;
    auto dlg = Open(1);
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

TEST_F(SettingsTest, CancelStoresAndSendsNothing)
{
    const LoggerRecord before = Record();
    auto dlg = Open(1);
    Click(dlg.get(), ChannelRows[3].vwCheck);
    Click(dlg.get(), IDC_ALL_ANALOG);
    TypeInto(Edit(dlg.get(), IDC_HOURS), "5");
    Click(dlg.get(), IDC_CANCEL);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), IDOK);
    EXPECT_TRUE(SameRecord(Record(), before));
    EXPECT_TRUE(sim.Commands().empty());
}

TEST_F(SettingsTest, AnUnansweredScheduleCommandStoresNothingAndSendsNoMore)
{
    const LoggerRecord before = Record();
    auto dlg = Open(1);
    Click(dlg.get(), ChannelRows[0].vwCheck);
    TypeInto(Edit(dlg.get(), IDC_HOURS), "3");
    sim.SetSilent(true);
    Click(dlg.get(), IDC_SEND);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,schedule fixed"}));
    EXPECT_EQ(boxes.Texts(), (Texts{"No response from logger!"}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(SameRecord(Record(), before));

    // The interval unanswered: the same.
    sim.SetSilent(false);
    dlg = Open(1);
    TypeInto(Edit(dlg.get(), IDC_HOURS), "3");
    sim.InjectFault(loggersim::SimFault::DropReply, 1);
    Click(dlg.get(), IDC_SEND);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,schedule fixed", "@01,01,schedule 03 00 00"}));
    EXPECT_TRUE(SameRecord(Record(), before));
    EXPECT_FALSE(Exists(Folder() + "Site1.arg"));
}

TEST_F(SettingsTest, FailuresAfterTheScheduleAreTold)
{
    SetFieldText(Record().m_szDataFolder, "/nonexistent-quorbel/");
    auto dlg = Open(1);
    sim.InjectFault(loggersim::SimFault::DropReply, 5); // a channel command's reply
    Click(dlg.get(), IDC_SEND);
    EXPECT_EQ(boxes.Texts(),
        (Texts{"The configuration file /nonexistent-quorbel/Site1.arg could not be written.",
            "No response from logger!"}));
    EXPECT_EQ(sim.Commands().size(), 18u);
}

TEST_F(SettingsTest, AnIntervalTooWideIsRefusedAtSend)
{
    Unit(1).m_schedule.m_nHours = 120;
    auto dlg = Open(1);
    EXPECT_EQ(Edit(dlg.get(), IDC_HOURS)->text(), "120");
    Click(dlg.get(), IDC_SEND);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(boxes.Texts(), (Texts{"The Hour field must hold a number of at most two digits."}));
    EXPECT_TRUE(sim.Commands().empty());
}

TEST_F(SettingsTest, AfterAnIncompleteReadingSendAsksFirst)
{
    auto dlg = Open(1);
    sim.InjectFault(loggersim::SimFault::DropReply, 4);
    Click(dlg.get(), IDC_READING);
    EXPECT_EQ(boxes.Texts(), (Texts{"No response from logger!"}));
    EXPECT_FALSE(Checked(dlg.get(), ChannelRows[0].vwCheck));
    // Lines that came stay in the record.
    EXPECT_EQ(Unit(1).m_channels[0].m_nAnalogType, 3);

    std::string question;
    ModalDriver driver;
    driver.Then([&question](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        question = box ? box->text().toStdString() : "";
        if (box)
            box->button(QMessageBox::No)->click();
    });
    sim.ClearReceived();
    Click(dlg.get(), IDC_SEND);
    EXPECT_EQ(question, "The channel settings were not read completely. Send the settings shown?");
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(dlg->isVisible());

    driver.Then([](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Yes)->click();
    });
    Click(dlg.get(), IDC_SEND);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(sim.Commands().size(), 18u);
    EXPECT_EQ(sim.Channel(1, 0).analogType, 0);
}

} // namespace
