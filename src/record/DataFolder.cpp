#include "record/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

std::string g_strDataFolder;

namespace {

// A folder counts as usable only when a file can really be created in it.
bool IsWritableFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return false;
    QTemporaryFile probe(path + "/.quorbel-probe-XXXXXX");
    return probe.open();
}

} // namespace

void InitDataFolder()
{
    QString folder = QCoreApplication::applicationDirPath() + "/Data";
    if (!IsWritableFolder(folder)) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Data";
        QDir().mkpath(folder);
    }
    g_strDataFolder = QDir::cleanPath(folder).toLocal8Bit().toStdString() + "/";
}
