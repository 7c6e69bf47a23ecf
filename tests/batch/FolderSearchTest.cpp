#include "batch/FolderSearch.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <unistd.h>
#endif

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

TEST(FolderSearch, SubfoldersAreSearchedWholeBeforeTheFolderOwnFiles)
{
    TempFolder tree;
    tree.file("A/a2.syx");
    tree.file("A/a1.syx");
    tree.file("A/C/c1.syx");
    tree.file("A/B/b2.syx");
    tree.file("A/B/b1.syx");
    tree.file("A/B/D/d1.syx");
    tree.file("A/B/notes.txt");
    tree.folder("A/E");

    EXPECT_EQ(search(tree.path("A")),
              (std::vector<std::string>{tree.path("A/B/D/d1.syx"), tree.path("A/B/b1.syx"), tree.path("A/B/b2.syx"),
                                        tree.path("A/C/c1.syx"), tree.path("A/a1.syx"), tree.path("A/a2.syx")}));
}

TEST(FolderSearch, NamesAreOrderedIgnoringLetterCaseExtensionsMatchInAnyCaseAndHiddenEntriesAreLeftOut)
{
    TempFolder tree;
    tree.file("beta/x.Syx");
    tree.file("Alpha/y.SYX");
    tree.file("b.syx");
    tree.file("A.syx");
    tree.file("c.syx.bak");
    tree.file("csyx");
    tree.folder("folder.syx");
    tree.file(".Trash-1000/files/old.syx");
    tree.file("._kit.syx");

    EXPECT_EQ(search(tree.root().string()), (std::vector<std::string>{tree.path("Alpha/y.SYX"), tree.path("beta/x.Syx"),
                                                                      tree.path("A.syx"), tree.path("b.syx")}));
}

TEST(FolderSearch, FolderGivenWithATrailingSeparatorGivesPathsWithOneSeparator)
{
    const NativePathText separator(1, fs::path::preferred_separator);
    EXPECT_EQ(joinFolderAndName(separator, "k.syx"), separator + "k.syx");
    TempFolder tree;
    tree.file("sub/k.syx");
    EXPECT_EQ(search(tree.root().string() + separator), (std::vector<std::string>{tree.path("sub/k.syx")}));
}

TEST(FolderSearch, FolderThatVanishesDuringTheSearchIsReportedAndSkipped)
{
    TempFolder tree;
    tree.file("B/b.syx");
    tree.file("C/c.syx");
    tree.file("a.syx");
    Collector collector;
    bool first = true;
    // A memory card pulled out while its folders are being searched.
    collector.onEnteringSubfolder = [&] {
        if (std::exchange(first, false)) fs::remove_all(tree.path("B"));
        return true;
    };
    Search_Folder(tree.root().string(), collector);

    EXPECT_EQ(collector.found, (std::vector<std::string>{tree.path("C/c.syx"), tree.path("a.syx")}));
    EXPECT_EQ(collector.unreadable, (std::vector<std::string>{tree.path("B")}));
}

#ifndef _WIN32
TEST(FolderSearch, FolderWithoutReadPermissionIsReportedAndSkipped)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root from reading a folder";
    TempFolder tree;
    tree.file("locked/l.syx");
    tree.file("open/o.syx");
    fs::permissions(tree.path("locked"), fs::perms::none);
    Collector collector;
    Search_Folder(tree.root().string(), collector);
    fs::permissions(tree.path("locked"), fs::perms::owner_all);

    EXPECT_EQ(collector.found, (std::vector<std::string>{tree.path("open/o.syx")}));
    EXPECT_EQ(collector.unreadable, (std::vector<std::string>{tree.path("locked")}));
}
#endif

// Links back into the tree are not followed; a linked outside folder is
// searched once, through the first link.
TEST(FolderSearch, LinksAreFollowedOnlyToFoldersNotYetSearched)
{
    TempFolder tree;
    tree.file("A/B/b.syx");
    tree.file("A/a.syx");
    tree.file("outside/o.syx");
    fs::create_directory_symlink(tree.path("A"), tree.path("A/B/up"));
    fs::create_directory_symlink(tree.path("A/B"), tree.path("A/sideways"));
    fs::create_directory_symlink(tree.root(), tree.path("A/outer"));
    fs::create_symlink(tree.path("A/a.syx"), tree.path("A/z.syx"));
    fs::create_directory_symlink(tree.path("outside"), tree.path("A/first"));
    fs::create_directory_symlink(tree.path("outside"), tree.path("A/second"));
    fs::create_directory_symlink(tree.path("A"), tree.path("outside/back"));

    EXPECT_EQ(search(tree.path("A")), (std::vector<std::string>{tree.path("A/B/b.syx"), tree.path("A/first/o.syx"),
                                                                tree.path("A/a.syx"), tree.path("A/z.syx")}));
}

}  // namespace
}  // namespace morvane
