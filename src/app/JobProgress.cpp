#include "app/JobProgress.h"

#include <QPointer>
#include <QProgressBar>

void JobProgress::SetRange(int maximum) const
{
    if (range)
        range(maximum);
}

void JobProgress::SetPos(int position) const
{
    SetProgressPos(pos, position);
}

JobProgress JobProgress::ForBar(QProgressBar* bar)
{
    // The link's waits run events, so a bar could go away while its job still runs.
    const QPointer<QProgressBar> guarded(bar);
    JobProgress progress;
    progress.range = [guarded](int maximum) {
        if (guarded)
            guarded->setRange(0, maximum);
    };
    progress.pos = [guarded](int position) {
        if (guarded)
            guarded->setValue(position);
    };
    return progress;
}
