#include "OperationDlgFixture.h"

#include "app/dialogs/FormatDlg.h"
#include "app/dialogs/MemoryCheckDlg.h"
#include "app/dialogs/ResetDlg.h"

namespace {

using namespace DialogInput;
constexpr int IDC_ID = 1132, IDC_COUNT = 1077, IDC_PERCENT = 1078, IDC_CHECK = 1, IDC_FORMAT = 1107,
              IDC_RESET = 1000;
constexpr const char* NoResponse = "W:No response from logger!";

using LoggerChoiceTest = OperationDlgFixture;

// One query at a time: while it waits neither the button, nor Enter, nor Esc acts; then Enter
// checks again. A reply of no use empties the fields and is told. Figures stand only beside
// the logger they were read from.
TEST_F(LoggerChoiceTest, MemoryCheckShowsTheCountAndHowFullTheMemoryIs)
{
    sim.SetRecordCount(1, 17500);
    sim.SetReplyDelay(30);
    auto dlg = Open<CMemoryCheckDlg>();
    States inWait;
    QTimer::singleShot(0, dlg.get(), [&] { // inside the first wait for the reply
        inWait = EnabledOf(dlg.get(), {IDC_CHECK, IDC_ID});
        QTest::keyClick(dlg.get(), Qt::Key_Return);
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        sim.SetReplyDelay(0);
    });
    Click(dlg.get(), IDC_CHECK);
    EXPECT_EQ(inWait, States(2, false));
    EXPECT_EQ(TextsOf(dlg.get(), {IDC_COUNT, IDC_PERCENT}), (Texts{"17500", "50.00"}));
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "memory_check"));
    Key(dlg.get(), IDC_ID, Qt::Key_Return);
    EXPECT_EQ(sim.Commands(), Texts(2, "@01,01,memory"));

    const struct
    {
        const char* reply; // empty: silence
        Texts shown;
    } cases[] = {{"35000", {"35000", "100.00"}}, {"", {"", ""}}, {"40000", {"35000", "100.00"}},
        {"12x4", {"", ""}}, {"0", {"0", "0.00"}}, {"1", {"1", "0.00"}},
        {"34999", {"34999", "100.00"}}};
    for (const auto& c : cases) {
        sim.SetSilent(*c.reply == '\0');
        if (*c.reply)
            sim.OverrideNextReply(std::string("@01,01,memory ") + c.reply + "\r\n");
        Click(dlg.get(), IDC_CHECK);
        EXPECT_EQ(TextsOf(dlg.get(), {IDC_COUNT, IDC_PERCENT}), c.shown) << c.reply;
        EXPECT_EQ(Told(), c.shown[0].empty() ? Texts{NoResponse} : Texts{}) << c.reply;
    }
    Type(dlg.get(), IDC_ID, "9");
    Click(dlg.get(), IDC_CHECK);
    EXPECT_EQ(TextsOf(dlg.get(), {IDC_COUNT, IDC_PERCENT}), (Texts{"", ""}));
    EXPECT_TRUE(dlg->isVisible());
    Key(dlg.get(), 0, Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
}

// The ID typed or picked, of the IDs on the line (text naming another entry is that entry,
// though Qt keeps the old one current; text naming no logger erases nothing); Enter presses
// Format. Reset is told complete; once the line is gone (adapter pulled) every action says no
// answer, and the dialogs stay.
TEST_F(LoggerChoiceTest, FormatAndResetActOnTheLoggerOnScreenAndStayOpen)
{
    UseNetwork({1, 3});
    auto dlg = Open<CFormatDlg>();
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "format"));
    EXPECT_EQ(Entries(dlg.get(), IDC_ID), (Texts{"1", "3"}));
    Type(dlg.get(), IDC_ID, "3");
    Click(dlg.get(), IDC_FORMAT);
    EXPECT_TRUE(sim.RecordCount(3) == 0 && sim.RecordCount(1) == 40);
    EXPECT_EQ(Told(), Texts{"I:Format complete!"});
    EXPECT_TRUE(dlg->isVisible());

    ClearReceived();
    Type(dlg.get(), IDC_ID, "13");
    Click(dlg.get(), IDC_FORMAT);
    Key(dlg.get(), IDC_ID, Qt::Key_Return);
    EXPECT_TRUE(sim.Commands().empty() && Told().empty());

    Type(dlg.get(), IDC_ID, "1");
    Key(dlg.get(), IDC_ID, Qt::Key_Return);
    EXPECT_EQ(sim.RecordCount(1), 0);
    EXPECT_TRUE(dlg->isVisible() && Told().size() == 1);
    auto reset = Open<CResetDlg>();
    EXPECT_TRUE(SaveScreenshot(reset.get(), "reset"));
    Click(reset.get(), IDC_RESET);
    EXPECT_EQ(sim.Commands().at(0), "@01,01,reset");
    EXPECT_EQ(Told(), Texts{"I:Reset complete!"});

    auto memory = Open<CMemoryCheckDlg>();
    sim.InjectFault(loggersim::SimFault::Vanish);
    Click(memory.get(), IDC_CHECK);
    EXPECT_EQ(TextsOf(memory.get(), {IDC_COUNT, IDC_PERCENT}), (Texts{"", ""}));
    Click(dlg.get(), IDC_FORMAT);
    Click(reset.get(), IDC_RESET);
    EXPECT_EQ(Told(), Texts(3, NoResponse));
    EXPECT_TRUE(dlg->isVisible() && reset->isVisible() && memory->isVisible());
}

} // namespace
