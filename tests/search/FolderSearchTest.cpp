#include "search/FolderSearch.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace morvane {
namespace {

using testing::TempFolder;

class Collector final : public FolderSearchListener {
public:
    std::vector<std::string> found;
    std::vector<std::string> unreadable;
    std::function<bool()> onEnteringSubfolder;

    bool enteringSubfolder() override { return !onEnteringSubfolder || onEnteringSubfolder(); }
    void foundFile(const NativePathText& path) override { found.push_back(path); }
    void unreadableFolder(const NativePathText& path, const std::string&) override { unreadable.push_back(path); }
};

std::vector<std::string> search(const std::string& folder)
{
    Collector collector;
    Search_Folder(folder, collector);
    return collector.found;
}

// Subfolders in name order, each searched whole, before the folder's own
// files; names ordered ignoring letter case; the extension matched in any
// case; hidden entries left out.
TEST(FolderSearch, SubfoldersComeWholeBeforeTheFolderOwnFilesInCaseBlindNameOrder)
{
    TempFolder tree;
    for (const char* file : {"A/a2.syx", "A/b.syx", "A/A.syx", "A/beta/x.Syx", "A/beta/notes.txt", "A/beta/D/d1.syx",
                             "A/Alpha/y.SYX", "A/Zeta.syx", "A/c.syx.bak", "A/csyx", "A/.Trash-1000/files/old.syx", "A/._kit.syx"})
        tree.file(file);
    tree.folder("A/folder.syx");
    tree.folder("A/E");
    const auto in = [&](const char* relative) { return tree.path(relative); };
    const std::vector<std::string> expected = {in("A/Alpha/y.SYX"), in("A/beta/D/d1.syx"), in("A/beta/x.Syx"),
                                               in("A/A.syx"), in("A/a2.syx"), in("A/b.syx"), in("A/Zeta.syx")};
    EXPECT_EQ(search(tree.path("A")), expected);

    // A folder given with a trailing separator gives paths with one separator.
    const NativePathText separator(1, fs::path::preferred_separator);
    EXPECT_EQ(search(tree.path("A") + separator), expected);
    EXPECT_EQ(joinFolderAndName(separator, "k.syx"), separator + "k.syx");
}

// Links back into the tree are not followed; a linked outside folder is
// searched once, through the first link. A folder that vanishes while the
// search runs (a memory card pulled out) is reported and skipped.
TEST(FolderSearch, LinksAreFollowedOnlyToFoldersNotYetSearchedAndAVanishedFolderIsSkipped)
{
    TempFolder tree;
    for (const char* file : {"A/B/b.syx", "A/a.syx", "A/vanishing/v.syx", "outside/o.syx"}) tree.file(file);
    fs::create_directory_symlink(tree.path("A"), tree.path("A/B/up"));
    fs::create_directory_symlink(tree.path("A/B"), tree.path("A/sideways"));
    fs::create_directory_symlink(tree.root(), tree.path("A/outer"));
    fs::create_symlink(tree.path("A/a.syx"), tree.path("A/z.syx"));
    fs::create_directory_symlink(tree.path("outside"), tree.path("A/first"));
    fs::create_directory_symlink(tree.path("outside"), tree.path("A/second"));
    fs::create_directory_symlink(tree.path("A"), tree.path("outside/back"));
    Collector collector;
    collector.onEnteringSubfolder = [&] { fs::remove_all(tree.path("A/vanishing")); return true; };
    Search_Folder(tree.path("A"), collector);
    EXPECT_EQ(collector.unreadable, std::vector<std::string>{tree.path("A/vanishing")});
    EXPECT_EQ(collector.found, (std::vector<std::string>{tree.path("A/B/b.syx"), tree.path("A/first/o.syx"),
                                                         tree.path("A/a.syx"), tree.path("A/z.syx")}));
}

}  // namespace
}  // namespace morvane
