#pragma once

#include <QTableView>

#include <cstddef>

namespace morvane::library {

// The library's table, which tells Select All apart from rows picked by
// hand: the rows listed are a page or a few of what the search finds, and
// Select All means all it finds. Rows listed later join such a selection.
class KitTable final : public QTableView {
public:
    using QTableView::QTableView;

    // Select All is the selection, and no row was picked or dropped since.
    bool everyRowSelected() const { return everyRow_; }
    // From the selection's ranges, not its rows, which a selection of
    // thousands would list at each change.
    std::size_t selectedRowCount() const;
    // The first row selected, in the order rows were selected; -1 for none.
    int firstSelectedRow() const;

    void selectAll() override;
    void reset() override;

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    bool everyRow_ = false;
};

}  // namespace morvane::library
