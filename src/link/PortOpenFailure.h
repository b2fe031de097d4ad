#pragma once

#include <string>

class QSerialPort;

// Why COM port comPort did not open, for the operator: a line naming the device it maps to
// and the system's reason ("no such device", "permission denied", "busy"), and for a
// missing permission a second line with the usual remedy. port is the device after its
// failed open.
std::string DescribeOpenFailure(int comPort, const std::string& device, const QSerialPort& port);
// The operator's message for a port that did not open: "port open fail", then the device and
// the reason (failure, as DescribeOpenFailure gives it; empty: none known) on a line of their
// own.
std::string PortOpenFailMessage(const std::string& failure);
