#pragma once

#include "display/grid/DataCellBase.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

// The cell the grid makes for every position. It keeps its own text, format and colours;
// every attribute left unset falls back to the grid's default cell for its area. Attributes
// that cells rarely carry (image, data, margin, font, editor) live in a block made only when
// one of them is set, so that a grid of a million plain cells stays small.
class CDataCell : public CDataCellBase
{
public:
    CDataCell();
    ~CDataCell() override;

    void SetText(const char* text) override;
    void SetText(const std::string& text) { m_strText = text; }
    void SetImage(int image) override;
    void SetData(std::intptr_t data) override;
    void SetFormat(std::uint32_t format) override { m_nFormat = format; }
    void SetTextColour(const QColor& colour) override { m_crText = Pack(colour); }
    void SetBackColour(const QColor& colour) override { m_crBack = Pack(colour); }
    void SetFont(const QFont* font) override;
    void SetMargin(unsigned margin) override;
    void SetGrid(CDataGrid* grid) override { m_pGrid = grid; }
    void SetPosition(int row, int col) override
    {
        (void)row;
        (void)col;
    }

    const char* GetText() const override { return m_strText.c_str(); }
    int GetImage() const override;
    std::intptr_t GetData() const override;
    // The own format, else the default cell's (0 without one).
    std::uint32_t GetFormat() const override;
    // The own colours; invalid when the default cell's apply.
    QColor GetTextColour() const override { return Unpack(m_crText); }
    QColor GetBackColour() const override { return Unpack(m_crBack); }
    const QFont* GetFont() const override;
    const QFont* GetCellFont() const override;
    CDataGrid* GetGrid() const override { return m_pGrid; }
    QWidget* GetEditor() const override;
    unsigned GetMargin() const override;
    bool UsesDefaultFont() const override;
    bool IsEditing() const override { return m_bEditing; }

    void Reset() override;
    // Opens the in-place editor over the cell; while one is open, the key goes to it.
    bool BeginEdit(
        int row, int col, QRect rect, QPoint point, unsigned nID, unsigned nChar) override;
    // Ends an open editor through its end sequence (the text typed so far is taken).
    void StopEdit() override;
    void EditEnded() override;

protected:
    struct Extras
    {
        std::intptr_t lParam = 0;
        int image = -1;
        unsigned margin = CellMarginDefault;
        std::unique_ptr<QFont> font;
        // The editor deletes itself when it closes.
        QPointer<QWidget> editor;
    };
    const Extras* GetExtras() const { return m_pExtras.get(); }
    Extras& MakeExtras();

    // Colours are kept as ARGB words; 0 stands for "the default cell's".
    static std::uint32_t Pack(const QColor& colour);
    static QColor Unpack(std::uint32_t packed);

    void SetEditing(bool editing) { m_bEditing = editing; }

private:
    std::string m_strText;
    std::uint32_t m_nFormat = CellFormatDefault;
    std::uint32_t m_crText = 0;
    std::uint32_t m_crBack = 0;
    bool m_bEditing = false;
    CDataGrid* m_pGrid = nullptr;
    std::unique_ptr<Extras> m_pExtras;
};
