#include "LiveGridWindow.h"

#include "platform/DialogBase.h"
#include "platform/Text.h"
#include "support/Screenshot.h"

#include <QPushButton>
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
    std::string Text(int row, int col) const { return w.grid.GetCellText(row, col); }
    // Edits the cell with F2 and ends with the text and Return; false when no editor opened.
    bool EditTo(int row, int col, const char* text)
    {
        CCellEditor* editor = EditWithF2(row, col);
        if (!editor)
            return false;
        editor->setText(QString::fromLatin1(text));
        QTest::keyClick(editor, Qt::Key_Return);
        LiveWindow::Settle();
        return true;
    }

    LiveWindow w{20, 8};
};

TEST_F(CellEditorTest, EscPutsTheTextBackAndTabTakesItAndEditsTheNextCellWithAllSelected)
{
    CCellEditor* editor = EditWithF2(2, 2);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("2-2"));
    EXPECT_EQ(editor->geometry(), w.Rect(2, 2));
    EXPECT_EQ(editor->cursorPosition(), 3);
    EXPECT_FALSE(editor->hasSelectedText());
    QTest::keyClicks(editor, QStringLiteral("xyz"));
    QTest::keyClick(editor, Qt::Key_Escape);
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.Editor(), nullptr);
    EXPECT_EQ(Text(2, 2), "2-2");
    EXPECT_FALSE(w.grid.State(2, 2) & GCS_MODIFIED);
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 0);
    EXPECT_TRUE(w.grid.hasFocus());

    editor = EditWithF2(2, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("A"));
    QTest::keyClick(editor, Qt::Key_Tab);
    LiveWindow::Settle();
    EXPECT_EQ(Text(2, 2), "2-2A");
    EXPECT_TRUE(w.grid.State(2, 2) & GCS_MODIFIED);
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 1);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(2, 3));
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->selectedText(), QStringLiteral("2-3"));
    // Shift+Tab goes back the same way.
    QTest::keyClick(w.grid.Editor(), Qt::Key_Backtab, Qt::ShiftModifier);
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(2, 2));
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->selectedText(), QStringLiteral("2-2A"));
}

TEST_F(CellEditorTest, AnEditLeftAsShownKeepsTheCellsBytesEvenWhenTheyAreNoUtf8)
{
    const std::string bytes = "caf\xe9";
    const struct
    {
        int cell;
        const char* end;
        std::function<void(CCellEditor*)> action;
    } ends[] = {
        {2, "Esc", [](CCellEditor* editor) { QTest::keyClick(editor, Qt::Key_Escape); }},
        {3, "Return", [](CCellEditor* editor) { QTest::keyClick(editor, Qt::Key_Return); }},
        {4, "a click elsewhere", [this](CCellEditor*) { w.Click(w.Centre(6, 6)); }},
    };
    for (const auto& [cell, end, action] : ends) {
        w.grid.SetText(cell, cell, bytes.c_str());
        CCellEditor* editor = EditWithF2(cell, cell);
        ASSERT_NE(editor, nullptr) << end;
        EXPECT_EQ(editor->text(), ToQt(bytes)) << end;
        action(editor);
        LiveWindow::Settle();
        EXPECT_EQ(w.grid.Editor(), nullptr) << end;
        EXPECT_EQ(Text(cell, cell), bytes) << end;
        EXPECT_FALSE(w.grid.State(cell, cell) & GCS_MODIFIED) << end;
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
    EXPECT_FALSE(editor->ArrowsEndEdit());
    EXPECT_EQ(editor->cursorPosition(), 3);
    QTest::keyClick(editor, Qt::Key_Left);
    EXPECT_EQ(editor->cursorPosition(), 2);
    QTest::keyClick(editor, Qt::Key_Right);
    EXPECT_EQ(editor->cursorPosition(), 3);
    EXPECT_EQ(w.grid.Editor(), editor);
    QTest::keyClick(editor, Qt::Key_Left, Qt::ControlModifier);
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(3, 2));
    // The edit goes on in the next cell, opened by a key: now arrows end it.
    editor = w.grid.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->ArrowsEndEdit());
    QTest::keyClick(editor, Qt::Key_Down);
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(4, 2));
}

TEST_F(CellEditorTest, ATypedCharacterReplacesTheTextAndBackspaceRemovesTheLastOne)
{
    // Characters that share their codes with the page and arrow keys are typed too.
    const auto typeOn = [this](int row, int col, const char* keys) {
        w.Click(w.Centre(row, col));
        QTest::keyClicks(&w.grid, QString::fromLatin1(keys));
        LiveWindow::Settle();
        CCellEditor* editor = w.grid.Editor();
        const QString text = editor ? editor->text() : QStringLiteral("(none)");
        if (editor)
            QTest::keyClick(editor, Qt::Key_Return);
        LiveWindow::Settle();
        return text;
    };
    EXPECT_EQ(typeOn(2, 2, "q"), QStringLiteral("q"));
    EXPECT_EQ(Text(2, 2), "q");
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_EQ(typeOn(3, 2, "\b"), QStringLiteral("3-"));
    EXPECT_EQ(typeOn(4, 2, "("), QStringLiteral("("));
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

    // The cell refuses: the old text comes back, the cell stays marked, the owner hears nothing.
    w.grid.refused = "bad";
    ASSERT_TRUE(EditTo(2, 2, "bad"));
    EXPECT_EQ(Text(2, 2), "2-2");
    EXPECT_TRUE(w.grid.State(2, 2) & GCS_MODIFIED);
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 0);

    // The owner refuses at the end.
    w.owner.replies[GN_ENDEDIT] = -1;
    ASSERT_TRUE(EditTo(3, 3, "no"));
    EXPECT_EQ(Text(3, 3), "3-3");
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), 1);
}

TEST_F(CellEditorTest, ScrollingTakesTheTextAndEmptyingTheGridClosesTheEditorWithoutNotice)
{
    CCellEditor* editor = EditWithF2(2, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("z"));
    w.grid.OnVScroll(SB_LINEDOWN);
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.Editor(), nullptr);
    EXPECT_EQ(Text(2, 2), "2-2z");

    w.grid.OnVScroll(SB_TOP);
    editor = EditWithF2(3, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("lost"));
    const int endNotices = w.owner.Count(GN_ENDEDIT);
    w.grid.SetRowCount(3);
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), endNotices);

    editor = EditWithF2(2, 3);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("gone"));
    w.grid.DeleteAll();
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.owner.Count(GN_ENDEDIT), endNotices);
}

// A grid of 4 x 4 cells, one row and column fixed, in a shown window, its focus on (1, 1).
void ShowSmallGrid(LiveGrid& grid, QWidget* window)
{
    grid.Create(QRect(0, 0, 400, 250), window);
    grid.SetColumnCount(4);
    grid.SetRowCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    window->show();
    QApplication::setActiveWindow(window);
    grid.setFocus();
    grid.ChangeFocusCell(1, 1);
}

TEST(CellEditorTeardown, AGridDestroyedWhileEditingSendsNothingIntoItself)
{
    QWidget window;
    RecordingGridOwner owner;
    auto grid = std::make_unique<LiveGrid>();
    grid->SetOwner(&owner);
    ShowSmallGrid(*grid, &window);
    grid->EditCell(1, 1, QPoint(-1, -1), VK_LBUTTON);
    ASSERT_NE(grid->Editor(), nullptr);
    QTest::keyClicks(grid->Editor(), QStringLiteral("late"));
    grid.reset();
    LiveWindow::Settle();
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 0);
    EXPECT_TRUE(window.findChildren<CCellEditor*>().isEmpty());
}

// A dialog of the program's kind holding a grid: Return belongs to an open editor.
class GridDialog final : public CDialogBase
{
public:
    static const DialogTemplate& Template()
    {
        static const DialogTemplate tmpl{901, "Grid", 300, 200, 9, DialogStyle::SysMenu,
            {{IDOK, ControlKind::Button, "OK", 240, 180, 50, 14, ControlStyle::Default}}};
        return tmpl;
    }
    GridDialog()
        : CDialogBase(Template())
    {
    }
    int okCalls = 0;

protected:
    void OnOK() override { ++okCalls; }
};

TEST(CellEditorInDialog, ReturnEndsTheEditAndTheDialogStaysOpen)
{
    GridDialog dialog;
    dialog.Create();
    LiveGrid grid;
    ShowSmallGrid(grid, &dialog);
    QTest::keyClick(&grid, Qt::Key_F2);
    ASSERT_NE(grid.Editor(), nullptr);
    QTest::keyClicks(grid.Editor(), QStringLiteral("kept"));
    QTest::keyClick(grid.Editor(), Qt::Key_Return);
    LiveWindow::Settle();
    EXPECT_EQ(grid.Editor(), nullptr);
    EXPECT_EQ(grid.GetCellText(1, 1), "kept");
    EXPECT_EQ(dialog.okCalls, 0);
    EXPECT_TRUE(dialog.isVisible());
    // Without an editor Return is the dialog's again.
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(dialog.okCalls, 1);
}

} // namespace
