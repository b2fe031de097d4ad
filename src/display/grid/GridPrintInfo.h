#pragma once

// The state of one print job of a grid: the pages it has and the page being printed.
struct GridPrintInfo
{
    int nMinPage = 1;
    // Set by the grid when the job begins.
    int nMaxPage = 0;
    int nCurPage = 1;
};
