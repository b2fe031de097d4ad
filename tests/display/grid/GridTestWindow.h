#pragma once

#include "display/grid/DataGrid.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// Records the grid's notices and click notices; replies by code as set (0 otherwise).
class RecordingGridOwner : public GridOwner
{
public:
    long OnGridNotify(const GridNotify& notify) override
    {
        notices.push_back(notify);
        const auto reply = replies.find(notify.hdr.code);
        return reply == replies.end() ? 0 : reply->second;
    }
    int Count(int code) const { return static_cast<int>(std::ranges::count(Codes(), code)); }
    std::map<int, long> replies;
    void OnGridClicked(int ctrlId) override { clicks.push_back(ctrlId); }
    // The codes received, in order.
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const GridNotify& notice : notices)
            codes.push_back(notice.hdr.code);
        return codes;
    }
    std::vector<GridNotify> notices;
    std::vector<int> clicks;
};

// A grid with its options within reach and the operations other code fills in recorded.
class TestGrid : public CDataGrid
{
public:
    void EditCell(int, int, QPoint point, unsigned nChar) override
    {
        edits.emplace_back(point, nChar);
    }
    void OnEditCopy() override { commands.push_back("copy"); }
    void OnEditPaste() override { commands.push_back("paste"); }
    void OnEditCut() override { commands.push_back("cut"); }
    void OnEditSelectAll() override { commands.push_back("select all"); }
    void CutSelectionText() override { commands.push_back("cut text"); }
    void StartDragAndDrop() override { commands.push_back("drag"); }
    void DrawGrid(QPainter* pDC) override
    {
        ++paints;
        CDataGrid::DrawGrid(pDC);
    }

    using CDataGrid::m_chooseSaveFile;
    using CDataGrid::OnTimer;

    std::vector<std::pair<QPoint, unsigned>> edits; // where each edit was started and by what
    std::vector<std::string> commands;
    int paints = 0;
};

// A dialog-like window at a real size: the grid over a button, the grid's owner recording.
// rows x cols cells of 20 x 60 pixels, one fixed row and one fixed column.
template <class Grid> class GridWindowOf
{
public:
    GridWindowOf(int rows, int cols, QSize size = QSize(640, 400))
    {
        window.resize(size);
        auto* layout = new QVBoxLayout(&window);
        grid.Create(QRect(QPoint(0, 0), size - QSize(0, 40)), &window);
        grid.SetDlgCtrlID(7);
        layout->addWidget(&grid, 1);
        layout->addWidget(&button);
        grid.SetOwner(&owner);
        grid.GetDefaultCell(false, false)->SetHeight(20);
        grid.GetDefaultCell(false, true)->SetWidth(60);
        grid.SetColumnCount(cols);
        grid.SetRowCount(rows);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        window.show();
        QApplication::setActiveWindow(&window);
        grid.setFocus();
        QCoreApplication::processEvents();
    }
    QWidget* Client() { return grid.viewport(); }
    QRect Rect(int row, int col)
    {
        QRect rect;
        grid.CellRectangle(row, col, &rect);
        return rect;
    }
    QPoint Centre(int row, int col) { return Rect(row, col).center(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&grid, static_cast<Qt::Key>(key), modifiers);
    }
    // Presses the keys in turn and gives the focus cell they leave.
    CCellID Keys(std::initializer_list<QKeyCombination> keys)
    {
        for (const QKeyCombination press : keys)
            QTest::keyClick(&grid, press.key(), press.keyboardModifiers());
        return grid.GetFocusCell();
    }
    void Click(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(Client(), Qt::LeftButton, modifiers, point);
    }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(Client(), Qt::LeftButton, {}, from);
        QTest::mouseMove(Client(), to);
        QTest::mouseRelease(Client(), Qt::LeftButton, {}, to);
    }
    // The selected cells as a bounding range and a count.
    std::pair<CellRange, int> Selection() const
    {
        return {grid.SelectionBounds(), grid.GetSelectedCount()};
    }

    QWidget window;
    Grid grid;
    QPushButton button{QStringLiteral("OK")};
    RecordingGridOwner owner;
};

using GridTestWindow = GridWindowOf<TestGrid>;

// Readings as a data window shows them: "CH<c>" headings, "Line <r>" and values.
inline void FillReadings(CDataGrid& grid)
{
    for (int row = 0; row < grid.GetRowCount(); ++row)
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            const std::string text = row == 0 ? "CH" + std::to_string(col)
                : col == 0                    ? "Line " + std::to_string(row)
                                              : std::to_string(2000 + row * 7 + col * 13) + ".5";
            grid.GetCell(row, col)->SetText(text.c_str());
        }
}
