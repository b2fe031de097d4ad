#pragma once

#include <QString>

class QFileDevice;

// Pushes what was written to an open file down to the disk (fsync), so that it survives a
// crash or a power loss from this moment on. False when the system cannot confirm it.
bool SyncFileToDisk(QFileDevice& file);

// Makes the entries of a folder durable, for a file just created in it. False when the folder
// cannot be opened or synced.
bool SyncFolderToDisk(const QString& folder);
