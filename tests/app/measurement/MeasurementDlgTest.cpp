#include "app/controls/ReportListCtrl.h"
#include "app/dialogs/MeasurementDlg.h"
#include "app/operations/OperationDlgFixture.h"
#include "res/MeasurementIds.h"

#include <QScrollBar>

namespace {

using namespace MeasurementIds;
using namespace DialogInput;
using loggersim::SimFault;

constexpr const char* NoResponse = "No response from logger!";
const Texts Logger1Headings{"Logger ID", "1A", "1B", "3A"};

// Logger 1: channel 1 with both readings, channel 3 with reading A, as after a scan.
class MeasurementTest : public OperationDlgFixture
{
protected:
    void SetUp() override
    {
        OperationDlgFixture::SetUp();
        // The line's own slices: a reply slowed by a busy machine is never taken for silence.
        CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
        SetChannel(1, 0, 1, 1, 2);
        SetChannel(1, 2, 1, 1, 0);
    }
    void TearDown() override
    {
        dlg.reset();
        OperationDlgFixture::TearDown();
    }
    // The channel in the record and on the simulated logger alike.
    void SetChannel(int id, int ch, int present, int vw, int analog)
    {
        Record().m_units[id - 1].m_channels[ch] = {present, vw, analog, 0, vw > 0 ? 20 : 0, 0};
        sim.SetChannel(id, ch, {vw > 0 ? 1 : 0, vw > 0 ? vw - 1 : 0, vw > 0 ? 20 : 0, analog});
    }
    QWidget* OpenDlg()
    {
        dlg = Open<CMeasurementDlg>();
        return dlg.get();
    }
    CReportListCtrl* Table() const { return dlg->m_list; }
    int Rows() const { return Table()->GetItemCount(); }
    void ReadSelect(const char* channel, const char* kind)
    {
        Type(dlg.get(), IDC_CHANNEL, channel);
        Type(dlg.get(), IDC_KIND, kind);
        Click(dlg.get(), IDC_READING_SELECT);
    }
    // The cells of a row, or the headings for row -1.
    Texts Row(int row) const
    {
        Texts cells;
        for (int i = 0; i < Table()->columnCount(); ++i)
            cells.push_back(row < 0 ? Table()->headerItem()->text(i).toStdString()
                                    : Table()->GetItemText(row, i));
        return cells;
    }
    // A VW reading as shown: raw / 10 with one decimal (the simulator's 15000..34999).
    static bool IsVw(const std::string& text)
    {
        const double value = QString::fromStdString(text).toDouble();
        return text.size() == 6 && text[4] == '.' && value >= 1500 && value < 3500;
    }

    std::unique_ptr<CMeasurementDlg> dlg;
};

// A new row each, the newest in view; Clear keeps the columns; the record stays as it was.
TEST_F(MeasurementTest, ReadingsLandInTheColumnsOfTheirChannels)
{
    SetChannel(1, 1, 1, 0, 0); // present, nothing set: listed, no column
    const LoggerRecord before = Record();
    QWidget* d = OpenDlg();
    EXPECT_EQ(Entries(d, IDC_LOGGER_ID), Texts{"1"});
    EXPECT_EQ(Entries(d, IDC_CHANNEL), (Texts{"1", "2", "3"}));
    ReadSelect("3", "ALL");
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,save off", "@01,01,measure 02 01 00 0020", "@01,01,save on"}));
    ReadSelect("1", "B");
    ClearReceived();
    Click(d, IDC_READING_ALL);
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,save off", "@01,01,measure all", "@01,01,save on"}));
    ASSERT_EQ(Rows(), 3);
    const Texts rows[] = {Row(0), Row(1), Row(2)};
    EXPECT_TRUE(rows[0][0] == "1" && rows[0][1] + rows[0][2] == "" && IsVw(rows[0][3]));
    EXPECT_TRUE(rows[1][1] + rows[1][3] == "" && !rows[1][2].empty());
    EXPECT_TRUE(IsVw(rows[2][1]) && !rows[2][2].empty() && IsVw(rows[2][3]));
    EXPECT_EQ(Table()->verticalScrollBar()->value(), Table()->verticalScrollBar()->maximum());
    EXPECT_TRUE(SaveScreenshot(d, "measurement"));
    ClearReceived();
    Click(d, IDC_SAVE_READING);
    ReadSelect("1", "A");
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,measure 00 01 00 0020"}));
    EXPECT_TRUE(sim.Saving(1));
    sim.OverrideNextReply("@01,01,measure 02 1 023456\r\n"); // exact, then no third field
    ReadSelect("3", "A");
    EXPECT_EQ(Row(4), (Texts{"1", "", "", "2345.6"}));
    sim.OverrideNextReply("@01,01,measure 02\r\n");
    Click(d, IDC_READING_SELECT);
    EXPECT_EQ(Row(5), (Texts{"1", "", "", ""}));
    EXPECT_TRUE(boxes.requests.empty());
    Click(d, IDC_CLEAR);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Row(-1), Logger1Headings);
    Click(d, IDC_CANCEL);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(SameRecord(before, Record()));
}

// Without a present channel only "measure all" is sent; without an ID nothing is.
TEST_F(MeasurementTest, NoEntryNoChannelOrNoIdReadsLittle)
{
    QWidget* d = OpenDlg();
    const std::tuple<const char*, const char*, const char*> entries[]
        = {{"2", "A", "1"}, {"x", "A", "1"}, {"", "A", "1"}, {"3", "C", "1"}, {"3", "B", "8"}};
    for (const auto& [channel, kind, id] : entries) {
        Type(d, IDC_LOGGER_ID, id);
        ReadSelect(channel, kind);
    }
    Click(d, IDC_READING_ALL);
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_EQ(Row(-1), Logger1Headings); // the columns stay those of logger 1

    for (int ch = 0; ch < ChannelCount; ++ch)
        Record().m_units[0].m_channels[ch].m_bPresent = 0;
    d = OpenDlg();
    EXPECT_EQ(Entries(d, IDC_CHANNEL), Texts{"NONE"});
    Click(d, IDC_READING_SELECT);
    EXPECT_TRUE(sim.Commands().empty());
    Click(d, IDC_READING_ALL); // the types still give columns
    EXPECT_EQ(sim.Commands()[1], "@01,01,measure all");
    EXPECT_EQ(Rows(), 1);
    UseNetwork({});
    d = OpenDlg();
    EXPECT_EQ(Row(-1), Texts{"Logger ID"});
    Click(d, IDC_READING_ALL);
    Click(d, IDC_READING_SELECT);
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(boxes.requests.empty());
}

// By the arrow key or a typed ID; the same ID again keeps the rows.
TEST_F(MeasurementTest, SwitchingTheLoggerEmptiesTheTableAndShowsItsColumns)
{
    UseNetwork({1, 3});
    SetChannel(3, 1, 1, 0, 4);
    SetChannel(3, 15, 1, 2, 0);
    QWidget* d = OpenDlg();
    EXPECT_EQ(Entries(d, IDC_LOGGER_ID), (Texts{"1", "3"}));
    Type(d, IDC_KIND, "B");
    Click(d, IDC_READING_ALL);
    ASSERT_EQ(Rows(), 1);
    Pick(d, IDC_LOGGER_ID, 1);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Row(-1), (Texts{"Logger ID", "2B", "16A"}));
    EXPECT_EQ(Entries(d, IDC_CHANNEL), (Texts{"2", "16"}));
    EXPECT_EQ(Text(d, IDC_KIND), "B"); // the kind stays
    ClearReceived();
    ReadSelect("16", "ALL");
    EXPECT_EQ(sim.Commands()[1], "@01,03,measure 15 01 01 0020");
    EXPECT_EQ(Row(0)[0], "3");
    EXPECT_TRUE(IsVw(Row(0)[2])) << Row(0)[2];
    Type(d, IDC_LOGGER_ID, "1");
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Row(-1), Logger1Headings);
}

// A lost line leaves its cell empty; silence and a vanished line add no row at all.
TEST_F(MeasurementTest, ALostReplyASilentLoggerOrAVanishedLineAddNoWrongRow)
{
    QWidget* d = OpenDlg();
    Click(d, IDC_SAVE_READING); // no "save off" line before the readings
    CSerialCom::SetSliceMs(10); // a lost reply costs 0.6 s; the others come long before
    sim.InjectFault(SimFault::DropReply, 0); // 1A
    ReadSelect("1", "ALL");
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Row(0)[1], "");
    EXPECT_FALSE(Row(0)[2].empty()); // 1B in its own column
    EXPECT_TRUE(boxes.requests.empty());
    sim.InjectFault(SimFault::DropReply, 3); // the fourth line: 1B of channel 2, not set
    Click(d, IDC_READING_ALL);
    EXPECT_EQ(boxes.Texts(), Texts{CMeasurementDlg::NotEveryReading});
    boxes.requests.clear();
    sim.SetSilent(true);
    CSerialCom::SetSliceMs(1); // no reply to wait for
    Click(d, IDC_SAVE_READING);
    ReadSelect("3", "ALL"); // "save on" unanswered three times: the logger may not be saving
    Click(d, IDC_SAVE_READING);
    Click(d, IDC_READING_ALL);
    sim.SetSilent(false);
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    sim.InjectFault(SimFault::Vanish, 4); // A0, B0, A1, B1, then half of A2: no row
    Click(d, IDC_READING_ALL);
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    ReadSelect("1", "ALL"); // on the closed line a reading ends at once
    const char* const NotSaving = CMeasurementDlg::NoResponseNotSaving;
    const char* const Incomplete = CMeasurementDlg::NotEveryReading;
    EXPECT_EQ(boxes.Texts(), (Texts{NotSaving, NoResponse, Incomplete, NoResponse}));
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(dlg->isVisible());
}

} // namespace
