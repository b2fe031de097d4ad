#include "ConfigDialogFixture.h"

#include "app/dialogs/LoggerIdChecks.h"
#include "app/dialogs/NewLoggerDlg.h"
#include "res/NewLoggerIds.h"

#include <QApplication>
#include <QInputMethodEvent>

#include <functional>

using namespace NewLoggerIds;

namespace {

using DialogInput::Checked;
using DialogInput::Enabled;

using Edits = std::vector<std::pair<int, std::string>>;

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
    void SetText(int id, const std::string& text)
    {
        if (id == IDC_COM)
            m_comboCom->setEditText(ToQt(text));
        else
            ItemAs<QLineEdit>(id)->setText(ToQt(text));
    }

protected:
    bool ChooseFolder(std::string& folder) override
    {
        folder = nextFolder;
        return !nextFolder.empty();
    }
};

using NewLoggerDlgTest = ConfigDialogTest;

// Types text one character at a time as an input method commits it (how Hangul arrives).
void TypeCommitted(QLineEdit* edit, const QString& text)
{
    for (const QChar c : text) {
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(edit, &commit);
    }
}

TEST_F(NewLoggerDlgTest, ChoicesStartAtTheDefaultsAndEachPairKeepsOneSet)
{
    TestNewLoggerDlg dlg;
    EXPECT_EQ(DialogInput::EnabledOf(
                  &dlg, {IDC_NAME, IDC_RS485, LoggerIdCheckIds[0], IDC_MINUTE, IDC_DELAY_MINUTE}),
        (States{true, false, false, false, false}));
    ClickItem(&dlg, IDC_MULTI); // a checked "Multi" clicked again checks "Single"
    EXPECT_TRUE(Enabled(&dlg, IDC_ZIGBEE) && Enabled(&dlg, LoggerIdCheckIds[6])
        && !Checked(&dlg, IDC_SINGLE));
    ClickItem(&dlg, IDC_MULTI);
    EXPECT_TRUE(Checked(&dlg, IDC_SINGLE) && !Enabled(&dlg, LoggerIdCheckIds[6]));
    ClickItem(&dlg, IDC_SINGLE);
    ClickItem(&dlg, IDC_ZIGBEE);
    EXPECT_TRUE(Checked(&dlg, IDC_ZIGBEE) && !Checked(&dlg, IDC_RS485));
    ClickItem(&dlg, IDC_MODEM); // the radios only move their mark
    ClickItem(&dlg, IDC_MODEM);
    EXPECT_TRUE(Checked(&dlg, IDC_MODEM) && !Checked(&dlg, IDC_DIRECT));
    ClickItem(&dlg, IDC_SCHEDULE);
    EXPECT_TRUE(Enabled(&dlg, IDC_MINUTE) && Enabled(&dlg, IDC_DELAY_MINUTE));
    dlg.SetText(IDC_NAME, "Dam north");
    for (int id : {LoggerIdCheckIds[0], LoggerIdCheckIds[1]})
        ClickItem(&dlg, id);
    EXPECT_TRUE(SaveScreenshot(&dlg, "new_logger"));
    ClickItem(&dlg, IDC_SCHEDULE);
    EXPECT_FALSE(Enabled(&dlg, IDC_INTERVAL));
}

// Save writes exactly the defaults with the case's change, the open records left alone, or
// names its cause, keeps the editor open and writes nothing.
TEST_F(NewLoggerDlgTest, SaveWritesWhatTheEditorShowsOrRefusesIt)
{
    WriteConfig("ABC");
    const LoggerRecord elsewhere = WriteConfig("elsewhere", 7, other);
    const std::string notAFile = "The name cannot be a file name: it holds a / or is only dots.";
    const std::string sameName = "The same Logger name Exists.";
    const std::string tenWide = FromQt(QString(10, QChar(0xE9))); // fits the edit, not the field
    const struct
    {
        std::vector<int> clicks;
        Edits edits;
        std::string refusal;
        std::function<void(LoggerRecord&)> change;
    } cases[] = {
        // The COM port is the entry shown; a typed folder gets its closing separator.
        {{IDC_SCHEDULE, IDC_MULTI, LoggerIdCheckIds[1], LoggerIdCheckIds[4], IDC_ZIGBEE},
            {{IDC_NAME, "net"}, {IDC_INTERVAL, " 30 "}, {IDC_DELAY_MINUTE, "90"}, {IDC_COM, "com3"},
                {IDC_FOLDER, other.substr(0, other.size() - 1)}},
            "",
            [&](auto& r) {
                r.m_bAutoReceive = 1;
                r.m_nReceiveInterval = 30;
                r.m_nReceiveDelay = 90;
                r.m_bSingle = r.m_bRs485 = 0;
                r.m_bLoggerUsed[1] = r.m_bLoggerUsed[4] = 1;
                r.m_nComPort = 3;
                SetFieldText(r.m_szDataFolder, other);
            }},
        {{}, {{IDC_NAME, "COM99"}, {IDC_COM, "COM99"}}, "", [](auto& r) { r.m_nComPort = 0; }},
        {{}, {{IDC_NAME, ""}}, "The name is empty"},
        {{}, {{IDC_NAME, "x/y"}}, notAFile},
        {{}, {{IDC_NAME, ".."}}, notAFile},
        {{}, {{IDC_NAME, "abc"}}, sameName},
        // A file of that name in the configuration's own folder would be overwritten.
        {{}, {{IDC_NAME, "elsewhere"}, {IDC_FOLDER, other}}, sameName},
        {{}, {{IDC_PHONE, tenWide}}, "Phone number holds more than 19 bytes."},
        {{IDC_SCHEDULE}, {{IDC_INTERVAL, "12a"}},
            "The Minute field must hold a whole number of minutes."},
        {{IDC_SCHEDULE}, {{IDC_DELAY_MINUTE, "99999999999"}},
            "The Delay field must hold a whole number of minutes."},
        {{IDC_MULTI, LoggerIdCheckIds[3]}, {},
            "To use the multi network, you have to select over two loggers!"},
        {{}, {{IDC_FOLDER, "Data/"}}, "Browse of data file must be a full path (starting with /)."},
        {{}, {{IDC_FOLDER, other + "missing/"}},
            "The configuration file " + other + "missing/fresh.arg could not be written."},
    };
    for (const auto& c : cases) {
        RecordingPresenter presenter;
        TestNewLoggerDlg dlg;
        dlg.SetText(IDC_NAME, "fresh");
        for (int id : c.clicks)
            ClickItem(&dlg, id);
        for (const auto& [id, text] : c.edits)
            dlg.SetText(id, text);
        const std::string name = dlg.Text(IDC_NAME);
        SCOPED_TRACE(name + ": " + c.refusal);
        const QStringList files = QDir(ToQt(data)).entryList(QDir::Files);
        ClickItem(&dlg, IDC_SAVE);
        EXPECT_EQ(dlg.isVisible(), !c.change);
        EXPECT_EQ(presenter.Texts(), c.change ? Texts{} : Texts{c.refusal});
        LoggerRecord expected = NewLoggerRecord(name, data);
        if (!c.change)
            EXPECT_EQ(QDir(ToQt(data)).entryList(QDir::Files), files);
        else
            c.change(expected);
        EXPECT_EQ(FileHolds(FieldText(expected.m_szDataFolder) + name + ".arg", expected),
            bool(c.change));
    }
    EXPECT_TRUE(FileHolds(other + "elsewhere.arg", elsewhere));
    EXPECT_EQ(g_nLoggerCount, 0);
}

// The fields count the bytes their record fields hold, not characters: a Hangul syllable
// takes three, so six of them and one letter fill a 19-byte name; more is refused, typed or
// pasted, and such a name saves whole. Enter in a field neither saves nor closes; Browse ends
// the folder in a separator.
TEST_F(NewLoggerDlgTest, TextFieldsStopAtTheirFieldsBytesAndEnterLeavesThemOpen)
{
    RecordingPresenter presenter;
    TestNewLoggerDlg dlg;
    auto* name = dlg.ItemAs<QLineEdit>(IDC_NAME);
    QTest::keyClicks(name, "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(dlg.Text(IDC_NAME), "abcdefghijklmnopqrs");
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClick(name, Qt::Key_Enter);
    QTest::keyClick(dlg.ItemAs<QLineEdit>(IDC_PHONE), Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(QDir(ToQt(data)).isEmpty());
    const QString hangul = QString::fromUtf8("가나다라마바사아자차카");
    for (int id : {IDC_PHONE, IDC_MODEM_COMMAND, IDC_HANG_UP, IDC_NAME}) {
        auto* edit = dlg.ItemAs<QLineEdit>(id);
        const QString before = edit->text();
        edit->clear();
        TypeCommitted(edit, hangul);
        EXPECT_EQ(edit->text(), hangul.left(6)) << id;
        if (id != IDC_NAME)
            edit->setText(before);
    }
    QTest::keyClicks(name, "xy");
    EXPECT_EQ(name->text(), hangul.left(6) + "x");
    name->clear();
    name->insert(hangul); // as a paste does
    EXPECT_EQ(name->text(), QString());
    auto* folder = dlg.ItemAs<QLineEdit>(IDC_FOLDER);
    const QString kept = folder->text();
    folder->clear();
    QTest::keyClicks(folder, QString(300, QLatin1Char('f')));
    EXPECT_EQ(folder->text().size(), 259);
    const std::pair<std::string, std::string> steps[] = {
        {"/srv/loggers", "/srv/loggers/"}, {"/", "//"}, {"", "//"}, // cancelled
        {"/" + std::string(258, 'f'), "//"}, // longer than the field
    };
    for (const auto& [chosen, shown] : steps) {
        dlg.nextFolder = chosen;
        ClickItem(&dlg, IDC_BROWSE);
        EXPECT_EQ(dlg.Text(IDC_FOLDER), shown) << chosen;
    }
    EXPECT_EQ(presenter.Texts(), Texts{"Browse of data file holds more than 259 bytes."});
    presenter.requests.clear();
    folder->setText(kept);
    name->insert(hangul.left(6));
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_EQ(presenter.Texts(), Texts{});
    EXPECT_FALSE(dlg.isVisible());
    const std::string saved = FromQt(hangul.left(6));
    EXPECT_TRUE(FileHolds(data + saved + ".arg", NewLoggerRecord(saved, data)));
}

// A record opened from Bridge.arg whose stored name is Dam1 saves to Dam1.arg, another
// configuration's file: only a Yes replaces it; what the editor does not show stays as it was.
// Then the record lives in Dam1.arg: the next save there asks nothing.
TEST_F(NewLoggerDlgTest, EditModeKeepsWhatTheEditorDoesNotShowAndAsksBeforeReplacing)
{
    LoggerRecord record = WriteConfig("Dam1", 5);
    record.m_bSingle = record.m_bRs485 = 0;
    record.m_bLoggerUsed[0] = record.m_bLoggerUsed[6] = 1;
    record.m_bUseModem = record.m_bAutoReceive = 1;
    record.m_nReceiveInterval = 60;
    record.m_units[2].m_channels[5].m_nVwType = 3;
    record.m_units[6].m_schedule.m_nMinutes = 15;
    record.m_bGraphSeriesB[1][9] = 1;
    record.m_nGraphPeriod = 120;
    record.m_nDateFormat = 4;
    ASSERT_TRUE(SaveLoggerFile(0, &record));
    ASSERT_TRUE(QFile::rename(ToQt(data + "Dam1.arg"), ToQt(data + "Bridge.arg")));
    const LoggerRecord dam = WriteConfig("Dam1", 3);
    OpenNew("first");
    ASSERT_TRUE(LoadLoggerFile(g_nLoggerCount++, "Bridge"));
    RecordingPresenter presenter;
    TestNewLoggerDlg dlg(1);
    EXPECT_FALSE(Enabled(&dlg, IDC_NAME));
    dlg.SetText(IDC_PHONE, "0456");
    ClickItem(&dlg, IDC_SAVE);
    ASSERT_EQ(
        presenter.Texts(), Texts{"The same Logger name Exists.\nReplace " + data + "Dam1.arg?"});
    EXPECT_EQ(presenter.requests[0].icon, MessageIcon::Question);
    EXPECT_TRUE(dlg.isVisible()); // No saves nothing
    EXPECT_TRUE(FileHolds(data + "Dam1.arg", dam) && Same(g_loggers[1], record));
    presenter.answerYes = true;
    ClickItem(&dlg, IDC_SAVE);
    EXPECT_FALSE(dlg.isVisible());
    SetFieldText(record.m_szPhoneNumber, "0456");
    EXPECT_TRUE(Same(g_loggers[1], record) && FileHolds(data + "Dam1.arg", record));
    EXPECT_EQ(FieldText(g_loggers[0].m_szName), "first");
    presenter.requests.clear();
    presenter.answerYes = false;
    TestNewLoggerDlg again(1);
    again.SetText(IDC_PHONE, "0789");
    ClickItem(&again, IDC_SAVE);
    EXPECT_FALSE(again.isVisible());
    EXPECT_TRUE(presenter.requests.empty());
    EXPECT_TRUE(FileHolds(data + "Dam1.arg", g_loggers[1]));
    CNewLoggerDlg none; // an index that names no open record ends the editor at once
    none.m_nIndex = 2;
    EXPECT_EQ(none.DoModal(), IDCANCEL);
}

} // namespace
