#pragma once

#include <string>

// The program's data folder, ending in "/": configuration files are listed, read and
// deleted there, and it is a new configuration's default folder.
extern std::string g_strDataFolder;

// Sets g_strDataFolder to "<documents folder>/Quorbel/Data/" (the home folder when the
// desktop names no documents folder) and creates it. A program's own folder is no place for
// an operator's data: a build tree is deleted with the build. False when the folder cannot
// be created or written; g_strDataFolder names it all the same, so that the caller can say
// which folder it is.
bool InitDataFolder();
