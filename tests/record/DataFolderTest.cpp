#include "record/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

// Each case runs on a fresh home folder of its own: none made yet, the desktop's own
// documents folder named in its settings, or a file in the way (which stops root as well).
// A folder that cannot be made is still named, so that the warning can say which it is.
TEST(DataFolderTest, TheFolderLiesUnderTheDocumentsFolderAndIsMadeOrReported)
{
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    const std::string savedFolder = g_strDataFolder;
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", savedHome);
        if (savedConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfig);
        g_strDataFolder = savedFolder;
    });
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    };
    const struct
    {
        const char *file, *content, *folder;
        bool made;
    } cases[] = {{nullptr, "", "/Documents/Quorbel/Data/", true},
        {"/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
            "/Dokumente/Quorbel/Data/", true},
        {"/Documents", "", "/Documents/Quorbel/Data/", false}};
    for (const auto& c : cases) {
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        qunsetenv("XDG_CONFIG_HOME");
        if (c.file)
            write(home.path() + c.file, c.content);
        EXPECT_EQ(InitDataFolder(), c.made) << c.folder;
        EXPECT_EQ(g_strDataFolder, QFile::encodeName(home.path()).toStdString() + c.folder);
        const QString folder = QFile::decodeName(g_strDataFolder.c_str());
        EXPECT_EQ(QFileInfo(folder).isDir(), c.made);
        if (!c.made)
            continue;
        // A second start finds it and leaves what is in it alone.
        write(folder + "Site.arg", "kept");
        ASSERT_TRUE(InitDataFolder());
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Site.arg"});
    }
}

} // namespace
