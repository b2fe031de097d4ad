#include "DataViewFixture.h"

#include "res/DataViewIds.h"

#include "support/Screenshot.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace {

using Strings = std::vector<std::string>;

class DataViewTest : public DataViewFixture
{
protected:
    void SetUp() override
    {
        DataViewFixture::SetUp();
        record.m_bSingle = 1;
    }
    // A network of these IDs, each with a table whose heading names its ID.
    void NetworkWithTables(std::initializer_list<int> ids)
    {
        record.m_bSingle = 0;
        for (int id : ids) {
            record.m_bLoggerUsed[id - 1] = 1;
            const std::string heading = "Measured Date,Time,T" + std::to_string(id);
            WriteTable(id, CrLf({heading.c_str(), "2024/01/05,10:00:00,1.0"}));
        }
    }
    std::string Shown() const { return dlg->Grid().GetCellText(0, 2); }
    QComboBox* IdList() const { return dlg->ItemAs<QComboBox>(DataViewIds::IDC_LOGGER_ID); }
    bool HasGrid() const { return dlg->Grid().IsWindowCreated() && !dlg->Grid().isHidden(); }
    void Type(const char* text)
    {
        QLineEdit* edit = IdList()->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

// The table's shapes: how many rows and columns the grid gets, or that none is made.
TEST_F(DataViewTest, TableShapesGiveTheirGridOrNone)
{
    struct Shape
    {
        const char* name;
        QByteArray bytes;
        int rows, cols; // 0: no grid
        bool emptyNotice;
    };
    const Shape shapes[] = {
        {"first line without a comma", "Date\r\n2024/01/05\r\n", 2, 2, false},
        {"heading line alone", "Measured Date,Time,1A\r\n", 1, 3, false},
        {"empty line in the middle", "D,T\r\na,b\r\n\r\nc,d\r\n", 2, 2, false},
        {"LF line ends, no end on the last", "D,T\na,b\nc,d", 3, 2, false},
        {"empty file", "", 0, 0, true},
        {"empty first line", "\r\nD,T\r\na,b\r\n", 0, 0, true},
        {"a CR alone as the first line", "\r\n", 0, 0, true},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        WriteTable(1, shape.bytes);
        Open();
        EXPECT_EQ(HasGrid(), shape.rows > 0);
        EXPECT_EQ(dlg->Grid().GetRowCount(), shape.rows);
        EXPECT_EQ(dlg->Grid().GetColumnCount(), shape.cols);
        EXPECT_EQ(
            dlg->NoticeText(), shape.emptyNotice ? "The table file " + Path(1) + " is empty." : "");
    }
    // The second column that fixing two columns adds stays empty and 95 pixels wide.
    WriteTable(1, "Date\r\n2024/01/05\r\n");
    Open();
    EXPECT_EQ(Row(1), (Strings{"2024/01/05", ""}));
    EXPECT_EQ(dlg->Grid().GetColumnWidth(1), 95);
    EXPECT_EQ(dlg->Grid().GetFixedColumnCount(), 2);

    // A missing table shows nothing, and says nothing.
    QFile::remove(QString::fromStdString(Path(1)));
    Open();
    EXPECT_FALSE(HasGrid());
    EXPECT_EQ(dlg->NoticeText(), "");
}

TEST_F(DataViewTest, CellsHoldTheFieldsVerbatimWithFixedHeadingsAndTheirSizes)
{
    WriteTable(1,
        CrLf({"Measured Date,Time,1A,1B", "2024/01/05,10:00:00,1234.5,999999",
            "2024/01/05,10:10:00", "2024/01/05,10:20:00,1,2,3,4", " x ,,\"q\","}));
    Open();
    const CDataGrid& grid = dlg->Grid();
    ASSERT_EQ(grid.GetRowCount(), 5);
    ASSERT_EQ(grid.GetColumnCount(), 4);
    EXPECT_EQ(Row(0), (Strings{"Measured Date", "Time", "1A", "1B"})); // no CR in the last
    EXPECT_EQ(Row(1), (Strings{"2024/01/05", "10:00:00", "1234.5", "999999"}));
    EXPECT_EQ(Row(2), (Strings{"2024/01/05", "10:10:00", "", ""}));
    EXPECT_EQ(Row(3), (Strings{"2024/01/05", "10:20:00", "1", "2"}));
    EXPECT_EQ(Row(4), (Strings{" x ", "", "\"q\"", ""}));

    // One heading row and two heading columns.
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 4; ++col) {
            const CDataCellBase* cell = grid.GetCell(row, col);
            EXPECT_EQ(std::make_pair(cell->IsInFixedRow(), cell->IsInFixedColumn()),
                std::make_pair(row == 0, col < 2))
                << row << "," << col;
        }
    EXPECT_EQ((std::vector<int>{grid.GetColumnWidth(0), grid.GetColumnWidth(1),
                  grid.GetColumnWidth(3), grid.GetRowHeight(0), grid.GetRowHeight(4)}),
        (std::vector<int>{130, 95, 80, 27, 22}));
}

TEST_F(DataViewTest, TheListHoldsTheConfigurationsIdsAndShowsTheFirst)
{
    WriteTable(1, CrLf({"Measured Date,Time,T1"}));
    Open();
    EXPECT_EQ(ListedIds(), Strings{"1"});
    EXPECT_EQ(Shown(), "T1");

    record.m_bLoggerUsed[0] = 1; // a single logger lists ID 1 whatever the network says
    record.m_bLoggerUsed[4] = 1;
    Open();
    EXPECT_EQ(ListedIds(), Strings{"1"});

    NetworkWithTables({7, 3, 2});
    record.m_bLoggerUsed[0] = record.m_bLoggerUsed[4] = 0;
    Open();
    EXPECT_EQ(ListedIds(), (Strings{"2", "3", "7"}));
    EXPECT_EQ(IdList()->currentText(), "2");
    EXPECT_EQ(Shown(), "T2");

    // No ID: the list is empty and the table of ID 0 is looked for.
    record.m_bLoggerUsed[1] = record.m_bLoggerUsed[2] = record.m_bLoggerUsed[6] = 0;
    Open();
    EXPECT_EQ(ListedIds(), Strings{});
    EXPECT_FALSE(HasGrid());
    WriteTable(0, CrLf({"Measured Date,Time,T0"}));
    Open();
    EXPECT_EQ(Shown(), "T0");
}

// Only a choice from the list loads a table: by keys, by the dropped list, or by typing a
// listed ID and Return. The window stays open.
TEST_F(DataViewTest, AChoiceFromTheListLoadsItsTableTypedTextOnlyWhenListed)
{
    NetworkWithTables({2, 3, 7});
    Open();
    dlg->show();
    ASSERT_EQ(Shown(), "T2");

    for (const char* unlisted : {"5", "x", "", "37"}) {
        Type(unlisted);
        EXPECT_EQ(Shown(), "T2") << unlisted;
    }
    Type("7");
    EXPECT_EQ(Shown(), "T7");
    EXPECT_EQ(IdList()->currentIndex(), 2);
    EXPECT_TRUE(dlg->isVisible());

    QTest::keyClick(IdList(), Qt::Key_Up);
    EXPECT_EQ(Shown(), "T3");

    IdList()->showPopup();
    QAbstractItemView* popup = IdList()->view();
    const QModelIndex first = popup->model()->index(0, 0);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(first).center());
    EXPECT_EQ(Shown(), "T2");

    // Setting the entry from code is no choice of the operator's.
    IdList()->setCurrentIndex(2);
    EXPECT_EQ(Shown(), "T2");
}

TEST_F(DataViewTest, SwitchingTheIdBuildsTheGridAnew)
{
    NetworkWithTables({2});
    QByteArray many = "Measured Date,Time,T3\r\n";
    for (int i = 0; i < 200; ++i)
        many += "2024/01/05,10:00:00,1.0\r\n";
    record.m_bLoggerUsed[2] = 1;
    WriteTable(3, many);
    Open();
    dlg->show();
    CDataGrid& grid = dlg->Grid();
    grid.SetCellState(1, 2, GCS_SELECTED);
    grid.SetColumnWidth(0, 300);
    grid.SetRowHeight(1, 60);

    Type("3");
    ASSERT_EQ(Shown(), "T3");
    grid.SetCellState(5, 2, GCS_SELECTED);
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    ASSERT_GT(grid.verticalScrollBar()->value(), 0);

    Type("2");
    EXPECT_EQ(Shown(), "T2");
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 130);
    EXPECT_EQ(grid.GetRowHeight(1), 22);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
    EXPECT_EQ(grid.GetRowCount(), 2);
}

TEST_F(DataViewTest, TheGridAndTheNoticeKeepTheirMarginsWhenTheWindowIsResized)
{
    NetworkWithTables({2});
    record.m_bLoggerUsed[3] = 1;
    WriteTable(4, "");
    Open();
    dlg->show();
    for (const QSize size : {QSize(800, 600), QSize(500, 300)}) {
        dlg->resize(size);
        QApplication::processEvents();
        EXPECT_EQ(dlg->Grid().geometry(), QRect(14, 45, size.width() - 24, size.height() - 65));
    }
    Type("4");
    ASSERT_FALSE(HasGrid());
    dlg->resize(700, 500);
    QApplication::processEvents();
    QLabel* shown = nullptr;
    for (QLabel* label : dlg->findChildren<QLabel*>())
        if (label->text().startsWith("The table file"))
            shown = label;
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->geometry(), QRect(14, 45, 676, 435));
}

// A damaged or foreign file that would ask for more cells than memory holds is refused
// before a cell is made.
TEST_F(DataViewTest, TablesOverTheBoundsAreRefusedWithTheirSize)
{
    const QByteArray wide = QByteArray(16383, ',') + "\r\n";
    WriteTable(1, wide + wide);
    Open();
    EXPECT_TRUE(HasGrid());
    EXPECT_EQ(dlg->Grid().GetColumnCount(), 16384);

    WriteTable(1, "," + wide + wide);
    Open();
    EXPECT_FALSE(HasGrid());
    EXPECT_EQ(dlg->Grid().GetRowCount(), 0);
    EXPECT_EQ(dlg->NoticeText(),
        "The table file " + Path(1) + " is too large to show (2 rows, 16385 columns).");

    QByteArray tall;
    tall.reserve(20'000'004);
    for (int i = 0; i < 10'000'001; ++i)
        tall += ",\n";
    WriteTable(1, tall);
    Open();
    EXPECT_FALSE(HasGrid());
    EXPECT_EQ(dlg->NoticeText(),
        "The table file " + Path(1) + " is too large to show (10000001 rows, 2 columns).");
}

TEST_F(DataViewTest, ATableOfTheSimulatorsRecordsOnScreen)
{
    BuildTableFromSim(1, 32 * 60);
    Open();
    dlg->show();
    QApplication::processEvents();
    ASSERT_TRUE(HasGrid());
    EXPECT_EQ(dlg->Grid().GetRowCount(), 61);
    EXPECT_EQ(dlg->Grid().GetColumnCount(), 34);
    EXPECT_EQ(dlg->Grid().GetCellText(0, 0), "Measured Date");
    EXPECT_EQ(dlg->windowTitle(), "Data");
    EXPECT_TRUE(SaveScreenshot(dlg.get(), "data_window"));
}

} // namespace
