#include "app/controls/IconButton.h"
#include "app/operations/OperationDlgFixture.h"

#include <QDeadlineTimer>
#include <QProgressBar>

namespace {

constexpr int IDC_TEXT = 1002;
constexpr int IDC_PROGRESS = 1003;
constexpr int IDC_IMAGE = 1005;

using WaitPopupDlgTest = OperationDlgFixture;

// Esc, the close box and Enter do nothing while the job runs; a graph text stays unshown.
TEST_F(WaitPopupDlgTest, TheTextFormClosesOnlyAfterItsJobAndDisablesNothing)
{
    CWaitPopupDlg popup("Reading!!...", WaitMode::ReadChannels, 1, -1, -1);
    auto* bar = popup.ItemAs<QProgressBar>(IDC_PROGRESS);
    bool shown = false;
    sim.SetReplyDelay(30);
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        shown = SaveScreenshot(modal, "wait_popup") && bar->isVisible()
            && popup.ItemAs<QLabel>(IDC_TEXT)->isVisible()
            && !popup.ItemAs<CIconButton>(IDC_IMAGE)->isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
        modal->close();
        QTest::keyClick(modal, Qt::Key_Return);
        shown = shown && modal->isVisible();
    });
    EXPECT_EQ(popup.DoModal(), IDOK);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(popup.m_strResults.size() == 2 && popup.m_bJobRan && !popup.m_bReplyMissing);
    sim.SetReplyDelay(0);

    QWidget graph;
    graph.show();
    Record().m_units[0].m_channels[2] = {1, 1, 4, 0, 20, 0};
    Record().m_bGraphSeriesA[0][2] = Record().m_bGraphSeriesB[0][2] = 1;
    CWaitPopupDlg own("Reading!!", WaitMode::MeasureForGraph, 0, 2, 0, &graph);
    own.Create();
    own.move(40, 30); // placed by its caller, not again by the loop
    bool modalSeen = true;
    bool onTop = false;
    QTimer::singleShot(0, [&] {
        modalSeen = QApplication::activeModalWidget() != nullptr;
        onTop = own.isVisible() && (own.windowFlags() & Qt::WindowStaysOnTopHint);
    });
    EXPECT_EQ(own.RunModalLoop(), IDOK);
    EXPECT_TRUE(!modalSeen && onTop);
    EXPECT_EQ(own.pos(), QPoint(40, 30));
    own.close();
    CWaitPopupDlg hidden("Graph reading", WaitMode::ScanChannels, -1, -1, -1);
    EXPECT_EQ(hidden.DoModal(), IDOK);
    EXPECT_TRUE(hidden.testAttribute(Qt::WA_DontShowOnScreen));
    EXPECT_EQ(hidden.m_strResults, (Texts{"32"}));
    ClearReceived();
    CWaitPopupDlg unknown("Reading!!", 9, 1, -1, -1);
    EXPECT_EQ(unknown.DoModal(), IDOK);
    EXPECT_FALSE(unknown.m_bJobRan || !unknown.m_strResults.empty() || !sim.Commands().empty());
}

// Centred over its parent, saving on request.
TEST_F(WaitPopupDlgTest, TheImageFormIsCentredAndSwapsItsBitmaps)
{
    QWidget parent;
    parent.setGeometry(200, 150, 600, 400);
    parent.show();
    Record().m_units[0].m_channels[0].m_nVwType = 1;
    CWaitPopupDlg::ImageStepMs = 10;
    CWaitPopupDlg::CloseDelayMs = 60000; // closed below once the bitmaps have swapped twice
    CWaitPopupDlg popup("Reading!!", WaitMode::Measure, 0, 0, 1, &parent);
    popup.m_bSaveManualReading = true;
    std::vector<bool> frames;
    const QDeadlineTimer bound(WaitMs);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (frames.empty() || frames.back() != popup.m_bFirstImage)
            frames.push_back(popup.m_bFirstImage);
        if (!popup.m_readings.empty() && (frames.size() >= 3 || bound.hasExpired()))
            QTest::keyClick(&popup, Qt::Key_Return);
    });
    watch.start(2);
    bool shot = false;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) { shot = SaveScreenshot(modal, "wait_popup_image"); });
    popup.DoModal();
    EXPECT_TRUE(shot);
    EXPECT_LE((popup.geometry().center() - parent.frameGeometry().center()).manhattanLength(), 2);
    ASSERT_GE(frames.size(), 3u);
    EXPECT_TRUE(frames[0] && !frames[1] && frames[2]);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,measure 00 01 00 0020"}));
    ASSERT_EQ(popup.m_readings.size(), 1u);
}

} // namespace
