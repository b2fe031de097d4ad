#include "OperationDlgFixture.h"

#include "app/dialogs/FormatDlg.h"
#include "app/dialogs/MemoryCheckDlg.h"
#include "app/dialogs/ResetDlg.h"

#include "support/Screenshot.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace DialogInput;

constexpr int IDC_ID = 1132;
constexpr int IDC_COUNT = 1077;
constexpr int IDC_PERCENT = 1078;
constexpr int IDC_CHECK = 1;
constexpr int IDC_FORMAT = 1107;
constexpr int IDC_RESET = 1000;
constexpr const char* NoResponse = "No response from logger!";

using LoggerChoiceTest = OperationDlgFixture;

Texts Counts(QWidget* dlg)
{
    return {Text(dlg, IDC_COUNT), Text(dlg, IDC_PERCENT)};
}

TEST_F(LoggerChoiceTest, TheListOffersTheIdsOfTheLine)
{
    auto single = Open<CFormatDlg>();
    EXPECT_EQ(Entries(single.get(), IDC_ID), Texts{"1"});

    UseNetwork({2, 3, 7});
    auto memory = Open<CMemoryCheckDlg>();
    auto format = Open<CFormatDlg>();
    auto reset = Open<CResetDlg>();
    for (QWidget* dlg : std::initializer_list<QWidget*>{memory.get(), format.get(), reset.get()}) {
        EXPECT_EQ(Entries(dlg, IDC_ID), (Texts{"2", "3", "7"}));
        EXPECT_EQ(Text(dlg, IDC_ID), "2");
    }
    EXPECT_TRUE(SaveScreenshot(format.get(), "format"));
    EXPECT_TRUE(SaveScreenshot(reset.get(), "reset"));
}

// Each reply after one that was shown: a reply of no use empties the fields and is told.
TEST_F(LoggerChoiceTest, MemoryCheckShowsTheCountAndHowFullTheMemoryIs)
{
    auto dlg = Open<CMemoryCheckDlg>();
    sim.SetRecordCount(1, 17500);
    Click(dlg.get(), IDC_CHECK);
    EXPECT_EQ(sim.Commands(), Texts{"@01,01,memory"});
    EXPECT_EQ(Counts(dlg.get()), (Texts{"17500", "50.00"}));
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "memory_check"));

    const struct
    {
        const char* reply; // empty: silence
        Texts shown;
    } cases[] = {
        {"@01,01,memory 35000\r\n", {"35000", "100.00"}},
        {"", {"", ""}},
        {"@01,01,memory 40000\r\n", {"35000", "100.00"}},
        {"@01,01,memory 12x4\r\n", {"", ""}},
        {"@01,01,memory 0\r\n", {"0", "0.00"}},
        {"@01,01,memory 1\r\n", {"1", "0.00"}},
        {"@01,01,memory 34999\r\n", {"34999", "100.00"}},
    };
    for (const auto& c : cases) {
        boxes.requests.clear();
        sim.SetSilent(*c.reply == '\0');
        if (*c.reply)
            sim.OverrideNextReply(c.reply);
        Click(dlg.get(), IDC_CHECK);
        EXPECT_EQ(Counts(dlg.get()), c.shown) << c.reply;
        EXPECT_EQ(boxes.Texts(), c.shown[0].empty() ? Texts{NoResponse} : Texts{}) << c.reply;
        if (!boxes.requests.empty()) {
            EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
        }
    }
    EXPECT_TRUE(dlg->isVisible());
    // Figures only beside the logger they were read from.
    Type(dlg.get(), IDC_ID, "9");
    Click(dlg.get(), IDC_CHECK);
    EXPECT_EQ(Counts(dlg.get()), (Texts{"", ""}));
}

// While the query waits, neither the button, nor Enter, nor Esc starts or ends anything;
// afterwards Enter checks again and Esc closes.
TEST_F(LoggerChoiceTest, MemoryCheckIsOneQueryAtATime)
{
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    sim.SetReplyDelay(300);
    auto dlg = Open<CMemoryCheckDlg>();
    bool enabledInWait = true;
    QTimer::singleShot(100, dlg.get(), [&] {
        enabledInWait = Enabled(dlg.get(), IDC_CHECK) || Enabled(dlg.get(), IDC_ID);
        QTest::keyClick(dlg.get(), Qt::Key_Return);
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
    });
    Click(dlg.get(), IDC_CHECK);
    EXPECT_FALSE(enabledInWait);
    EXPECT_EQ(sim.Commands(), Texts{"@01,01,memory"});
    EXPECT_EQ(Text(dlg.get(), IDC_COUNT), "40");
    EXPECT_TRUE(dlg->isVisible());

    sim.SetReplyDelay(0);
    QLineEdit* field = Control<QComboBox>(dlg.get(), IDC_ID)->lineEdit();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,memory", "@01,01,memory"}));
    EXPECT_TRUE(dlg->isVisible());
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(LoggerChoiceTest, FormatErasesTheLoggerOnScreenAndStaysOpen)
{
    UseNetwork({1, 3});
    auto dlg = Open<CFormatDlg>();
    QLineEdit* field = Control<QComboBox>(dlg.get(), IDC_ID)->lineEdit();
    // Typed text naming another entry is that entry, though Qt keeps the old one current.
    Type(dlg.get(), IDC_ID, "3");
    Click(dlg.get(), IDC_FORMAT);
    EXPECT_EQ(sim.RecordCount(3), 0);
    EXPECT_EQ(sim.RecordCount(1), 40);
    EXPECT_EQ(boxes.Texts(), Texts{"Format complete!"});
    EXPECT_TRUE(dlg->isVisible());

    // Text that names no logger erases nothing.
    sim.ClearReceived();
    Type(dlg.get(), IDC_ID, "13");
    Click(dlg.get(), IDC_FORMAT);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_EQ(boxes.requests.size(), 1u);

    // Enter presses Format.
    Type(dlg.get(), IDC_ID, "1");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(sim.RecordCount(1), 0);
    EXPECT_TRUE(dlg->isVisible());
}

// Reset is told complete while the line is there; once it is gone (adapter pulled) every
// action says no answer, and the dialogs stay.
TEST_F(LoggerChoiceTest, ALineThatWentAwayGetsNoAnswer)
{
    auto reset = Open<CResetDlg>();
    Click(reset.get(), IDC_RESET);
    EXPECT_EQ(sim.Commands().at(0), "@01,01,reset");
    EXPECT_EQ(boxes.Texts(), Texts{"Reset complete!"});

    boxes.requests.clear();
    auto memory = Open<CMemoryCheckDlg>();
    sim.InjectFault(loggersim::SimFault::Vanish);
    Click(memory.get(), IDC_CHECK);
    EXPECT_EQ(Counts(memory.get()), (Texts{"", ""}));
    auto format = Open<CFormatDlg>();
    Click(format.get(), IDC_FORMAT);
    Click(reset.get(), IDC_RESET);
    EXPECT_EQ(boxes.Texts(), Texts(3, NoResponse));
    EXPECT_TRUE(format->isVisible() && reset->isVisible() && memory->isVisible());
}

} // namespace
