#pragma once

#include <string>
#include <vector>

// The titles (file names without ".arg") of the configuration files in folder, in name
// order. Only names that can be a configuration's title are listed, and the ending must be
// ".arg" exactly, as the files are opened by that name.
std::vector<std::string> ListLoggerTitles(const std::string& folder);
