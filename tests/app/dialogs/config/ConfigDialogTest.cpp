#include "app/dialogs/LoggerIdChecks.h"
#include "app/dialogs/NewLoggerDlg.h"
#include "app/dialogs/OpenLoggerDlg.h"
#include "platform/Text.h"
#include "record/DataFolder.h"
#include "record/LoggerFile.h"
#include "record/LoggerTable.h"
#include "res/NewLoggerIds.h"
#include "res/OpenLoggerIds.h"

#include "support/DialogInput.h"
#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdint>
#include <cstring>
#include <functional>

namespace {

// A data folder and another beside it, and an empty table of open records.
class ConfigDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(ToQt(data)) && QDir().mkpath(ToQt(other)));
        m_savedDataFolder = g_strDataFolder;
        g_strDataFolder = data;
        ClearLoggerTable();
    }
    void TearDown() override
    {
        g_strDataFolder = m_savedDataFolder;
        ClearLoggerTable();
    }

    // Saves a configuration into folder (default: the data folder), told apart by its COM port.
    LoggerRecord WriteConfig(const std::string& name, int comPort = 1, std::string folder = {})
    {
        LoggerRecord record = NewLoggerRecord(name, folder.empty() ? data : folder);
        record.m_nComPort = comPort;
        EXPECT_TRUE(SaveLoggerFile(0, &record)) << name;
        return record;
    }
    static void OpenRecord(const LoggerRecord& record) { g_loggers[g_nLoggerCount++] = record; }
    void OpenNew(const std::string& name) { OpenRecord(NewLoggerRecord(name, data)); }

    static bool Same(const LoggerRecord& a, const LoggerRecord& b)
    {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
    static bool FileHolds(const std::string& path, const LoggerRecord& record)
    {
        QFile file(ToQt(path));
        return file.open(QIODevice::ReadOnly)
            && file.readAll() == QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
    }

    QTemporaryDir m_dir;
    const std::string data = FromQt(m_dir.path()) + "/Data/";
    const std::string other = FromQt(m_dir.path()) + "/Other/";

private:
    std::string m_savedDataFolder;
};

// The text of a timed message box, closed with its OK.
inline std::string TakeTimedMessage(QWidget* modal)
{
    const std::string text = DialogInput::Text(modal, 1002);
    ClickItem(modal, 1001);
    return text;
}

namespace NewLogger {

using namespace NewLoggerIds;

using DialogInput::Checked;
using DialogInput::Enabled;

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
    ClickItem(&dlg, IDC_SCHEDULE);
    EXPECT_TRUE(Enabled(&dlg, IDC_MINUTE) && Enabled(&dlg, IDC_DELAY_MINUTE));
    EXPECT_TRUE(SaveScreenshot(&dlg, "new_logger"));
    ClickItem(&dlg, IDC_SCHEDULE);
    EXPECT_FALSE(Enabled(&dlg, IDC_INTERVAL));
}

// Save writes the defaults with the case's change, or names the cause and writes nothing.
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
        std::vector<std::pair<int, std::string>> edits;
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

// Fields count bytes (a Hangul syllable takes three), typed or pasted; Enter neither saves.
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

// Bridge.arg stores the name Dam1: saving over Dam1.arg takes a Yes, and keeps unshown fields.
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

// Texts left as shown keep their bytes (a Windows code page) and the minutes their unsigned
// value; a name that cannot be a file name here is refused, naming the file, and no other
// file appears.
TEST_F(NewLoggerDlgTest, EditModeSavesUnderTheRecordsOwnBytesOrNamesTheFileItCannotWrite)
{
    const LoggerRecord records[]
        = {NewLoggerRecord("Damm\xE4", data + "Alt\xE4/"), NewLoggerRecord("Pier", data)};
    for (int i = 0; i < 2; ++i) {
        LoggerRecord record = records[i];
        SetFieldText(record.m_szModemCommand, "AT\xE9,ATDT");
        record.m_bAutoReceive = 1;
        record.m_nReceiveInterval = -1; // typed as 4294967295
        QFile file(ToQt(data + (i == 0 ? "Old" : "Pier") + ".arg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)
            && file.write(reinterpret_cast<const char*>(&record), sizeof record) == sizeof record);
    }
    for (const char* entry : {"Old", "Pier"})
        ASSERT_TRUE(LoadLoggerFile(g_nLoggerCount++, entry));
    // What such a save once wrote: each byte as a replacement character. It stays.
    const std::string mangled = data + "Alt\xEF\xBF\xBD/";
    ASSERT_TRUE(QDir().mkpath(ToQt(mangled)));
    const LoggerRecord stray = WriteConfig("Damm\xEF\xBF\xBD", 1, mangled);
    const LoggerRecord opened[] = {g_loggers[0], g_loggers[1]};
    const QStringList files = QDir(ToQt(data)).entryList(QDir::Files);
    for (int index : {0, 1}) {
        RecordingPresenter presenter;
        TestNewLoggerDlg dlg(index);
        DialogInput::Type(&dlg, IDC_PHONE, "0456");
        DialogInput::Click(&dlg, IDC_BROWSE); // and cancelled
        DialogInput::Click(&dlg, IDC_SAVE);
        EXPECT_EQ(dlg.isVisible(), index == 0);
        EXPECT_EQ(presenter.Texts(),
            index == 0 ? Texts{"The configuration file " + data
                + "Alt\\xE4/Damm\\xE4.arg could not be written: its name or folder is not UTF-8 "
                  "text."}
                       : Texts{});
    }
    EXPECT_EQ(QDir(ToQt(data)).entryList(QDir::Files), files);
    EXPECT_TRUE(
        Same(g_loggers[0], opened[0]) && FileHolds(mangled + "Damm\xEF\xBF\xBD.arg", stray));
    LoggerRecord saved = opened[1];
    SetFieldText(saved.m_szPhoneNumber, "0456");
    EXPECT_TRUE(Same(g_loggers[1], saved) && FileHolds(data + "Pier.arg", saved));
}

} // namespace NewLogger

namespace OpenLogger {

using namespace OpenLoggerIds;

Texts Rows(const QTreeWidget* list)
{
    Texts rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.push_back(FromQt(list->topLevelItem(i)->text(0)));
    return rows;
}

// The dialog, shown, with its file chooser answered by the test.
class TestOpenLoggerDlg final : public COpenLoggerDlg
{
public:
    TestOpenLoggerDlg()
    {
        Create();
        show();
    }

    void Open(const std::string& file) // "": the chooser is cancelled
    {
        m_nextFile = file;
        ClickItem(this, IDC_OPEN);
    }
    Texts FileRows() const { return Rows(m_fileList); }
    Texts OpenRows() const { return Rows(m_openList); }

    // A click, then the second press the system reports as a double click.
    void DoubleClickFile(const std::string& text)
    {
        const auto found = m_fileList->findItems(ToQt(text), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        m_fileList->scrollToItem(found.front());
        const QPoint where = m_fileList->visualItemRect(found.front()).center();
        QTest::mouseClick(m_fileList->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(m_fileList->viewport(), Qt::LeftButton, {}, where);
    }

protected:
    bool ChooseFile(std::string& path) override
    {
        path = m_nextFile;
        return !m_nextFile.empty();
    }

private:
    std::string m_nextFile;
};

using OpenLoggerDlgTest = ConfigDialogTest;

// Apply opens the list in order: open records as in memory, files loaded, bad ones named.
TEST_F(OpenLoggerDlgTest, DoubleClickListsAFileOnceAndApplyOpensTheListInOrder)
{
    LoggerRecord north = WriteConfig("Dam north", 2);
    const LoggerRecord south = WriteConfig("Dam south", 3);
    const LoggerRecord tunnel = WriteConfig("Tunnel 3", 4);
    LoggerRecord bad = NewLoggerRecord("bad", data);
    bad.m_nComPort = -1649375348;
    bad.m_bEraseAfterReceive = 7;
    ASSERT_TRUE(SaveLoggerFile(0, &bad));
    for (const char* junk : {"notes.txt", "a\\b.arg"}) // no configuration's file
        ASSERT_TRUE(QFile(ToQt(data + junk)).open(QIODevice::WriteOnly));
    north.m_bLoggerUsed[2] = 1;
    OpenRecord(north);
    SetLoggerSourceFile(0, data + "Dam north.arg");
    OpenNew("gone");

    RecordingPresenter presenter;
    TestOpenLoggerDlg dlg;
    EXPECT_EQ(dlg.FileRows(), (Texts{"Dam north", "Dam south", "Tunnel 3", "bad"}));
    for (const char* name : {"Tunnel 3", "Tunnel 3", "bad", "Dam south"})
        dlg.DoubleClickFile(name);
    for (int row : {1, 2}) // Remove takes the first selected row only
        dlg.m_openList->topLevelItem(row)->setSelected(true);
    ClickItem(&dlg, IDC_REMOVE);
    EXPECT_EQ(dlg.OpenRows(), (Texts{"Dam north", "Tunnel 3", "bad", "Dam south"}));
    dlg.Open(other + "Bridge.arg");
    EXPECT_TRUE(SaveScreenshot(&dlg, "open_logger"));

    ClickItem(&dlg, IDC_APPLY);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(presenter.Texts(),
        Texts{data + "bad.arg is not a configuration file: its erase flag is wrong."});
    ASSERT_EQ(g_nLoggerCount, 3);
    EXPECT_TRUE(Same(g_loggers[0], north) && Same(g_loggers[1], tunnel));
    EXPECT_TRUE(Same(g_loggers[2], south));
    // Each record keeps the file it came from, for the editor's save.
    EXPECT_EQ((Texts{LoggerSourceFile(0), LoggerSourceFile(1), LoggerSourceFile(2)}),
        (Texts{data + "Dam north.arg", data + "Tunnel 3.arg", data + "Dam south.arg"}));
}

// Cancel keeps the table; Apply of an empty list opens nothing, of a full one 32 records.
TEST_F(OpenLoggerDlgTest, CancelKeepsTheTableAndTheOpenListRefusesAThirtyThirdEntry)
{
    for (int i = 0; i < 33; ++i)
        WriteConfig("cfg" + std::to_string(100 + i), i);
    OpenNew("one");
    {
        TestOpenLoggerDlg dlg;
        dlg.DoubleClickFile("cfg100");
        ClickItem(&dlg, IDC_CANCEL);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(g_nLoggerCount, 1);
    }
    {
        TestOpenLoggerDlg dlg;
        dlg.m_openList->selectAll();
        ClickItem(&dlg, IDC_REMOVE);
        ClickItem(&dlg, IDC_APPLY);
        EXPECT_TRUE(g_nLoggerCount == 0 && g_loggers[0].m_szName[0] == '\0');
    }
    RecordingPresenter presenter;
    TestOpenLoggerDlg dlg;
    for (int i = 0; i < 33; ++i)
        dlg.DoubleClickFile("cfg" + std::to_string(100 + i));
    EXPECT_EQ(dlg.OpenRows().size(), 32u);
    ASSERT_EQ(presenter.Texts(), Texts{"No more than 32 loggers can be opened at once."});
    ClickItem(&dlg, IDC_APPLY);
    EXPECT_EQ(g_nLoggerCount, 32);
    EXPECT_EQ(g_loggers[31].m_nComPort, 31);
}

// Delete removes every selected file but those of open records; one that stays is told.
TEST_F(OpenLoggerDlgTest, DeleteRemovesEverySelectedFileButThoseOfOpenRecords)
{
    for (const char* name : {"a", "b", "c"})
        WriteConfig(name);
    WriteConfig("q", 1, other);
    ASSERT_TRUE(QDir().mkpath(ToQt(other + "stuck.arg/inside")));
    OpenNew("b");
    OpenRecord(NewLoggerRecord("q", other));
    RecordingPresenter boxes;
    TestOpenLoggerDlg dlg;
    dlg.Open(other + "q.arg");
    dlg.Open(other + "stuck.arg");
    ASSERT_EQ(dlg.FileRows(), (Texts{"a", "b", "c", other + "q", other + "stuck"}));

    Texts messages;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) { messages.push_back(TakeTimedMessage(modal)); });
    dlg.m_fileList->selectAll();
    ClickItem(&dlg, IDC_DELETE);
    EXPECT_EQ(messages, Texts{"Do not delete logger of open"});
    EXPECT_EQ(boxes.Texts(), Texts{"The file " + other + "stuck.arg could not be deleted."});
    EXPECT_EQ(dlg.FileRows(), (Texts{"b", other + "stuck"}));
    EXPECT_EQ(QDir(ToQt(data)).entryList(QDir::Files), QStringList{"b.arg"});
    // A full path is compared with the open names as it is, so it never counts as open.
    EXPECT_FALSE(QFile::exists(ToQt(other + "q.arg")));
}

// Open lists a file by its full path once; Add New lists the folder anew.
TEST_F(OpenLoggerDlgTest, OpenAndAddNewKeepTheFileListTrue)
{
    WriteConfig("alpha");
    const LoggerRecord x = WriteConfig("x", 9, other);
    TestOpenLoggerDlg dlg;
    Texts messages;
    ModalDriver driver;
    for (int i = 0; i < 2; ++i)
        driver.Then([&](QWidget* modal) { messages.push_back(TakeTimedMessage(modal)); });
    RecordingPresenter presenter;
    // Four characters go whatever the ending; ".arg" and "...arg" leave no title.
    for (const std::string& file : {data + "alpha.arg", other + "x.txt", other + "x.arg",
             std::string(), other + ".arg", other + "...arg"})
        dlg.Open(file);
    EXPECT_EQ(presenter.Texts(),
        (Texts{other + ".arg is not a configuration file.",
            other + "...arg is not a configuration file."}));
    EXPECT_EQ(messages, (Texts{"alpha had opened already.", other + "x had opened already."}));
    EXPECT_EQ(dlg.FileRows(), (Texts{"alpha", other + "x"}));
    dlg.DoubleClickFile(other + "x");

    WriteConfig("later");
    driver.Then([](QWidget* editor) { ClickItem(editor, 1025); }); // Cancel
    driver.Then([](QWidget* editor) { // every field at its edge
        DialogInput::Control<QLineEdit>(editor, 1004)->setText("fresh");
        DialogInput::Control<QComboBox>(editor, 1007)->setEditText("USB0"); // no entry: port 0
        for (int id : {1006, 1020, 1030, 1011, 1013, 1014, 1016, 1018}) // Multi, IDs 1 and 7,
            ClickItem(editor, id); // modem, schedule, minute, delay, erase
        for (int id : {1015, 1017})
            DialogInput::Control<QLineEdit>(editor, id)->setText("2147483647");
        ClickItem(editor, 1024); // Save
    });
    ClickItem(&dlg, IDC_ADD_NEW);
    EXPECT_EQ(dlg.FileRows(), (Texts{"alpha", "later"}));
    ClickItem(&dlg, IDC_ADD_NEW);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(dlg.FileRows(), (Texts{"alpha", "fresh", "later"}));
    EXPECT_EQ(g_nLoggerCount, 0);

    // What the editor saves at the edges of its fields opens.
    dlg.DoubleClickFile("fresh");
    ClickItem(&dlg, IDC_APPLY);
    ASSERT_EQ(g_nLoggerCount, 2);
    EXPECT_TRUE(Same(g_loggers[0], x));
    EXPECT_EQ(FieldText(g_loggers[1].m_szName), "fresh");
    EXPECT_EQ(g_loggers[1].m_nComPort, 0);
    EXPECT_EQ(g_loggers[1].m_nReceiveDelay, INT32_MAX);
    EXPECT_EQ(g_loggers[1].m_bEraseAfterReceive, 1);
}

// A long path widens the column; titles stay at the left edge, the heading whole.
TEST_F(OpenLoggerDlgTest, ALongPathLeavesTitlesInViewAndTheHeadingWhole)
{
    WriteConfig("a");
    const std::string longName = "configuration_of_the_north_dam_with_a_very_long_name";
    WriteConfig(longName, 1, other);
    TestOpenLoggerDlg dlg;
    QTreeWidget* list = dlg.m_fileList;
    QHeaderView* header = list->header();
    EXPECT_EQ(header->defaultAlignment(), Qt::AlignCenter); // the column fits the list
    dlg.Open(other + longName + ".arg");
    const int view = list->viewport()->width();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->columnWidth(0) > view; }, 5000));
    EXPECT_EQ(list->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(list->topLevelItem(0)->textAlignment(0), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(header->defaultAlignment(), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_GE(header->sectionSize(0), header->sectionSizeHint(0));
    EXPECT_LT(header->fontMetrics().horizontalAdvance(
                  header->model()->headerData(0, Qt::Horizontal).toString()),
        view);
    EXPECT_TRUE(SaveScreenshot(&dlg, "open_logger_long_path"));
}

} // namespace OpenLogger

} // namespace
