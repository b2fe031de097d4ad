#include "platform/FileSync.h"

#include <QFile>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

bool SyncFileToDisk(QFileDevice& file)
{
    if (!file.isOpen() || !file.flush())
        return false;
    const int handle = file.handle();
    if (handle < 0)
        return false;
#ifdef _WIN32
    return _commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

bool SyncFolderToDisk(const QString& folder)
{
#ifdef _WIN32
    // Folder entries are written through on this system.
    return !folder.isEmpty();
#else
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle < 0)
        return false;
    const bool synced = ::fsync(handle) == 0;
    ::close(handle);
    return synced;
#endif
}
