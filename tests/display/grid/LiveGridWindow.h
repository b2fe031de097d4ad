#pragma once

#include "GridTestWindow.h"

#include "display/grid/CellEditor.h"

// A grid whose editing, clipboard, drag and sorting code is its own; it can refuse one text.
class LiveGrid : public CDataGrid
{
public:
    bool AcceptEditText(int row, int col, const char* text) override
    {
        return text != refused && CDataGrid::AcceptEditText(row, col, text);
    }
    // The open editor, nullptr when none.
    CCellEditor* Editor() const
    {
        for (CCellEditor* editor : viewport()->findChildren<CCellEditor*>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    std::uint32_t State(int row, int col) const
    {
        const CDataCellBase* cell = GetCell(row, col);
        return cell ? cell->GetState() : 0;
    }
    void SetText(int row, int col, const char* text) { GetCell(row, col)->SetText(text); }

    using CDataGrid::m_bRowSelectMode;

    std::string refused = "\x01";
};

// The grid with every cell (r, c) holding "r-c"; the headings hold "H<c>" and "R<r>".
class LiveWindow : public GridWindowOf<LiveGrid>
{
public:
    LiveWindow(int rows, int cols, QSize size = QSize(640, 400))
        : GridWindowOf<LiveGrid>(rows, cols, size)
    {
        FillTexts();
    }
    // Gives every cell of the grid as it now is its text.
    void FillTexts()
    {
        for (int row = 0; row < grid.GetRowCount(); ++row)
            for (int col = 0; col < grid.GetColumnCount(); ++col) {
                const std::string text = row == 0 ? "H" + std::to_string(col)
                    : col == 0                    ? "R" + std::to_string(row)
                                                  : std::to_string(row) + "-" + std::to_string(col);
                grid.SetText(row, col, text.c_str());
            }
    }
    // Lets posted keys and deferred deletions happen.
    static void Settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};
