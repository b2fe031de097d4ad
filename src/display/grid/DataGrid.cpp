// Construction, the window, options and notices to the owner.
#include "display/grid/DataGrid.h"

#include "display/grid/DataCell.h"
#include "platform/GdiPaint.h"
#include "platform/MessageBoxPresenter.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>

using gdi::SysColour;

namespace {

std::unique_ptr<CDataCellBase> MakeDataCell()
{
    return std::make_unique<CDataCell>();
}

} // namespace

CDataGrid::CDataGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_crSysText(gdi::GetSysColour(SysColour::WindowText))
    , m_crWindow(gdi::GetSysColour(SysColour::Window))
    , m_crButtonFace(gdi::GetSysColour(SysColour::ButtonFace))
    , m_crButtonShadow(gdi::GetSysColour(SysColour::ButtonShadow))
    , m_pCellClass(&MakeDataCell)
    , m_timers(this, [this](int id) { OnTimer(id); })
    , m_chooseSaveFile(&CDataGrid::ChooseSaveFile)
{
    m_nWheelScrollLines = QueryWheelScrollLines();
    for (CDataDefaultCell* cell : {&m_cellNormalDefault, &m_cellFixedColDefault,
             &m_cellFixedRowDefault, &m_cellFixedRowColDefault}) {
        cell->SetGrid(this);
        cell->SetTextColour(m_crSysText);
        cell->SetBackColour(m_crButtonFace);
    }
    m_cellNormalDefault.SetBackColour(m_crWindow);
    m_crBackground = m_crButtonShadow;

    // Every pixel of the client area is painted by the grid itself.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    // Typing through an input method starts an edit as a key does.
    setAttribute(Qt::WA_InputMethodEnabled);
    // Moves without a button show the divider cursors.
    viewport()->setMouseTracking(true);
    ConnectScrollBars();
    setVisible(false);
}

CDataGrid::~CDataGrid()
{
    // An open editor would send its end notice into a grid half torn down.
    CloseEditorsQuietly(0, 0, true);
    DeleteAll();
}

bool CDataGrid::Create(const QRect& rect, QWidget* pParent)
{
    if (pParent != parentWidget())
        setParent(pParent);
    setGeometry(rect);
    m_nCtrlID = 0;
    m_bWindowCreated = true;
    GridAxis& rows = m_geometry.Rows();
    GridAxis& cols = m_geometry.Columns();
    for (int row = 0; row < rows.Count(); ++row)
        rows.SetSize(row, m_cellNormalDefault.GetHeight());
    for (int col = 0; col < cols.Count(); ++col)
        cols.SetSize(col, m_cellNormalDefault.GetWidth());
    m_idTopLeftCache = CCellID();
    show();
    UpdateScrollBars();
    return true;
}

void CDataGrid::DestroyWindow()
{
    CloseEditorsQuietly(0, 0, false);
    m_wndCellTip.DestroyWindow();
    hide();
    m_bWindowCreated = false;
}

GridOwner* CDataGrid::GetOwner() const
{
    return m_pOwner ? m_pOwner : dynamic_cast<GridOwner*>(parentWidget());
}

long CDataGrid::SendGridNotify(int code, int row, int col)
{
    GridOwner* owner = GetOwner();
    if (!m_bWindowCreated || !owner)
        return 0;
    const GridNotify notify{{this, m_nCtrlID, code}, row, col};
    return owner->OnGridNotify(notify);
}

bool CDataGrid::SendCacheHint(const CellRange& range)
{
    GridOwner* owner = GetOwner();
    if (!m_bWindowCreated || !owner)
        return false;
    const GridCacheHint hint{{this, m_nCtrlID, GN_CACHEHINT}, range};
    return owner->OnGridCacheHint(hint) != 0;
}

unsigned CDataGrid::QueryWheelScrollLines()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 3;
    const int lines = QApplication::wheelScrollLines();
    return lines > 0 ? static_cast<unsigned>(lines) : 3;
}

CDataDefaultCell* CDataGrid::GetDefaultCell(bool bFixedRow, bool bFixedCol)
{
    if (bFixedRow && bFixedCol)
        return &m_cellFixedRowColDefault;
    if (bFixedRow)
        return &m_cellFixedRowDefault;
    return bFixedCol ? &m_cellFixedColDefault : &m_cellNormalDefault;
}

const CDataDefaultCell* CDataGrid::GetDefaultCell(bool bFixedRow, bool bFixedCol) const
{
    return const_cast<CDataGrid*>(this)->GetDefaultCell(bFixedRow, bFixedCol);
}

void CDataGrid::SetGridLines(int mode)
{
    m_nGridLineMode = mode;
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
}

void CDataGrid::SetGridLineColour(const QColor& colour)
{
    m_crGridLines = colour;
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
}

void CDataGrid::SetBackgroundColour(const QColor& colour)
{
    m_crBackground = colour;
    if (m_bWindowCreated && m_bAllowRedraw)
        viewport()->update();
}

void CDataGrid::ReportMemoryError()
{
    ShowMessageBox({"Out of memory.", "Quorbel", MessageIcon::Warning, 100000});
}

void CDataGrid::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        OnSetFont(font());
    else if (event->type() == QEvent::PaletteChange)
        // Follows a change of the application palette (the system colours); colours a
        // user of the grid set are kept.
        OnSysColorChange();
    else if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_bLeftButtonDown)
        // A deactivated window gets no release: the press ends here.
        OnCaptureChanged();
}
