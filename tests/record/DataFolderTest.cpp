#include "record/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

// Each case runs on a fresh home folder of its own (no desktop settings, nothing created).
class DataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_savedHome = qgetenv("HOME");
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        m_savedFolder = g_strDataFolder;
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override
    {
        qputenv("HOME", m_savedHome);
        if (m_savedConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_savedConfig);
        g_strDataFolder = m_savedFolder;
    }

    std::string Home(const char* below) const
    {
        return QFile::encodeName(m_home.path()).toStdString() + below;
    }
    static bool IsFolder(const std::string& path)
    {
        return QFileInfo(QFile::decodeName(path.c_str())).isDir();
    }

    QTemporaryDir m_home;

private:
    QByteArray m_savedHome;
    QByteArray m_savedConfig;
    std::string m_savedFolder;
};

TEST_F(DataFolderTest, AFreshHomeGetsTheFolderUnderDocuments)
{
    ASSERT_TRUE(InitDataFolder());
    EXPECT_EQ(g_strDataFolder, Home("/Documents/Quorbel/Data/"));
    EXPECT_TRUE(IsFolder(g_strDataFolder));
    // A second start finds it and leaves what is in it alone.
    QFile kept(QFile::decodeName((g_strDataFolder + "Site.arg").c_str()));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    ASSERT_TRUE(InitDataFolder());
    EXPECT_TRUE(kept.exists());
    EXPECT_EQ(QDir(QFile::decodeName(g_strDataFolder.c_str())).entryList(QDir::Files),
        QStringList{"Site.arg"});
}

TEST_F(DataFolderTest, TheDesktopsOwnDocumentsFolderIsFollowed)
{
    ASSERT_TRUE(QDir(m_home.path()).mkpath(".config"));
    QFile dirs(m_home.path() + "/.config/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    dirs.close();
    ASSERT_TRUE(InitDataFolder());
    EXPECT_EQ(g_strDataFolder, Home("/Dokumente/Quorbel/Data/"));
    EXPECT_TRUE(IsFolder(g_strDataFolder));
}

// A folder that cannot be made is reported, and still named, so that the warning can say
// which folder it is. (A file in the way works for root as well as for others.)
TEST_F(DataFolderTest, AFolderThatCannotBeMadeIsReportedByName)
{
    QFile blocker(m_home.path() + "/Documents");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(InitDataFolder());
    EXPECT_EQ(g_strDataFolder, Home("/Documents/Quorbel/Data/"));
    EXPECT_FALSE(IsFolder(g_strDataFolder));
}

} // namespace
