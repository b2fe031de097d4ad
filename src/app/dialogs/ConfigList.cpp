#include "app/dialogs/ConfigList.h"

#include "platform/Text.h"

#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

void SetupConfigList(QTreeWidget* list, const char* caption, const QFont& font)
{
    list->setColumnCount(1);
    list->setHeaderLabels({ToQt(caption)});
    list->header()->setDefaultAlignment(Qt::AlignCenter);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setFont(font);
    list->header()->setFont(font);
    // Grid lines between the rows, as in a report view.
    list->setStyleSheet(QStringLiteral("QTreeView::item { border-bottom: 1px solid #d4d4d4; }"
                                       "QTreeView::item:selected { background: palette(highlight); "
                                       "color: palette(highlighted-text); }"));
}

void AppendConfigRow(QTreeWidget* list, const std::string& text, int tag)
{
    // Left, so that a short title stays in view beside a long path that widens the column.
    auto* row = new QTreeWidgetItem(list, {ToQt(text)});
    row->setTextAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
    row->setData(0, Qt::UserRole, tag);
}

namespace {

// The width the column can take without a horizontal scroll bar. Worked out from the list's
// own size, as the viewport has no valid size before the dialog is first shown.
int VisibleColumnWidth(const QTreeWidget* list)
{
    const QSize room = list->maximumViewportSize();
    const int rows = list->topLevelItemCount();
    const int rowsHeight = rows > 0 ? rows * list->sizeHintForRow(0) : 0;
    int width = room.width();
    if (rowsHeight > room.height() - list->header()->sizeHint().height())
        width -= list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    return width;
}

} // namespace

void FitConfigColumn(QTreeWidget* list)
{
    list->setUpdatesEnabled(false);
    list->resizeColumnToContents(0);
    const int visible = VisibleColumnWidth(list);
    const int width = std::max(list->columnWidth(0), visible);
    list->setColumnWidth(0, width);
    // A heading centred over a column wider than the list would be cut by the list's edge.
    list->header()->setDefaultAlignment(
        width > visible ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    list->setUpdatesEnabled(true);
}

std::string ConfigRowText(const QTreeWidgetItem* row)
{
    return FromQt(row->text(0));
}

int ConfigRowTag(const QTreeWidgetItem* row)
{
    return row->data(0, Qt::UserRole).toInt();
}

std::vector<std::string> ConfigRowTexts(const QTreeWidget* list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts.push_back(ConfigRowText(list->topLevelItem(i)));
    return texts;
}

std::vector<QTreeWidgetItem*> SelectedConfigRows(const QTreeWidget* list)
{
    std::vector<QTreeWidgetItem*> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->isSelected())
            rows.push_back(list->topLevelItem(i));
    }
    return rows;
}
