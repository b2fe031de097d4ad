#include "record/DataFolder.h"

#include <QDir>
#include <QFile>
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

QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

} // namespace

bool InitDataFolder()
{
    const QString folder = QDir::cleanPath(DocumentsFolder() + "/Quorbel/Data");
    g_strDataFolder = QFile::encodeName(folder).toStdString() + "/";
    return IsWritableFolder(folder);
}
