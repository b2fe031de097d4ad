#include "link/PortOpenFailure.h"

#include "platform/Format.h"

#include <QFileInfo>
#include <QSerialPort>

namespace {

// The serial driver reports a device it may not open and one that another program holds
// (its lock file, or the kernel's busy answer) alike; the device's own permissions tell
// them apart.
bool MayOpen(const QString& device)
{
    const QFileInfo info(device);
    return info.isReadable() && info.isWritable();
}

std::string Reason(const QString& device, const QSerialPort& port, bool& noPermission)
{
    noPermission = false;
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return "no such device";
    case QSerialPort::PermissionError:
        if (QFileInfo::exists(device) && !MayOpen(device)) {
            noPermission = true;
            return "permission denied";
        }
        return "busy (another program has it open)";
    case QSerialPort::OpenError:
        return "busy (it is open already)";
    default:
        return port.errorString().toStdString();
    }
}

} // namespace

std::string DescribeOpenFailure(int comPort, const std::string& device, const QSerialPort& port)
{
    bool noPermission = false;
    const std::string reason = Reason(QString::fromLocal8Bit(device), port, noPermission);
    std::string text = FormatString("COM%d is %s: %s.", comPort, device.c_str(), reason.c_str());
    if (noPermission)
        text += "\nThe user needs membership of the \"dialout\" group (sudo adduser $USER "
                "dialout, then log in again).";
    return text;
}

std::string PortOpenFailMessage(const std::string& failure)
{
    return failure.empty() ? "port open fail" : "port open fail\n" + failure;
}
