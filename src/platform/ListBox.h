#pragma once

#include <QListWidget>

// The list box of a dialog or form, single selection as the system's list box keeps it: once
// an entry is selected, one stays selected whatever the input (Ctrl+click on it, a click under
// the entries, Ctrl+Space), and the selected entry is always the current one, so the entry the
// list shows selected is the one its owner reads.
class ListBox final : public QListWidget
{
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(
        const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    // The current entry, and it alone, selected.
    void SelectCurrent();
};
