#pragma once

#include "KitStore.h"

#include <QAbstractTableModel>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace morvane::library {

class EditorLibrary;

// The library's kits as a table a view shows: rows come from the store a
// page at a time, on the library's thread, as the view scrolls to them, so
// the window's work and memory follow what is shown, not the library's size.
// A new search drops any still waiting (the newest wins), and the model is
// reset once, when the new search's first page comes; a page that ends short
// with more to come is followed by the next until the rows asked for are listed.
class KitListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int PageSize = 100;

    explicit KitListModel(EditorLibrary& library, QObject* parent = nullptr);

    void setSearchText(const QString& text);
    // The same search again, as many rows as are listed now: the library changed.
    void refresh();

    const KitSearch& search() const { return search_; }
    // The search's last row is listed.
    bool listedAll() const { return !next_; }

    // The kit of a row, or null past the rows fetched.
    const KitRow* kitAt(int row) const;
    // The row listing the kit, or -1.
    int rowOf(const QString& hash) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order) override;

signals:
    // A new search's first rows are listed.
    void listed();
    void failed(const QString& reason);

private:
    void ask(const std::optional<PageStart>& start, int limit, bool firstPage);
    void take(int generation, bool firstPage, const Result<KitPage>& page);

    EditorLibrary& library_;
    KitSearch search_;
    std::vector<KitRow> rows_;
    std::optional<PageStart> next_;
    bool fetching_ = false;
    int wanted_ = 0;  // the rows the last request was to list in all
    int generation_ = 0;
    // Read on the library's thread: a search asked for before the newest is not run.
    std::shared_ptr<std::atomic<int>> newest_ = std::make_shared<std::atomic<int>>(0);
};

}  // namespace morvane::library
