#include "batch/BatchList.h"
#include "batch/BatchTexts.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using testing::TempFolder;
using Entries = std::vector<std::string>;

TEST(BatchList, AddingTheSameFileTwiceChangesNothingButLetterCaseCounts)
{
    BatchList list;
    EXPECT_TRUE(list.add("/kits/one.syx"));
    EXPECT_TRUE(list.add("/kits/two.syx"));
    EXPECT_FALSE(list.add("/kits/one.syx"));
    EXPECT_FALSE(list.add("/kits/two.syx"));
    EXPECT_TRUE(list.add("/kits/Two.syx"));
    EXPECT_EQ(list.entries(), (Entries{"/kits/one.syx", "/kits/two.syx", "/kits/Two.syx"}));
    EXPECT_EQ(kitDumpsToSendText(list.size()), "3 Kit dumps to send");

    // Removed entries can be added again, at the end.
    list.removeRows({2, 0, 2, 9});
    EXPECT_EQ(list.entries(), (Entries{"/kits/two.syx"}));
    EXPECT_TRUE(list.add("/kits/one.syx"));
    EXPECT_EQ(list.entries(), (Entries{"/kits/two.syx", "/kits/one.syx"}));
}

// The entry that followed the removed one, else nothing.
TEST(BatchList, SelectionAfterRemovalFollowsTheRemovedEntry)
{
    EXPECT_EQ(selectionAfterRemoval(0, 2), 0u);
    EXPECT_EQ(selectionAfterRemoval(1, 2), 1u);
    EXPECT_EQ(selectionAfterRemoval(2, 2), std::nullopt);
    EXPECT_EQ(selectionAfterRemoval(0, 0), std::nullopt);
}

TEST(BatchList, AddingAPartlyListedTreeCountsOnlyTheNewFiles)
{
    TempFolder tree;
    const auto known = tree.file("kits/B/b.syx");
    tree.file("kits/a.syx");
    tree.file("kits/c.SYX");
    BatchList list;
    list.add("/elsewhere/first.syx");
    list.add(known);
    int subfolders = 0;

    const auto result = addFolderTree(list, tree.path("kits"), [&] { return ++subfolders > 0; });

    EXPECT_EQ(result.added, 2u);
    EXPECT_TRUE(result.unreadableFolders.empty());
    EXPECT_EQ(subfolders, 1);
    EXPECT_EQ(list.entries(),
              (Entries{"/elsewhere/first.syx", known, tree.path("kits/a.syx"), tree.path("kits/c.SYX")}));
    EXPECT_EQ(addFolderTree(list, tree.path("kits"), {}).added, 0u);
}

}  // namespace
}  // namespace morvane
