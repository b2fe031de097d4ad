#include "app/MainFrame.h"
#include "app/VorlenApp.h"

#include "support/RecordingPresenter.h"

#include <QFile>
#include <QSettings>
#include <QSizeGrip>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The program started as an operator starts it, on a home folder of its own where the data
// folder cannot be made: that is said once, at start, so no save fails unexplained. Settings
// carry the program's name; the fixed frame offers no sizing grip.
TEST(StartUpTest, TheProgramsNameAndADataFolderThatCannotBeMade)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QStandardPaths::setTestModeEnabled(true);
    QFile blocker(home.path() + "/Documents");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    RecordingPresenter boxes;
    CVorlenApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{"The data folder " + QFile::encodeName(home.path()).toStdString()
            + "/Documents/Quorbel/Data/ cannot be written."});
    EXPECT_TRUE(QSettings().fileName().endsWith("/Quorbel/Quorbel.conf"));
    for (const QSizeGrip* grip : app.MainFrame()->findChildren<QSizeGrip*>())
        EXPECT_FALSE(grip->isVisible());
    app.ExitInstance();
    qputenv("HOME", savedHome);
}

} // namespace
