#include "LiveGridWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

using Texts = std::vector<std::string>;

class GridClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    // Clicks the first cell and Ctrl+clicks the others.
    void Select(std::initializer_list<CCellID> cells)
    {
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        for (const CCellID& cell : cells) {
            w.Click(w.Centre(cell.row, cell.col), modifiers);
            modifiers = Qt::ControlModifier;
        }
    }
    static std::string Clipboard() { return QGuiApplication::clipboard()->text().toStdString(); }
    static void SetClipboard(const char* text) { QGuiApplication::clipboard()->setText(text); }
    std::string Text(int row, int col) const { return w.grid.GetCellText(row, col); }
    // Columns 2 to 4 of a row.
    Texts Row(int row) const { return {Text(row, 2), Text(row, 3), Text(row, 4)}; }

    LiveWindow w{12, 8};
};

TEST_F(GridClipboardTest, CopyGivesTabsAndLineFeedsSkipsHiddenCellsAndTakesWhatAHeadingClickSelects)
{
    // The unselected corners inside the bounds are empty fields.
    Select({{1, 1}, {2, 2}});
    w.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "1-1\t\n\t2-2");
    const QByteArray raw = QGuiApplication::clipboard()->mimeData()->data("text/plain");
    EXPECT_FALSE(raw.contains('\r') || raw.contains('\0'));
    // A heading click selects and copies as a drag over the same cells does.
    const std::pair<CCellID, CellRange> cases[] = {
        {{0, 3}, {1, 3, 11, 3}}, // a column heading
        {{4, 0}, {4, 1, 4, 7}}, // a row heading
        {{0, 0}, {1, 1, 11, 7}}, // the corner
    };
    for (const auto& [heading, cells] : cases) {
        w.Drag(w.Centre(cells.minRow, cells.minCol), w.Centre(cells.maxRow, cells.maxCol));
        w.Key(Qt::Key_C, Qt::ControlModifier);
        const std::string dragged = Clipboard();
        EXPECT_EQ(std::count_if(dragged.begin(), dragged.end(), [](char c) { return c < ' '; }),
            cells.CellCount() - 1);
        QGuiApplication::clipboard()->clear();
        w.Click(w.Centre(heading.row, heading.col));
        EXPECT_EQ(w.Selection(), std::make_pair(cells, static_cast<int>(cells.CellCount())));
        w.Key(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(Clipboard(), dragged) << heading.row << "," << heading.col;
    }
    w.grid.SetColumnWidth(2, 0);
    Select({{1, 1}});
    w.Click(w.Centre(2, 3), Qt::ShiftModifier);
    w.Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "1-1\t1-3\n2-1\t2-3");
    // A hidden last row leaves the text ending in a line feed.
    w.grid.SetColumnWidth(2, 60);
    w.grid.SetRowHeight(3, 0);
    w.grid.ApplySelectionRange(CellRange(2, 1, 3, 2), false, true);
    w.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "2-1\t2-2\n");
}

TEST_F(GridClipboardTest, PasteSplitsAtTabsCommasAndLinesTrimsAndSkipsHiddenRowsAndReadOnlyCells)
{
    SetClipboard("1,2\t3\n4");
    w.Click(w.Centre(5, 2));
    w.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Row(5), (Texts{"1", "2", "3"}));
    EXPECT_EQ(Row(6), (Texts{"4", "6-3", "6-4"}));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(5, 2, 6, 4), 6));
    EXPECT_TRUE(w.grid.State(5, 3) & GCS_MODIFIED);
    // Blanks and the CR of a Windows line go.
    SetClipboard(" x \r\n");
    w.Click(w.Centre(8, 1));
    w.Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Text(8, 1), "x");
    EXPECT_EQ(Text(9, 1), "9-1");
    // Hidden rows are skipped; the grid's last column and row end the paste, as does a NUL.
    w.grid.SetRowHeight(3, 0);
    QMimeData data;
    data.setText(QString::fromUtf8("a,,b,\nc\nd\0e\nf", 13));
    EXPECT_TRUE(w.grid.PasteClipboardText(2, 6, &data, false));
    const Texts column{Text(2, 6), Text(2, 7), Text(3, 6), Text(4, 6), Text(5, 6), Text(6, 6)};
    EXPECT_EQ(column, (Texts{"a", "", "3-6", "c", "d", "6-6"}));
    EXPECT_FALSE(w.grid.State(2, 6) & GCS_SELECTED);
    // A read-only cell keeps its text and the paste goes on around it.
    w.grid.SetCellState(4, 3, w.grid.State(4, 3) | GCS_READONLY);
    SetClipboard("x\ty\tz");
    w.Click(w.Centre(4, 3));
    EXPECT_FALSE(w.grid.OnUpdateEditPaste());
    w.grid.OnEditPaste();
    EXPECT_EQ(Row(4), (Texts{"4-2", "4-3", "4-4"}));
    w.Click(w.Centre(4, 2));
    EXPECT_TRUE(w.grid.OnUpdateEditPaste());
    w.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Row(4), (Texts{"x", "4-3", "z"}));
    w.grid.SetEditable(false);
    SetClipboard("q");
    w.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(4, 2), "x");
}

TEST_F(GridClipboardTest, CutEmptiesTheSelectionAndWithNothingSelectedDoesNothing)
{
    // Select all takes every data cell; the copied text outlives its grid.
    {
        LiveWindow other(12, 8);
        other.Click(other.Centre(1, 1));
        other.Key(Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(other.Selection(), std::make_pair(CellRange(1, 1, 11, 7), 77));
        other.grid.ApplySelectionRange(CellRange(1, 1, 2, 2), false, true);
        other.grid.OnEditCopy();
    }
    EXPECT_EQ(Clipboard(), "1-1\t1-2\n2-1\t2-2");
    w.grid.ClearSelection();
    EXPECT_FALSE(w.grid.OnUpdateEditCut());
    w.grid.OnEditCut();
    EXPECT_EQ(Clipboard(), "1-1\t1-2\n2-1\t2-2");
    Select({{2, 2}, {2, 3}});
    EXPECT_TRUE(w.grid.OnUpdateEditCut());
    w.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "2-2\t2-3");
    EXPECT_EQ(Row(2), (Texts{"", "", "2-4"}));
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 2);
    // Delete empties without touching the clipboard.
    Select({{3, 3}});
    w.Key(Qt::Key_Delete);
    EXPECT_EQ(Text(3, 3), "");
    EXPECT_EQ(Clipboard(), "2-2\t2-3");
    // An editor open on the target pastes into itself.
    SetClipboard("pasted");
    w.Click(w.Centre(2, 2));
    w.Key(Qt::Key_F2);
    ASSERT_NE(w.grid.Editor(), nullptr);
    w.grid.OnEditPaste();
    EXPECT_EQ(w.grid.Editor()->text(), QStringLiteral("pasted"));
    EXPECT_EQ(Text(2, 2), "");
}

} // namespace
