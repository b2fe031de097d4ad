#include "LiveGridWindow.h"

#include "platform/DialogBase.h"
#include "platform/Text.h"
#include "support/Screenshot.h"

#include <QShortcut>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class CellEditorTest : public ::testing::Test
{
protected:
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
    std::string Text(int row, int col) const { return w.grid.GetCellText(row, col); }

    LiveWindow w{20, 8};
};

TEST_F(CellEditorTest, F2EditsOverTheCellAndTabTakesTheTextAndEditsTheNextCellWithAllSelected)
{
    CCellEditor* editor = EditWithF2(2, 2);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->geometry(), w.Rect(2, 2));
    EXPECT_EQ(editor->cursorPosition(), 3);
    EXPECT_FALSE(editor->hasSelectedText());
    QTest::keyClicks(editor, QStringLiteral("A"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(Text(2, 2), "2-2A");
    EXPECT_TRUE(w.grid.State(2, 2) & GCS_MODIFIED);
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 1);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(2, 3));
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->selectedText(), QStringLiteral("2-3"));
    // Shift+Tab goes back the same way.
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(2, 2));
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->selectedText(), QStringLiteral("2-2A"));
}

TEST_F(CellEditorTest, AnEditLeftAsShownOrUndoneByEscKeepsTheCellsBytesEvenWhenTheyAreNoUtf8)
{
    const std::string bytes = "caf\xe9";
    const std::pair<const char*, std::function<void(CCellEditor*)>> ends[] = {
        {"typing and Esc",
            [](CCellEditor* editor) {
                QTest::keyClicks(editor, QStringLiteral("xyz"));
                QTest::keyClick(editor, Qt::Key_Escape);
            }},
        {"Return", [](CCellEditor* editor) { QTest::keyClick(editor, Qt::Key_Return); }},
        {"a click elsewhere", [this](CCellEditor*) { w.Click(w.Centre(6, 6)); }},
    };
    int cell = 2;
    for (const auto& [end, action] : ends) {
        w.grid.SetText(cell, cell, bytes.c_str());
        CCellEditor* editor = EditWithF2(cell, cell);
        ASSERT_NE(editor, nullptr) << end;
        EXPECT_EQ(editor->text(), ToQt(bytes)) << end;
        action(editor);
        LiveWindow::Settle();
        EXPECT_EQ(w.grid.Editor(), nullptr) << end;
        EXPECT_EQ(Text(cell, cell), bytes) << end;
        EXPECT_FALSE(w.grid.State(cell, cell) & GCS_MODIFIED) << end;
        EXPECT_TRUE(w.grid.hasFocus()) << end;
        ++cell;
    }
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 0);
}

TEST_F(CellEditorTest, InAClickedEditArrowsMoveTheCaretAndCtrlLeftEndsAndMoves)
{
    w.Click(w.Centre(3, 3));
    w.Click(w.Centre(3, 3));
    LiveWindow::Settle();
    CCellEditor* editor = w.grid.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->cursorPosition(), 3);
    Press(Qt::Key_Left);
    EXPECT_EQ(editor->cursorPosition(), 2);
    Press(Qt::Key_Right);
    EXPECT_EQ(editor->cursorPosition(), 3);
    EXPECT_EQ(w.grid.Editor(), editor);
    Press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(3, 2));
    // The edit goes on in the next cell, opened by a key: now arrows end it.
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

TEST_F(CellEditorTest, VetoedBeginOpensNothingAndRefusedTextsGoBack)
{
    w.owner.replies[GN_BEGINEDIT] = -1;
    EXPECT_EQ(EditWithF2(2, 2), nullptr);
    w.owner.replies.clear();
    const auto editTo = [this](int cell, const char* text) {
        ASSERT_NE(EditWithF2(cell, cell), nullptr);
        w.grid.Editor()->setText(QString::fromLatin1(text));
        Press(Qt::Key_Return);
    };
    // The cell refuses: the old text comes back, the cell stays marked, the owner hears nothing.
    w.grid.refused = "bad";
    editTo(2, "bad");
    EXPECT_EQ(Text(2, 2), "2-2");
    EXPECT_TRUE(w.grid.State(2, 2) & GCS_MODIFIED);
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 0);
    // The owner refuses at the end.
    w.owner.replies[GN_ENDEDIT] = -1;
    editTo(3, "no");
    EXPECT_EQ(Text(3, 3), "3-3");
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 1);
}

TEST_F(CellEditorTest, ScrollingTakesTheTextAndEmptyingTheGridClosesTheEditorWithoutNotice)
{
    const std::tuple<CCellID, std::function<void()>, const char*> ends[] = {
        {{2, 2}, [this] { w.grid.OnVScroll(SB_LINEDOWN); }, "2-2z"},
        {{3, 2}, [this] { w.grid.SetRowCount(3); }, nullptr},
        {{2, 3}, [this] { w.grid.DeleteAll(); }, nullptr},
    };
    for (const auto& [cell, action, taken] : ends) {
        ASSERT_NE(EditWithF2(cell.row, cell.col), nullptr);
        QTest::keyClicks(w.grid.Editor(), QStringLiteral("z"));
        action();
        LiveWindow::Settle();
        EXPECT_EQ(w.grid.Editor(), nullptr) << cell.row;
        if (taken) {
            EXPECT_EQ(Text(cell.row, cell.col), taken);
        }
        EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 1) << cell.row;
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
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
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
    EXPECT_TRUE(dialog.findChildren<CCellEditor*>().isEmpty());
    // Without an editor Return is the dialog's.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), IDOK);
}

} // namespace
