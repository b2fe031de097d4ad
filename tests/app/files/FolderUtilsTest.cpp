#include "app/FolderBrowser.h"
#include "data/FolderUtils.h"

#include "support/ModalDriver.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

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

TEST(AddBackslashTest, EndsEveryPathInOneSeparator)
{
    for (const auto& [given, ended] : {std::pair<std::string, std::string>{"/data/a", "/data/a/"},
             {"/data/a/", "/data/a/"}, {"", "/"}}) {
        std::string path = given;
        AddBackslash(path);
        EXPECT_EQ(path, ended);
    }
}

TEST_F(FolderUtilsTest, FolderExistsAndIsFileTellFoldersFromFiles)
{
    const std::string slashed = root + "/", missing = root + "/missing";
    const std::tuple<const char*, bool, bool> cases[]
        = {{root.c_str(), true, false}, {slashed.c_str(), true, false}, {file.c_str(), false, true},
            {missing.c_str(), false, false}, {"", false, false}, {nullptr, false, false}};
    for (const auto& [path, folder, isFile] : cases) {
        EXPECT_EQ(FolderExists(path), folder) << (path ? path : "null");
        EXPECT_EQ(IsFile(path), isFile) << (path ? path : "null");
    }
}

TEST_F(FolderUtilsTest, FileStatusGivesTheDirectoryBitAndACutName)
{
    FileStatus status;
    ASSERT_TRUE(GetFileStatus(root.c_str(), status));
    EXPECT_EQ(status.m_attribute & FileAttributeDirectory, FileAttributeDirectory);
    EXPECT_EQ(std::string(status.m_szFullName), root);
    ASSERT_TRUE(GetFileStatus(file.c_str(), status));
    EXPECT_EQ(status.m_attribute & FileAttributeDirectory, 0);
    EXPECT_FALSE(GetFileStatus((root + "/missing").c_str(), status));

    // A path longer than the name field is looked up whole and copied cut.
    std::string deep = root;
    while (deep.size() < 300)
        deep += "/level";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(deep)));
    ASSERT_TRUE(GetFileStatus(deep.c_str(), status));
    EXPECT_EQ(std::string(status.m_szFullName), deep.substr(0, FileStatusNameSize - 1));
}

TEST_F(FolderUtilsTest, CreateFolderTreeMakesTheMissingLevelsAndTouchesNothingElse)
{
    const std::string logs = data + "/Site2/Logs/";
    EXPECT_TRUE(CreateFolderTree(logs.c_str()));
    EXPECT_TRUE(FolderExists(logs.c_str()));
    EXPECT_TRUE(CreateFolderTree(data.c_str()));
    // A level that cannot be made: a file stands in its place.
    for (const std::string& path : {file + "/Site1/", file, std::string()})
        EXPECT_FALSE(CreateFolderTree(path.c_str())) << path;
    EXPECT_FALSE(CreateFolderTree(nullptr));
    QFile kept(QString::fromStdString(file));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "record");
}

// The download's folders: every missing level made (and its entry synced), nothing else.
TEST_F(FolderUtilsTest, ADurableFolderTreeMakesEveryLevelOrFails)
{
    const std::string deep = data + "/One/Two/Three/";
    EXPECT_TRUE(CreateDurableFolderTree(deep.c_str()));
    EXPECT_TRUE(FolderExists(deep.c_str()));
    EXPECT_TRUE(CreateDurableFolderTree(deep.c_str()));
    for (const std::string& path : {file + "/Site1/", std::string()})
        EXPECT_FALSE(CreateDurableFolderTree(path.c_str())) << path;
}

// The browser opens at the initial folder under its title and returns only a folder that
// exists when the choice returns.
TEST_F(FolderUtilsTest, BrowseForFolderReturnsTheChosenFolder)
{
    const QString site = QString::fromStdString(data + "/Site1");
    QString title, shown;
    const auto choose = [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        shown = dialog->directory().absolutePath();
        dialog->selectFile(site);
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
        const bool chose = BrowseForFolder(nullptr, {"Select Folder", data}, folder);
        EXPECT_EQ(chose, chosen != "unchanged");
        EXPECT_TRUE(driver.AllDone());
        EXPECT_EQ(folder, chosen);
    }
    EXPECT_EQ(title, "Select Folder");
    EXPECT_EQ(shown.toStdString(), data);
}

} // namespace
