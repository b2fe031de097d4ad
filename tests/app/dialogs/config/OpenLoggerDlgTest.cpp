#include "ConfigDialogFixture.h"

#include "app/dialogs/OpenLoggerDlg.h"
#include "app/record/LoggerTable.h"
#include "platform/Text.h"

#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

constexpr int IDC_ADD_NEW = 1003;
constexpr int IDC_DELETE = 1004;
constexpr int IDC_OPEN = 1005;
constexpr int IDC_CANCEL = 1019;
constexpr int IDC_REMOVE = 1033;
constexpr int IDC_APPLY = 1034;

// The dialog with its file chooser answered by the test.
class TestOpenLoggerDlg final : public COpenLoggerDlg
{
public:
    TestOpenLoggerDlg()
    {
        Create();
        show();
    }

    std::string nextFile; // empty: the chooser is cancelled
    int chooserCalls = 0;

    std::vector<std::string> FileRows() const { return Rows(m_fileList); }
    std::vector<std::string> OpenRows() const { return Rows(m_openList); }

    void DoubleClickFile(const std::string& text)
    {
        const auto found = m_fileList->findItems(ToQt(text), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        m_fileList->scrollToItem(found.front());
        const QPoint where = m_fileList->visualItemRect(found.front()).center();
        // A real double click: a click, then the second press that the system reports as such.
        QTest::mouseClick(m_fileList->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(m_fileList->viewport(), Qt::LeftButton, {}, where);
    }

    static void Select(QTreeWidget* list, const std::vector<std::string>& texts)
    {
        list->clearSelection();
        for (const std::string& text : texts) {
            for (QTreeWidgetItem* row : list->findItems(ToQt(text), Qt::MatchExactly))
                row->setSelected(true);
        }
    }

protected:
    bool ChooseFile(std::string& path) override
    {
        ++chooserCalls;
        path = nextFile;
        return !nextFile.empty();
    }

private:
    static std::vector<std::string> Rows(const QTreeWidget* list)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows.push_back(FromQt(list->topLevelItem(i)->text(0)));
        return rows;
    }
};

using Rows = std::vector<std::string>;
using OpenLoggerDlgTest = ConfigDialogTest;

TEST_F(OpenLoggerDlgTest, ListsTheDataFolderFilesAndTheOpenRecords)
{
    WriteConfig("beta");
    WriteConfig("alpha");
    QFile other(ToQt(DataFolder() + "notes.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    OpenRecord(NewLoggerRecord("site A", DataFolder()));

    TestOpenLoggerDlg dlg;
    EXPECT_EQ(dlg.FileRows(), (Rows{"alpha", "beta"}));
    EXPECT_EQ(dlg.OpenRows(), (Rows{"site A"}));
    EXPECT_EQ(dlg.m_fileList->headerItem()->text(0), "Using Logger list (*.arg)");
    EXPECT_EQ(dlg.m_openList->headerItem()->text(0), "Open Logger");
    EXPECT_EQ(dlg.m_fileList->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(OpenLoggerDlgTest, DoubleClickAddsAFileOnceAndApplyLoadsTheListInOrder)
{
    WriteConfig("alpha", 3);
    WriteConfig("beta", 4);
    TestOpenLoggerDlg dlg;
    dlg.DoubleClickFile("beta");
    dlg.DoubleClickFile("beta");
    dlg.DoubleClickFile("alpha");
    EXPECT_EQ(dlg.OpenRows(), (Rows{"beta", "alpha"}));

    ClickItem(&dlg, IDC_APPLY);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(g_nLoggerCount, 2);
    EXPECT_EQ(FieldText(g_loggers[0].m_szName), "beta");
    EXPECT_EQ(g_loggers[0].m_nComPort, 4);
    EXPECT_EQ(g_loggers[1].m_nComPort, 3);
    EXPECT_EQ(g_nCurLogger, 0);
}

TEST_F(OpenLoggerDlgTest, ApplyOfAnEmptyListLeavesNothingOpen)
{
    OpenRecord(NewLoggerRecord("one", DataFolder()));
    OpenRecord(NewLoggerRecord("two", DataFolder()));
    TestOpenLoggerDlg dlg;
    // Remove takes the first selected row only.
    TestOpenLoggerDlg::Select(dlg.m_openList, {"one", "two"});
    ClickItem(&dlg, IDC_REMOVE);
    EXPECT_EQ(dlg.OpenRows(), (Rows{"two"}));
    TestOpenLoggerDlg::Select(dlg.m_openList, {"two"});
    ClickItem(&dlg, IDC_REMOVE);
    ClickItem(&dlg, IDC_APPLY);
    EXPECT_EQ(g_nLoggerCount, 0);
    EXPECT_EQ(g_loggers[0].m_szName[0], '\0');
    EXPECT_EQ(CurrentLogger(), nullptr);
}

TEST_F(OpenLoggerDlgTest, ApplyKeepsRecordsThatStayOpenAsTheyAreInMemory)
{
    // Opened from another folder, with a change not yet saved.
    LoggerRecord away = WriteConfig("away", 6, OtherFolder());
    away.m_bLoggerUsed[2] = 1;
    OpenRecord(away);
    WriteConfig("home", 2);
    TestOpenLoggerDlg dlg;
    dlg.DoubleClickFile("home");
    ClickItem(&dlg, IDC_APPLY);
    ASSERT_EQ(g_nLoggerCount, 2);
    EXPECT_EQ(FieldText(g_loggers[0].m_szName), "away");
    EXPECT_EQ(g_loggers[0].m_nComPort, 6);
    EXPECT_EQ(g_loggers[0].m_bLoggerUsed[2], 1);
    EXPECT_EQ(FieldText(g_loggers[0].m_szDataFolder), OtherFolder());
    EXPECT_EQ(g_loggers[1].m_nComPort, 2);
}

TEST_F(OpenLoggerDlgTest, TheOpenListRefusesAThirtyThirdEntry)
{
    for (int i = 0; i < 33; ++i)
        WriteConfig("cfg" + std::to_string(100 + i));
    RecordingPresenter presenter;
    TestOpenLoggerDlg dlg;
    for (int i = 0; i < 33; ++i)
        dlg.DoubleClickFile("cfg" + std::to_string(100 + i));
    EXPECT_EQ(dlg.OpenRows().size(), 32u);
    EXPECT_EQ(dlg.OpenRows().back(), "cfg131");
    ASSERT_EQ(presenter.Texts(), (Rows{"No more than 32 loggers can be opened at once."}));
    ClickItem(&dlg, IDC_APPLY);
    EXPECT_EQ(g_nLoggerCount, 32);
    EXPECT_EQ(g_loggers[31].m_nComPort, 1);
    EXPECT_EQ(FieldText(g_loggers[31].m_szName), "cfg131");
}

TEST_F(OpenLoggerDlgTest, OpenAddsAPathOnceAndRefusesWhatIsListedAlready)
{
    WriteConfig("alpha");
    WriteConfig("x", 9, OtherFolder());
    TestOpenLoggerDlg dlg;
    std::vector<std::string> messages;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) { messages.push_back(TakeTimedMessage(modal)); });
    driver.Then([&](QWidget* modal) { messages.push_back(TakeTimedMessage(modal)); });

    dlg.nextFile = DataFolder() + "alpha.arg"; // listed by its title
    ClickItem(&dlg, IDC_OPEN);
    // Whatever the file's ending, four characters go: x.txt names the entry .../x.
    dlg.nextFile = OtherFolder() + "x.txt";
    ClickItem(&dlg, IDC_OPEN);
    dlg.nextFile = OtherFolder() + "x.arg";
    ClickItem(&dlg, IDC_OPEN);
    dlg.nextFile.clear();
    ClickItem(&dlg, IDC_OPEN);
    // Nothing would be left of ".arg" as a title.
    RecordingPresenter presenter;
    dlg.nextFile = OtherFolder() + ".arg";
    ClickItem(&dlg, IDC_OPEN);

    EXPECT_EQ(dlg.chooserCalls, 5);
    EXPECT_EQ(presenter.Texts(), (Rows{OtherFolder() + ".arg is not a configuration file."}));
    EXPECT_EQ(
        messages, (Rows{"alpha had opened already.", OtherFolder() + "x had opened already."}));
    EXPECT_EQ(dlg.FileRows(), (Rows{"alpha", OtherFolder() + "x"}));

    dlg.DoubleClickFile(OtherFolder() + "x");
    ClickItem(&dlg, IDC_APPLY);
    ASSERT_EQ(g_nLoggerCount, 1);
    EXPECT_EQ(g_loggers[0].m_nComPort, 9);
    EXPECT_EQ(FieldText(g_loggers[0].m_szName), "x");
}

TEST_F(OpenLoggerDlgTest, DeleteRemovesEverySelectedFileButThoseOfOpenRecords)
{
    WriteConfig("a");
    WriteConfig("b");
    WriteConfig("c");
    WriteConfig("q", 1, OtherFolder());
    OpenRecord(NewLoggerRecord("b", DataFolder()));
    OpenRecord(NewLoggerRecord("q", OtherFolder()));
    TestOpenLoggerDlg dlg;
    dlg.nextFile = OtherFolder() + "q.arg";
    ClickItem(&dlg, IDC_OPEN);
    ASSERT_EQ(dlg.FileRows(), (Rows{"a", "b", "c", OtherFolder() + "q"}));

    std::vector<std::string> messages;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) { messages.push_back(TakeTimedMessage(modal)); });
    TestOpenLoggerDlg::Select(dlg.m_fileList, dlg.FileRows());
    ClickItem(&dlg, IDC_DELETE);

    EXPECT_EQ(messages, (Rows{"Do not delete logger of open"}));
    EXPECT_EQ(dlg.FileRows(), (Rows{"b"}));
    EXPECT_FALSE(FileExists(DataFolder() + "a.arg"));
    EXPECT_TRUE(FileExists(DataFolder() + "b.arg"));
    EXPECT_FALSE(FileExists(DataFolder() + "c.arg"));
    // A full path is compared with the open names as it is, so it never counts as open.
    EXPECT_FALSE(FileExists(OtherFolder() + "q.arg"));
}

TEST_F(OpenLoggerDlgTest, AddNewRefreshesTheFileListWhateverTheEditorDid)
{
    WriteConfig("alpha");
    WriteConfig("x", 1, OtherFolder());
    TestOpenLoggerDlg dlg;
    dlg.nextFile = OtherFolder() + "x.arg";
    ClickItem(&dlg, IDC_OPEN);
    WriteConfig("later");

    ModalDriver driver;
    driver.Then([](QWidget* editor) { ClickItem(editor, 1025); });
    ClickItem(&dlg, IDC_ADD_NEW);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(dlg.FileRows(), (Rows{"alpha", "later"}));

    ModalDriver saving;
    saving.Then([](QWidget* editor) {
        ControlOf<QLineEdit>(editor, 1004)->setText("fresh");
        ClickItem(editor, 1024);
    });
    ClickItem(&dlg, IDC_ADD_NEW);
    EXPECT_EQ(dlg.FileRows(), (Rows{"alpha", "fresh", "later"}));
    EXPECT_EQ(g_nLoggerCount, 0);
}

TEST_F(OpenLoggerDlgTest, CancelLeavesTheTableAsItWas)
{
    WriteConfig("alpha");
    OpenRecord(NewLoggerRecord("kept", DataFolder()));
    TestOpenLoggerDlg dlg;
    dlg.DoubleClickFile("alpha");
    ClickItem(&dlg, IDC_CANCEL);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), IDOK);
    ASSERT_EQ(g_nLoggerCount, 1);
    EXPECT_EQ(FieldText(g_loggers[0].m_szName), "kept");
}

TEST_F(OpenLoggerDlgTest, Screenshot)
{
    WriteConfig("Dam north");
    WriteConfig("Dam south");
    WriteConfig("Tunnel 3");
    OpenRecord(NewLoggerRecord("Dam north", DataFolder()));
    TestOpenLoggerDlg dlg;
    dlg.nextFile = OtherFolder() + "Bridge.arg";
    ClickItem(&dlg, IDC_OPEN);
    dlg.DoubleClickFile("Tunnel 3");
    EXPECT_TRUE(SaveScreenshot(&dlg, "open_logger"));
}

} // namespace
