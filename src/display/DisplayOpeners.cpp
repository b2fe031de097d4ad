#include "display/DisplayOpeners.h"

#include "record/LoggerTable.h"
#include "display/DataGraphDlg.h"
#include "display/DataViewDlg.h"

namespace {

void OpenDataView()
{
    const LoggerRecord* record = CurrentLogger();
    if (!record)
        return;
    CDataViewDlg dlg(*record);
    dlg.DoModal();
}

// The graph works on the current record itself: it stores the graph settings there and
// saves the record when it closes.
void OpenGraph()
{
    if (!CurrentLogger())
        return;
    CDataGraphDlg dlg;
    dlg.DoModal();
}

} // namespace

DisplayWindows DisplayOpeners()
{
    DisplayWindows windows;
    windows.openDataView = &OpenDataView;
    windows.openGraph = &OpenGraph;
    return windows;
}
