#include "platform/KeyLocks.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QDir>
#include <QFile>
#endif

#ifdef Q_OS_WIN

bool IsKeyLockOn(KeyLock lock)
{
    const int key = lock == KeyLock::Caps ? VK_CAPITAL
        : lock == KeyLock::Num            ? VK_NUMLOCK
                                          : VK_SCROLL;
    return (GetKeyState(key) & 1) != 0;
}

#else

namespace {

// The keyboards' lock lamps as the kernel shows them (/sys/class/leds/<input>::<lock>).
QStringList LampFiles(KeyLock lock)
{
    const char* suffix = lock == KeyLock::Caps ? "*::capslock"
        : lock == KeyLock::Num                 ? "*::numlock"
                                               : "*::scrolllock";
    const QDir leds(QStringLiteral("/sys/class/leds"));
    QStringList files;
    for (const QString& entry : leds.entryList({QLatin1String(suffix)}, QDir::Dirs | QDir::System))
        files << leds.filePath(entry + QStringLiteral("/brightness"));
    return files;
}

} // namespace

bool IsKeyLockOn(KeyLock lock)
{
    // The keyboards present at start; read once, as the status bar asks twice a second.
    static const QStringList lamps[3]
        = {LampFiles(KeyLock::Caps), LampFiles(KeyLock::Num), LampFiles(KeyLock::Scroll)};
    for (const QString& path : lamps[static_cast<int>(lock)]) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.readLine().trimmed().toInt() > 0)
            return true;
    }
    return false;
}

#endif
