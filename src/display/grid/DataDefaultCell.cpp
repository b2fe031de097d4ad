#include "display/grid/DataDefaultCell.h"

#include "platform/GdiPaint.h"

#include <QApplication>
#include <QFontMetrics>

CDataDefaultCell::CDataDefaultCell()
{
    SetFormat(gdi::dt::Left | gdi::dt::VCenter | gdi::dt::SingleLine | gdi::dt::NoPrefix
        | gdi::dt::EndEllipsis);
    // The message font of the desktop.
    const QFont messageFont = qobject_cast<QApplication*>(QCoreApplication::instance())
        ? QApplication::font()
        : QFont();
    SetFont(&messageFont);
}

void CDataDefaultCell::SetFont(const QFont* font)
{
    CDataCell::SetFont(font);
    if (!font)
        return;
    m_Font = *font;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // Nothing to measure with.
        SetMargin(3);
        m_Size = QSize(40, 16);
        return;
    }
    const QFontMetrics metrics(m_Font);
    SetMargin(static_cast<unsigned>(metrics.horizontalAdvance(QStringLiteral(" "))));
    m_Size = QSize(
        metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX ")), metrics.height() * 3 / 2);
}

const QFont* CDataDefaultCell::GetFont() const
{
    // Not the cell's fallback: that would lead back to this default cell.
    const Extras* extras = GetExtras();
    return extras && extras->font ? extras->font.get() : &m_Font;
}
