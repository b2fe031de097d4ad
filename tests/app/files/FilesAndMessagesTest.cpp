#include "app/FolderBrowser.h"
#include "app/TimedMessageBox.h"
#include "app/dialogs/TimerConfirmDlg.h"
#include "data/FolderUtils.h"
#include "platform/DebugTrace.h"

#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// A temporary folder holding the folder Data/Site1 and the file Data/Site1.arg.
class FolderUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(data + "/Site1")));
        QFile arg(QString::fromStdString(file));
        ASSERT_TRUE(arg.open(QIODevice::WriteOnly) && arg.write("record") == 6);
    }

    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    const std::string data = root + "/Data";
    const std::string file = data + "/Site1.arg";
};

TEST_F(FolderUtilsTest, PathsAreToldFoldersFromFilesAndTreesAreMade)
{
    std::string paths[] = {"/data/a", "/data/a/", ""};
    for (std::string& path : paths)
        AddBackslash(path);
    EXPECT_EQ(std::vector<std::string>(paths, paths + 3),
        (std::vector<std::string>{"/data/a/", "/data/a/", "/"}));
    const std::string slashed = root + "/", missing = root + "/missing";
    const std::tuple<const char*, bool, bool> cases[]
        = {{root.c_str(), true, false}, {slashed.c_str(), true, false}, {file.c_str(), false, true},
            {missing.c_str(), false, false}, {"", false, false}, {nullptr, false, false}};
    for (const auto& [path, folder, isFile] : cases) {
        EXPECT_EQ(FolderExists(path), folder) << (path ? path : "null");
        EXPECT_EQ(IsFile(path), isFile) << (path ? path : "null");
    }
    // A path longer than the name field is looked up whole and copied cut.
    std::string deep = root;
    while (deep.size() < 300)
        deep += "/level";
    FileStatus status;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(deep)) && GetFileStatus(deep.c_str(), status));
    EXPECT_EQ(status.m_attribute & FileAttributeDirectory, FileAttributeDirectory);
    EXPECT_EQ(std::string(status.m_szFullName), deep.substr(0, FileStatusNameSize - 1));
    EXPECT_FALSE(GetFileStatus(missing.c_str(), status));
    // Every missing level is made, nothing else; a file in a level's place fails.
    for (const auto create : {CreateFolderTree, CreateDurableFolderTree}) {
        const std::string tree = data + (create == CreateFolderTree ? "/A/B/" : "/One/Two/Three/");
        EXPECT_TRUE(create(tree.c_str()) && FolderExists(tree.c_str()));
        EXPECT_TRUE(create(tree.c_str()) && create(data.c_str())); // made already
        for (const std::string& path : {file + "/Site1/", file, std::string()})
            EXPECT_FALSE(create(path.c_str())) << path;
        EXPECT_FALSE(create(nullptr));
    }
    QFile kept(QString::fromStdString(file));
    EXPECT_TRUE(kept.open(QIODevice::ReadOnly) && kept.readAll() == "record");
}

// Typed as the operator would: the dialog takes a file only while its name field has no focus.
TEST_F(FolderUtilsTest, BrowseForFolderReturnsTheChosenFolder)
{
    const QString site = QString::fromStdString(data + "/Site1");
    QString title, shown;
    const auto choose = [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        shown = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        QTest::keyClicks(name, "Site1");
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->selectedFiles() == QStringList{site}; }));
        static_cast<QDialog*>(dialog)->accept(); // as the Choose button does
    };
    const std::pair<ModalDriver::Step, std::string> cases[] = {
        {choose, site.toStdString()},
        {[&](QWidget* modal) {
             choose(modal);
             ASSERT_TRUE(QDir(site).removeRecursively());
         },
            "unchanged"},
        {RejectModal, "unchanged"},
    };
    for (const auto& [step, chosen] : cases) {
        ModalDriver driver;
        driver.Then(step);
        std::string folder = "unchanged";
        EXPECT_EQ(BrowseForFolder(nullptr, {"Select Folder", data}, folder), chosen != "unchanged");
        EXPECT_TRUE(driver.AllDone());
        EXPECT_EQ(folder, chosen);
    }
    EXPECT_EQ(
        std::pair(title, shown), std::pair(QString("Select Folder"), QString::fromStdString(data)));
}

// Without auto close the box waits for OK or Esc; with it, it ends by itself. A timed box that
// warns stays 100 s, one that informs 1 s.
TEST(ShowTimedMessageTest, AutoCloseEndsByItselfElseItWaitsForOkOrEsc)
{
    CTimerConfirmDlg::s_nAutoCloseMs = 1;
    QString title, text;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* box = dynamic_cast<CTimerConfirmDlg*>(modal);
        EXPECT_TRUE(box && !box->IsTimerRunning(0)); // no close armed
        for (auto* label : modal->findChildren<QLabel*>())
            if (label->property("controlId").toInt() == 1002)
                text = label->text();
        EXPECT_TRUE(SaveScreenshot(modal, "timer_confirm"));
        ClickItem(modal, 1001);
    });
    driver.Then(RejectModal);
    bool forced = false;
    driver.Then([&forced](QWidget* modal) {
        forced = !QTest::qWaitFor([modal] { return !modal->isVisible(); }, 5000);
        if (forced)
            RejectModal(modal);
    });
    ShowTimedMessage(false, "You should enter the from 1 to 3600!", "Error");
    ShowTimedMessage(false, "second", "Error");
    ShowTimedMessage(true, "closing", "Error");
    CTimerConfirmDlg::s_nAutoCloseMs = 1000;
    EXPECT_TRUE(driver.StepsDone() >= 2 && !forced); // the last box may end before it is seen
    EXPECT_EQ(std::pair(title, text),
        std::pair(QString("Error"), QString("You should enter the from 1 to 3600!")));
    RecordingPresenter presenter;
    TimedMessageBox("No response from logger!", TimedBoxForm::Warning);
    TimedMessageBox("Data receiving complete!", TimedBoxForm::Information);
    ASSERT_EQ(presenter.requests.size(), 2u);
    const MessageBoxRequest &warning = presenter.requests[0], &info = presenter.requests[1];
    EXPECT_EQ(
        std::tuple(warning.caption, warning.icon, warning.timeoutMs, info.icon, info.timeoutMs),
        std::tuple("Quorbel", MessageIcon::Warning, 100000, MessageIcon::Information, 1000));
}

TEST(DebugTraceTest, FormatsAndCutsAtTheBuffer)
{
    static std::string last;
    SetTraceSink([](const char* text) { last = text; });
    DebugTrace("mrawdata [%d] [%s]\r\n", 1, std::string(3000, 'x').c_str());
    EXPECT_EQ(last, "mrawdata [1] [" + std::string(1023 - 14, 'x'));
    SetTraceSink(nullptr);
}

} // namespace
