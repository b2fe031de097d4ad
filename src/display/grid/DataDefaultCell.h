#pragma once

#include "display/grid/DataCell.h"

#include <QFont>
#include <QSize>

// The defaults of one area of the grid (ordinary cells, fixed rows, fixed columns, the fixed
// corner): format, colours, a real font, the margin and the size new rows and columns take.
class CDataDefaultCell final : public CDataCell
{
public:
    CDataDefaultCell();

    // A default cell is always read-only and keeps no data or state of its own.
    void SetData(std::intptr_t data) override { (void)data; }
    void SetState(std::uint32_t state) override { (void)state; }
    std::uint32_t GetState() const override { return m_nState | GCS_READONLY; }
    // A font also sets the margin (the width of a space) and the default size.
    void SetFont(const QFont* font) override;
    const QFont* GetFont() const override;
    const QFont* GetCellFont() const override { return &m_Font; }

    std::uint32_t GetStyle() const { return m_dwStyle; }
    void SetStyle(std::uint32_t style) { m_dwStyle = style; }
    int GetWidth() const { return m_Size.width(); }
    int GetHeight() const { return m_Size.height(); }
    void SetWidth(int width) { m_Size.setWidth(width); }
    void SetHeight(int height) { m_Size.setHeight(height); }

private:
    QSize m_Size{30, 10};
    QFont m_Font;
    std::uint32_t m_dwStyle = 0;
};
