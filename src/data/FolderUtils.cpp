#include "data/FolderUtils.h"

#include "platform/FileSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

bool IsEmpty(const char* path)
{
    return path == nullptr || *path == '\0';
}

QFileInfo InfoOf(const char* path)
{
    return QFileInfo(QFile::decodeName(path));
}

} // namespace

void AddBackslash(std::string& path)
{
    if (path.empty() || path.back() != PathSeparator)
        path += PathSeparator;
}

bool FolderExists(const char* path)
{
    return !IsEmpty(path) && InfoOf(path).isDir();
}

bool GetFileStatus(const char* path, FileStatus& status)
{
    std::memset(&status, 0, sizeof status);
    if (path == nullptr)
        return false;
    std::strncpy(status.m_szFullName, path, FileStatusNameSize - 1);
    if (*path == '\0')
        return false;
    const QFileInfo info = InfoOf(path);
    if (!info.exists())
        return false;
    if (info.isDir())
        status.m_attribute |= FileAttributeDirectory;
    if (!(info.permissions() & QFileDevice::WriteOwner))
        status.m_attribute |= FileAttributeReadOnly;
    return true;
}

bool IsFile(const char* path)
{
    FileStatus status;
    if (IsEmpty(path) || !GetFileStatus(path, status))
        return false;
    return (status.m_attribute & FileAttributeDirectory) == 0;
}

bool CreateFolderTree(const char* path)
{
    if (IsEmpty(path))
        return false;
    if (FolderExists(path))
        return true;
    // mkpath makes the missing levels from the top down and leaves existing ones alone.
    QDir().mkpath(QFile::decodeName(path));
    return FolderExists(path);
}

bool CreateDurableFolderTree(const char* path)
{
    if (IsEmpty(path))
        return false;
    // The levels that are missing now, deepest first.
    QStringList missing;
    for (QString level = QDir::cleanPath(QFileInfo(QFile::decodeName(path)).absoluteFilePath());
         !QFileInfo(level).exists();) {
        missing.append(level);
        const QString parent = QFileInfo(level).path();
        if (parent == level)
            break;
        level = parent;
    }
    if (!CreateFolderTree(path))
        return false;
    for (const QString& level : missing) {
        if (!SyncFolderToDisk(QFileInfo(level).path()))
            return false;
    }
    return true;
}
