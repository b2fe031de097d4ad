#pragma once

#include "link/Port.h"

#include <functional>

class QProgressBar;

// Where a logger job shows how far it has come: the range 0..maximum of a bar and its
// position. Either function may be empty; a job never needs to know which bar it moves.
struct JobProgress
{
    std::function<void(int maximum)> range;
    ProgressPos pos;

    void SetRange(int maximum) const;
    void SetPos(int position) const;

    // Moves the given bar for as long as it exists.
    static JobProgress ForBar(QProgressBar* bar);
};
