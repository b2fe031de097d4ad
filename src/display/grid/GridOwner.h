#pragma once

#include "display/grid/GridTypes.h"

// The receiver of a grid's notifications: the window set as the grid's owner, else its
// parent widget when that implements this interface. Every reply defaults to 0.
class GridOwner
{
public:
    virtual ~GridOwner() = default;

    // NM_CLICK, NM_DBLCLK, NM_RCLICK and the GN_ codes with a row and a column. A negative
    // reply vetoes GN_BEGINEDIT and reverts the cell after GN_ENDEDIT.
    virtual long OnGridNotify(const GridNotify& notify)
    {
        (void)notify;
        return 0;
    }
    // GN_GETDISPINFO: the owner fills the record. (The in-place editor's end notice goes to
    // the grid, which tells the owner GN_ENDEDIT through OnGridNotify.)
    virtual long OnGridDispInfo(GridDispInfo& info)
    {
        (void)info;
        return 0;
    }
    // GN_CACHEHINT: the cells about to be read; all -1 when the reading is over.
    virtual long OnGridCacheHint(const GridCacheHint& hint)
    {
        (void)hint;
        return 0;
    }
    // After a left-button release on a cell: the grid's control ID. Called from the event
    // loop, after the release handler has returned.
    virtual void OnGridClicked(int ctrlId) { (void)ctrlId; }
};
