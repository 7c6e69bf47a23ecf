#include "FolderSearch.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace morvane {
namespace {

using Char = fs::path::value_type;

bool isSeparator(Char c) { return c == Char('/') || c == static_cast<Char>(fs::path::preferred_separator); }

Char foldCase(Char c) { return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - 'A' + 'a') : c; }

NativePathText lastComponent(const NativePathText& path)
{
    const auto separator = std::find_if(path.rbegin(), path.rend(), isSeparator);
    return NativePathText(separator.base(), path.end());
}

bool contains(const fs::path& outer, const fs::path& inner)
{
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

struct FolderListing {
    std::vector<NativePathText> subfolders;
    std::vector<NativePathText> files;
};

class TreeWalk {
public:
    explicit TreeWalk(FolderSearchListener& listener) : listener_(listener) {}

    void run(const NativePathText& root)
    {
        std::error_code ec;
        if (auto canonicalRoot = fs::canonical(root, ec); !ec) searchedTrees_.push_back(std::move(canonicalRoot));
        walk(root);
    }

private:
    void walk(const NativePathText& folder)
    {
        FolderListing listing;
        if (!readListing(folder, listing)) return;
        std::sort(listing.subfolders.begin(), listing.subfolders.end(), comesBeforeByName);
        std::sort(listing.files.begin(), listing.files.end(), comesBeforeByName);
        for (const auto& subfolder : listing.subfolders) {
            if (stopped_ || !listener_.enteringSubfolder()) {
                stopped_ = true;
                return;
            }
            walk(joinFolderAndName(folder, subfolder));
        }
        if (stopped_) return;
        for (const auto& file : listing.files) listener_.foundFile(joinFolderAndName(folder, file));
    }

    bool readListing(const NativePathText& folder, FolderListing& listing)
    {
        std::error_code ec;
        fs::directory_iterator entry(fs::path(folder), ec);
        for (; !ec && entry != fs::directory_iterator(); entry.increment(ec)) classifyEntry(*entry, listing);
        if (ec) listener_.unreadableFolder(folder, ec.message());
        return !ec;
    }

    void classifyEntry(const fs::directory_entry& entry, FolderListing& listing)
    {
        std::error_code ec;
        NativePathText name = lastComponent(entry.path().native());
        if (isHiddenName(name)) return;
        if (entry.is_symlink(ec)) {
            if (entry.is_directory(ec)) {
                if (claimLinkedTree(entry.path())) listing.subfolders.push_back(std::move(name));
                return;
            }
        } else if (entry.is_directory(ec)) {
            listing.subfolders.push_back(std::move(name));
            return;
        }
        // Only names that match cost a look at what the entry is.
        if (matchesKitDumpPattern(name) && entry.is_regular_file(ec)) listing.files.push_back(std::move(name));
    }

    bool claimLinkedTree(const fs::path& link)
    {
        std::error_code ec;
        auto target = fs::canonical(link, ec);
        if (ec) return false;
        const bool overlaps = std::any_of(searchedTrees_.begin(), searchedTrees_.end(), [&](const fs::path& tree) {
            return contains(tree, target) || contains(target, tree);
        });
        if (overlaps) return false;
        searchedTrees_.push_back(std::move(target));
        return true;
    }

    FolderSearchListener& listener_;
    // Canonical roots of the trees being searched: the folder itself and the
    // outside folders reached through links.
    std::vector<fs::path> searchedTrees_;
    bool stopped_ = false;
};

}  // namespace

NativePathText joinFolderAndName(const NativePathText& folder, const NativePathText& name)
{
    NativePathText path;
    path.reserve(folder.size() + 1 + name.size());
    path += folder;
    if (!folder.empty() && !isSeparator(folder.back())) path += static_cast<Char>(fs::path::preferred_separator);
    path += name;
    return path;
}

bool matchesKitDumpPattern(const NativePathText& fileName)
{
    static constexpr Char extension[] = {'.', 's', 'y', 'x'};
    constexpr std::size_t length = std::size(extension);
    if (fileName.size() < length) return false;
    return std::equal(fileName.end() - length, fileName.end(), std::begin(extension),
                      [](Char c, Char wanted) { return foldCase(c) == wanted; });
}

bool isHiddenName(const NativePathText& name) { return !name.empty() && name.front() == Char('.'); }

bool comesBeforeByName(const NativePathText& left, const NativePathText& right)
{
    const auto folded = [](Char a, Char b) { return foldCase(a) < foldCase(b); };
    if (std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(), folded)) return true;
    if (std::lexicographical_compare(right.begin(), right.end(), left.begin(), left.end(), folded)) return false;
    return left < right;
}

void Search_Folder(const fs::path& folder, FolderSearchListener& listener) { TreeWalk(listener).run(folder.native()); }

}  // namespace morvane
