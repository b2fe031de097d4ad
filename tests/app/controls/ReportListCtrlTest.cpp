#include "app/controls/ReportCellGeometry.h"
#include "app/controls/ReportHeaderCtrl.h"
#include "app/controls/ReportListCtrl.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QColor EvenBack(254, 253, 246);
const QColor OddBack(226, 237, 246);
const QColor SelBack(104, 84, 138);

// Pixels of a rectangle unlike the given colour: the text painted there on that background.
int Ink(const QImage& image, const QRect& rect, const QColor& back)
{
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            ink += image.pixelColor(x, y) != back ? 1 : 0;
    }
    return ink;
}

// Four columns and five rows in a real window, beside an edit that can take the focus.
class ReportListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(other);
        list->SetColumns({{"Logger ID", Qt::AlignHCenter, 90}, {"1A", Qt::AlignLeft, 80},
            {"1B", Qt::AlignRight, 80}, {"3A", Qt::AlignHCenter, 55}});
        list->m_nColumns = 4;
        for (int row = 0; row < 5; ++row) {
            list->InsertItem(row, std::to_string(row + 1));
            for (int column = 1; column < 4; ++column)
                list->SetItemText(row, column, "8" + std::to_string(row) + std::to_string(column));
        }
        window.resize(420, 300);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QImage Rows() const { return list->viewport()->grab().toImage(); }
    QRect Cell(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column));
    }
    // The colour at the left end of a row's first cell, clear of its centred text.
    QColor RowBack(const QImage& image, int row) const
    {
        return image.pixelColor(Cell(row, 0).left() + 3, Cell(row, 0).center().y());
    }
    // The tooltip of a point as the mouse resting there would show it; "-" when none.
    std::string TipAt(const QPoint& at)
    {
        QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &event);
        const std::string text = event.isAccepted() ? QToolTip::text().toStdString() : "-";
        QToolTip::hideText();
        return text;
    }

    QWidget window;
    CReportListCtrl* list = new CReportListCtrl(&window);
    QLineEdit* other = new QLineEdit(&window);
};

TEST_F(ReportListTest, RowsAlternateAndTheSelectionShowsOnlyWithTheFocus)
{
    const auto lastColumn = [this](const QImage& image, int row) {
        return image.pixelColor(Cell(row, 3).right() - 2, Cell(row, 3).top() + 2);
    };
    QImage image = Rows();
    EXPECT_EQ(std::pair(RowBack(image, 0), RowBack(image, 1)), std::pair(EvenBack, OddBack));
    EXPECT_EQ(lastColumn(image, 1), OddBack); // the whole row in its colour
    // A click selects row 1 and gives the list the focus: highlighted with white text.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, Cell(1, 1).center());
    ASSERT_TRUE(list->hasFocus());
    image = Rows();
    EXPECT_EQ(std::pair(RowBack(image, 1), lastColumn(image, 1)), std::pair(SelBack, SelBack));
    const QRect cell = Cell(1, 1);
    EXPECT_LT(Ink(image, cell, Qt::white), cell.width() * cell.height()); // white text
    EXPECT_EQ(Ink(image, Cell(0, 1), Qt::white), cell.width() * cell.height());
    QTest::keyClick(list, Qt::Key_Down);
    image = Rows();
    EXPECT_EQ(std::pair(RowBack(image, 1), RowBack(image, 2)), std::pair(OddBack, SelBack));
    // Focus elsewhere: painted as an ordinary row, unless the selection shows always.
    other->setFocus();
    ASSERT_FALSE(list->hasFocus());
    EXPECT_EQ(RowBack(Rows(), 2), EvenBack);
    list->SetShowSelectionAlways(true);
    EXPECT_EQ(RowBack(Rows(), 2), SelBack);
}

// The header paints its outline and texts. Tooltips show the cell's text cut to 79 characters,
// none past the last column or row, nor in columns not counted.
TEST_F(ReportListTest, HeaderTextsAndTooltipsShowTheCellsText)
{
    const QColor back(255, 255, 0), line(205, 205, 0);
    list->m_header->m_crBack = back;
    list->m_header->m_crLine = line;
    list->m_header->m_crText = Qt::black;
    const QImage head = list->m_header->grab().toImage();
    const int y = head.height() / 2;
    EXPECT_EQ(
        std::tuple(head.pixelColor(0, y), head.pixelColor(3, y), list->m_header->sectionSize(3)),
        std::tuple(line, back, 55));
    EXPECT_GT(Ink(head, QRect(20, 2, 50, head.height() - 4), back), 0); // "Logger ID"
    // Each head in its column's alignment; a header without a model: left, its fill only.
    EXPECT_EQ(std::tuple(list->m_header->SectionFormat(1), list->m_header->SectionFormat(2),
                  list->m_header->SectionFormat(3)),
        std::tuple(Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter));
    CReportHeaderCtrl bare;
    bare.resize(60, 20);
    const QImage empty = bare.grab().toImage();
    EXPECT_EQ(std::tuple(bare.SectionFormat(0), empty.pixelColor(0, 10), empty.pixelColor(30, 10)),
        std::tuple(Qt::AlignLeft, bare.m_crLine, bare.m_crBack));
    list->SetItemText(3, 2, "813-tip");
    list->SetItemText(1, 3, std::string(100, 'x'));
    EXPECT_EQ(TipAt(Cell(3, 2).center()), "813-tip");
    EXPECT_EQ(TipAt(Cell(1, 3).center()), std::string(79, 'x'));
    EXPECT_EQ(TipAt(QPoint(Cell(0, 3).right() + 20, Cell(0, 3).center().y())), "-");
    EXPECT_EQ(TipAt(QPoint(10, Cell(4, 0).bottom() + 10)), "-");
    list->m_nColumns = 1;
    EXPECT_EQ(TipAt(Cell(3, 2).center()), "-");
    EXPECT_EQ(TipAt(Cell(3, 0).center()), "4");
}

TEST_F(ReportListTest, ScrolledRowsAndColumnsAreFoundWhereTheyAreShown)
{
    for (int row = 5; row < 40; ++row)
        list->InsertItem(row, std::to_string(row + 1));
    window.resize(220, 200);
    QApplication::processEvents();
    list->scrollToBottom();
    list->Scroll(60, 0);
    const int top = list->GetTopIndex();
    EXPECT_TRUE(list->horizontalScrollBar()->value() == 60 && top > 0) << top;
    EXPECT_EQ(std::pair(list->FindCellAtPoint(Cell(39, 0).center(), nullptr, nullptr),
                  list->FindCellAtPoint(Cell(top, 1).center(), nullptr, nullptr)),
        std::pair(39, top));
    // The partly shown last column's cell ends at the client's right edge.
    QRect rect;
    int column = -1;
    const QPoint inLast(list->viewport()->width() - 2, Cell(top, 0).center().y());
    ASSERT_EQ(list->FindCellAtPoint(inLast, &rect, &column), top);
    EXPECT_EQ(rect.right(), list->viewport()->width() - 1);
    // A row scrolled out of sight is not hit, and dy rounds to whole rows.
    EXPECT_FALSE(Cell(0, 0).intersects(list->viewport()->rect()));
    list->Scroll(-1000, -1);
    EXPECT_EQ(
        std::pair(list->GetTopIndex(), list->horizontalScrollBar()->value()), std::pair(top, 0));
    list->Scroll(0, -2 * Cell(top, 0).height());
    EXPECT_EQ(list->GetTopIndex(), top - 2);
    // Columns walked from the row's left edge (a shared edge to the left one), cut at the client.
    const std::vector<ReportRowBounds> rows{
        {4, QRect(-10, 0, 200, 20)}, {5, QRect(-10, 20, 200, 20)}};
    const struct
    {
        QPoint at;
        int columns, clientRight, row, column;
        QRect rect; // checked when valid
    } cases[] = {
        {{79, 25}, 3, 300, 5, 0, {}},
        {{80, 5}, 3, 300, 4, 0, {}},
        {{81, 5}, 3, 300, 4, 1, QRect(80, 0, 55, 20)},
        {{100, 5}, 1, 300, -1, -1, {}},
        {{100, 5}, 0, 300, -1, -1, {}},
        {{100, 45}, 3, 300, -1, -1, {}},
        {{195, 5}, 3, 300, -1, -1, {}}, // past the row
        {{180, 5}, 5, 300, 4, 2, {}}, // a column past the last one has width 0
        {{150, 30}, 3, 160, 5, 2, QRect(QPoint(135, 20), QPoint(159, 39))},
    };
    for (const auto& c : cases) {
        const ReportCellHit hit
            = FindReportCell(c.at, rows, {90, 55, 55}, c.columns, c.clientRight);
        EXPECT_EQ(std::pair(hit.row, hit.column), std::pair(c.row, c.column))
            << c.at.x() << "," << c.at.y() << " of " << c.columns;
        EXPECT_TRUE(!c.rect.isValid() || hit.rect == c.rect) << c.at.x();
    }
}

} // namespace
