#pragma once

#include <string>

class QWidget;

// What the folder browser is opened with: its window title (may be empty) and the folder it
// starts at (may be empty: the current directory).
struct BrowseFolderParams
{
    std::string title;
    std::string initial;
};

// Lets the operator pick a folder, modal over parent. True with folder set to the chosen
// folder's path (without a trailing separator, except for the root) when an existing folder
// was chosen; false when the operator cancelled or the choice is no existing folder.
bool BrowseForFolder(QWidget* parent, const BrowseFolderParams& params, std::string& folder);
