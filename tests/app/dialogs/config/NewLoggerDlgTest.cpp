#include "ConfigDialogFixture.h"

#include "app/dialogs/NewLoggerDlg.h"
#include "app/record/LoggerTable.h"
#include "platform/Text.h"

#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int IDC_NAME = 1004;
constexpr int IDC_SINGLE = 1005;
constexpr int IDC_MULTI = 1006;
constexpr int IDC_DIRECT = 1008;
constexpr int IDC_ZIGBEE = 1009;
constexpr int IDC_RS485 = 1010;
constexpr int IDC_MODEM = 1011;
constexpr int IDC_PHONE = 1012;
constexpr int IDC_SCHEDULE = 1013;
constexpr int IDC_INTERVAL = 1015;
constexpr int IDC_DELAY_MINUTE = 1017;
constexpr int IDC_SAVE = 1024;
constexpr int IDC_BROWSE = 1033;
constexpr int IDC_FOLDER = 1084;
constexpr int IdChecks[] = {1020, 1021, 1022, 1023, 1027, 1029, 1030};

using Texts = std::vector<std::string>;

// The editor shown without a modal loop, its folder browser answered by the test.
class TestNewLoggerDlg final : public CNewLoggerDlg
{
public:
    explicit TestNewLoggerDlg(int index = -1)
    {
        m_nIndex = index;
        Create();
        show();
    }

    std::string nextFolder; // empty: the browser is cancelled

    std::string Text(int id) { return Controls().ItemText(id); }
    void SetText(int id, const std::string& text) { ItemAs<QLineEdit>(id)->setText(ToQt(text)); }
    bool Checked(int id) { return Controls().IsChecked(id); }
    bool Enabled(int id) { return Item(id)->isEnabled(); }

protected:
    bool ChooseFolder(std::string& folder) override
    {
        folder = nextFolder;
        return !nextFolder.empty();
    }
};

using NewLoggerDlgTest = ConfigDialogTest;

TEST_F(NewLoggerDlgTest, NewModeStartsFromTheDefaults)
{
    TestNewLoggerDlg dlg;
    EXPECT_TRUE(dlg.Enabled(IDC_NAME));
    EXPECT_EQ(dlg.Text(IDC_NAME), "");
    ASSERT_EQ(dlg.m_comboCom->count(), 20);
    EXPECT_EQ(dlg.m_comboCom->itemText(19), "COM20");
    EXPECT_EQ(dlg.m_comboCom->currentText(), "COM1");
    EXPECT_TRUE(dlg.Checked(IDC_SINGLE));
    EXPECT_FALSE(dlg.Checked(IDC_MULTI));
    EXPECT_TRUE(dlg.Checked(IDC_RS485));
    EXPECT_FALSE(dlg.Enabled(IDC_RS485));
    EXPECT_FALSE(dlg.Enabled(IdChecks[0]));
    EXPECT_TRUE(dlg.Checked(IDC_DIRECT));
    EXPECT_FALSE(dlg.Checked(IDC_MODEM));
    EXPECT_EQ(dlg.Text(1026), "AT+CRM=129,ATDT");
    EXPECT_EQ(dlg.Text(1019), "+++");
    EXPECT_EQ(dlg.Text(IDC_FOLDER), DataFolder());
    EXPECT_FALSE(dlg.Checked(IDC_SCHEDULE));
    EXPECT_FALSE(dlg.Enabled(1014));
    EXPECT_FALSE(dlg.Enabled(IDC_DELAY_MINUTE));
    EXPECT_EQ(dlg.Text(IDC_INTERVAL), "0");
}

TEST_F(NewLoggerDlgTest, EachPairKeepsExactlyOneSet)
{
    TestNewLoggerDlg dlg;
    ClickItem(&dlg, IDC_MULTI);
    EXPECT_FALSE(dlg.Checked(IDC_SINGLE));
    EXPECT_TRUE(dlg.Enabled(IDC_ZIGBEE));
    EXPECT_TRUE(dlg.Enabled(IdChecks[6]));
    // A checked "Multi" clicked again unchecks itself and checks "Single".
    ClickItem(&dlg, IDC_MULTI);
    EXPECT_TRUE(dlg.Checked(IDC_SINGLE));
    EXPECT_FALSE(dlg.Enabled(IdChecks[6]));
    ClickItem(&dlg, IDC_SINGLE);
    ClickItem(&dlg, IDC_ZIGBEE);
    EXPECT_FALSE(dlg.Checked(IDC_RS485));
    EXPECT_TRUE(dlg.Checked(IDC_ZIGBEE));
    // The radios only move their mark.
    ClickItem(&dlg, IDC_MODEM);
    ClickItem(&dlg, IDC_MODEM);
    EXPECT_TRUE(dlg.Checked(IDC_MODEM));
    EXPECT_FALSE(dlg.Checked(IDC_DIRECT));
    ClickItem(&dlg, IDC_SCHEDULE);
    EXPECT_TRUE(dlg.Enabled(1014));
    EXPECT_TRUE(dlg.Enabled(IDC_DELAY_MINUTE));
    ClickItem(&dlg, IDC_SCHEDULE);
    EXPECT_FALSE(dlg.Enabled(IDC_INTERVAL));
}

TEST_F(NewLoggerDlgTest, SavingADefaultConfigurationWritesTheNewRecordOnly)
{
    TestNewLoggerDlg dlg;
    dlg.SetText(IDC_NAME, "abc");
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_FALSE(dlg.isVisible());
    const LoggerRecord expected = NewLoggerRecord("abc", DataFolder());
    const std::vector<char> bytes = FileBytes(DataFolder() + "abc.arg");
    ASSERT_EQ(bytes.size(), sizeof(LoggerRecord));
    EXPECT_EQ(std::memcmp(bytes.data(), &expected, sizeof expected), 0);
    EXPECT_EQ(g_nLoggerCount, 0);
}

TEST_F(NewLoggerDlgTest, SaveRefusesBadNamesInOrderAndSavesNothing)
{
    WriteConfig("ABC");
    WriteConfig("elsewhere", 1, OtherFolder());
    RecordingPresenter presenter;
    TestNewLoggerDlg dlg;
    for (const char* name : {"", "x/y", "..", "abc"}) {
        dlg.SetText(IDC_NAME, name);
        ClickItem(&dlg, IDC_SAVE);
    }
    // A file of that name in the configuration's own folder would be overwritten.
    dlg.SetText(IDC_NAME, "elsewhere");
    dlg.SetText(IDC_FOLDER, OtherFolder());
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_EQ(presenter.Texts(),
        (Texts{"The name is empty", "The name cannot be a file name: it holds a / or is only dots.",
            "The name cannot be a file name: it holds a / or is only dots.",
            "The same Logger name Exists.", "The same Logger name Exists."}));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(FileExists(DataFolder() + "abc.arg"));
    EXPECT_EQ(FileBytes(OtherFolder() + "elsewhere.arg").size(), sizeof(LoggerRecord));
}

TEST_F(NewLoggerDlgTest, FieldsTakeNoMoreThanTheRecordHolds)
{
    RecordingPresenter presenter;
    TestNewLoggerDlg dlg;
    auto* name = dlg.ItemAs<QLineEdit>(IDC_NAME);
    QTest::keyClicks(name, "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(dlg.Text(IDC_NAME), "abcdefghijklmnopqrs");
    EXPECT_EQ(dlg.ItemAs<QLineEdit>(IDC_PHONE)->maxLength(), 19);
    EXPECT_EQ(dlg.ItemAs<QLineEdit>(IDC_FOLDER)->maxLength(), 259);
    // Characters that take two bytes each fit the edit but not the field.
    dlg.SetText(IDC_PHONE,
        "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
    ClickItem(&dlg, IDC_SAVE);
    // A browsed folder longer than the field leaves the folder as it was.
    dlg.nextFolder = "/" + std::string(258, 'f');
    ClickItem(&dlg, IDC_BROWSE);
    EXPECT_EQ(dlg.Text(IDC_FOLDER), DataFolder());
    EXPECT_EQ(presenter.Texts(),
        (Texts{"Phone number holds more than 19 characters.",
            "Browse of data file holds more than 259 characters."}));
    EXPECT_FALSE(FileExists(DataFolder() + "abcdefghijklmnopqrs.arg"));
}

TEST_F(NewLoggerDlgTest, AMinuteFieldThatIsNoWholeNumberStopsTheSave)
{
    RecordingPresenter presenter;
    TestNewLoggerDlg dlg;
    dlg.SetText(IDC_NAME, "abc");
    ClickItem(&dlg, IDC_SCHEDULE);
    dlg.SetText(IDC_INTERVAL, "12a");
    ClickItem(&dlg, IDC_SAVE);
    dlg.SetText(IDC_INTERVAL, " 30 ");
    dlg.SetText(IDC_DELAY_MINUTE, "99999999999");
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_EQ(presenter.Texts(),
        (Texts{"The Minute field must hold a whole number of minutes.",
            "The Delay field must hold a whole number of minutes."}));
    EXPECT_FALSE(FileExists(DataFolder() + "abc.arg"));
    dlg.SetText(IDC_DELAY_MINUTE, "90");
    ClickItem(&dlg, IDC_SAVE);
    const std::vector<char> bytes = FileBytes(DataFolder() + "abc.arg");
    ASSERT_EQ(bytes.size(), sizeof(LoggerRecord));
    LoggerRecord saved;
    std::memcpy(&saved, bytes.data(), sizeof saved);
    EXPECT_EQ(saved.m_bAutoReceive, 1);
    EXPECT_EQ(saved.m_nReceiveInterval, 30);
    EXPECT_EQ(saved.m_nReceiveDelay, 90);
}

TEST_F(NewLoggerDlgTest, AMultiNetworkNeedsTwoLoggers)
{
    RecordingPresenter presenter;
    TestNewLoggerDlg dlg;
    dlg.SetText(IDC_NAME, "net");
    ClickItem(&dlg, IDC_MULTI);
    ClickItem(&dlg, IdChecks[3]);
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_EQ(presenter.Texts(),
        (Texts{"To use the multi network, you have to select over two loggers!"}));
    EXPECT_FALSE(FileExists(DataFolder() + "net.arg"));
    ClickItem(&dlg, IdChecks[3]);
    ClickItem(&dlg, IdChecks[1]);
    ClickItem(&dlg, IdChecks[4]);
    ClickItem(&dlg, IDC_ZIGBEE);
    ClickItem(&dlg, IDC_SAVE);
    const std::vector<char> bytes = FileBytes(DataFolder() + "net.arg");
    ASSERT_EQ(bytes.size(), sizeof(LoggerRecord));
    LoggerRecord saved;
    std::memcpy(&saved, bytes.data(), sizeof saved);
    EXPECT_EQ(saved.m_bSingle, 0);
    EXPECT_EQ(saved.m_bRs485, 0);
    const int32_t used[7] = {0, 1, 0, 0, 1, 0, 0};
    EXPECT_EQ(std::memcmp(saved.m_bLoggerUsed, used, sizeof used), 0);
}

TEST_F(NewLoggerDlgTest, TheComPortIsTheEntryShownOrZero)
{
    for (const auto& [typed, port] : {std::pair{"com3", 3}, std::pair{"COM99", 0}}) {
        TestNewLoggerDlg dlg;
        dlg.m_comboCom->setEditText(typed);
        dlg.SetText(IDC_NAME, typed);
        ClickItem(&dlg, IDC_SAVE);
        LoggerRecord saved;
        const std::vector<char> bytes = FileBytes(DataFolder() + typed + ".arg");
        ASSERT_EQ(bytes.size(), sizeof saved) << typed;
        std::memcpy(&saved, bytes.data(), sizeof saved);
        EXPECT_EQ(saved.m_nComPort, port) << typed;
    }
}

TEST_F(NewLoggerDlgTest, BrowseEndsTheFolderWithASeparatorAndAFolderMustBeAFullPath)
{
    RecordingPresenter presenter;
    TestNewLoggerDlg dlg;
    dlg.nextFolder = "/srv/loggers";
    ClickItem(&dlg, IDC_BROWSE);
    EXPECT_EQ(dlg.Text(IDC_FOLDER), "/srv/loggers/");
    dlg.nextFolder = "/";
    ClickItem(&dlg, IDC_BROWSE);
    EXPECT_EQ(dlg.Text(IDC_FOLDER), "//");
    dlg.nextFolder.clear();
    ClickItem(&dlg, IDC_BROWSE);
    EXPECT_EQ(dlg.Text(IDC_FOLDER), "//");

    dlg.SetText(IDC_NAME, "rel");
    dlg.SetText(IDC_FOLDER, "Data/");
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_EQ(
        presenter.Texts(), (Texts{"Browse of data file must be a full path (starting with /)."}));
    // A typed folder without its closing separator gets one.
    dlg.SetText(IDC_FOLDER, OtherFolder().substr(0, OtherFolder().size() - 1));
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(FileBytes(OtherFolder() + "rel.arg").size(), sizeof(LoggerRecord));
}

TEST_F(NewLoggerDlgTest, ASaveThatCannotBeWrittenIsReportedAndTheEditorStaysOpen)
{
    RecordingPresenter presenter;
    TestNewLoggerDlg dlg;
    dlg.SetText(IDC_NAME, "lost");
    dlg.SetText(IDC_FOLDER, OtherFolder() + "missing/");
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_EQ(presenter.Texts(),
        (Texts{
            "The configuration file " + OtherFolder() + "missing/lost.arg could not be written."}));
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(NewLoggerDlgTest, EditModeKeepsWhatTheEditorDoesNotShow)
{
    LoggerRecord record = WriteConfig("site", 4);
    record.m_bSingle = 0;
    record.m_bRs485 = 0;
    record.m_bLoggerUsed[0] = record.m_bLoggerUsed[6] = 1;
    record.m_bUseModem = 1;
    SetFieldText(record.m_szPhoneNumber, "0123");
    record.m_bAutoReceive = 1;
    record.m_nReceiveInterval = 60;
    record.m_units[2].m_channels[5].m_nVwType = 3;
    record.m_units[6].m_schedule.m_nMinutes = 15;
    record.m_bGraphSeriesB[1][9] = 1;
    record.m_nGraphPeriod = 120;
    record.m_nDateFormat = 4;
    OpenRecord(NewLoggerRecord("first", DataFolder()));
    OpenRecord(record);

    TestNewLoggerDlg dlg(1);
    EXPECT_FALSE(dlg.Enabled(IDC_NAME));
    EXPECT_EQ(dlg.Text(IDC_NAME), "site");
    EXPECT_TRUE(dlg.Checked(IDC_MULTI));
    EXPECT_TRUE(dlg.Checked(IDC_ZIGBEE));
    EXPECT_TRUE(dlg.Checked(IdChecks[6]));
    EXPECT_TRUE(dlg.Enabled(IdChecks[6]));
    EXPECT_EQ(dlg.m_comboCom->currentText(), "COM4");
    EXPECT_TRUE(dlg.Checked(IDC_MODEM));
    EXPECT_EQ(dlg.Text(IDC_PHONE), "0123");
    EXPECT_TRUE(dlg.Enabled(IDC_INTERVAL));
    EXPECT_EQ(dlg.Text(IDC_INTERVAL), "60");

    dlg.SetText(IDC_PHONE, "0456");
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_FALSE(dlg.isVisible());
    LoggerRecord expected = record;
    SetFieldText(expected.m_szPhoneNumber, "0456");
    EXPECT_EQ(std::memcmp(&g_loggers[1], &expected, sizeof expected), 0);
    const std::vector<char> bytes = FileBytes(DataFolder() + "site.arg");
    ASSERT_EQ(bytes.size(), sizeof expected);
    EXPECT_EQ(std::memcmp(bytes.data(), &expected, sizeof expected), 0);
    EXPECT_EQ(FieldText(g_loggers[0].m_szName), "first");
}

TEST_F(NewLoggerDlgTest, AnIndexThatNamesNoOpenRecordEndsTheEditor)
{
    OpenRecord(NewLoggerRecord("only", DataFolder()));
    CNewLoggerDlg dlg;
    dlg.m_nIndex = 1;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(NewLoggerDlgTest, EnterInAFieldNeitherSavesNorCloses)
{
    CNewLoggerDlg dlg;
    bool openAfterEnter = false;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        auto* name = ControlOf<QLineEdit>(modal, IDC_NAME);
        name->setFocus();
        QTest::keyClicks(name, "enter");
        QTest::keyClick(name, Qt::Key_Return);
        QTest::keyClick(name, Qt::Key_Enter);
        QTest::keyClick(ControlOf<QLineEdit>(modal, IDC_PHONE), Qt::Key_Return);
        openAfterEnter = modal->isVisible();
        RejectModal(modal);
    });
    dlg.DoModal();
    EXPECT_TRUE(driver.AllDone());
    EXPECT_TRUE(openAfterEnter);
    EXPECT_FALSE(FileExists(DataFolder() + "enter.arg"));
}

TEST_F(NewLoggerDlgTest, Screenshot)
{
    TestNewLoggerDlg dlg;
    dlg.SetText(IDC_NAME, "Dam north");
    ClickItem(&dlg, IDC_MULTI);
    ClickItem(&dlg, IdChecks[0]);
    ClickItem(&dlg, IdChecks[1]);
    ClickItem(&dlg, IDC_SCHEDULE);
    EXPECT_TRUE(SaveScreenshot(&dlg, "new_logger"));
}

} // namespace
