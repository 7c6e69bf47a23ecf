#pragma once

#include "search/FolderSearch.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace morvane {

// The files a batch sends, in list order. Two entries are the same when
// their texts are equal, character for character, letter case included. A
// hash beside the order keeps adding linear in the size of the list.
class BatchList {
public:
    // Given to each added entry and never again, not even after clear(), so
    // a running batch can follow its entries while rows shift around them.
    using EntryId = std::uint64_t;

    // Appends path unless an entry has exactly this text; true when appended.
    bool add(const std::string& path);
    // Removes the entries at these rows (in any order, repeats ignored).
    void removeRows(const std::vector<std::size_t>& rows);
    void clear();

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::string& operator[](std::size_t row) const { return entries_[row]; }
    const std::vector<std::string>& entries() const { return entries_; }
    bool contains(const std::string& path) const { return known_.count(path) != 0; }
    const std::vector<EntryId>& ids() const { return ids_; }
    // The row the entry stands at now; nothing once it has been removed.
    std::optional<std::size_t> rowOf(EntryId id) const;

private:
    std::vector<std::string> entries_;
    std::vector<EntryId> ids_;  // beside entries_, row for row
    std::unordered_set<std::string> known_;
    EntryId nextId_ = 0;
};

// The row selected after removing entries: the one that now stands where the
// first removed entry stood; nothing when the removed ones were at the end.
std::optional<std::size_t> selectionAfterRemoval(std::size_t firstRemovedRow, std::size_t remainingCount);

struct FolderAddResult {
    std::size_t added = 0;
    // One line per folder that could not be read: its path and why.
    std::vector<std::string> unreadableFolders;
};

// Appends every "*.syx" file under folder that is not listed yet, in the
// folder search's order, as it is found. beforeEachSubfolder lets the window
// repaint and stay live during a long search; false ends the search there,
// keeping what was added.
FolderAddResult addFolderTree(BatchList& list, const std::filesystem::path& folder,
                              const std::function<bool()>& beforeEachSubfolder);

}  // namespace morvane
