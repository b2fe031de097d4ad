#include "app/FolderUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

class FolderUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path().toStdString();
    }

    void MakeFile(const std::string& path, const QByteArray& bytes = "x")
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    std::string root;
};

TEST(AddBackslashTest, EndsEveryPathInOneSeparator)
{
    std::string path = "/data/Site1";
    AddBackslash(path);
    EXPECT_EQ(path, "/data/Site1/");
    AddBackslash(path);
    EXPECT_EQ(path, "/data/Site1/");
    std::string empty;
    AddBackslash(empty);
    EXPECT_EQ(empty, "/");
}

TEST_F(FolderUtilsTest, FolderExistsAndIsFileTellFoldersFromFiles)
{
    const std::string file = root + "/Site1-01.acc";
    MakeFile(file);
    EXPECT_TRUE(FolderExists(root.c_str()));
    EXPECT_TRUE(FolderExists((root + "/").c_str()));
    EXPECT_FALSE(FolderExists(file.c_str()));
    EXPECT_FALSE(FolderExists((root + "/missing").c_str()));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_FALSE(FolderExists(nullptr));

    EXPECT_TRUE(IsFile(file.c_str()));
    EXPECT_FALSE(IsFile(root.c_str()));
    EXPECT_FALSE(IsFile((root + "/missing").c_str()));
    EXPECT_FALSE(IsFile(""));
    EXPECT_FALSE(IsFile(nullptr));
}

TEST_F(FolderUtilsTest, FileStatusGivesTheDirectoryBitAndACutName)
{
    FileStatus status;
    ASSERT_TRUE(GetFileStatus(root.c_str(), status));
    EXPECT_EQ(status.m_attribute & FileAttributeDirectory, FileAttributeDirectory);
    EXPECT_EQ(std::string(status.m_szFullName), root);

    const std::string file = root + "/table.csv";
    MakeFile(file);
    ASSERT_TRUE(GetFileStatus(file.c_str(), status));
    EXPECT_EQ(status.m_attribute & FileAttributeDirectory, 0);

    // A path longer than the name field is looked up whole and copied cut.
    std::string deep = root;
    while (deep.size() < 300)
        deep += "/level";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(deep)));
    ASSERT_TRUE(GetFileStatus(deep.c_str(), status));
    EXPECT_EQ(std::string(status.m_szFullName), deep.substr(0, FileStatusNameSize - 1));
    EXPECT_FALSE(GetFileStatus((root + "/missing").c_str(), status));
}

TEST_F(FolderUtilsTest, CreateFolderTreeMakesTheMissingLevelsOnly)
{
    const std::string first = root + "/Data";
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(first)));
    MakeFile(first + "/Site1.arg", "record");
    std::string path = first + "/Site1/Logs";
    AddBackslash(path);
    ASSERT_FALSE(FolderExists(path.c_str()));
    EXPECT_TRUE(CreateFolderTree(path.c_str()));
    EXPECT_TRUE(FolderExists((first + "/Site1").c_str()));
    EXPECT_TRUE(FolderExists(path.c_str()));
    QFile kept(QString::fromStdString(first + "/Site1.arg"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "record");

    // An existing folder: true, and what it holds stays.
    EXPECT_TRUE(CreateFolderTree(first.c_str()));
    EXPECT_TRUE(IsFile((first + "/Site1.arg").c_str()));
}

TEST_F(FolderUtilsTest, CreateFolderTreeFailsWhereALevelCannotBeMade)
{
    const std::string file = root + "/blocker";
    MakeFile(file);
    EXPECT_FALSE(CreateFolderTree((file + "/Site1/").c_str()));
    EXPECT_FALSE(CreateFolderTree(file.c_str()));
    EXPECT_TRUE(IsFile(file.c_str()));
    EXPECT_FALSE(CreateFolderTree(""));
    EXPECT_FALSE(CreateFolderTree(nullptr));
}

} // namespace
