#include "KitTable.h"

namespace morvane::library {

// Marked first: the window hears of the new selection while it is made.
void KitTable::selectAll()
{
    everyRow_ = true;
    QTableView::selectAll();
}

std::size_t KitTable::selectedRowCount() const
{
    std::size_t rows = 0;
    for (const auto& range : selectionModel()->selection()) rows += static_cast<std::size_t>(range.height());
    return rows;
}

int KitTable::firstSelectedRow() const
{
    const auto ranges = selectionModel()->selection();
    return ranges.isEmpty() ? -1 : ranges.constFirst().top();
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
