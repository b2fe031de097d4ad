#include "app/dialogs/MemoryCheckDlg.h"

#include "app/TimedMessageBox.h"
#include "link/Port.h"
#include "platform/Format.h"
#include "res/DialogTemplates.h"

#include <QComboBox>

namespace {

constexpr int IDC_COUNT = 1077;
constexpr int IDC_PERCENT = 1078;

} // namespace

CMemoryCheckDlg::CMemoryCheckDlg(QWidget* parent)
    : CLoggerChoiceDlg(Dialog135(), IDOK, parent)
{
    // Figures stand only beside the logger they were read from.
    connect(m_comboId, &QComboBox::currentTextChanged, this, &CMemoryCheckDlg::ClearFigures);
}

void CMemoryCheckDlg::ClearFigures()
{
    Controls().SetItemText(IDC_COUNT, "");
    Controls().SetItemText(IDC_PERCENT, "");
}

void CMemoryCheckDlg::OnOK()
{
    OnBnClickedCheck();
}

void CMemoryCheckDlg::OnBnClickedCheck()
{
    const int id = ChosenLoggerId();
    if (IsBusy() || id < 0)
        return;
    ClearFigures();
    int count = -1;
    {
        const CommandGuard guard = Busy();
        count = g_port.ReadMemoryCount(id);
    }
    if (count < 0) {
        TimedMessageBox("No response from logger!", TimedBoxForm::Warning);
        return;
    }
    // Worked out in single precision, as the percentage always was.
    const float used
        = static_cast<float>(count) / static_cast<float>(LoggerMemoryCapacity) * 100.0f;
    Controls().SetItemText(IDC_COUNT, FormatString("%d", count));
    Controls().SetItemText(IDC_PERCENT, FormatString("%.2f", static_cast<double>(used)));
}
