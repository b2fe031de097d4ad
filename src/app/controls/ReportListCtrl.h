#pragma once

#include <QColor>
#include <QFont>
#include <QTreeWidget>

#include <string>
#include <vector>

class CReportHeaderCtrl;

// One column of a report list: its head text, its format (left, centre or right) and width.
struct ReportColumn
{
    std::string heading;
    Qt::Alignment format = Qt::AlignLeft;
    int width = 0;
};

// A report list that paints its rows itself: even and odd rows in their own colours, its own
// highlight, a 9-point row font, each column aligned by its format with a small inset, and a
// tooltip with the text of the cell under the mouse. Only the first m_nColumns columns are
// painted and hit-tested; the owner sets it and may set every colour directly, then repaints.
// No item images: its one user sets none.
class CReportListCtrl final : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CReportListCtrl(QWidget* parent = nullptr);

    int m_nColumns = 1;
    QFont m_logFont; // the row texts
    QColor m_crTextOdd{0, 0, 0};
    QColor m_crTextEven{0, 0, 0}; // row 0 is even
    QColor m_crBackOdd{226, 237, 246};
    QColor m_crBackEven{254, 253, 246};
    QColor m_crSelText{255, 255, 255};
    QColor m_crSelBack{104, 84, 138};
    CReportHeaderCtrl* m_header; // owned by the list

    // Longest tooltip text; the rest is cut.
    static constexpr int MaxTipText = 79;

    // The list operations of its owner. Replacing the columns keeps the rows.
    void SetColumns(const std::vector<ReportColumn>& columns);
    int GetColumnWidth(int column) const; // 0 for a column past the last one
    int GetItemCount() const { return topLevelItemCount(); }
    // Inserts a row with the text of column 0 at row (clamped to the end); returns its index.
    int InsertItem(int row, const std::string& text);
    void SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const;
    void DeleteAllItems() { clear(); }
    int GetTopIndex() const;
    int GetCountPerPage() const;
    // Scrolls by dx pixels and by dy pixels rounded to whole rows.
    void Scroll(int dx, int dy);

    // The selection stays highlighted while another control has the focus.
    void SetShowSelectionAlways(bool always);
    // Thin lines between the columns and below each row.
    void SetGridLines(bool on);

    // The row of the cell under point (viewport coordinates) among the visible rows, or -1;
    // rect and column receive the cell.
    int FindCellAtPoint(const QPoint& point, QRect* rect, int* column) const;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    bool viewportEvent(QEvent* event) override;

private:
    void DrawItem(QPainter* painter, const QRect& rowRect, int row) const;
    void DrawTexts(QPainter* painter, const QRect& rowRect, int row, int inset) const;
    void DrawGridLines(QPainter* painter, const QRect& bounds) const;
    QRect ColumnRect(int column, const QRect& rowRect) const;
    QRect RowBounds(int row) const;
    int RowHeight() const;
    void ShowCellTip(QHelpEvent* event);

    bool m_bShowSelAlways = false;
    bool m_bGridLines = false;
};
