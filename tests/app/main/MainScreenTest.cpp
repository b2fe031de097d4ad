#include "MainWindowFixture.h"

#include "app/controls/ReportListCtrl.h"
#include "app/dialogs/MeasurementDlg.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "support/ModalDriver.h"
#include "support/Screenshot.h"

namespace {

class MainScreenTest : public MainWindowFixture
{
protected:
    Strings Information() const
    {
        return {Text(IDC_QUANTITY), Text(IDC_LOGGER_COUNT), Text(IDC_COM_PORT), Text(IDC_NETWORK),
            Text(IDC_RECEIVE_SCHEDULE), Text(IDC_ERASE_SCHEDULE)};
    }
};

// Closing packs the table and reloads the screen with the first entry current.
TEST_F(MainScreenTest, TheChosenEntryFillsThePanelAndCloseLoggerReloadsIt)
{
    LoggerRecord rs485 = Network("Dam", {2, 5}, true, 60);
    rs485.m_nReceiveDelay = 30; // the delay is off: it reads 0
    LoggerRecord zigbee = Network("Pier", {1, 3, 7}, false, 120, 30);
    zigbee.m_bEraseAfterReceive = 1;
    OpenConfigurations({Single("Tunnel", 4), rs485, zigbee});
    EXPECT_EQ(Information(), (Strings{"Single", "1 Nos", "COM 4", "None", "Not used", "Not used"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), Strings{"01"});
    List()->setCurrentRow(1);
    EXPECT_EQ(NameCombo()->currentIndex(), 1);
    EXPECT_EQ(Information(),
        (Strings{
            "Multiple (2 Nos)", "2 Nos", "COM 1", "RS485", "60 min, Delay 0 min", "Not used"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), (Strings{"02", "05"}));
    EXPECT_EQ(Text(IDC_LOGGER_ID_COMBO), "02");
    NameCombo()->setCurrentIndex(2);
    emit NameCombo()->activated(2);
    EXPECT_EQ(std::pair(List()->currentRow(), g_nCurLogger), std::pair(2, 2));
    EXPECT_EQ(Information(),
        (Strings{"Multiple (3 Nos)", "3 Nos", "COM 1", "Zigbee", "120 min, Delay 30 min",
            "Every received"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), (Strings{"01", "03", "07"}));
    frame->show();
    EXPECT_TRUE(SaveScreenshot(frame.get(), "main_window"));

    List()->setCurrentRow(1);
    view->OnBnClickedCloseLogger();
    EXPECT_EQ(FieldText(g_loggers[1].m_szName), "Pier");
    EXPECT_EQ(Items(IDC_LOGGER_LIST), (Strings{"Tunnel", "Pier"}));
    EXPECT_EQ(Items(IDC_LOGGER_COMBO), (Strings{"Tunnel", "Pier"}));
    EXPECT_EQ(std::pair(List()->currentRow(), g_nCurLogger), std::pair(0, 0));
    EXPECT_EQ(Text(IDC_COM_PORT), "COM 4");
    for (int i = 0; i < 3; ++i) // the last with nothing left to close
        view->OnBnClickedCloseLogger();
    EXPECT_EQ(g_nLoggerCount, 0);
    EXPECT_TRUE(Items(IDC_LOGGER_LIST).empty());
    EXPECT_EQ(Information(), Strings(6));
    EXPECT_EQ(ScreenOn(), std::set<int>{IDC_OPEN_LOGGER}) << "all closed";
    OpenConfigurations({Single("C", 3, 60)});
    OpenConfigurations({});
    EXPECT_TRUE(Items(IDC_LOGGER_COMBO).empty());
    EXPECT_EQ(Information(), Strings(6));
    EXPECT_EQ(ScreenOn(), std::set<int>{IDC_OPEN_LOGGER}) << "none opened";
}

// A network without records: the dialog shows what the scan found; GOOD needs no records.
TEST_F(MainScreenTest, MeasurementScansTheNetworkAndCallLightsTheLamps)
{
    CWaitPopupDlg::StartDelayMs = CWaitPopupDlg::CloseDelayMs = 5;
    ASSERT_TRUE(StartLine({2, 5}, 0));
    for (int id : {2, 5})
        for (int ch = 0; ch < ChannelCount; ++ch)
            sim.SetChannel(id, ch, {});
    sim.SetChannel(5, 3, {0, 0, 0, 2});
    LoggerRecord network = Network("Dam", {2, 5}, true);
    network.m_nComPort = SimComPort;
    OpenConfigurations({network});
    ConnectLine();
    sim.ClearReceived();
    Strings shown; // the second ID, then the columns shown once it is chosen
    bool lineBusy = false;
    ModalDriver driver;
    driver.Then([](QWidget*) {}).Then([&](QWidget* modal) { // the scan's popup, the dialog
        auto* dlg = qobject_cast<CMeasurementDlg*>(modal);
        ASSERT_NE(dlg, nullptr);
        lineBusy = !Enabled(IDC_MEASUREMENT);
        shown.push_back(dlg->m_cboLogger->itemText(1).toStdString());
        dlg->m_cboLogger->setCurrentIndex(1);
        emit dlg->m_cboLogger->activated(1);
        for (int i = 1; i < dlg->m_list->columnCount(); ++i)
            shown.push_back(dlg->m_list->headerItem()->text(i).toStdString());
        ClickItem(modal, 1004);
    });
    ASSERT_TRUE(Enabled(IDC_MEASUREMENT));
    Click(IDC_MEASUREMENT);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(sim.Commands(), (Strings{"@01,02,channel all", "@01,05,channel all"}));
    EXPECT_EQ(shown, (Strings{"5", "4B"})); // 4B: what the scan found on logger 5
    EXPECT_TRUE(lineBusy && Enabled(IDC_MEASUREMENT));
    CWaitPopupDlg::StartDelayMs = 100;
    CWaitPopupDlg::CloseDelayMs = 500;

    const auto lampAfterCall = [this](int idIndex) {
        view->ItemAs<QComboBox>(IDC_LOGGER_ID_COMBO)->setCurrentIndex(idIndex);
        sim.ClearReceived();
        view->OnBnClickedCall();
        return sim.Commands().back() + (Enabled(IDC_LAMP_GOOD) ? " GOOD" : "")
            + (Enabled(IDC_LAMP_BAD) ? " BAD" : "");
    };
    EXPECT_EQ(lampAfterCall(1), "@01,05,memory GOOD");
    sim.SetSilent(true);
    CSerialCom::SetSliceMs(1); // no reply to wait for
    EXPECT_EQ(lampAfterCall(0), "@01,02,memory BAD");
    sim.SetSilent(false);
    CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs);
    EXPECT_EQ(lampAfterCall(0), "@01,02,memory GOOD");
    EXPECT_TRUE(boxes.requests.empty());
    frame->show();
    EXPECT_TRUE(SaveScreenshot(frame.get(), "main_window_connected"));
}

} // namespace
