#pragma once

#include "display/grid/GridTypes.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <memory>

class CDataGrid;
class QFont;
class QPainter;
class QWidget;

// The interface the grid talks to for every cell: state bits, merge fields, drawing,
// measuring, printing, editing and mouse hooks. Rectangles are cell rectangles in the
// grid's client coordinates (their last pixel row and column belong to the grid line).
class CDataCellBase
{
public:
    CDataCellBase() = default;
    virtual ~CDataCellBase();
    CDataCellBase(const CDataCellBase&) = delete;
    CDataCellBase& operator=(const CDataCellBase&) = delete;

    virtual void SetText(const char* text) = 0;
    virtual void SetImage(int image) = 0;
    virtual void SetData(std::intptr_t data) = 0;
    virtual void SetState(std::uint32_t state) { m_nState = state; }
    virtual void SetFormat(std::uint32_t format) = 0;
    // An invalid colour means "the default cell's".
    virtual void SetTextColour(const QColor& colour) = 0;
    virtual void SetBackColour(const QColor& colour) = 0;
    // nullptr returns the cell to its default cell's font.
    virtual void SetFont(const QFont* font) = 0;
    virtual void SetMargin(unsigned margin) = 0;
    virtual void SetGrid(CDataGrid* grid) = 0;
    virtual void SetPosition(int row, int col) = 0;

    virtual const char* GetText() const = 0;
    virtual const char* GetCellTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual std::intptr_t GetData() const = 0;
    virtual std::uint32_t GetState() const { return m_nState; }
    virtual std::uint32_t GetFormat() const = 0;
    virtual QColor GetTextColour() const = 0;
    virtual QColor GetBackColour() const = 0;
    virtual const QFont* GetFont() const = 0;
    // The font to draw with; nullptr when there is none.
    virtual const QFont* GetCellFont() const = 0;
    virtual CDataGrid* GetGrid() const = 0;
    virtual QWidget* GetEditor() const = 0;
    virtual unsigned GetMargin() const = 0;
    // The grid's default cell for this cell's area; nullptr without a grid.
    virtual CDataCellBase* GetDefaultCell() const;
    virtual bool UsesDefaultFont() const = 0;
    virtual bool IsEditing() const = 0;

    // These test the cell's own state word.
    virtual bool IsFocused() const { return m_nState & GCS_FOCUSED; }
    virtual bool IsFixed() const { return m_nState & GCS_FIXED; }
    virtual bool IsInFixedColumn() const { return m_nState & GCS_FIXEDCOL; }
    virtual bool IsInFixedRow() const { return m_nState & GCS_FIXEDROW; }
    virtual bool IsSelected() const { return m_nState & GCS_SELECTED; }
    virtual bool IsReadOnly() const { return m_nState & GCS_READONLY; }
    virtual bool IsModified() const { return m_nState & GCS_MODIFIED; }
    virtual bool IsDropTarget() const { return m_nState & GCS_DROPHILITED; }

    virtual void CopyFrom(const CDataCellBase& other);
    virtual void Reset();

    // Paints the cell on screen; false when there is nothing to paint with (no grid, no
    // default cell, an empty rectangle).
    virtual bool Draw(QPainter* pDC, int row, int col, QRect rect, bool bEraseBkgnd);
    // Narrows a rectangle to where the text goes (past the image). Always true.
    virtual bool TextRectangle(QRect* rect) const;
    virtual bool GetCellTipRect(QRect* rect) const { return TextRectangle(rect); }
    // The size the text needs with margins; pDC may be nullptr.
    virtual QSize GetTextExtent(const char* text, QPainter* pDC = nullptr) const;
    virtual QSize CellExtent(QPainter* pDC) const;
    virtual bool BeginEdit(
        int row, int col, QRect rect, QPoint point, unsigned nID, unsigned nChar);
    virtual bool AcceptEditText(const char* text);
    virtual void StopEdit() { }
    // The printing counterpart of Draw.
    virtual bool Print(QPainter* pDC, int row, int col, QRect rect);
    virtual void EditEnded() { }

    virtual void OnMouseEnter() { }
    virtual void OnMouseOver() { }
    virtual void OnMouseLeave() { }
    virtual void OnClick(QPoint point) { (void)point; }
    virtual void OnButtonDown(QPoint point) { (void)point; }
    virtual void OnRightClick(QPoint point) { (void)point; }
    virtual void OnDoubleClick(QPoint point) { (void)point; }
    // The cursor to show over the cell; true when the cell chose one.
    virtual bool OnSetCursor(Qt::CursorShape* shape) const;

    virtual bool IsShown() const { return !m_bHidden; }
    virtual CellRange GetMergeRange() const;
    virtual bool IsCoveredByMerge() const;
    virtual CCellID GetMergeOwner() const;
    virtual void SetMergeOwner(int row, int col);

    // Hides or shows the cell, and sets the area it spans as a merge's top-left cell.
    void SetHidden(bool hidden) { m_bHidden = hidden; }
    void SetMergeRange(const CellRange& range);

    // The cell kind the mouse handling looks at: 0 ordinary, 1 click-only, 2 file path.
    std::uint16_t GetCellKind() const { return m_nCellKind; }
    void SetCellKind(std::uint16_t kind) { m_nCellKind = kind; }

protected:
    std::uint32_t m_nState = 0;

private:
    // Merge fields, made only for a cell that takes part in a merge.
    struct MergeInfo
    {
        CellRange range;
        CCellID owner;
        bool mergedIntoOther = false;
    };
    MergeInfo& Merge();

    std::uint16_t m_nCellKind = 0;
    bool m_bHidden = false;
    std::unique_ptr<MergeInfo> m_pMerge;
};
