#include "ConfigDialogFixture.h"

#include "app/dialogs/ChangingLoggerDlg.h"
#include "app/record/LoggerTable.h"

#include "support/ModalDriver.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"

#include <QAbstractButton>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int IDC_OK = 1001;
constexpr int IdChecks[] = {1020, 1021, 1022, 1023, 1027, 1029, 1030};

class ChangingLoggerDlgTest : public ConfigDialogTest
{
protected:
    void SetUp() override
    {
        ConfigDialogTest::SetUp();
        OpenRecord(NewLoggerRecord("first", DataFolder()));
        LoggerRecord network = NewLoggerRecord("network", DataFolder());
        network.m_bSingle = 0;
        network.m_bLoggerUsed[1] = network.m_bLoggerUsed[2] = 1;
        OpenRecord(network);
        g_nCurLogger = 1;
    }
};

bool Checked(QWidget* dialog, int id)
{
    auto* button = ControlOf<QAbstractButton>(dialog, id);
    return button && button->isChecked();
}

TEST_F(ChangingLoggerDlgTest, OkStoresTwoOrMoreIdsInTheCurrentRecordOnly)
{
    RecordingPresenter presenter;
    std::vector<bool> shown;
    bool openAfterOneId = false;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        for (int id : IdChecks)
            shown.push_back(Checked(modal, id));
        ClickItem(modal, IdChecks[1]); // leaves ID 3 alone
        ClickItem(modal, IDC_OK);
        openAfterOneId = modal->isVisible();
        ClickItem(modal, IdChecks[6]);
        ClickItem(modal, IDC_OK);
    });
    CChangingLoggerDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(shown, (std::vector<bool>{false, true, true, false, false, false, false}));
    EXPECT_TRUE(openAfterOneId);
    EXPECT_EQ(presenter.Texts(),
        (std::vector<std::string>{
            "To use the multi network, you have to select over two loggers!"}));
    const int32_t used[7] = {0, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(g_loggers[1].m_bLoggerUsed, used, sizeof used), 0);
    EXPECT_EQ(g_loggers[0].m_bLoggerUsed[6], 0);
    // The change lives in the table until the record is saved.
    EXPECT_FALSE(FileExists(DataFolder() + "network.arg"));
}

TEST_F(ChangingLoggerDlgTest, EscStoresNothing)
{
    ModalDriver driver;
    driver.Then([](QWidget* modal) {
        for (int id : IdChecks)
            ClickItem(modal, id);
        RejectModal(modal);
    });
    CChangingLoggerDlg dlg;
    dlg.DoModal();
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(g_loggers[1].m_bLoggerUsed[0], 0);
    EXPECT_EQ(g_loggers[1].m_bLoggerUsed[1], 1);
}

TEST_F(ChangingLoggerDlgTest, WithoutACurrentRecordItEndsAtOnce)
{
    g_nCurLogger = -1;
    CChangingLoggerDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(ChangingLoggerDlgTest, Screenshot)
{
    CChangingLoggerDlg dlg;
    dlg.Create();
    dlg.show();
    EXPECT_TRUE(SaveScreenshot(&dlg, "changing_logger"));
}

} // namespace
