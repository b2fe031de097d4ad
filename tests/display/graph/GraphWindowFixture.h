#pragma once

#include "app/MeasuredReading.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "display/DataGraphDlg.h"
#include "link/LoggerCommand.h"
#include "platform/Format.h"
#include "platform/TextNumber.h"
#include "res/GraphIds.h"

#include "loggersim/SimRecords.h"
#include "support/sim/SimLineFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;
using namespace GraphIds;

// The graph window shown on an open simulated line (logger 1, seed 11), its popups quick.
// Plotted: reading A of channel 1 (index 0), reading B (mV) of channel 4, reading A of
// channel 6.
class GraphWindowFixture : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ShortSlices();
        CWaitPopupDlg::StartDelayMs = 1;
        CWaitPopupDlg::CloseDelayMs = 1;
        ASSERT_TRUE(OpenPort());
        Channel(0).m_nVwType = 1;
        Channel(3).m_nAnalogType = MillivoltType;
        Channel(5).m_nVwType = 2;
        Record().m_bGraphSeriesA[0][0] = 1;
        Record().m_bGraphSeriesB[0][3] = 1;
        Record().m_bGraphSeriesA[0][5] = 1;
        Record().m_nGraphPeriod = 5;
    }
    void TearDown() override
    {
        dlg.reset();
        CWaitPopupDlg::StartDelayMs = 100;
        CWaitPopupDlg::CloseDelayMs = 500;
        SimLineFixture::TearDown();
    }

    void Open()
    {
        dlg = std::make_unique<CDataGraphDlg>();
        dlg->Create();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    ChannelConfig& Channel(int ch) { return Record().m_units[0].m_channels[ch]; }
    QWidget* Item(int id) const { return dlg->Item(id); }
    bool Enabled(int id) const { return Item(id)->isEnabled(); }
    std::string Caption(int id) const { return dlg->Controls().ItemText(id); }
    void Click(int id)
    {
        QWidget* item = Item(id);
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    }
    void SetInterval(const char* text)
    {
        auto* edit = dlg->ItemAs<QLineEdit>(IDC_INTERVAL);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    // Enter in the interval's field.
    void EnterInInterval() { QTest::keyClick(Item(IDC_INTERVAL), Qt::Key_Return); }
    // Runs what happens at the next turn of the event loop, inside whatever runs then.
    static void Soon(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

    // The value the graph takes from the simulator's count-th reading (1-based, counted over
    // every reading the logger gave) of a channel: A as the VW reading, else B of type kind.
    static float SimValue(int ch, int kind, uint64_t count)
    {
        const int raw = loggersim::SimReading(11, 1, ch, kind, count);
        const std::string reply = FormatString("%02d %d %06d", ch, kind, raw);
        const std::string line = ConvertMeasureReply(reply, kind == 1 ? 'A' : 'B', kind);
        return static_cast<float>(LeadingDouble(LoggerCommand::Field(line, 2)));
    }

    static constexpr int MillivoltType = 4;
    std::unique_ptr<CDataGraphDlg> dlg;
};
