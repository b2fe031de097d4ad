#include "ConfigDialogFixture.h"

#include "res/OpenLoggerIds.h"

#include "app/dialogs/OpenLoggerDlg.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include <cstdint>

using namespace OpenLoggerIds;

namespace {

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

    // A real double click: a click, then the second press that the system reports as such.
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

// Apply opens the list in its order: open records stay as they are in memory, unsaved changes
// too; listed files are loaded, one that is no configuration named by its first wrong field.
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
        Texts{data + "bad.arg is not a configuration file: its COM port is wrong."});
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

// Delete removes every selected file but those of open records; one that stays (a folder in
// its place) keeps its row, and the operator is told.
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
    EXPECT_FALSE(FileExists(other + "q.arg"));
}

// Open lists a file by its full path once; Add New lists the folder anew, whatever the editor
// did, and leaves the list of what to open as it was.
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
    // Whatever the ending, four characters go: x.txt names .../x; ".arg" and "...arg" leave no
    // title. An empty path is a cancelled chooser.
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

// A long path widens the column; short titles still sit at the left edge, in view, and the
// heading stays whole where the list starts.
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

} // namespace
