// The arrow and page keys in an open editor, on a grid large enough to scroll both ways.
#include "LiveGridWindow.h"

#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class CellEditorKeysTest : public ::testing::Test
{
protected:
    static constexpr int Row = 12;
    static constexpr int Col = 5;

    CellEditorKeysTest() { w.grid.ChangeFocusCell(Row, Col); }

    CCellEditor* OpenWithF2()
    {
        w.Key(Qt::Key_F2);
        LiveWindow::Settle();
        return w.grid.Editor();
    }
    // A click on the focus cell opens the editor.
    CCellEditor* OpenWithClick()
    {
        w.Click(w.Centre(Row, Col));
        LiveWindow::Settle();
        return w.grid.Editor();
    }
    std::pair<int, int> ScrollPos() const
    {
        return {w.grid.horizontalScrollBar()->value(), w.grid.verticalScrollBar()->value()};
    }
    // Presses key in the open editor; the edit must go on over the same cell, the grid unmoved.
    // False when the editor is gone.
    bool KeptInEditor(CCellEditor* editor, Qt::Key key)
    {
        const QRect rect = editor->geometry();
        const auto scroll = ScrollPos();
        const QPointer<CCellEditor> alive(editor);
        QTest::keyClick(editor, key);
        LiveWindow::Settle();
        EXPECT_EQ(w.grid.GetFocusCell(), CCellID(Row, Col)) << key;
        EXPECT_EQ(ScrollPos(), scroll) << key;
        if (!alive || w.grid.Editor() != editor)
            return false;
        EXPECT_EQ(editor->geometry(), rect) << key;
        EXPECT_TRUE(editor->hasFocus()) << key;
        return true;
    }

    LiveWindow w{200, 40, QSize(1000, 700)};
};

const std::vector<Qt::Key> VerticalKeys{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};

TEST_F(CellEditorKeysTest, InAnF2OrClickedEditUpDownAndPageKeysStayInTheEditor)
{
    ASSERT_TRUE(w.grid.horizontalScrollBar()->isVisible());
    ASSERT_TRUE(w.grid.verticalScrollBar()->isVisible());
    for (const bool byClick : {false, true}) {
        CCellEditor* editor = byClick ? OpenWithClick() : OpenWithF2();
        ASSERT_NE(editor, nullptr) << byClick;
        EXPECT_FALSE(editor->ArrowsEndEdit());
        QTest::keyClicks(editor, QStringLiteral("7"));
        for (const Qt::Key key : VerticalKeys)
            ASSERT_TRUE(KeptInEditor(editor, key)) << key;
        EXPECT_EQ(editor->text(), QStringLiteral("12-57"));
        // The edit still ends as it should and takes its text.
        QTest::keyClick(editor, Qt::Key_Escape);
        LiveWindow::Settle();
        EXPECT_EQ(w.grid.Editor(), nullptr);
        EXPECT_EQ(w.grid.GetCellText(Row, Col), "12-5");
    }
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 0);
}

TEST_F(CellEditorKeysTest, InATypedEditOrWithCtrlTheKeysEndTheEditAndMove)
{
    // A typed character opens an edit the arrows end; the edit goes on in the next cell.
    QTest::keyClicks(&w.grid, QStringLiteral("x"));
    LiveWindow::Settle();
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_TRUE(w.grid.Editor()->ArrowsEndEdit());
    QTest::keyClick(w.grid.Editor(), Qt::Key_Down);
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.GetCellText(Row, Col), "x");
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(Row + 1, Col));
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->Row(), Row + 1);
    QTest::keyClick(w.grid.Editor(), Qt::Key_PageDown);
    LiveWindow::Settle();
    const int pageRow = w.grid.GetFocusCell().row;
    EXPECT_GT(pageRow, Row + 10);
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->Row(), pageRow);
    QTest::keyClick(w.grid.Editor(), Qt::Key_Escape);
    LiveWindow::Settle();

    // With Ctrl the same keys end an F2 edit too.
    w.grid.ChangeFocusCell(Row, Col);
    const std::vector<std::pair<Qt::Key, int>> moves{
        {Qt::Key_Up, Row - 1}, {Qt::Key_Down, Row}, {Qt::Key_PageDown, -1}, {Qt::Key_PageUp, -1}};
    int row = Row;
    for (const auto& [key, expected] : moves) {
        CCellEditor* editor = OpenWithF2();
        ASSERT_NE(editor, nullptr) << key;
        EXPECT_FALSE(editor->ArrowsEndEdit());
        QTest::keyClick(editor, key, Qt::ControlModifier);
        LiveWindow::Settle();
        const int now = w.grid.GetFocusCell().row;
        if (expected >= 0)
            EXPECT_EQ(now, expected) << key;
        else
            EXPECT_TRUE(key == Qt::Key_PageDown ? now > row + 10 : now < row - 10) << key;
        ASSERT_NE(w.grid.Editor(), nullptr) << key;
        EXPECT_EQ(w.grid.Editor()->Row(), now) << key;
        QTest::keyClick(w.grid.Editor(), Qt::Key_Escape);
        LiveWindow::Settle();
        row = now;
    }
}

} // namespace
