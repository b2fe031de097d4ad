#include "app/dialogs/WaitPopupDlg.h"

#include "app/JobProgress.h"
#include "app/WaitJob.h"
#include "app/controls/IconButton.h"
#include "platform/MainWindow.h"
#include "platform/Text.h"
#include "res/DialogTemplates.h"
#include "res/IconResources.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>

namespace {

constexpr int IDC_TEXT = 1002;
constexpr int IDC_PROGRESS = 1003;
constexpr int IDC_IMAGE = 1005;
constexpr int FirstImage = 372;
constexpr int SecondImage = 373;

} // namespace

CWaitPopupDlg::CWaitPopupDlg(
    const std::string& strText, int nMode, int nLogger, int nChannel, int nKind, QWidget* pParent)
    : CDialogBase(Dialog160(), pParent)
    , m_strText(strText)
    , m_nMode(nMode)
    , m_nLogger(nLogger)
    , m_nChannel(nChannel)
    , m_nKind(nKind)
    , m_pParent(pParent)
{
    m_progress = ItemAs<QProgressBar>(IDC_PROGRESS);
}

QWidget* CWaitPopupDlg::CreateCustomControl(const ControlTemplate& control, QWidget* parent)
{
    if (control.id != IDC_IMAGE)
        return nullptr;
    m_btnImage = new CIconButton(QString(), parent);
    m_btnImage->setFocusPolicy(Qt::NoFocus);
    return m_btnImage;
}

bool CWaitPopupDlg::IsImageForm() const
{
    return m_nMode == WaitMode::Measure || m_nMode == WaitMode::MeasureForGraph;
}

bool CWaitPopupDlg::OnInitDialog()
{
    Controls().SetItemText(IDC_TEXT, m_strText);
    SetTimer(StartTimer, StartDelayMs);
    if (IsImageForm())
        InitImageForm();
    return true;
}

void CWaitPopupDlg::InitImageForm()
{
    // No caption and no frame: a title hint left on would bring the frame back.
    const Qt::WindowFlags caption
        = Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags((windowFlags() & ~caption) | Qt::FramelessWindowHint);
    // The popup shrinks to the image button, which then fills it.
    const QRect button = m_btnImage->geometry();
    setFixedSize(button.size());
    m_btnImage->move(0, 0);
    m_btnImage->m_bIsPassive = true;
    ShowImage(FirstImage);
    m_bFirstImage = true;
    Controls().ShowItem(IDC_IMAGE, true);
    Controls().ShowItem(IDC_TEXT, false);
    Controls().ShowItem(IDC_PROGRESS, false);
    CentreOnParent();
    SetTimer(ImageTimer, ImageStepMs);
}

void CWaitPopupDlg::CentreOnParent()
{
    const QWidget* over = m_pParent ? m_pParent : FindMainWindow();
    QRect area;
    if (over)
        area = over->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (!area.isValid())
        return;
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void CWaitPopupDlg::ShowImage(int bitmapId)
{
    m_btnImage->SetBitmapPair(LoadResourceBitmap(bitmapId));
}

void CWaitPopupDlg::OnTimer(int id)
{
    switch (id) {
    case StartTimer:
        // Killed first: the job's waits run events, and it must never start twice.
        KillTimer(StartTimer);
        RunJob();
        SetTimer(CloseTimer, CloseDelayMs);
        break;
    case ImageTimer:
        m_bFirstImage = !m_bFirstImage;
        ShowImage(m_bFirstImage ? FirstImage : SecondImage);
        break;
    case CloseTimer:
        KillTimer(CloseTimer);
        OnOK();
        break;
    default:
        break;
    }
}

void CWaitPopupDlg::RunJob()
{
    WaitJobRequest request;
    request.mode = m_nMode;
    request.logger = m_nLogger;
    request.channel = m_nChannel;
    request.kind = m_nKind;
    request.saveManualReading = m_bSaveManualReading;
    WaitJobResult result = CWaitJob(request, JobProgress::ForBar(m_progress)).Run();
    m_strResults = std::move(result.lines);
    m_readings = std::move(result.readings);
    m_bReplyMissing = result.replyMissing;
    m_bSaveOnFailed = result.saveOnFailed;
    m_bJobRan = result.ran;
    m_bJobDone = true;
}

// Only the job's end closes the popup; Enter before it would leave the job's commands
// half sent.
void CWaitPopupDlg::OnOK()
{
    if (m_bJobDone)
        CDialogBase::OnOK();
}

void CWaitPopupDlg::OnCancel() { }

// A popup whose text names the graph never shows itself.
void CWaitPopupDlg::setVisible(bool visible)
{
    if (visible && m_strText.find("Graph") != std::string::npos)
        setAttribute(Qt::WA_DontShowOnScreen, true);
    CDialogBase::setVisible(visible);
}

int CWaitPopupDlg::RunModalLoop()
{
    Create();
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    loop.exec();
    return result();
}
