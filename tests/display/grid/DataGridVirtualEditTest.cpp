#include "LiveGridWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Serves "v<row>.<col>" for every cell and records what the grid tells it.
class ServingOwner : public RecordingGridOwner
{
public:
    long OnGridDispInfo(GridDispInfo& info) override
    {
        info.item.text = "v" + std::to_string(info.item.row) + "." + std::to_string(info.item.col);
        return 0;
    }
    long OnGridCacheHint(const GridCacheHint& hint) override
    {
        hints.push_back(hint.range);
        return 0;
    }
    std::vector<CellRange> hints;
};

class VirtualGridEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        w.grid.SetVirtualMode(true);
        w.grid.SetOwner(&owner);
        w.grid.SetColumnCount(5);
        w.grid.SetRowCount(10);
        w.grid.SetFixedRowCount(1);
        w.grid.SetFixedColumnCount(1);
        w.grid.SetRowHeight(4, 33);
    }
    LiveWindow w{2, 2};
    ServingOwner owner;
};

TEST_F(VirtualGridEditTest, EditsShowTheOwnersTextAndEndWithANoticeStoringNothing)
{
    w.Click(w.Centre(2, 2));
    w.Key(Qt::Key_F2);
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->text(), QStringLiteral("v2.2"));
    QTest::keyClicks(w.grid.Editor(), QStringLiteral("x"));
    QTest::keyClick(w.grid.Editor(), Qt::Key_Tab);
    LiveWindow::Settle();
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1);
    EXPECT_EQ(w.grid.GetCellText(2, 2), "v2.2");
    ASSERT_NE(w.grid.Editor(), nullptr);
    EXPECT_EQ(w.grid.Editor()->text(), QStringLiteral("v2.3"));
    w.grid.DeleteAll();
    LiveWindow::Settle();
    EXPECT_EQ(w.grid.Editor(), nullptr);
    EXPECT_EQ(owner.Count(GN_ENDEDIT), 1);
}

TEST_F(VirtualGridEditTest, CopyAsksForTheBlockFirstAndSortingMovesNothing)
{
    w.Click(w.Centre(2, 2));
    w.Click(w.Centre(3, 3), Qt::ShiftModifier);
    owner.hints.clear();
    w.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("v2.2\tv2.3\nv3.2\tv3.3"));
    ASSERT_GE(owner.hints.size(), 2u);
    EXPECT_EQ(owner.hints.front(), CellRange(2, 2, 3, 3));
    EXPECT_EQ(owner.hints.back(), CellRange());

    EXPECT_TRUE(w.grid.SortByColumn(2, false));
    EXPECT_EQ(w.grid.GetRowHeight(4), 33);
    EXPECT_EQ(w.grid.GetSortKeyColumn(), 2);
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
}

} // namespace
