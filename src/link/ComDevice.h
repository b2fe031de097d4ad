#pragma once

#include <string>

// The settings names under which the operator maps COM ports to devices (entry Ports/COM<n>).
inline constexpr char SettingsOrganization[] = "로컬 응용 프로그램 마법사에서 생성된 응용 프로그램";
inline constexpr char SettingsApplication[] = "Vorlen";

// The device of COM port n: the environment variable QUORBEL_COM<n> when set, else the
// settings entry Ports/COM<n>, else the platform's own name of the port (/dev/ttyS<n-1>;
// "COM<n>" on Windows).
std::string ComDeviceName(int n);
