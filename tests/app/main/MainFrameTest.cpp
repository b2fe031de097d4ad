#include "MainWindowFixture.h"

#include "app/FrameStatusBar.h"
#include "res/CommandIds.h"
#include "res/IconResources.h"
#include "res/MainScreenIds.h"

#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <string>
#include <vector>

namespace {

class MainFrameTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        MakeFrame();
    }
};

// "caption=id" per entry, "-" per separator.
std::vector<std::string> Entries(const QList<QAction*>& actions)
{
    std::vector<std::string> entries;
    for (QAction* action : actions) {
        entries.push_back(action->isSeparator()
                ? std::string("-")
                : action->text().toStdString() + "=" + std::to_string(action->data().toInt()));
    }
    return entries;
}

TEST_F(MainFrameTest, MenuHoldsEveryCommandWithItsCaptionAndNumber)
{
    const QList<QAction*> popups = frame->menuBar()->actions();
    std::vector<std::string> titles;
    for (QAction* popup : popups)
        titles.push_back(popup->text().toStdString());
    EXPECT_EQ(titles,
        (std::vector<std::string>{
            "File(&F)", "Connect(&C)", "View(&V)", "Setting(&S)", "About(&A)"}));
    EXPECT_EQ(Entries(popups[0]->menu()->actions()),
        (std::vector<std::string>{"Open Logger=32771", "Close Logger=32772", "-", "E&xit=57665"}));
    EXPECT_EQ(Entries(popups[1]->menu()->actions()),
        (std::vector<std::string>{"Connect=32773", "Connect Option=32774", "Disconnect=32775", "-",
            "Receive Data=32776", "Memory Check=32777", "Format Memory=32778", "-",
            "Time Set Check=32779", "Logger Reset=32780"}));
    EXPECT_EQ(Entries(popups[2]->menu()->actions()),
        (std::vector<std::string>{"Data=32781", "Graph=32782"}));
    EXPECT_EQ(Entries(popups[3]->menu()->actions()),
        (std::vector<std::string>{"Logger Setting=32785", "Zigbee set=32784"}));
    EXPECT_EQ(
        Entries(popups[4]->menu()->actions()), (std::vector<std::string>{"&About Quorbel=57664"}));
}

TEST_F(MainFrameTest, ToolbarButtonsInOrderEachWithItsImage)
{
    std::vector<int> ids;
    for (QAction* action : frame->ToolBar()->actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        }
    }
    EXPECT_EQ(
        ids, (std::vector<int>{32771, 32773, 32775, 0, 32776, 32781, 32782, 0, 32785, 32784}));
    EXPECT_EQ(frame->ToolBar()->windowTitle(), "표준");
}

TEST_F(MainFrameTest, TheWindowIsFixedAndFitsTheForm)
{
    frame->show();
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(view->size(), view->TemplateSize());
    EXPECT_LE(frame->width(), CMainFrame::InitialWidth);
    EXPECT_LE(frame->height(), CMainFrame::InitialHeight);
    EXPECT_EQ(frame->windowTitle(), "Quorbel");
}

TEST_F(MainFrameTest, StatusBarHasTheMessagePaneAndThreeLockIndicators)
{
    auto* bar = qobject_cast<FrameStatusBar*>(frame->statusBar());
    ASSERT_NE(bar, nullptr);
    const QList<QLabel*> panes = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panes.size(), 4);
    EXPECT_EQ(panes[0]->text(), "Ready");
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        const QString text = bar->IndicatorText(id);
        EXPECT_TRUE(text.isEmpty() || text == "CAP" || text == "NUM" || text == "SCRL");
    }
}

TEST_F(MainFrameTest, SectionCaptionsAreWhiteBoldOnDarkBlue)
{
    for (int id : {IDC_CAPTION_SELECTION, IDC_CAPTION_INFORMATION, IDC_CAPTION_COMMUNICATION,
             IDC_CAPTION_SCHEDULE, IDC_CAPTION_MEASUREMENT}) {
        QWidget* caption = view->Item(id);
        ASSERT_NE(caption, nullptr);
        const QImage image = caption->grab().toImage();
        EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 166)) << id;
        EXPECT_TRUE(caption->font().bold());
        EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
}

TEST_F(MainFrameTest, EveryButtonImageIsThere)
{
    for (int id : {128, 338, 339, 341, 343, 346, 347, 348, 362, 363, 364, 365, 366, 367, 368, 369})
        EXPECT_FALSE(LoadResourceIcon(id).isNull()) << id;
    EXPECT_EQ(LoadResourceIcon(362).size(), QSize(32, 32));
    EXPECT_EQ(LoadResourceIcon(338).size(), QSize(30, 30));
    EXPECT_EQ(LoadResourceIcon(339).size(), QSize(40, 39));
    EXPECT_EQ(LoadResourceIcon(347).size(), QSize(40, 40));
}

TEST_F(MainFrameTest, AboutShowsTheProgramAndItsVersion)
{
    QString title;
    QStringList texts;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        title = modal->windowTitle();
        for (auto* label : modal->findChildren<QLabel*>())
            texts << label->text();
        SaveScreenshot(modal, "about");
        ClickItem(modal, 1);
    });
    frame->OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(title, "About Quorbel");
    EXPECT_TRUE(texts.contains("Quorbel, Ver 1.2.1"));
}

} // namespace
