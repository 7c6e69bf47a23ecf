#pragma once

#include "KitStore.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

namespace morvane::library {

struct ImportSummary {
    int added = 0;    // kits new to the library
    int known = 0;    // kits it had already
    int notKits = 0;  // .syx files that could not be read as a kit
    std::vector<QString> unreadableFolders;  // "PATH: reason"
    bool cancelled = false;
};

// Kits written in one transaction at most. Each commit rewrites the pages of
// the hash index and adds a segment to the search index, which at a thousand
// kits was a third of an import's writing; 5,000 kits hold the write lock
// about a tenth of a second, which a second editor's recording waits out.
inline constexpr std::size_t ImportBatchSize = 5000;
// Files read before they are handed to the writing, which takes as many as
// wait for it, at least ImportFewest (or the last), at most ImportBatchSize:
// a transaction of a few hundred kits costs twice as much per kit in the
// search index.
inline constexpr std::size_t ImportHandOver = 250;
inline constexpr std::size_t ImportFewest = 1000;

// Files looked at so far, of all the folder search found; total is 0 while
// the search goes on.
using ImportProgress = std::function<void(int done, int total)>;

// Finds the .syx files of folder's tree with the batch window's folder
// search and records each kit as imported from its path, one transaction per
// batch of files, while the search goes on. cancel is read between folders
// and between batches; what was recorded before it stays.
Result<ImportSummary> importFolder(KitStore& store, const QString& folder, const ImportProgress& progress,
                                   const std::atomic<bool>& cancel);

}  // namespace morvane::library
