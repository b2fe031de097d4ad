#include "LiveGridWindow.h"

#include "platform/DialogBase.h"
#include "platform/Text.h"
#include "support/Screenshot.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QShortcut>

#include <functional>
#include <memory>

namespace {

using Texts = std::vector<std::string>;

// The grid window with an empty clipboard.
class CellEditorTest : public ::testing::Test
{
protected:
    CellEditorTest() { QGuiApplication::clipboard()->clear(); }
    // Clicks a cell so that it is the focus cell, then opens the editor with F2.
    CCellEditor* EditWithF2(int row, int col)
    {
        w.Click(w.Centre(row, col));
        w.Key(Qt::Key_F2);
        LiveWindow::Settle();
        return w.grid.Editor();
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(w.grid.Editor(), key, modifiers);
        LiveWindow::Settle();
    }
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

    LiveWindow w{20, 8};
};

// In an edit opened by a click the arrows move the caret and Ctrl+arrows end it; in the next
// edit, opened by that key, plain arrows end it.
TEST_F(CellEditorTest, InAClickedEditArrowsMoveTheCaretAndCtrlArrowsMoveTheEdit)
{
    w.Click(w.Centre(3, 3));
    w.Click(w.Centre(3, 3));
    LiveWindow::Settle();
    const QPointer<CCellEditor> editor = w.grid.Editor();
    ASSERT_TRUE(editor && editor->cursorPosition() == 3);
    Press(Qt::Key_Left);
    EXPECT_TRUE(w.grid.Editor() == editor && editor->cursorPosition() == 2);
    Press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(3, 2));
    ASSERT_NE(w.grid.Editor(), nullptr);
    Press(Qt::Key_Down);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(4, 2));
}

TEST_F(CellEditorTest, ATypedCharacterReplacesTheTextAndBackspaceRemovesTheLastOne)
{
    // "(" shares its code with the Down key.
    for (const auto& [row, typed, shown] :
        {std::tuple(2, "q", "q"), {3, "\b", "3-"}, {4, "(", "("}}) {
        w.Click(w.Centre(row, 2));
        QTest::keyClicks(&w.grid, QString::fromLatin1(typed));
        LiveWindow::Settle();
        ASSERT_NE(w.grid.Editor(), nullptr) << row;
        EXPECT_EQ(w.grid.Editor()->text(), QString::fromLatin1(shown));
        Press(Qt::Key_Return);
        EXPECT_EQ(Text(row, 2), shown);
        EXPECT_EQ(w.grid.GetFocusCell(), CCellID(row, 2));
    }
}

TEST_F(CellEditorTest, TypingWidensTheEditorUpToTheGridsRightEdgeAndAltKeysTypeNothing)
{
    int fired = 0;
    QShortcut shortcut(QKeySequence(Qt::ALT | Qt::Key_X), &w.window);
    QObject::connect(&shortcut, &QShortcut::activated, [&fired] { ++fired; });
    CCellEditor* editor = EditWithF2(2, 6);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("2-6"));
    EXPECT_EQ(fired, 0);
    const QRect cell = w.Rect(2, 6);
    QTest::keyClicks(editor, QStringLiteral("widening"));
    EXPECT_GT(editor->width(), cell.width());
    EXPECT_EQ(editor->x(), cell.x());
    QTest::keyClicks(editor, QString(80, QLatin1Char('W')));
    EXPECT_EQ(editor->geometry().right(), w.Client()->width() - 1);
    const int full = editor->width();
    QTest::keyClick(editor, Qt::Key_Backspace); // never narrows
    EXPECT_EQ(editor->size(), QSize(full, cell.height()));
    ASSERT_TRUE(SaveScreenshot(&w.window, QStringLiteral("grid_editing")));
}

TEST_F(CellEditorTest, EachEndLeavesTheCellsTextAndMarkAsItShouldAndTellsOnlyOfTakenTexts)
{
    w.owner.replies[GN_BEGINEDIT] = -1; // a vetoed begin opens nothing
    EXPECT_EQ(EditWithF2(2, 2), nullptr);
    w.owner.replies.clear();
    const std::string bytes = "caf\xe9"; // no UTF-8: only a text left as shown keeps them
    for (int row = 7; row < 10; ++row)
        w.grid.SetText(row, 2, bytes.c_str());
    w.grid.refused = "6-2bad";
    const auto press = [this](Qt::Key key) { return [this, key] { Press(key); }; };
    // How it ends, what is typed first, the end, the text kept, marked, GN_ENDEDIT so far.
    using End = std::tuple<const char*, const char*, std::function<void()>, std::string, bool, int>;
    const End ends[] = {
        {"Esc", "xyz", press(Qt::Key_Escape), bytes, false, 0},
        {"Return", "", press(Qt::Key_Return), bytes, false, 0},
        {"a click elsewhere", "", [this] { w.Click(w.Centre(12, 6)); }, bytes, false, 0},
        {"a text the cell refuses", "bad", press(Qt::Key_Return), "6-2", true, 0},
        {"scrolling", "z", [this] { w.grid.OnVScroll(SB_LINEDOWN); }, "5-2z", true, 1},
        {"the owner refusing", "z",
            [this] {
                w.owner.replies[GN_ENDEDIT] = -1;
                Press(Qt::Key_Return);
            },
            "4-2", true, 2},
        // A cell that goes closes the editor without a notice.
        {"emptying", "z", [this] { w.grid.DeleteAll(); }, "", false, 2},
    };
    int row = 9;
    for (const auto& [end, typed, action, kept, modified, notices] : ends) {
        SCOPED_TRACE(end);
        ASSERT_NE(EditWithF2(row, 2), nullptr);
        EXPECT_EQ(w.grid.Editor()->text(), ToQt(Text(row, 2)));
        QTest::keyClicks(w.grid.Editor(), QString::fromLatin1(typed));
        action();
        LiveWindow::Settle();
        EXPECT_EQ(std::make_tuple(w.grid.Editor(), Text(row, 2),
                      static_cast<bool>(w.grid.State(row, 2) & GCS_MODIFIED),
                      w.owner.Count(GN_ENDEDIT), w.grid.hasFocus()),
            std::make_tuple(nullptr, kept, modified, notices, true));
        --row;
    }
}

TEST(CellEditorInDialog, ReturnEndsTheEditNotTheDialogAndADestroyedGridHearsNothing)
{
    const DialogTemplate tmpl{901, "Grid", 300, 200, 9, DialogStyle::SysMenu,
        {{IDOK, ControlKind::Button, "OK", 240, 180, 50, 14, ControlStyle::Default}}};
    CDialogBase dialog(tmpl);
    dialog.Create();
    RecordingGridOwner owner;
    auto grid = std::make_unique<LiveGrid>();
    grid->SetOwner(&owner);
    grid->Create(QRect(0, 0, 400, 250), &dialog);
    grid->SetColumnCount(4);
    grid->SetRowCount(4);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    grid->setFocus();
    grid->ChangeFocusCell(1, 1);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    ASSERT_NE(grid->Editor(), nullptr);
    QTest::keyClicks(grid->Editor(), QStringLiteral("kept"));
    QTest::keyClick(grid->Editor(), Qt::Key_Return);
    LiveWindow::Settle();
    EXPECT_EQ(grid->GetCellText(1, 1), "kept");
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(grid.get(), Qt::Key_F2);
    ASSERT_NE(grid->Editor(), nullptr);
    QTest::keyClicks(grid->Editor(), QStringLiteral("late"));
    // Destroyed while editing, the grid sends nothing into itself.
    grid.reset();
    LiveWindow::Settle();
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1);
    // Without an editor Return is the dialog's.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), IDOK);
}

// Serves "v<row>.<col>" for every cell and records the cache hints.
class ServingOwner : public RecordingGridOwner
{
public:
    long OnGridDispInfo(GridDispInfo& info) override
    {
        info.item.text = "v" + std::to_string(info.item.row) + "." + std::to_string(info.item.col);
        return 0;
    }
    long OnGridCacheHint(const GridCacheHint& hint) override
    {
        hints.push_back(hint.range);
        return 0;
    }
    std::vector<CellRange> hints;
};

// Loads a table of a size into the window's grid, as a data window does once it is up:
// virtual (its owner holds the texts) or holding its cells.
void Load(LiveWindow& w, GridOwner* owner, bool virtualMode, int rows, int cols)
{
    w.grid.SetVirtualMode(virtualMode);
    w.grid.SetOwner(owner);
    w.grid.SetColumnCount(cols);
    w.grid.SetRowCount(rows);
    w.grid.SetFixedRowCount(1);
    w.grid.SetFixedColumnCount(1);
}

// A million rows of 34 columns whose texts the owner holds; row 4 is taller.
TEST(VirtualGridTest,
    AMillionRowsComeFromTheOwnerTheSelectionLivesInTheMapCopyAndSortLeaveTheDataToIt)
{
    ServingOwner owner; // outlives the grid, which notifies it to the end
    LiveWindow w(2, 2);
    Load(w, &owner, true, 1000000, 34);
    w.grid.SetRowHeight(4, 33);
    CDataGrid& grid = w.grid;
    EXPECT_STREQ(grid.GetCell(999999, 33)->GetText(), "v999999.33");
    EXPECT_FALSE(grid.SetCellState(3, 3, GCS_SELECTED)); // no cell keeps a state...
    EXPECT_TRUE(grid.GetCell(3, 3)->IsSelected()); // ...the map does
    grid.ClearSelection();
    w.Click(w.Centre(2, 2));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(2, 2, 2, 2), 1));
    w.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(999999, 33));
    EXPECT_TRUE(grid.CellInView(999999, 33) && grid.GetCell(999999, 33)->IsFocused());
    // Copy asks for the block first.
    w.Key(Qt::Key_Home, Qt::ControlModifier);
    w.Click(w.Centre(2, 2));
    w.Click(w.Centre(3, 3), Qt::ShiftModifier);
    owner.hints.clear();
    w.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("v2.2\tv2.3\nv3.2\tv3.3"));
    ASSERT_GE(owner.hints.size(), 2u);
    EXPECT_EQ(std::make_pair(owner.hints.front(), owner.hints.back()),
        std::make_pair(CellRange(2, 2, 3, 3), CellRange()));
    // Sorting moves no row.
    w.grid.SetRowCount(10);
    EXPECT_TRUE(w.grid.SortByColumn(2, false));
    EXPECT_EQ(
        std::make_pair(w.grid.GetRowHeight(4), w.grid.GetSelectedCount()), std::make_pair(33, 0));
}

class EditWalkTest : public ::testing::TestWithParam<bool>
{
};

// The keys that end an edit open the next one at once, on cells that must first be scrolled
// to, before the window has had a turn to lay out its scroll bars: 35,000 rows of 34 columns.
TEST_P(EditWalkTest, TabShiftTabAndArrowsEditTheNextCellAcrossTheScrolledGrid)
{
    constexpr int Columns = 34;
    ServingOwner owner; // outlives the grid, which notifies it to the end
    LiveWindow w(2, 2, QSize(1000, 700));
    Load(w, &owner, GetParam(), 35000, Columns);
    if (!GetParam())
        w.FillTexts();
    // A key in the open editor leaves an editor open on the focus cell at (row, col), over the
    // cell in view, holding its text and the keyboard focus.
    const auto moves = [&w](Qt::Key key, Qt::KeyboardModifiers modifiers, int row, int col) {
        if (!w.grid.Editor())
            return false;
        QTest::keyClick(w.grid.Editor(), key, modifiers);
        LiveWindow::Settle();
        const CCellEditor* editor = w.grid.Editor();
        return w.grid.GetFocusCell() == CCellID(row, col) && editor && editor->Row() == row
            && editor->Column() == col && editor->geometry() == w.Rect(row, col)
            && editor->text().toStdString() == w.grid.GetCellText(row, col)
            && w.grid.CellInView(row, col) && editor->hasFocus();
    };
    w.Click(w.Centre(2, 2));
    w.Key(Qt::Key_F2);
    ASSERT_NE(w.grid.Editor(), nullptr);
    QTest::keyClicks(w.grid.Editor(), QStringLiteral("x"));
    ASSERT_TRUE(moves(Qt::Key_Tab, Qt::NoModifier, 2, 3));
    // A held grid keeps the text; a virtual one leaves it to the owner, told by the notice.
    EXPECT_EQ(w.grid.GetCellText(2, 2), GetParam() ? "v2.2" : "2-2x");
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1);
    EXPECT_TRUE(w.grid.Editor()->hasSelectedText());
    // Along the row, past the right edge of the window, and round to the next row.
    for (int col = 4; col < Columns; ++col)
        ASSERT_TRUE(moves(Qt::Key_Tab, Qt::NoModifier, 2, col)) << col;
    ASSERT_TRUE(moves(Qt::Key_Tab, Qt::NoModifier, 3, 1));
    ASSERT_TRUE(moves(Qt::Key_Tab, Qt::ShiftModifier, 2, Columns - 1));
    ASSERT_TRUE(moves(Qt::Key_Tab, Qt::ShiftModifier, 2, Columns - 2));
    // An edit opened by a key ends on the arrows too: down the rows, past the window's bottom.
    for (int row = 3; row < 40; ++row)
        ASSERT_TRUE(moves(Qt::Key_Down, Qt::NoModifier, row, Columns - 2)) << row;
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1); // only the first edit changed a text
}

INSTANTIATE_TEST_SUITE_P(Grid, EditWalkTest, ::testing::Values(true, false),
    [](const ::testing::TestParamInfo<bool>& param) { return param.param ? "Virtual" : "Held"; });

using GridClipboardTest = CellEditorTest;

TEST_F(GridClipboardTest, CopyGivesTabsAndLineFeedsSkipsHiddenCellsAndTakesWhatAHeadingClickSelects)
{
    // The unselected corners inside the bounds are empty fields.
    Select({{1, 1}, {2, 2}});
    w.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "1-1\t\n\t2-2");
    const QByteArray raw = QGuiApplication::clipboard()->mimeData()->data("text/plain");
    EXPECT_FALSE(raw.contains('\r') || raw.contains('\0'));
    // A heading click selects its cells and copies them, with no focus cell.
    const std::pair<CCellID, CellRange> cases[] = {
        {{0, 3}, {1, 3, 19, 3}}, // a column heading
        {{4, 0}, {4, 1, 4, 7}}, // a row heading
        {{0, 0}, {1, 1, 19, 7}}, // the corner
    };
    for (const auto& [heading, cells] : cases) {
        QGuiApplication::clipboard()->clear();
        w.Click(w.Centre(heading.row, heading.col));
        EXPECT_EQ(w.Selection(), std::make_pair(cells, static_cast<int>(cells.CellCount())));
        w.Key(Qt::Key_C, Qt::ControlModifier);
        const std::string copied = Clipboard();
        EXPECT_EQ(std::count_if(copied.begin(), copied.end(), [](char c) { return c < ' '; }),
            cells.CellCount() - 1)
            << heading.row << "," << heading.col;
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
    // An editor open on the target pastes into itself.
    SetClipboard("pasted");
    ASSERT_NE(EditWithF2(2, 2), nullptr);
    w.grid.OnEditPaste();
    EXPECT_EQ(w.grid.Editor()->text(), QStringLiteral("pasted"));
    EXPECT_EQ(Text(2, 2), "");
}

} // namespace
