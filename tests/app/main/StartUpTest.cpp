#include "app/MainFrame.h"
#include "app/VorlenApp.h"
#include "record/DataFolder.h"

#include "support/RecordingPresenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSizeGrip>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The program started as an operator starts it, on a home folder of its own.
class StartUpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_savedHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_CONFIG_HOME");
        QStandardPaths::setTestModeEnabled(true);
    }
    void TearDown() override { qputenv("HOME", m_savedHome); }

    std::string Home(const char* below) const
    {
        return QFile::encodeName(m_home.path()).toStdString() + below;
    }

    QTemporaryDir m_home;

private:
    QByteArray m_savedHome;
};

// Settings and the window class carry the program's name; data goes under the documents
// folder; the fixed frame offers no sizing grip.
TEST_F(StartUpTest, TheProgramsNameAndItsDataFolder)
{
    RecordingPresenter boxes;
    CVorlenApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(QCoreApplication::organizationName(), "Quorbel");
    EXPECT_EQ(QCoreApplication::applicationName(), "Quorbel");
    EXPECT_TRUE(QSettings().fileName().endsWith("/Quorbel/Quorbel.conf"))
        << QSettings().fileName().toStdString();
    EXPECT_EQ(g_strDataFolder, Home("/Documents/Quorbel/Data/"));
    EXPECT_TRUE(QFileInfo(QFile::decodeName(g_strDataFolder.c_str())).isDir());
    EXPECT_TRUE(boxes.requests.empty());

    QStatusBar* status = app.MainFrame()->statusBar();
    EXPECT_FALSE(status->isSizeGripEnabled());
    for (const QSizeGrip* grip : app.MainFrame()->findChildren<QSizeGrip*>())
        EXPECT_FALSE(grip->isVisible());
    app.ExitInstance();
}

// A data folder that cannot be made is named once, at start, so no save fails unexplained.
TEST_F(StartUpTest, ADataFolderThatCannotBeMadeIsNamedAtStart)
{
    QFile blocker(m_home.path() + "/Documents");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    RecordingPresenter boxes;
    CVorlenApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{
            "The data folder " + Home("/Documents/Quorbel/Data/") + " cannot be written."});
    app.ExitInstance();
}

} // namespace
