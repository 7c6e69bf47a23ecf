#include "KitListModel.h"

#include "EditorLibrary.h"
#include "LibraryView.h"

#include <algorithm>

namespace morvane::library {

KitListModel::KitListModel(EditorLibrary& library, QObject* parent) : QAbstractTableModel(parent), library_(library)
{
}

void KitListModel::setSearchText(const QString& text)
{
    search_.text = text;
    ask(std::nullopt, PageSize, true);
}

void KitListModel::refresh() { ask(std::nullopt, std::max(PageSize, rowCount()), true); }

void KitListModel::sort(int column, Qt::SortOrder order)
{
    search_.sortColumn = static_cast<KitColumn>(column);
    search_.descending = order == Qt::DescendingOrder;
    ask(std::nullopt, PageSize, true);
}

bool KitListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && next_ && !fetching_;
}

void KitListModel::fetchMore(const QModelIndex& parent)
{
    if (canFetchMore(parent)) ask(next_, PageSize, false);
}

void KitListModel::ask(const std::optional<PageStart>& start, int limit, bool firstPage)
{
    if (!library_.isOpen()) return;
    if (firstPage) *newest_ = ++generation_;
    wanted_ = (firstPage ? 0 : rowCount()) + limit;
    fetching_ = true;
    library_.ask(
        this,
        [search = search_, start, limit, generation = generation_,
         newest = newest_](KitStore& store) -> std::optional<Result<KitPage>> {
            if (generation != newest->load()) return std::nullopt;
            return store.search(search, start, limit);
        },
        [this, generation = generation_, firstPage](const std::optional<Result<KitPage>>& page) {
            if (page) take(generation, firstPage, *page);
        });
}

void KitListModel::take(int generation, bool firstPage, const Result<KitPage>& page)
{
    if (generation != generation_) return;
    fetching_ = false;
    if (!page) {
        emit failed(QString::fromStdString(page.error()));
        return;
    }
    const auto& rows = page.value().rows;
    next_ = page.value().next;
    if (firstPage) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
        emit listed();
    } else if (!rows.empty()) {
        beginInsertRows({}, rowCount(), rowCount() + static_cast<int>(rows.size()) - 1);
        rows_.insert(rows_.end(), rows.begin(), rows.end());
        endInsertRows();
    }
    // A page that ended short with more to come looked at a slice of the
    // kits only: the rows asked for are still to be found.
    if (next_ && rowCount() < wanted_) ask(next_, wanted_ - rowCount(), false);
}

const KitRow* KitListModel::kitAt(int row) const
{
    return row >= 0 && row < rowCount() ? &rows_[static_cast<std::size_t>(row)] : nullptr;
}

int KitListModel::rowOf(const QString& hash) const
{
    const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const KitRow& row) { return row.hash == hash; });
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

int KitListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int KitListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : KitColumnCount; }

QVariant KitListModel::data(const QModelIndex& index, int role) const
{
    const KitRow* row = kitAt(index.row());
    if (!row) return {};
    const auto column = static_cast<KitColumn>(index.column());
    switch (role) {
    case Qt::DisplayRole: return cellText(*row, column);
    case Qt::ToolTipRole:
        if (column == KitColumn::Favourite)
            return row->favourite ? QStringLiteral("A favourite: click to take its star away")
                                  : QStringLiteral("Click to make it a favourite");
        return cellText(*row, column);  // the whole text of a cell cut short
    case Qt::TextAlignmentRole:
        if (column == KitColumn::Favourite) return QVariant::fromValue(Qt::AlignCenter);
        if (column == KitColumn::Kit || column == KitColumn::Bank || column == KitColumn::TimesSent)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default: return {};
    }
}

QVariant KitListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) return {};
    const auto column = static_cast<KitColumn>(section);
    if (role == Qt::DisplayRole) return columnTitle(column);
    // The star alone does not say what it is, nor that it can be clicked.
    if (role == Qt::ToolTipRole && column == KitColumn::Favourite)
        return QStringLiteral("Favourite: click a kit's star to mark it or take the mark away");
    return {};
}

}  // namespace morvane::library
