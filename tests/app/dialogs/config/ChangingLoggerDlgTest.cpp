#include "ConfigDialogFixture.h"

#include "app/dialogs/ChangingLoggerDlg.h"
#include "app/dialogs/LoggerIdChecks.h"

namespace {

using ChangingLoggerDlgTest = ConfigDialogTest;
constexpr int IDC_OK = 1001;

// OK takes two or more IDs into the current record only (not yet its file); Esc takes
// nothing; without a current record the dialog ends at once.
TEST_F(ChangingLoggerDlgTest, OkStoresTwoOrMoreIdsInTheCurrentRecordOnlyAndEscNothing)
{
    OpenNew("first");
    LoggerRecord network = NewLoggerRecord("network", data);
    network.m_bSingle = 0;
    network.m_bLoggerUsed[1] = network.m_bLoggerUsed[2] = 1;
    OpenRecord(network);
    g_nCurLogger = 1;
    RecordingPresenter presenter;
    std::vector<bool> shown;
    bool openAfterOneId = false;
    ModalDriver driver;
    driver
        .Then([&](QWidget* modal) {
            for (int id : LoggerIdCheckIds)
                ClickItem(modal, id);
            EXPECT_TRUE(SaveScreenshot(modal, "changing_logger"));
            RejectModal(modal);
        })
        .Then([&](QWidget* modal) {
            for (int id : LoggerIdCheckIds)
                shown.push_back(DialogInput::Checked(modal, id));
            ClickItem(modal, LoggerIdCheckIds[1]); // leaves ID 3 alone
            ClickItem(modal, IDC_OK);
            openAfterOneId = modal->isVisible();
            ClickItem(modal, LoggerIdCheckIds[6]);
            ClickItem(modal, IDC_OK);
        });
    EXPECT_EQ(CChangingLoggerDlg().DoModal(), IDCANCEL);
    EXPECT_TRUE(Same(g_loggers[1], network));
    EXPECT_EQ(CChangingLoggerDlg().DoModal(), IDOK);
    EXPECT_EQ(shown, (std::vector<bool>{false, true, true, false, false, false, false}));
    EXPECT_TRUE(openAfterOneId);
    EXPECT_EQ(presenter.Texts(),
        (Texts{"To use the multi network, you have to select over two loggers!"}));
    const int32_t used[7] = {0, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(g_loggers[1].m_bLoggerUsed, used, sizeof used), 0);
    EXPECT_TRUE(Same(g_loggers[0], NewLoggerRecord("first", data)));
    EXPECT_FALSE(FileExists(data + "network.arg"));
    g_nCurLogger = -1;
    EXPECT_EQ(CChangingLoggerDlg().DoModal(), IDCANCEL);
}

} // namespace
