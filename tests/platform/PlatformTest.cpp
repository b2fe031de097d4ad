#include "platform/ComboSelection.h"
#include "platform/CommandGuard.h"
#include "platform/DataExchange.h"
#include "platform/DialogBase.h"
#include "platform/LocalTime.h"
#include "platform/LocalTimeConverter.h"
#include "platform/MessageBoxPresenter.h"
#include "platform/ScreenFit.h"
#include "platform/Text.h"
#include "platform/YesNoQuestion.h"

#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"
#include "support/WholeControls.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ctime>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const DialogTemplate& TestTemplate()
{
    static const DialogTemplate tmpl{900, "Test", 200, 100, 9, DialogStyle::SysMenu,
        {
            {1000, ControlKind::Static, "&Name", 5, 5, 40, 10},
            {1001, ControlKind::Edit, "", 50, 5, 60, 12, ControlStyle::Right},
            {1002, ControlKind::Edit, "", 50, 20, 60, 12},
            {1003, ControlKind::Edit, "", 120, 5, 60, 12},
            {1005, ControlKind::RadioButton, "A", 5, 35, 30, 10, ControlStyle::Group},
            {1006, ControlKind::RadioButton, "B", 40, 35, 30, 10},
            {1007, ControlKind::RadioButton, "C", 5, 50, 30, 10, ControlStyle::Group},
            {1009, ControlKind::Button, "Go", 120, 70, 50, 14, ControlStyle::Default},
            {1010, ControlKind::Button, "Off", 120, 50, 50, 14, ControlStyle::Disabled},
            {1011, ControlKind::Button, "Hidden", 120, 35, 50, 14, ControlStyle::Hidden},
            {IDCANCEL, ControlKind::Button, "Cancel", 60, 70, 50, 14},
        }};
    return tmpl;
}

// Counts what its handlers saw; Exchange reads a number, an unsigned and a text.
class TestDialog final : public CDialogBase
{
public:
    TestDialog()
        : CDialogBase(TestTemplate())
    {
        connect(ItemAs<QPushButton>(1009), &QPushButton::clicked, this, [this] { ++goClicks; });
    }

    bool Exchange(bool save)
    {
        DataExchange dx(Controls(), save);
        dx.Int(1001, number);
        dx.UInt(1002, count);
        dx.Text(1003, text);
        return !dx.Failed();
    }
    QLineEdit* Edit(int id) { return ItemAs<QLineEdit>(id); }
    void Type(int id, const char* typed)
    {
        Edit(id)->clear();
        QTest::keyClicks(Edit(id), typed);
    }

    int number = 100;
    unsigned count = 200;
    std::string text = "kept";
    int goClicks = 0;
    bool endInInit = false;
    std::vector<int> timerIds;

protected:
    bool OnInitDialog() override
    {
        if (endInInit)
            EndDialog(77);
        return true;
    }
    void OnTimer(int id) override
    {
        timerIds.push_back(id);
        if (timerIds.size() == 3) {
            KillTimer(4);
            EndDialog(IDOK);
        }
    }
};

// Numbered controls keep their styles; radios are exclusive only within their group's run.
TEST(DialogBaseTest, BuildsNumberedControlsAndEndsByEndDialogEscOrCancel)
{
    TestDialog dialog;
    EXPECT_EQ(QStringList({dialog.ItemAs<QLabel>(1000)->text(), StaticCaption("A && B"),
                  StaticCaption("end&")}),
        QStringList({"Name", "A & B", "end"}));
    EXPECT_EQ(
        dialog.ItemAs<QLineEdit>(1001)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(!dialog.Item(1010)->isEnabled() && dialog.Item(1011)->isHidden());
    EXPECT_EQ(dialog.Item(1001)->geometry(), dialog.MapDialogRect(50, 5, 60, 12));
    // The tests' own desktop is large, so the dialog keeps the template's size.
    EXPECT_EQ(dialog.size(), dialog.MapDialogRect(0, 0, 200, 100).size());
    EXPECT_EQ(dialog.findChild<QScrollArea*>(), nullptr);
    auto* a = dialog.ItemAs<QRadioButton>(1005);
    auto* c = dialog.ItemAs<QRadioButton>(1007);
    a->click();
    c->click();
    EXPECT_TRUE(a->isChecked() && c->isChecked());
    dialog.ItemAs<QRadioButton>(1006)->click();
    EXPECT_TRUE(!a->isChecked() && c->isChecked());
    // Enter presses the default button; EndDialog inside init or a timer, Esc or Cancel end it.
    TestDialog ended, timed;
    ended.endInInit = true;
    EXPECT_EQ(ended.DoModal(), 77);
    timed.SetTimer(4, 1);
    EXPECT_EQ(timed.DoModal(), IDOK);
    EXPECT_TRUE(timed.timerIds == (std::vector<int>{4, 4, 4}) && !timed.IsTimerRunning(4));
    for (bool byKey : {true, false}) {
        TestDialog shown;
        shown.Create();
        shown.show();
        shown.Item(1001)->setFocus();
        QTest::keyClick(shown.Item(1001), Qt::Key_Return);
        EXPECT_TRUE(shown.goClicks == 1 && shown.isVisible());
        if (byKey)
            QTest::keyClick(&shown, Qt::Key_Escape);
        else
            shown.ItemAs<QPushButton>(IDCANCEL)->click();
        EXPECT_TRUE(shown.result() == IDCANCEL && !shown.isVisible()) << byKey;
    }
}

// The first field that is no integer of its kind stops the reading, is told and takes focus.
TEST(DataExchange, ReadsTheFieldsOrStopsAtTheFirstThatIsNoIntegerUnderAGuard)
{
    TestDialog dialog;
    dialog.number = -12;
    dialog.count = 4000000000u;
    ASSERT_TRUE(dialog.Exchange(false));
    EXPECT_EQ(QStringList({dialog.Edit(1001)->text(), dialog.Edit(1002)->text()}),
        QStringList({"-12", "4000000000"}));
    const std::tuple<const char*, const char*, int> cases[] = {{" +7 ", "0042", 0},
        {"-2147483648", "4294967295", 0}, {"", "1", 1001}, {"12x", "1", 1001}, {"1 2", "1", 1001},
        {"-", "1", 1001}, {"2147483648", "1", 1001}, {"5", "-1", 1002}, {"5", "4294967296", 1002},
        {"5", "", 1002}, {"5", "99999999999999999999999", 1002}};
    std::vector<std::pair<int, unsigned>> read;
    for (const auto& [number, count, failedField] : cases) {
        SCOPED_TRACE(std::string(number) + " " + count);
        TestDialog dlg;
        dlg.Type(1001, number);
        dlg.Type(1002, count);
        dlg.Type(1003, "x y");
        dlg.Edit(1003)->setFocus();
        RecordingPresenter boxes;
        EXPECT_EQ(dlg.Exchange(true), failedField == 0);
        EXPECT_EQ(boxes.Texts(), Texts(failedField ? 1 : 0, "Please enter an integer."));
        EXPECT_EQ(dlg.text, failedField ? "kept" : "x y");
        if (failedField == 0) {
            read.emplace_back(dlg.number, dlg.count);
            continue;
        }
        EXPECT_EQ(dlg.focusWidget(), dlg.Edit(failedField));
        EXPECT_EQ(dlg.Edit(failedField)->selectedText(), dlg.Edit(failedField)->text());
    }
    EXPECT_EQ(read, (std::vector<std::pair<int, unsigned>>{{7, 42u}, {INT_MIN, UINT_MAX}}));
    // A guard turns only the controls that were on off and back on; the focus returns.
    dialog.show();
    dialog.Item(1009)->setFocus();
    bool busy = false;
    {
        const CommandGuard guard(dialog.Controls(), {1009, 1010, 1001}, busy);
        EXPECT_TRUE(busy && !dialog.Item(1009)->isEnabled() && !dialog.Item(1001)->isEnabled());
    }
    EXPECT_TRUE(!busy && dialog.Item(1009)->isEnabled() && dialog.Item(1001)->isEnabled());
    EXPECT_TRUE(!dialog.Item(1010)->isEnabled() && dialog.focusWidget() == dialog.Item(1009));
    // A combo's edit field names the entry it shows; Qt's current entry does not.
    QComboBox combo;
    combo.setEditable(true);
    combo.setInsertPolicy(QComboBox::NoInsert);
    combo.addItems({"2", "3", "COM7"});
    combo.setCurrentIndex(1);
    EXPECT_EQ(std::pair(ComboCurSel(&combo), ComboCurSel(nullptr)), std::pair(1, -1));
    combo.lineEdit()->clear();
    QTest::keyClicks(combo.lineEdit(), "9");
    EXPECT_EQ(std::pair(combo.currentIndex(), ComboCurSel(&combo)), std::pair(1, -1));
    combo.setEditText("com7");
    EXPECT_EQ(ComboCurSel(&combo), 2);
}

// Only a layout larger than the room scrolls, unchanged; one bar may call for the other.
TEST(ScreenFitTest, OnlyALayoutLargerThanTheRoomScrolls)
{
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const struct
    {
        QSize size, room, fitted;
        bool across, down; // the bars needed; no scroll area when neither
    } cases[] = {{{400, 900}, {500, 1000}, {400, 900}, false, false},
        {{400, 600}, {400, 600}, {400, 600}, false, false},
        {{400, 900}, {500, 600}, {400 + bar, 600}, false, true},
        {{900, 900}, {500, 600}, {500, 600}, true, true},
        {{400, 601}, {400, 600}, {400, 600}, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size.height());
        QWidget window;
        auto* top = new QLabel(QStringLiteral("top"), &window);
        auto* hidden = new QLabel(QStringLiteral("hidden"), &window);
        auto* bottom = new QPushButton(QStringLiteral("bottom"), &window);
        top->setGeometry(10, 10, 100, 20);
        hidden->setGeometry(10, 40, 100, 20);
        hidden->hide();
        bottom->setGeometry(10, 860, 100, 30);
        const QSize fitted = FitFixedLayout(&window, c.size, c.room);
        EXPECT_EQ(fitted, c.fitted);
        auto* area = window.findChild<QScrollArea*>();
        ASSERT_EQ(area != nullptr, c.across || c.down);
        if (!area)
            continue;
        window.setFixedSize(fitted);
        window.show();
        EXPECT_EQ(area->verticalScrollBar()->isVisible(), c.down);
        EXPECT_TRUE(!c.across || area->horizontalScrollBar()->isVisible());
        if (c.size.height() < 900)
            continue; // the last control lies below this page
        ASSERT_EQ(bottom->parentWidget(), area->widget());
        EXPECT_EQ(area->widget()->size(), c.size);
        EXPECT_EQ(area->widget()->children(), QObjectList({top, hidden, bottom})); // tab order
        EXPECT_EQ(bottom->geometry(), QRect(10, 860, 100, 30));
        EXPECT_TRUE(top->isVisible() && !hidden->isVisible() && bottom->isVisible());
    }
}

// Boxes close by themselves (a question so closed answers No), owned by the window in front.
TEST(MessageBoxPresenterTest, BoxesCloseByThemselvesOverTheWindowInFront)
{
    SetMessageBoxPresenter(nullptr);
    QElapsedTimer clock;
    clock.start();
    ShowMessageBox({"closing", "Quorbel", MessageIcon::Information, 30});
    EXPECT_TRUE(clock.elapsed() >= 25 && clock.elapsed() < 5000) << clock.elapsed();
    EXPECT_FALSE(AskMessageBox({"replace?", "Quorbel", MessageIcon::Question, 30}));
    QWidget front;
    auto* doomed = new QWidget;
    for (QWidget* window : {&front, doomed}) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        EXPECT_EQ(MessageBoxOwner(), window);
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&owner, window, doomed] {
            QWidget* box = QApplication::activeModalWidget();
            owner = box ? box->parentWidget() : nullptr;
            if (window == doomed)
                delete doomed;
            else if (box)
                box->close();
        });
        clock.start();
        ShowMessageBox({"over the window", "Quorbel", MessageIcon::Warning, 5000});
        EXPECT_LT(clock.elapsed(), 4000);
        EXPECT_EQ(owner, window);
    }
}

// At each font size a box is wide enough for its caption in a title bar's bold face beside the
// window manager's icon and three buttons, each as wide as the bar is high (two lines of text
// at least); the Yes/No box too. A short text alone would leave the caption cut or empty.
TEST(MessageBoxPresenterTest, AtEachFontSizeTheCaptionAndTheTitleBarButtonsFit)
{
    SetMessageBoxPresenter(nullptr);
    std::vector<int> room; // the box's width less what its title bar needs
    const auto measure = [&room](QWidget* box) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
        QFont bold = box->font();
        bold.setBold(true);
        const int bar = std::max(box->style()->pixelMetric(QStyle::PM_TitleBarHeight),
            2 * box->fontMetrics().lineSpacing());
        room.push_back(
            box->width() - QFontMetrics(bold).horizontalAdvance(box->windowTitle()) - 4 * bar);
        EXPECT_TRUE(SaveScreenshot(
            box, QStringLiteral("message_box%1_font%2").arg(room.size()).arg(FontScalePercent())));
        RejectModal(box);
    };
    ModalDriver driver;
    for (int i = 0; i < 3; ++i)
        driver.Then(measure);
    ShowMessageBox({"stop", "Quorbel", MessageIcon::Warning, 100000});
    ShowMessageBox({"Connected!!", "Quorbel", MessageIcon::Information, 100000});
    AskYesNo("Go?");
    EXPECT_TRUE(driver.AllDone());
    ASSERT_EQ(room.size(), 3u);
    for (int left : room)
        EXPECT_GE(left, 0);
}

struct Day
{
    int year, month, day;
};

// Against mktime around clock changes; they may differ only for a reading that occurs twice.
void CompareDays(const char* zone, std::time_t summer, std::initializer_list<Day> days)
{
    qputenv("TZ", zone);
    tzset();
    std::tm local{};
    if (!LocalTimeOf(summer, local) || local.tm_isdst <= 0)
        GTEST_SKIP() << "no zone rules for " << zone << " here";
    LocalTimeConverter converter;
    for (int hour = 0; hour < 24; ++hour) {
        for (const Day& d : days) {
            for (int minute = 0; minute < 60; minute += 7) {
                const int second = (minute * 13) % 60;
                const auto reads = [&](std::time_t t) {
                    return LocalTimeOf(t, local) && local.tm_year + 1900 == d.year
                        && local.tm_mon + 1 == d.month && local.tm_mday == d.day
                        && local.tm_hour == hour && local.tm_min == minute
                        && local.tm_sec == second;
                };
                const auto fast = converter.Convert(d.year, d.month, d.day, hour, minute, second);
                const auto direct = MakeLocalTime(d.year, d.month, d.day, hour, minute, second);
                ASSERT_TRUE(fast && direct);
                EXPECT_TRUE(*fast == *direct || (reads(*fast) && reads(*direct)))
                    << d.month << "/" << d.day << " " << hour << ":" << minute << ":" << second;
            }
        }
    }
}

TEST(LocalTimeConverterTest, AgreesWithMktimeAroundClockChanges)
{
    const auto restore = qScopeGuard([saved = qgetenv("TZ")] {
        qputenv("TZ", saved);
        tzset();
    });
    // 31 March 2024 02:00 -> 03:00, 27 October 2024 03:00 -> 02:00; 31 April is 1 May.
    CompareDays("Europe/Berlin", 1719835200, // 1 July 2024
        {{2024, 3, 30}, {2024, 3, 31}, {2024, 4, 1}, {2024, 10, 26}, {2024, 10, 27}, {2024, 10, 28},
            {2024, 1, 5}, {2024, 4, 31}});
    // In 2010 the clock went from 00:01 to 01:01 on 14 March and from 00:01 back to 23:01 on
    // 7 November: one hour holds times of two offsets.
    CompareDays("America/St_Johns", 1278000000, // 1 July 2010
        {{2010, 3, 13}, {2010, 3, 14}, {2010, 3, 15}, {2010, 11, 6}, {2010, 11, 7}, {2010, 11, 8}});
}

} // namespace
