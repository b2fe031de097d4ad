#include "app/MainFrame.h"
#include "app/VorlenApp.h"
#include "record/DataFolder.h"

#include "support/RecordingPresenter.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSizeGrip>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The program started as an operator starts it, on a home folder of its own: settings carry
// the program's name, data goes under the documents folder, the fixed frame offers no sizing
// grip, and a data folder that cannot be made is named once, at start.
TEST(StartUpTest, TheProgramsNameAndItsDataFolder)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QStandardPaths::setTestModeEnabled(true);
    const std::string dataFolder
        = QFile::encodeName(home.path()).toStdString() + "/Documents/Quorbel/Data/";
    for (bool blocked : {true, false}) {
        QFile blocker(home.path() + "/Documents");
        ASSERT_TRUE(blocked ? blocker.open(QIODevice::WriteOnly) : blocker.remove());
        RecordingPresenter boxes;
        CVorlenApp app;
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(g_strDataFolder, dataFolder);
        EXPECT_EQ(QFileInfo(QFile::decodeName(dataFolder.c_str())).isDir(), !blocked);
        EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>(
                blocked ? 1 : 0, "The data folder " + dataFolder + " cannot be written."));
        EXPECT_TRUE(QSettings().fileName().endsWith("/Quorbel/Quorbel.conf"));
        for (const QSizeGrip* grip : app.MainFrame()->findChildren<QSizeGrip*>())
            EXPECT_FALSE(grip->isVisible());
        app.ExitInstance();
    }
    qputenv("HOME", savedHome);
}

} // namespace
