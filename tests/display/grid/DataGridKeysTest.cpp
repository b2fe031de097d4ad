#include "LiveGridWindow.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>

#include <climits>

namespace {

using enum Qt::Key;
constexpr auto Shift = Qt::ShiftModifier;
constexpr auto Ctrl = Qt::ControlModifier;

// 200 rows and 12 columns of 20 x 60 pixels in a 640 x 400 window: both bars show.
class GridKeysTest : public ::testing::Test
{
protected:
    void Focus(int row, int col) { w.Click(w.Centre(row, col)); }
    CCellID FocusCell() const { return w.grid.GetFocusCell(); }
    long long VPos() const { return w.grid.GetScrollPos(true); }
    long long HPos() const { return w.grid.GetScrollPos(false); }
    // The focus cell lies fully inside the client area (its grid line may be cut).
    bool FocusShown()
    {
        const QRect rect = w.Rect(FocusCell().row, FocusCell().col);
        return w.grid.CellInView(FocusCell().row, FocusCell().col)
            && rect.bottom() <= w.Client()->height() && rect.right() <= w.Client()->width();
    }

    GridTestWindow w{200, 12};
    TestGrid& grid = w.grid;
};

TEST_F(GridKeysTest, ArrowsSelectTheNewFocusCellShiftExtendsAndTheEdgeOfTheDataSendsNothing)
{
    Focus(3, 3);
    w.owner.notices.clear();
    EXPECT_EQ(w.Keys({Key_Down}), CCellID(4, 3));
    EXPECT_EQ(w.owner.Codes(), (std::vector<int>{GN_SELCHANGING, GN_SELCHANGED}));
    EXPECT_EQ(w.Keys({Shift | Key_Right, Shift | Key_Right, Shift | Key_Up}), CCellID(3, 5));
    EXPECT_EQ(w.Selection(), std::make_pair(CellRange(3, 3, 4, 5), 6));
    // At the first cell no key moves anything, and Shift+Tab leaves the grid.
    Focus(1, 1);
    w.owner.notices.clear();
    EXPECT_EQ(w.Keys({Key_Up, Key_Left, Shift | Key_Tab}), CCellID(1, 1));
    EXPECT_TRUE(w.owner.notices.empty());
    EXPECT_NE(QApplication::focusWidget(), &grid);
    // Hidden rows and columns are skipped.
    grid.setFocus();
    grid.SetRowHeight(2, 0);
    for (const int col : {2, 11})
        grid.SetColumnWidth(col, 0);
    EXPECT_EQ(w.Keys({Key_Down, Key_Right}), CCellID(3, 3));
    EXPECT_EQ(w.Keys({Key_End}), CCellID(3, 10));
    EXPECT_EQ(w.Keys({Key_Up, Key_Home}), CCellID(1, 1)); // up past the hidden row 2
    grid.SetColumnWidth(1, 0);
    EXPECT_EQ(w.Keys({Key_Down, Key_Home}), CCellID(3, 3));
    // Shift+Tab wraps to the last shown column of the previous shown row.
    EXPECT_EQ(w.Keys({Shift | Key_Tab}), CCellID(1, 10));
}

TEST_F(GridKeysTest, TabAndPageKeysMoveWithTheViewAndAFarFocusIsScrolledToInOneStep)
{
    Focus(5, 1);
    EXPECT_EQ(w.Keys({Key_End}), CCellID(5, 11));
    EXPECT_EQ(w.Keys({Key_Tab}), CCellID(6, 1));
    EXPECT_EQ(HPos(), 0);
    EXPECT_EQ(w.Keys({Shift | Key_Tab}), CCellID(5, 11)); // back to the end of the row above
    EXPECT_EQ(HPos(), grid.horizontalScrollBar()->maximum());
    EXPECT_EQ(w.Keys({Ctrl | Key_End}), CCellID(199, 11));
    EXPECT_TRUE(FocusShown());
    EXPECT_EQ(w.Keys({Key_Tab}), CCellID(199, 11)); // after the last cell Tab leaves the grid
    EXPECT_EQ(QApplication::focusWidget(), &w.button);
    grid.setFocus();
    EXPECT_EQ(w.Keys({Ctrl | Key_Home, Key_Right, Key_Down}), CCellID(2, 2));
    w.Key(Key_PageDown);
    const int moved = grid.TopLeftScrollCell().row - 1;
    EXPECT_GT(moved, 10);
    EXPECT_EQ(FocusCell(), CCellID(2 + moved, 2));
    EXPECT_EQ(VPos(), w.Client()->height() - grid.FixedRowsHeight());
    // A focus far below the view: the next row just into view, at the bottom.
    grid.ChangeFocusCell(150, 4);
    EXPECT_EQ(w.Keys({Key_Down}), CCellID(151, 4));
    EXPECT_TRUE(FocusShown());
    EXPECT_GT(w.Rect(152, 4).bottom(), w.Client()->height());
}

TEST_F(GridKeysTest, EditKeysTypingAndTheKeysLeftToTheDialog)
{
    Focus(4, 4);
    w.Keys({Ctrl | Key_C, Ctrl | Key_Insert, Ctrl | Key_V, Shift | Key_Insert, Ctrl | Key_X,
        Ctrl | Key_A, Key_Delete});
    EXPECT_EQ(grid.commands,
        (std::vector<std::string>{
            "copy", "copy", "paste", "paste", "cut", "select all", "cut text"}));
    EXPECT_TRUE(grid.edits.empty()); // no character of a Ctrl key starts an edit
    w.Key(Key_F2);
    QTest::keyClicks(&grid, QStringLiteral("7"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("\u00e9"));
    QApplication::sendEvent(&grid, &commit);
    std::vector<unsigned> chars;
    for (const auto& [point, ch] : grid.edits)
        chars.push_back(ch);
    EXPECT_EQ(chars, (std::vector<unsigned>{VK_LBUTTON, '7', 0xE9}));
    // Return and Esc go on to the dialog around the grid; without a focus cell nothing is.
    const auto taken = [this](Qt::Key key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&grid, &press);
        return press.isAccepted();
    };
    EXPECT_FALSE(
        taken(Key_Return, QStringLiteral("\r")) || taken(Key_Escape, QStringLiteral("\x1b")));
    grid.ClearSelection();
    EXPECT_FALSE(taken(Key_Down, {}));
    EXPECT_EQ(chars.size(), grid.edits.size());
}

TEST_F(GridKeysTest, TheBarsStepALineAtATopRowHugeSizesStayReachableAndHeadingsOnlyHaveNoBar)
{
    QScrollBar* bar = grid.verticalScrollBar();
    const int room = w.Client()->height() - grid.FixedRowsHeight();
    grid.SetAllowRedraw(false);
    grid.SetRowCount(1000);
    EXPECT_EQ(bar->maximum(), 199 * 20 - room);
    grid.SetAllowRedraw(true); // turned back on, the bars are recomputed
    EXPECT_EQ(bar->maximum(), 999 * 20 - room);
    grid.SetRowCount(200);
    for (const auto& [row, height] : {std::pair{1, 50}, {2, 0}, {3, 35}})
        grid.SetRowHeight(row, height);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(VPos(), 50);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); // past the hidden row 2
    EXPECT_EQ(std::make_tuple(VPos(), grid.TopLeftScrollCell().row, bar->value()),
        std::make_tuple(85LL, 4, 85));
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(VPos(), 50 + room);
    grid.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(HPos(), 60);
    // Ten rows and columns of half the int range: 5 * INT_MAX pixels each way.
    grid.SetRowCount(11);
    grid.SetColumnCount(11);
    for (int i = 1; i <= 10; ++i) {
        grid.SetRowHeight(i, INT_MAX / 2);
        grid.SetColumnWidth(i, INT_MAX / 2);
    }
    grid.ChangeFocusCell(1, 1);
    EXPECT_EQ(w.Keys({Ctrl | Key_End}), CCellID(10, 10));
    EXPECT_EQ(grid.TopLeftScrollCell(), CCellID(10, 10));
    EXPECT_EQ(w.Rect(10, 10).topLeft(), QPoint(60, 20));
    EXPECT_EQ(w.Keys({Ctrl | Key_Home}), CCellID(1, 1));
    EXPECT_EQ(VPos(), 0);
    grid.SetRowCount(1);
    grid.SetRowCount(30);
    grid.SetFixedRowCount(30); // 600 pixels of headings in a smaller window
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.ChangeFocusCell(0, 0), CCellID());
    EXPECT_EQ(w.Keys({Key_Down, Ctrl | Key_End}), CCellID());
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible() || grid.horizontalScrollBar()->isVisible());
}

// Up, Down and the page keys stay in an edit opened by F2 or a click; they end a typed one, and
// with Ctrl an F2 one too, the edit going on in the cell moved to.
TEST(CellEditorKeysTest, UpDownAndPageKeysStayInAnF2OrClickedEditAndEndATypedOrCtrlOne)
{
    constexpr int Row = 12;
    constexpr int Col = 5;
    LiveWindow w(200, 40, QSize(1000, 700));
    QScrollBar* bars[] = {w.grid.horizontalScrollBar(), w.grid.verticalScrollBar()};
    ASSERT_TRUE(bars[0]->isVisible() && bars[1]->isVisible());
    w.grid.ChangeFocusCell(Row, Col);
    // Opens an edit by F2, by a click on the focus cell or by typing.
    const auto open = [&w](int how) {
        if (how == 0)
            w.Key(Key_F2);
        else if (how == 1)
            w.Click(w.Centre(Row, Col));
        else
            QTest::keyClicks(&w.grid, QStringLiteral("x"));
        LiveWindow::Settle();
        return w.grid.Editor();
    };
    const auto keyInEditor = [&w](QKeyCombination key) {
        QTest::keyClick(w.grid.Editor(), key.key(), key.keyboardModifiers());
        LiveWindow::Settle();
    };
    const auto scrollPos = [&bars] { return std::make_pair(bars[0]->value(), bars[1]->value()); };
    for (const int how : {0, 1}) {
        const QPointer<CCellEditor> editor = open(how);
        ASSERT_FALSE(editor.isNull()) << how;
        const QRect rect = editor->geometry();
        const auto scroll = scrollPos();
        QTest::keyClicks(editor, QStringLiteral("7"));
        for (const Qt::Key key : {Key_Up, Key_Down, Key_PageUp, Key_PageDown}) {
            keyInEditor(key);
            ASSERT_TRUE(editor && w.grid.Editor() == editor.data()) << key;
            EXPECT_EQ(w.grid.GetFocusCell(), CCellID(Row, Col)) << key;
            EXPECT_TRUE(scrollPos() == scroll && editor->geometry() == rect && editor->hasFocus());
        }
        EXPECT_EQ(editor->text(), QStringLiteral("12-57"));
        keyInEditor(Key_Escape); // the edit still ends as it should and takes its text
        EXPECT_EQ(w.grid.GetCellText(Row, Col), "12-5");
    }
    // The key, the rows it may move the focus by (a page is more than ten).
    const std::tuple<QKeyCombination, int, int> moves[]
        = {{Key_PageDown, 11, 99}, {Ctrl | Key_Up, -1, -1}, {Ctrl | Key_PageUp, -99, -11}};
    int row = Row;
    for (const auto& [key, least, most] : moves) {
        const bool typed = key.keyboardModifiers() == Qt::NoModifier;
        ASSERT_NE(open(typed ? 2 : 0), nullptr);
        keyInEditor(key);
        const int now = w.grid.GetFocusCell().row;
        EXPECT_TRUE(now - row >= least && now - row <= most) << now << " from " << row;
        ASSERT_NE(w.grid.Editor(), nullptr) << now;
        EXPECT_EQ(w.grid.Editor()->Row(), now);
        keyInEditor(Key_Escape);
        row = now;
    }
    EXPECT_EQ(w.grid.GetCellText(Row, Col), "x");
}

} // namespace
