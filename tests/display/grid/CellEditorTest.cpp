#include "LiveGridWindow.h"

#include "platform/DialogBase.h"
#include "platform/Text.h"
#include "support/Screenshot.h"

#include <QPointer>
#include <QShortcut>

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
        {"fewer rows", "z", [this] { w.grid.SetRowCount(3); }, "", false, 2},
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
        EXPECT_EQ(w.grid.Editor(), nullptr);
        EXPECT_EQ(Text(row, 2), kept);
        EXPECT_EQ(static_cast<bool>(w.grid.State(row, 2) & GCS_MODIFIED), modified);
        EXPECT_EQ(w.owner.Count(GN_ENDEDIT), notices);
        EXPECT_TRUE(w.grid.hasFocus());
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
    EXPECT_TRUE(dialog.findChildren<CCellEditor*>().isEmpty());
    // Without an editor Return is the dialog's.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), IDOK);
}

} // namespace
