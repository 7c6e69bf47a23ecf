#include "KitTable.h"

namespace morvane::library {

// Marked first: the window hears of the new selection while it is made.
void KitTable::selectAll()
{
    everyRow_ = true;
    QTableView::selectAll();
}

void KitTable::reset()
{
    everyRow_ = false;
    QTableView::reset();
}

void KitTable::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QTableView::rowsInserted(parent, start, end);
    if (!everyRow_ || parent.isValid()) return;
    selectionModel()->select(QItemSelection(model()->index(start, 0), model()->index(end, 0)),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void KitTable::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (!deselected.isEmpty()) everyRow_ = false;
    QTableView::selectionChanged(selected, deselected);
}

}  // namespace morvane::library
