#pragma once

#include <vector>

// Menus and toolbar of the main frame as resource data. An entry with id 0 is a separator.
struct MenuItemResource
{
    int id;
    const char* caption;
};

struct PopupResource
{
    const char* caption;
    std::vector<MenuItemResource> items;
};

// Menu 128, the frame's menu bar.
const std::vector<PopupResource>& Menu128();
// Toolbar 129: its commands in button order, 0 for a separator.
const std::vector<int>& Toolbar129();
// Context menu 119 of the main screen.
const PopupResource& ContextMenu119();

// Title of the toolbar (string 124).
inline constexpr char ToolbarTitle[] = "표준";
// Size of one toolbar button image.
inline constexpr int ToolbarImageWidth = 16;
inline constexpr int ToolbarImageHeight = 15;
