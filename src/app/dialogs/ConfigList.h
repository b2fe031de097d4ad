#pragma once

#include <string>
#include <vector>

class QFont;
class QTreeWidget;
class QTreeWidgetItem;

// The one-column report lists of the Open Logger dialog: one column with its heading centred
// and its rows left, grid lines, whole rows selected, several rows at a time. Each row
// carries a text and a tag (an int the dialog gives it; -1 when none).

void SetupConfigList(QTreeWidget* list, const char* caption, const QFont& font);
void AppendConfigRow(QTreeWidget* list, const std::string& text, int tag = -1);
// Widens the column to its contents and heading, and at least to the list's width; a column
// wider than the list has its heading at its left, where it is seen whole. The list is not
// drawn while it changes.
void FitConfigColumn(QTreeWidget* list);

std::string ConfigRowText(const QTreeWidgetItem* row);
int ConfigRowTag(const QTreeWidgetItem* row);
// The rows' texts, in list order.
std::vector<std::string> ConfigRowTexts(const QTreeWidget* list);
// The selected rows, in list order.
std::vector<QTreeWidgetItem*> SelectedConfigRows(const QTreeWidget* list);
