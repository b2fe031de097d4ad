#include "display/DisplayOpeners.h"

#include "record/LoggerTable.h"
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

} // namespace

DisplayWindows DisplayOpeners()
{
    DisplayWindows windows;
    windows.openDataView = &OpenDataView;
    return windows;
}
