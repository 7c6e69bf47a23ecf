#include "BatchList.h"

#include "base/Text.h"

#include <algorithm>

namespace morvane {

bool BatchList::add(const std::string& path)
{
    if (!known_.insert(path).second) return false;
    entries_.push_back(path);
    ids_.push_back(nextId_++);
    return true;
}

void BatchList::removeRows(const std::vector<std::size_t>& rows)
{
    std::vector<bool> removed(entries_.size(), false);
    for (const auto row : rows)
        if (row < entries_.size()) removed[row] = true;
    std::size_t kept = 0;
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        if (removed[row]) {
            known_.erase(entries_[row]);
            continue;
        }
        if (kept != row) {
            entries_[kept] = std::move(entries_[row]);
            ids_[kept] = ids_[row];
        }
        ++kept;
    }
    entries_.resize(kept);
    ids_.resize(kept);
}

void BatchList::clear()
{
    entries_.clear();
    ids_.clear();
    known_.clear();
}

// Ids only ever grow at the end and removal keeps the order, so they stay sorted.
std::optional<std::size_t> BatchList::rowOf(EntryId id) const
{
    const auto found = std::lower_bound(ids_.begin(), ids_.end(), id);
    if (found == ids_.end() || *found != id) return std::nullopt;
    return static_cast<std::size_t>(found - ids_.begin());
}

std::optional<std::size_t> selectionAfterRemoval(std::size_t firstRemovedRow, std::size_t remainingCount)
{
    if (firstRemovedRow < remainingCount) return firstRemovedRow;
    return std::nullopt;
}

namespace {

class ListFiller final : public FolderSearchListener {
public:
    ListFiller(BatchList& list, const std::function<bool()>& beforeEachSubfolder)
        : list_(list), beforeEachSubfolder_(beforeEachSubfolder)
    {
    }

    bool enteringSubfolder() override { return !beforeEachSubfolder_ || beforeEachSubfolder_(); }
    void foundFile(const NativePathText& path) override
    {
        if (list_.add(pathToUtf8(path))) ++result.added;
    }
    void unreadableFolder(const NativePathText& path, const std::string& reason) override
    {
        result.unreadableFolders.push_back(pathToUtf8(path) + ": " + reason);
    }

    FolderAddResult result;

private:
    BatchList& list_;
    const std::function<bool()>& beforeEachSubfolder_;
};

}  // namespace

FolderAddResult addFolderTree(BatchList& list, const std::filesystem::path& folder,
                              const std::function<bool()>& beforeEachSubfolder)
{
    ListFiller filler(list, beforeEachSubfolder);
    Search_Folder(folder, filler);
    return filler.result;
}

}  // namespace morvane
