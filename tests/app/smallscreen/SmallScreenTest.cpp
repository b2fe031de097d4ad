// On an 800 x 480 screen (support/screens/small.json), smaller than the windows tried.
#include "MainWindowFixture.h"

#include "app/dialogs/NewLoggerDlg.h"
#include "platform/ScreenFit.h"
#include "res/NewLoggerIds.h"
#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>

namespace {

using SmallScreenTest = MainWindowFixture;

QRect Screen()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Each numbered control but the separator lines can be scrolled into a view inside the
// screen; the one clicked is clicked where the operator would: at a place of the window.
void ExpectEveryControlReachable(QWidget* window, QWidget* form, QWidget* clicked)
{
    auto* area = window->findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    const QRect view(area->viewport()->mapToGlobal(QPoint(0, 0)), area->viewport()->size());
    EXPECT_TRUE(Screen().contains(view));
    for (QWidget* control : form->findChildren<QWidget*>()) {
        if (!control->property("controlId").isValid() || !control->isVisible()
            || control->metaObject() == &QFrame::staticMetaObject)
            continue;
        area->ensureWidgetVisible(control, 0, 0);
        const QRect shown(control->mapToGlobal(QPoint(0, 0)), control->size());
        EXPECT_TRUE(view.contains(shown)) << control->property("controlId").toInt();
    }
    area->ensureWidgetVisible(clicked, 0, 0);
    const QPoint where = clicked->mapTo(window, clicked->rect().center());
    ASSERT_TRUE(window->rect().contains(where));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, where);
}

// Both fit the screen, their forms scrolling inside; the editor's Save saves when clicked.
TEST_F(SmallScreenTest, TheEditorAndTheMainWindowScrollAndEveryControlIsReachable)
{
    ASSERT_EQ(Screen().size(), QSize(800, 480)) << "the small screen is not in use";
    CNewLoggerDlg dlg;
    ASSERT_GT(dlg.TemplateSize().height(), 480);
    dlg.Create();
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_LE(dlg.height(), ClientRoom(&dlg).height());
    EXPECT_TRUE(SaveScreenshot(&dlg, "new_logger_small_screen"));
    dlg.ItemAs<QLineEdit>(NewLoggerIds::IDC_NAME)->setText("Ridge");
    ExpectEveryControlReachable(&dlg, &dlg, dlg.Item(NewLoggerIds::IDC_SAVE));
    EXPECT_EQ(boxes.Texts(), Strings{});
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(Exists("Ridge.arg"));

    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_LE(frame->height(), ClientRoom(frame.get()).height());
    EXPECT_LT(view->height(), view->TemplateSize().height());
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_TRUE(SaveScreenshot(frame.get(), "main_small_screen"));
    ModalDriver driver;
    driver.Then(RejectModal);
    ExpectEveryControlReachable(frame.get(), view, view->Item(IDC_OPEN_LOGGER));
    EXPECT_TRUE(driver.AllDone());
}

} // namespace
