#include "link/ComDevice.h"

#include "platform/Format.h"

#include <QSettings>

std::string ComDeviceName(int n)
{
    const QByteArray mapped = qgetenv(FormatString("QUORBEL_COM%d", n).c_str());
    if (!mapped.isEmpty())
        return mapped.toStdString();

    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
        QString::fromUtf8(SettingsOrganization), QString::fromUtf8(SettingsApplication));
    const QString entry = settings.value(QStringLiteral("Ports/COM%1").arg(n)).toString();
    if (!entry.isEmpty())
        return entry.toStdString();

#ifdef Q_OS_WIN
    return FormatString("COM%d", n);
#else
    return FormatString("/dev/ttyS%d", n - 1);
#endif
}
