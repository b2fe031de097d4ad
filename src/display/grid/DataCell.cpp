#include "display/grid/DataCell.h"

#include "display/grid/CellEditor.h"
#include "display/grid/DataGrid.h"
#include "platform/GdiPaint.h"

CDataCell::CDataCell()
{
    CDataCell::Reset();
}

CDataCell::~CDataCell() = default;

void CDataCell::SetText(const char* text)
{
    if (text)
        m_strText = text;
    else
        m_strText.clear();
}

CDataCell::Extras& CDataCell::MakeExtras()
{
    if (!m_pExtras)
        m_pExtras = std::make_unique<Extras>();
    return *m_pExtras;
}

void CDataCell::SetImage(int image)
{
    if (m_pExtras || image != -1)
        MakeExtras().image = image;
}

void CDataCell::SetData(std::intptr_t data)
{
    if (m_pExtras || data != 0)
        MakeExtras().lParam = data;
}

void CDataCell::SetMargin(unsigned margin)
{
    if (m_pExtras || margin != CellMarginDefault)
        MakeExtras().margin = margin;
}

void CDataCell::SetFont(const QFont* font)
{
    if (!font) {
        if (m_pExtras)
            m_pExtras->font.reset();
        return;
    }
    Extras& extras = MakeExtras();
    if (extras.font)
        *extras.font = *font;
    else
        extras.font = std::make_unique<QFont>(*font);
}

int CDataCell::GetImage() const
{
    return m_pExtras ? m_pExtras->image : -1;
}

std::intptr_t CDataCell::GetData() const
{
    return m_pExtras ? m_pExtras->lParam : 0;
}

std::uint32_t CDataCell::GetFormat() const
{
    if (m_nFormat != CellFormatDefault)
        return m_nFormat;
    const CDataCellBase* fallback = GetDefaultCell();
    return fallback && fallback != this ? fallback->GetFormat() : 0;
}

const QFont* CDataCell::GetFont() const
{
    if (m_pExtras && m_pExtras->font)
        return m_pExtras->font.get();
    const CDataCellBase* fallback = GetDefaultCell();
    return fallback && fallback != this ? fallback->GetFont() : nullptr;
}

const QFont* CDataCell::GetCellFont() const
{
    if (m_pExtras && m_pExtras->font)
        return m_pExtras->font.get();
    const CDataCellBase* fallback = GetDefaultCell();
    return fallback && fallback != this ? fallback->GetCellFont() : nullptr;
}

QWidget* CDataCell::GetEditor() const
{
    return m_pExtras ? m_pExtras->editor : nullptr;
}

unsigned CDataCell::GetMargin() const
{
    const unsigned own = m_pExtras ? m_pExtras->margin : CellMarginDefault;
    if (own != CellMarginDefault)
        return own;
    const CDataCellBase* fallback = GetDefaultCell();
    return fallback && fallback != this ? fallback->GetMargin() : 0;
}

bool CDataCell::UsesDefaultFont() const
{
    return !(m_pExtras && m_pExtras->font);
}

void CDataCell::Reset()
{
    CDataCellBase::Reset();
    m_strText.clear();
    m_nFormat = CellFormatDefault;
    m_crText = 0;
    m_crBack = 0;
    m_bEditing = false;
    m_pGrid = nullptr;
    if (m_pExtras) {
        // The user data survives a reset.
        const std::intptr_t data = m_pExtras->lParam;
        m_pExtras.reset();
        SetData(data);
    }
}

bool CDataCell::BeginEdit(int row, int col, QRect rect, QPoint point, unsigned nID, unsigned nChar)
{
    (void)point;
    if (auto* open = qobject_cast<CCellEditor*>(GetEditor()); m_bEditing && open) {
        open->SendChar(nChar);
        return true;
    }
    CDataGrid* grid = GetGrid();
    if (!grid)
        return false;
    const std::uint32_t format = GetFormat();
    const Qt::Alignment alignment = (format & gdi::dt::Right) ? Qt::AlignRight
        : (format & gdi::dt::Center)                          ? Qt::AlignHCenter
                                                              : Qt::AlignLeft;
    m_bEditing = true;
    MakeExtras().editor
        = new CCellEditor(grid, rect, alignment, static_cast<int>(nID), row, col, GetText(), nChar);
    return true;
}

void CDataCell::StopEdit()
{
    if (auto* editor = qobject_cast<CCellEditor*>(GetEditor()))
        editor->EndEdit();
}

void CDataCell::EditEnded()
{
    m_bEditing = false;
    if (m_pExtras)
        m_pExtras->editor = nullptr;
}

std::uint32_t CDataCell::Pack(const QColor& colour)
{
    if (!colour.isValid())
        return 0;
    const std::uint32_t argb = colour.rgba();
    // Transparent black would read as "default"; it shows nothing either way.
    return argb != 0 ? argb : 1;
}

QColor CDataCell::Unpack(std::uint32_t packed)
{
    return packed ? QColor::fromRgba(packed) : QColor();
}
