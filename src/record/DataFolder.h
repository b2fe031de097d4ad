#pragma once

#include <string>

// The program's data folder, ending in "/": configuration files are listed, read and
// deleted there, and it is a new configuration's default folder.
extern std::string g_strDataFolder;

// Sets g_strDataFolder to "<program folder>/Data/" when that folder can be created and
// written, else to the per-user data folder's "Data/", and creates it.
void InitDataFolder();
