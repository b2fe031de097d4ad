// The operator may stop a download; a line that goes away at any moment never costs a record.

#include "DownloadFixture.h"

#include "platform/Format.h"

#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <random>
#include <set>

namespace {

using loggersim::SimFault;

constexpr int CancelButton = 1004;

class DownloadStopTest : public DownloadFixture
{
protected:
    // Two periodic loggers of 40 records on a line at its own pace, with erase.
    void SetUpNetwork(loggersim::LoggerSim& line)
    {
        line.SetLoggers({1, 2});
        line.SetPaced(true);
        Record().m_bSingle = 0;
        Record().m_bLoggerUsed[0] = Record().m_bLoggerUsed[1] = 1;
        Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
        Record().m_units[1].m_schedule.m_nScheduleMode = SchedulePeriodic;
        Record().m_bEraseAfterReceive = 1;
    }

    static QAbstractButton* Cancel(QWidget* dialog)
    {
        for (auto* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->property("controlId").toInt() == CancelButton)
                return button;
        }
        return nullptr;
    }
};

// Cancel, Esc and the close box each stop the download after the record being read: the
// "stop" box, the table built from what arrived, no erase, no further logger, no closing box.
TEST_F(DownloadStopTest, EveryWayOfAskingStopsAfterTheRecordBeingRead)
{
    ShortSlices();
    SetUpNetwork(sim);
    using Ask = std::function<void(QWidget*)>;
    const std::pair<const char*, Ask> ways[]
        = {{"Cancel",
               [](QWidget* dialog) {
                   QAbstractButton* cancel = Cancel(dialog);
                   ASSERT_NE(cancel, nullptr);
                   ASSERT_TRUE(cancel->isVisible());
                   EXPECT_TRUE(SaveScreenshot(dialog, "data_receive"));
                   QTest::mouseClick(cancel, Qt::LeftButton);
               }},
            {"Esc", [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
            {"close box", [](QWidget* dialog) { dialog->close(); }}};
    for (const auto& [name, ask] : ways) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(QDir(QString::fromStdString(Folder() + "Site1")).removeRecursively());
        sim.ClearReceived();
        boxes.requests.clear();
        bool visibleBeforeStart = true;
        ModalDriver driver;
        driver.Then([&](QWidget* dialog) {
            visibleBeforeStart = Cancel(dialog)->isVisible();
            // About ten records into logger 1 at the line's pace.
            QTimer::singleShot(200, dialog, [dialog, ask] { ask(dialog); });
        });
        Receive();
        EXPECT_FALSE(visibleBeforeStart);
        const auto raw = FileLines(Acc(1));
        EXPECT_GT(raw.size(), 0u);
        EXPECT_LT(raw.size(), 40u);
        EXPECT_GE(FileLines(Csv(1)).size(), 2u);
        EXPECT_FALSE(Sent("@01,01,memory init"));
        EXPECT_FALSE(Sent("@01,02,memory"));
        EXPECT_EQ(sim.RecordCount(1), 40);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"stop"});
    }
}

// The line is pulled at a random reply line of a paced download of two loggers with erase:
// a logger is erased only when every one of its records is in its raw file, and the download
// never says it is complete.
TEST_F(DownloadStopTest, ALinePulledAtAnyMomentNeverCostsARecord)
{
    // Reply lines: per logger its count, the head of data load, 40 records, its count again
    // and the erase.
    constexpr int LinesPerLogger = 44;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        const int at = std::uniform_int_distribution<int>(0, 2 * LinesPerLogger - 1)(random);
        SCOPED_TRACE(FormatString("seed %u, line %d", seed, at));
        ASSERT_TRUE(QDir(QString::fromStdString(Folder() + "Site1")).removeRecursively());
        loggersim::LoggerSim line(DefaultOptions());
        ASSERT_TRUE(line.Start());
        qputenv(
            FormatString("QUORBEL_COM%d", ComPort).c_str(), QByteArray::fromStdString(line.Path()));
        ASSERT_TRUE(OpenPort());
        CSerialCom::SetSliceMs(5); // long enough to see the close within a reply's silence
        SetUpNetwork(line);
        const std::vector<std::string> records[] = {line.Records(1), line.Records(2)};
        boxes.requests.clear();
        line.InjectFault(SimFault::Vanish, at);
        Receive();

        for (int id = 1; id <= 2; ++id) {
            if (line.RecordCount(id) == 40)
                continue; // kept
            const auto raw = FileLines(Acc(id));
            const std::set<std::string> onDisk(raw.begin(), raw.end());
            for (const std::string& record : records[id - 1])
                ASSERT_EQ(onDisk.count(record), 1u)
                    << "logger " << id << " erased without " << record;
        }
        const std::vector<std::string> texts = boxes.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Data receiving complete!"), 0);
        // The port closes once the link has seen the line go, at the latest from the event loop.
        EXPECT_TRUE(QTest::qWaitFor([] { return !g_port.m_Serial.IsOpen(); }, WaitMs));
        line.Stop();
    }
}

} // namespace
