#pragma once

#include <string>

// The settings names the program keeps its state under, the operator's COM port mapping
// (entry Ports/COM<n>) among it: ~/.config/Quorbel/Quorbel.conf on Linux.
inline constexpr char SettingsOrganization[] = "Quorbel";
inline constexpr char SettingsApplication[] = "Quorbel";

// The device of COM port n: the environment variable QUORBEL_COM<n> when set, else the
// settings entry Ports/COM<n>, else the platform's own name of the port (/dev/ttyS<n-1>;
// "COM<n>" on Windows).
std::string ComDeviceName(int n);
