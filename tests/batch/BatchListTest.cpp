#include "batch/BatchList.h"
#include "batch/BatchSet.h"
#include "batch/BatchTexts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

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
    // A box of trouble names the first lines and counts the rest, so it fits on a small screen.
    EXPECT_EQ(listedText("Heading:", QStringList(25, "x")),
              "Heading:\n\n" + QStringList(10, "x").join('\n') + "\n... and 15 more.");

    // Removed entries can be added again, at the end.
    list.removeRows({2, 0, 2, 9});
    EXPECT_EQ(list.entries(), (Entries{"/kits/two.syx"}));
    EXPECT_TRUE(list.add("/kits/one.syx"));
    EXPECT_EQ(list.entries(), (Entries{"/kits/two.syx", "/kits/one.syx"}));

    // After a removal the entry that followed it is selected, else nothing.
    EXPECT_EQ(selectionAfterRemoval(1, 2), 1u);
    EXPECT_EQ(selectionAfterRemoval(2, 2), std::nullopt);
    EXPECT_EQ(selectionAfterRemoval(0, 0), std::nullopt);
}

// Saved and read back as plain lines; a file no set can be is refused before
// it is read whole, so a wrong pick cannot freeze the window.
TEST(BatchSet, IsReadBackAsSavedAndRefusesWhatNoSetCanBe)
{
    testing::TempFolder folder;
    const Entries paths{"/kits/a b.syx", "/" + std::string(4095, 'p')};
    ASSERT_TRUE(saveBatchSet(folder.path("set.txt"), paths));
    EXPECT_EQ(readBatchSet(folder.path("set.txt")).value(), paths);
    const auto refused = saveBatchSet(folder.path("set.txt"), {"/kits/a\nb.syx"});
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("the path \"/kits/a\\x0Ab.syx\" holds a line break"), std::string::npos);
    EXPECT_EQ(readBatchSet(folder.path("set.txt")).value(), paths) << "the old set stays";

    const std::string crlf = "/kits/a b.syx\r\n\r\n../kits/c.syx\r\n";
    EXPECT_EQ(readBatchSet(folder.file("sets/crlf.txt", {crlf.begin(), crlf.end()})).value(),
              (Entries{"/kits/a b.syx", folder.path("kits/c.syx")}));
    for (const auto& bytes : {std::vector<std::uint8_t>(4097, 'p'), std::vector<std::uint8_t>(1024 * 1024 + 1, '\n'),
                              std::vector<std::uint8_t>{'/', 'a', 0, 0xFF, '\n'}})
        EXPECT_FALSE(readBatchSet(folder.file("bad.txt", bytes))) << bytes.size();
}

}  // namespace
}  // namespace morvane
