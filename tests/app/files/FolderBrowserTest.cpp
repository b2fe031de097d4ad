#include "app/FolderBrowser.h"

#include "support/ModalDriver.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FolderBrowserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        initial = dir.path() + "/Data";
        ASSERT_TRUE(QDir().mkpath(initial + "/Site1"));
    }

    QTemporaryDir dir;
    QString initial;
};

TEST_F(FolderBrowserTest, OpensAtTheInitialFolderAndReturnsTheChosenOne)
{
    QString title;
    QString shownFolder;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        shownFolder = dialog->directory().absolutePath();
        dialog->selectFile(initial + "/Site1");
        static_cast<QDialog*>(dialog)->accept(); // as the Choose button does
    });
    std::string folder;
    EXPECT_TRUE(BrowseForFolder(nullptr, {"Select Folder", initial.toStdString()}, folder));
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(title, "Select Folder");
    EXPECT_EQ(shownFolder, initial);
    EXPECT_EQ(folder, (initial + "/Site1").toStdString());
}

TEST_F(FolderBrowserTest, AFolderGoneBeforeTheChoiceReturnsIsNotChosen)
{
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(initial + "/Site1");
        static_cast<QDialog*>(dialog)->accept();
        ASSERT_TRUE(QDir(initial + "/Site1").removeRecursively());
    });
    std::string folder = "unchanged";
    EXPECT_FALSE(BrowseForFolder(nullptr, {"Select Folder", initial.toStdString()}, folder));
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(folder, "unchanged");
}

TEST_F(FolderBrowserTest, CancelChoosesNothing)
{
    ModalDriver driver;
    driver.Then(RejectModal);
    std::string folder = "unchanged";
    EXPECT_FALSE(BrowseForFolder(nullptr, {"Select Folder", initial.toStdString()}, folder));
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(folder, "unchanged");
}

} // namespace
