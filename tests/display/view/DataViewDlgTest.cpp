#include "data/DataFilePaths.h"
#include "display/DataViewDlg.h"
#include "display/TableFileText.h"
#include "record/LoggerRecord.h"
#include "res/DataViewIds.h"

#include "support/DialogInput.h"
#include "support/Screenshot.h"

#include <QAbstractItemView>
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
    Texts ListedIds() const { return DialogInput::Entries(dlg.get(), DataViewIds::IDC_LOGGER_ID); }
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

TEST_F(DataViewTest, CellsHoldTheFieldsVerbatimUnderFixedHeadings)
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
    record.m_bSingle = 0;
    for (int id : {7, 3, 2}) {
        record.m_bLoggerUsed[id - 1] = 1;
        WriteTable(id, "Measured Date,Time,T" + QByteArray::number(id) + "\r\n1,2,3\r\n");
    }
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
    EXPECT_TRUE(IdList()->currentIndex() == 2 && dlg->isVisible());
    QTest::keyClick(IdList(), Qt::Key_Up);
    EXPECT_EQ(Shown(), "T3");
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "data_window"));
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
    EXPECT_EQ(
        (std::vector<int>{Grid().GetSelectedCount(), Grid().GetColumnWidth(0),
            Grid().GetRowHeight(1), Grid().verticalScrollBar()->value(), Grid().GetRowCount()}),
        (std::vector<int>{0, 130, 22, 0, 2}));
    // Setting the entry from code is no choice of the operator's.
    IdList()->setCurrentIndex(2);
    EXPECT_EQ(Shown(), "T2");
}

// The reader takes files in blocks of a mebibyte: line ends, empty lines and long first lines
// across the blocks' borders read as anywhere else.
TEST_F(DataViewTest, TableTextLinesAcrossTheBlocksOfTheReadAndFilesOfNoLine)
{
    constexpr size_t Block = 1 << 20;
    TableFileText table;
    const auto read = [&](const std::string& bytes) {
        WriteTable(1, QByteArray::fromStdString(bytes));
        return table.Read(Path(1));
    };
    // Lines of "x,y" to a block less one, the last one padded and without its end.
    std::string filled;
    while (filled.size() + 5 < Block - 1)
        filled += "x,y\r\n";
    filled += std::string(Block - 1 - filled.size(), 'x');
    const long long lines = (Block - 2) / 5 + 1;
    // A CR LF split by the border: the line before it keeps no CR.
    ASSERT_EQ(read(filled + "\r\nlast,z\r\n"), TableFileText::Status::Read);
    EXPECT_EQ(std::make_pair(table.Rows(), table.Columns()), std::make_pair(lines + 1, 2LL));
    EXPECT_EQ(table.Line(lines - 1).back(), 'x');
    EXPECT_EQ(table.Line(lines), "last,z");
    // An empty line split by the border ends the table there.
    ASSERT_EQ(
        read(filled.substr(0, Block - 2) + "\n\r\nafter,it\r\n"), TableFileText::Status::Read);
    EXPECT_EQ(table.Rows(), lines);
    // A first line longer than a block gives its columns.
    ASSERT_EQ(read(std::string(Block, 'a') + "," + std::string(Block, 'b') + ",c\nd\n"),
        TableFileText::Status::Read);
    EXPECT_EQ(std::make_pair(table.Rows(), table.Columns()), std::make_pair(2LL, 3LL));
    EXPECT_EQ(table.Line(1), "d");
    EXPECT_EQ(table.Read(dir.path().toStdString()), TableFileText::Status::Unreadable);
    EXPECT_EQ(table.Read(Path(2)), TableFileText::Status::Unreadable);
    for (const char* empty : {"", "\n", "\r"})
        EXPECT_EQ(read(empty), TableFileText::Status::Empty) << empty;
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(read("\r\r\n"), TableFileText::Status::Read); // a CR is text but before the end
    EXPECT_EQ(table.Line(0), "\r");
}

} // namespace
