#include "platform/ListBox.h"

ListBox::ListBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(
    const QModelIndex& index, const QEvent* event) const
{
    // A click under the entries and a deselecting Ctrl input leave the selection as it is.
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (!index.isValid()
        || command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListWidget::currentChanged(current, previous);
    SelectCurrent();
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListWidget::selectionChanged(selected, deselected);
    SelectCurrent();
}

void ListBox::SelectCurrent()
{
    const QModelIndex current = currentIndex();
    QItemSelectionModel* selection = selectionModel();
    if (!current.isValid() || !selection)
        return;
    if (selection->isSelected(current) && selection->selectedIndexes().size() == 1)
        return;
    selection->select(current, QItemSelectionModel::ClearAndSelect);
}
