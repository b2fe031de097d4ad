#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "display/DataViewDlg.h"
#include "record/LoggerRecord.h"
#include "res/DataViewIds.h"

#include "loggersim/LoggerSim.h"
#include "support/DialogInput.h"
#include "support/Screenshot.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>

namespace {

// A single logger "Site1" whose folder lies in a temporary folder, table files written into
// it, and the data window on it.
class DataViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        record = NewLoggerRecord("Site1", dir.path().toStdString() + "/");
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(LoggerFolderPath(record))));
    }
    void WriteTable(int id, const QByteArray& bytes) const
    {
        QFile file(QString::fromStdString(Path(id)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // A network of these IDs, each with a table whose heading names its ID.
    void NetworkWithTables(std::initializer_list<int> ids)
    {
        record.m_bSingle = 0;
        for (int id : ids) {
            record.m_bLoggerUsed[id - 1] = 1;
            WriteTable(id, "Measured Date,Time,T" + QByteArray::number(id) + "\r\n1,2,3\r\n");
        }
    }
    // Makes the window and runs its initialisation, as DoModal does before its loop.
    void Open()
    {
        dlg = std::make_unique<CDataViewDlg>(record);
        dlg->Create();
    }
    std::string Path(int id) const { return CsvFilePath(record, id); }
    CDataGrid& Grid() const { return dlg->Grid(); }
    Texts Row(int row) const
    {
        Texts texts;
        for (int col = 0; col < Grid().GetColumnCount(); ++col)
            texts.push_back(Grid().GetCellText(row, col));
        return texts;
    }
    std::string Shown() const { return Grid().GetCellText(0, 2); }
    QComboBox* IdList() const { return dlg->ItemAs<QComboBox>(DataViewIds::IDC_LOGGER_ID); }
    Texts ListedIds() const
    {
        Texts ids;
        for (int i = 0; i < IdList()->count(); ++i)
            ids.push_back(IdList()->itemText(i).toStdString());
        return ids;
    }
    bool HasGrid() const { return Grid().IsWindowCreated() && !Grid().isHidden(); }
    void Type(const char* text)
    {
        DialogInput::Type(dlg.get(), DataViewIds::IDC_LOGGER_ID, text);
        DialogInput::Key(dlg.get(), DataViewIds::IDC_LOGGER_ID, Qt::Key_Return);
    }

    QTemporaryDir dir;
    LoggerRecord record{};
    std::unique_ptr<CDataViewDlg> dlg;
};

TEST_F(DataViewTest, TableShapesGiveTheirGridOrNone)
{
    const QByteArray wide = QByteArray(16383, ',') + "\r\n";
    QByteArray tall;
    tall.reserve(20'000'004);
    for (int i = 0; i < 10'000'001; ++i)
        tall += ",\n";
    const struct
    {
        const char* name;
        QByteArray bytes;
        int rows, cols; // 0: no grid
        std::string notice; // after the path
    } shapes[] = {
        {"first line without a comma", "Date\r\n2024/01/05\r\n", 2, 2, ""},
        {"heading line alone", "Measured Date,Time,1A\r\n", 1, 3, ""},
        {"empty line in the middle", "D,T\r\na,b\r\n\r\nc,d\r\n", 2, 2, ""},
        {"LF line ends, no end on the last", "D,T\na,b\nc,d", 3, 2, ""},
        {"empty file", "", 0, 0, " is empty."},
        {"empty first line", "\r\nD,T\r\na,b\r\n", 0, 0, " is empty."},
        {"the widest", wide + wide, 2, 16384, ""},
        {"too wide", "," + wide + wide, 0, 0, " is too large to show (2 rows, 16385 columns)."},
        {"too tall for memory: refused before a cell is made", tall, 0, 0,
            " is too large to show (10000001 rows, 2 columns)."},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.name);
        WriteTable(1, shape.bytes);
        Open();
        EXPECT_EQ(HasGrid(), shape.rows > 0);
        EXPECT_EQ(std::make_pair(Grid().GetRowCount(), Grid().GetColumnCount()),
            std::make_pair(shape.rows, shape.cols));
        EXPECT_EQ(dlg->NoticeText(),
            shape.notice.empty() ? "" : "The table file " + Path(1) + shape.notice);
    }
}

TEST_F(DataViewTest, CellsHoldTheFieldsVerbatimWithFixedHeadingsAndTheirSizes)
{
    WriteTable(1,
        "Measured Date,Time,1A,1B\r\n2024/01/05,10:00:00,1234.5,999999\r\n2024/01/05,10:10:00\r\n"
        "2024/01/05,10:20:00,1,2,3,4\r\n x ,,\"q\",\r\n");
    Open();
    ASSERT_EQ(Grid().GetRowCount(), 5);
    EXPECT_EQ(Row(0), (Texts{"Measured Date", "Time", "1A", "1B"})); // no CR in the last
    EXPECT_EQ(Row(1), (Texts{"2024/01/05", "10:00:00", "1234.5", "999999"}));
    EXPECT_EQ(Row(2), (Texts{"2024/01/05", "10:10:00", "", ""}));
    EXPECT_EQ(Row(3), (Texts{"2024/01/05", "10:20:00", "1", "2"}));
    EXPECT_EQ(Row(4), (Texts{" x ", "", "\"q\"", ""}));
    // One heading row and two heading columns.
    EXPECT_TRUE(Grid().GetCell(0, 2)->IsInFixedRow() && !Grid().GetCell(1, 2)->IsInFixedRow());
    EXPECT_TRUE(
        Grid().GetCell(1, 1)->IsInFixedColumn() && !Grid().GetCell(1, 2)->IsInFixedColumn());
    EXPECT_EQ((std::vector<int>{Grid().GetColumnWidth(0), Grid().GetColumnWidth(1),
                  Grid().GetColumnWidth(3), Grid().GetRowHeight(0), Grid().GetRowHeight(4)}),
        (std::vector<int>{130, 95, 80, 27, 22}));
}

TEST_F(DataViewTest, ASingleLoggerListsId1AndANetworkOfNoIdShowsTheTableOfId0)
{
    WriteTable(1, "Measured Date,Time,T1\r\n");
    record.m_bLoggerUsed[4] = 1; // a single logger lists ID 1 whatever the network says
    Open();
    EXPECT_EQ(ListedIds(), Texts{"1"});
    EXPECT_EQ(Shown(), "T1");
    record.m_bSingle = 0;
    record.m_bLoggerUsed[4] = 0;
    Open();
    EXPECT_EQ(ListedIds(), Texts{});
    // Its table missing, the window shows nothing and says nothing.
    EXPECT_FALSE(HasGrid());
    EXPECT_EQ(dlg->NoticeText(), "");
    WriteTable(0, "Measured Date,Time,T0\r\n");
    Open();
    EXPECT_EQ(Shown(), "T0");
}

// The list holds the network's IDs and shows the first. Only a choice from the list loads a
// table: by keys, by the dropped list, or by typing a listed ID and Return. The window stays
// open, and each table gets a grid built anew.
TEST_F(DataViewTest, AChoiceFromTheListLoadsItsTableInAGridBuiltAnew)
{
    NetworkWithTables({7, 3, 2});
    QByteArray many = "Measured Date,Time,T3\r\n";
    for (int i = 0; i < 200; ++i)
        many += "2024/01/05,10:00:00,1.0\r\n";
    WriteTable(3, many);
    Open();
    dlg->show();
    EXPECT_EQ(ListedIds(), (Texts{"2", "3", "7"}));
    ASSERT_EQ(Shown(), "T2");
    for (const char* unlisted : {"5", ""}) {
        Type(unlisted);
        EXPECT_EQ(Shown(), "T2") << unlisted;
    }
    Type("7");
    EXPECT_EQ(Shown(), "T7");
    EXPECT_EQ(IdList()->currentIndex(), 2);
    EXPECT_TRUE(dlg->isVisible());
    QTest::keyClick(IdList(), Qt::Key_Up);
    EXPECT_EQ(Shown(), "T3");
    Grid().SetCellState(5, 2, GCS_SELECTED);
    Grid().SetColumnWidth(0, 300);
    Grid().SetRowHeight(1, 60);
    Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->maximum());
    ASSERT_GT(Grid().verticalScrollBar()->value(), 0);
    IdList()->showPopup();
    QAbstractItemView* popup = IdList()->view();
    const QModelIndex first = popup->model()->index(0, 0);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(first).center());
    EXPECT_EQ(Shown(), "T2");
    EXPECT_EQ(Grid().GetSelectedCount(), 0);
    EXPECT_EQ(Grid().GetColumnWidth(0), 130);
    EXPECT_EQ(Grid().GetRowHeight(1), 22);
    EXPECT_EQ(Grid().verticalScrollBar()->value(), 0);
    EXPECT_EQ(Grid().GetRowCount(), 2);
    // Setting the entry from code is no choice of the operator's.
    IdList()->setCurrentIndex(2);
    EXPECT_EQ(Shown(), "T2");
    // The grid, and the notice in its place, keep their margins when the window is resized.
    dlg->resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(Grid().geometry(), QRect(14, 45, 500 - 24, 300 - 65));
    WriteTable(3, "");
    Type("3");
    ASSERT_FALSE(HasGrid());
    dlg->resize(700, 500);
    QApplication::processEvents();
    QRect notice;
    for (QLabel* label : dlg->findChildren<QLabel*>())
        if (label->text().startsWith("The table file") && label->isVisible())
            notice = label->geometry();
    EXPECT_EQ(notice, QRect(14, 45, 676, 435));
}

TEST_F(DataViewTest, ATableOfTheSimulatorsRecordsOnScreen)
{
    loggersim::LoggerSim sim;
    sim.SetLoggers({1});
    sim.SetRecordCount(1, 32 * 60);
    AccFile raw(AccFilePath(record, 1));
    ASSERT_TRUE(raw.Open());
    for (const std::string& line : sim.Records(1))
        ASSERT_TRUE(raw.AppendLine(line));
    ASSERT_TRUE(RebuildCsvFile(record, 1, raw));
    Open();
    dlg->show();
    QApplication::processEvents();
    ASSERT_TRUE(HasGrid());
    EXPECT_EQ(
        std::make_pair(Grid().GetRowCount(), Grid().GetColumnCount()), std::make_pair(61, 34));
    EXPECT_EQ(Grid().GetCellText(0, 0), "Measured Date");
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "data_window"));
}

} // namespace
