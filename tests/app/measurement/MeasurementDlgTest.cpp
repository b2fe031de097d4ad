#include "app/controls/ReportHeaderCtrl.h"
#include "app/controls/ReportListCtrl.h"
#include "app/dialogs/MeasurementDlg.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "res/MeasurementIds.h"

#include "support/Screenshot.h"
#include "support/sim/SimLineFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using namespace MeasurementIds;
using Texts = std::vector<std::string>;
using loggersim::SimChannel;
using loggersim::SimFault;

constexpr const char* NoResponse = "No response from logger!";

// The dialog on an open simulated line of logger 1 whose channel 1 has both readings and
// channel 3 reading A, as a scan would have left the record; popups start 5 ms after they
// open and close 5 ms after their jobs.
class MeasurementTest : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ShortSlices();
        CWaitPopupDlg::StartDelayMs = 5;
        CWaitPopupDlg::CloseDelayMs = 5;
        SetChannel(1, 0, 1, 1, 2);
        SetChannel(1, 2, 1, 1, 0);
        ASSERT_TRUE(OpenPort());
    }

    void TearDown() override
    {
        dlg.reset();
        CWaitPopupDlg::StartDelayMs = 100;
        CWaitPopupDlg::CloseDelayMs = 500;
        SimLineFixture::TearDown();
    }

    // The channel in the record and on the simulated logger alike.
    void SetChannel(int id, int ch, int present, int vw, int analog)
    {
        Record().m_units[id - 1].m_channels[ch] = {present, vw, analog, 0, vw > 0 ? 20 : 0, 0};
        sim.SetChannel(
            id, ch, SimChannel{vw > 0 ? 1 : 0, vw > 0 ? vw - 1 : 0, vw > 0 ? 20 : 0, analog});
    }

    void Open()
    {
        dlg = std::make_unique<CMeasurementDlg>();
        dlg->Create();
        dlg->show();
        sim.ClearReceived();
    }

    QComboBox* List(int id) const { return dlg->ItemAs<QComboBox>(id); }
    CReportListCtrl* Table() const { return dlg->m_list; }
    void Click(int id)
    {
        auto* button = dlg->ItemAs<QAbstractButton>(id);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    // Types into a list's edit field as the operator would.
    void Type(int id, const char* text)
    {
        QLineEdit* edit = List(id)->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void Choose(int id, const char* entry)
    {
        Type(id, entry);
        ASSERT_EQ(List(id)->currentText().toStdString(), entry);
    }
    void ReadSelect(const char* channel, const char* kind)
    {
        Choose(IDC_CHANNEL, channel);
        Choose(IDC_KIND, kind);
        Click(IDC_READING_SELECT);
    }

    Texts Items(int id) const
    {
        Texts items;
        for (int i = 0; i < List(id)->count(); ++i)
            items.push_back(List(id)->itemText(i).toStdString());
        return items;
    }
    Texts Headings() const
    {
        Texts headings;
        for (int i = 0; i < Table()->columnCount(); ++i)
            headings.push_back(Table()->headerItem()->text(i).toStdString());
        return headings;
    }
    Texts Row(int row) const
    {
        Texts cells;
        for (int i = 0; i < Table()->columnCount(); ++i)
            cells.push_back(Table()->GetItemText(row, i));
        return cells;
    }
    // A VW reading as shown: raw / 10 with one decimal (the simulator's 15000..34999).
    static bool IsVw(const std::string& text)
    {
        static const QRegularExpression form(
            QStringLiteral("^(1[5-9]|2[0-9]|3[0-4])[0-9]{2}\\.[0-9]$"));
        return form.match(QString::fromStdString(text)).hasMatch();
    }

    std::unique_ptr<CMeasurementDlg> dlg;
};

TEST_F(MeasurementTest, OpensWithTheLoggersChannelsKindsAndReadingColumns)
{
    SetChannel(1, 1, 1, 0, 0); // present, nothing set: listed, no column
    Open();
    EXPECT_EQ(dlg->windowTitle(), "Measurement");
    EXPECT_EQ(Items(IDC_LOGGER_ID), Texts{"1"});
    EXPECT_EQ(Items(IDC_CHANNEL), (Texts{"1", "2", "3"}));
    EXPECT_EQ(Items(IDC_KIND), (Texts{"ALL", "A", "B"}));
    EXPECT_EQ(List(IDC_CHANNEL)->currentText(), "1");
    EXPECT_EQ(List(IDC_KIND)->currentText(), "ALL");
    EXPECT_FALSE(dlg->ItemAs<QAbstractButton>(IDC_SAVE_READING)->isChecked());
    EXPECT_EQ(Headings(), (Texts{"Logger ID", "1A", "1B", "3A"}));
    EXPECT_EQ(Table()->m_nColumns, 5);
    EXPECT_EQ(Table()->GetColumnWidth(0), 90);
    EXPECT_EQ(Table()->GetColumnWidth(3), 55);
    EXPECT_EQ(Table()->m_header->SectionFormat(2), Qt::AlignHCenter);
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_EQ(Table()->m_header->m_crBack, QColor(255, 255, 0));
    EXPECT_EQ(Table()->m_header->m_crLine, QColor(205, 205, 0));
    EXPECT_EQ(Table()->m_header->m_crText, QColor(0, 0, 0));
    EXPECT_EQ(Table()->m_header->font().pixelSize(), 13);
    EXPECT_TRUE(Table()->m_header->font().bold());
    const QFont buttons = dlg->Item(IDC_READING_ALL)->font();
    EXPECT_TRUE(buttons.bold() && buttons.pixelSize() == 12);
    EXPECT_EQ(dlg->Item(IDC_READING_SELECT)->font(), buttons);
    EXPECT_TRUE(sim.Commands().empty());
}

TEST_F(MeasurementTest, SelectedChannelValuesLandInTheirOwnColumns)
{
    Open();
    ReadSelect("3", "ALL");
    ASSERT_EQ(Table()->GetItemCount(), 1);
    Texts row = Row(0);
    EXPECT_EQ(row[0], "1");
    EXPECT_EQ(row[1], "");
    EXPECT_EQ(row[2], "");
    EXPECT_TRUE(IsVw(row[3])) << row[3];
    EXPECT_EQ(sim.Commands(),
        (Texts{"@01,01,save off", "@01,01,measure 02 01 00 0020", "@01,01,save on"}));

    ReadSelect("1", "B");
    ASSERT_EQ(Table()->GetItemCount(), 2);
    row = Row(1);
    EXPECT_EQ(row[1], "");
    EXPECT_FALSE(row[2].empty());
    EXPECT_EQ(row[3], "");

    ReadSelect("1", "ALL");
    row = Row(2);
    EXPECT_TRUE(IsVw(row[1])) << row[1];
    EXPECT_FALSE(row[2].empty());
    EXPECT_EQ(row[3], "");
    EXPECT_TRUE(boxes.requests.empty());
    // The newest row is in view.
    EXPECT_EQ(Table()->verticalScrollBar()->value(), Table()->verticalScrollBar()->maximum());
}

TEST_F(MeasurementTest, AnExactReplyAndOneWithoutAThirdField)
{
    Open();
    Click(IDC_SAVE_READING);
    Choose(IDC_CHANNEL, "3");
    Choose(IDC_KIND, "A");
    sim.OverrideNextReply("@01,01,measure 02 1 023456\r\n");
    Click(IDC_READING_SELECT);
    EXPECT_EQ(Row(0), (Texts{"1", "", "", "2345.6"}));
    sim.OverrideNextReply("@01,01,measure 02\r\n");
    Click(IDC_READING_SELECT);
    EXPECT_EQ(Row(1), (Texts{"1", "", "", ""}));
    EXPECT_TRUE(boxes.requests.empty());
}

TEST_F(MeasurementTest, ColumnOffsetsAndTheScrollTowardsTheChannel)
{
    SetChannel(1, 4, 1, 0, 3); // channel 5: analog only
    const LoggerUnit& unit = Record().m_units[0];
    EXPECT_EQ(SelectColumnOffset(unit, 0, 0), 0);
    EXPECT_EQ(SelectColumnOffset(unit, 0, 2), 1); // 1B after 1A
    EXPECT_EQ(SelectColumnOffset(unit, 2, 0), 2);
    EXPECT_EQ(SelectColumnOffset(unit, 4, 2), 3); // no VW: B is the first column
    EXPECT_EQ(SelectColumnOffset(unit, 4, 0), 3);

    Open();
    dlg->resize(150, 400);
    QApplication::processEvents();
    ReadSelect("3", "ALL");
    QScrollBar* across = Table()->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 31 * 2 + 90);
    EXPECT_EQ(across->value(), 31 * 2 + 90);
    ReadSelect("1", "A");
    EXPECT_EQ(across->value(), 90);
}

TEST_F(MeasurementTest, ReadingAllSetSensorsFillsEveryColumnOfItsRow)
{
    Open();
    Click(IDC_READING_ALL);
    ASSERT_EQ(Table()->GetItemCount(), 1);
    const Texts row = Row(0);
    EXPECT_EQ(row[0], "1");
    EXPECT_TRUE(IsVw(row[1])) << row[1];
    EXPECT_FALSE(row[2].empty());
    EXPECT_TRUE(IsVw(row[3])) << row[3];
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,save off", "@01,01,measure all", "@01,01,save on"}));
    EXPECT_TRUE(boxes.requests.empty());

    Click(IDC_READING_ALL);
    EXPECT_EQ(Table()->GetItemCount(), 2);
    Click(IDC_CLEAR);
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_EQ(Headings().size(), 4u); // Clear keeps the columns
}

TEST_F(MeasurementTest, WithTheSaveCheckOnTheLoggerHearsNoSaveCommand)
{
    Open();
    Click(IDC_SAVE_READING);
    Click(IDC_READING_ALL);
    ReadSelect("1", "A");
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,measure all", "@01,01,measure 00 01 00 0020"}));
    EXPECT_EQ(Table()->GetItemCount(), 2);
    EXPECT_TRUE(sim.Saving(1));
}

TEST_F(MeasurementTest, NoChannelPresentOffersNoneAndReadsOnlyAll)
{
    for (int ch = 0; ch < ChannelCount; ++ch)
        Record().m_units[0].m_channels[ch].m_bPresent = 0;
    Open();
    EXPECT_EQ(Items(IDC_CHANNEL), Texts{"NONE"});
    Click(IDC_READING_SELECT);
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(Table()->GetItemCount(), 0);
    // The types still give columns, and "measure all" is still sent.
    Click(IDC_READING_ALL);
    EXPECT_EQ(sim.Commands()[1], "@01,01,measure all");
    EXPECT_EQ(Table()->GetItemCount(), 1);
}

TEST_F(MeasurementTest, AKindTheChannelLacksMeasuresNothingAndSaysSo)
{
    SetChannel(1, 4, 1, 0, 3); // channel 5: analog only
    Open();
    ReadSelect("5", "A");
    EXPECT_EQ(sim.Commands(), (Texts{"@01,01,save off", "@01,01,save on"}));
    EXPECT_EQ(boxes.Texts(), Texts{NoResponse});
    EXPECT_EQ(Table()->GetItemCount(), 0);
}

TEST_F(MeasurementTest, TypedTextThatNamesNoEntryDoesNothing)
{
    Open();
    for (const char* channel : {"2", "17", "x", ""}) {
        Type(IDC_CHANNEL, channel);
        Click(IDC_READING_SELECT);
    }
    Choose(IDC_CHANNEL, "3");
    Type(IDC_KIND, "C");
    Click(IDC_READING_SELECT);
    Type(IDC_KIND, "b"); // an entry, case aside
    Type(IDC_LOGGER_ID, "8");
    Click(IDC_READING_SELECT);
    Click(IDC_READING_ALL);
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(boxes.requests.empty());
    // The columns stay those of logger 1.
    EXPECT_EQ(Headings(), (Texts{"Logger ID", "1A", "1B", "3A"}));
}

TEST_F(MeasurementTest, SwitchingTheLoggerEmptiesTheTableAndShowsItsColumns)
{
    sim.SetLoggers({1, 3});
    Record().m_bSingle = 0;
    Record().m_bRs485 = 1;
    Record().m_bLoggerUsed[0] = Record().m_bLoggerUsed[2] = 1;
    SetChannel(3, 1, 1, 0, 4);
    SetChannel(3, 15, 1, 2, 0);
    Open();
    EXPECT_EQ(Items(IDC_LOGGER_ID), (Texts{"1", "3"}));
    Choose(IDC_KIND, "B");
    Click(IDC_READING_ALL);
    ASSERT_EQ(Table()->GetItemCount(), 1);

    // The arrow key picks the next entry, as a choice in the list does.
    List(IDC_LOGGER_ID)->setFocus();
    QTest::keyClick(List(IDC_LOGGER_ID), Qt::Key_Down);
    ASSERT_EQ(List(IDC_LOGGER_ID)->currentText(), "3");
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_EQ(Headings(), (Texts{"Logger ID", "2B", "16A"}));
    EXPECT_EQ(Table()->m_nColumns, 4);
    EXPECT_EQ(Items(IDC_CHANNEL), (Texts{"2", "16"}));
    EXPECT_EQ(List(IDC_KIND)->currentText(), "B"); // the kind stays
    EXPECT_EQ(Table()->m_header->m_crBack, QColor(255, 255, 0));

    sim.ClearReceived();
    ReadSelect("16", "ALL");
    EXPECT_EQ(sim.Commands()[1], "@01,03,measure 15 01 01 0020");
    EXPECT_EQ(Row(0)[0], "3");
    EXPECT_TRUE(IsVw(Row(0)[2])) << Row(0)[2];

    // Typing an ID switches as well; the same ID again keeps the rows.
    Type(IDC_LOGGER_ID, "3");
    EXPECT_EQ(Table()->GetItemCount(), 1);
    Type(IDC_LOGGER_ID, "1");
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_EQ(Headings(), (Texts{"Logger ID", "1A", "1B", "3A"}));
}

TEST_F(MeasurementTest, AConfigurationWithoutIdsShowsNoChannelAndReadsNothing)
{
    Record().m_bSingle = 0;
    Record().m_bRs485 = 1;
    Open();
    EXPECT_TRUE(Items(IDC_LOGGER_ID).empty());
    EXPECT_EQ(Items(IDC_CHANNEL), Texts{"NONE"});
    EXPECT_EQ(Headings(), Texts{"Logger ID"});
    Click(IDC_READING_ALL);
    Click(IDC_READING_SELECT);
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(boxes.requests.empty());
}

TEST_F(MeasurementTest, ADroppedLineLeavesItsCellEmptyOrAddsNoRow)
{
    Open();
    Click(IDC_SAVE_READING); // no "save off" line before the readings
    sim.InjectFault(SimFault::DropReply, 0); // 1A
    ReadSelect("1", "ALL");
    ASSERT_EQ(Table()->GetItemCount(), 1);
    EXPECT_EQ(Row(0)[1], "");
    EXPECT_FALSE(Row(0)[2].empty()); // 1B in its own column
    EXPECT_TRUE(boxes.requests.empty());

    // "measure all": the fourth line (1B of channel 2, not set) is lost.
    sim.InjectFault(SimFault::DropReply, 3);
    Click(IDC_READING_ALL);
    EXPECT_EQ(Table()->GetItemCount(), 1);
    EXPECT_EQ(boxes.Texts(), Texts{CMeasurementDlg::NotEveryReading});
}

TEST_F(MeasurementTest, ASilentLoggerAddsNoRow)
{
    Open();
    sim.SetSilent(true);
    ReadSelect("3", "ALL");
    // "save on" unanswered three times: the logger may be left not saving.
    EXPECT_EQ(boxes.Texts(), Texts{CMeasurementDlg::NoResponseNotSaving});
    Click(IDC_SAVE_READING);
    Click(IDC_READING_ALL);
    Click(IDC_READING_SELECT);
    EXPECT_EQ(boxes.Texts(), (Texts{CMeasurementDlg::NoResponseNotSaving, NoResponse, NoResponse}));
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(MeasurementTest, ALineThatGoesAwayAddsNoRowAndTheDialogStays)
{
    Open();
    sim.InjectFault(SimFault::Vanish, 5); // save off, A0, B0, A1, B1, then half of A2
    Click(IDC_READING_ALL);
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_EQ(boxes.Texts(), Texts{CMeasurementDlg::NoResponseNotSaving});
    // On the closed line a reading ends at once.
    Click(IDC_SAVE_READING);
    ReadSelect("1", "ALL");
    EXPECT_EQ(boxes.Texts().back(), NoResponse);
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(MeasurementTest, TheRecordIsNotChanged)
{
    const LoggerRecord before = Record();
    Open();
    Click(IDC_READING_ALL);
    ReadSelect("1", "B");
    Type(IDC_LOGGER_ID, "1");
    Click(IDC_CANCEL);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), IDOK);
    EXPECT_EQ(std::memcmp(&before, &Record(), sizeof before), 0);
}

TEST_F(MeasurementTest, EnlargingMovesTheListAndTheTwoButtons)
{
    Open();
    const QSize clear = dlg->Item(IDC_CLEAR)->size();
    const QSize cancel = dlg->Item(IDC_CANCEL)->size();
    dlg->resize(1100, 720);
    QApplication::processEvents();
    EXPECT_EQ(Table()->geometry(), QRect(10, 130, 1080, 540));
    EXPECT_EQ(dlg->Item(IDC_CLEAR)->geometry(), QRect(QPoint(964, 13), clear));
    EXPECT_EQ(dlg->Item(IDC_CANCEL)->geometry(), QRect(QPoint(964, 680), cancel));
    // The other controls stay above the list.
    for (int id : {IDC_LOGGER_ID, IDC_CHANNEL, IDC_KIND, IDC_SAVE_READING, IDC_READING_ALL,
             IDC_READING_SELECT}) {
        EXPECT_LT(dlg->Item(id)->geometry().bottom(), 130) << id;
        EXPECT_LT(dlg->Item(id)->geometry().right(), 964) << id;
    }
}

TEST_F(MeasurementTest, ScreenshotWithReadings)
{
    SetChannel(1, 1, 1, 1, 3);
    SetChannel(1, 5, 1, 3, 4);
    Open();
    Click(IDC_READING_ALL);
    ReadSelect("3", "ALL");
    Click(IDC_READING_ALL);
    ReadSelect("6", "B");
    ASSERT_EQ(Table()->GetItemCount(), 4);
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    Table()->setFocus();
    Table()->setCurrentItem(Table()->topLevelItem(2));
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "measurement"));
}

} // namespace
