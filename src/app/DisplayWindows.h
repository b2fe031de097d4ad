#pragma once

#include <functional>

// Openers of the data display's windows, which live in a library above this one: the
// program sets them at start-up. Each runs its window modally on the current configuration;
// an opener left empty does nothing.
struct DisplayWindows
{
    std::function<void()> openDataView; // the data window (CDataViewDlg) on the ".csv" files
    std::function<void()> openGraph; // the graph window (CDataGraphDlg)
};
