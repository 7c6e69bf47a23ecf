#include "batch/BatchList.h"

#include "support/TempFolder.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <sstream>

namespace morvane {
namespace {

using testing::runTool;
using testing::TempFolder;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST(FindCommand, PrintsWhatAddEntireDirectoryAddsInTheSameOrderAndNamesAFolderItCannotRead)
{
    TempFolder tree;
    tree.file("kits/Rock/r.syx");
    tree.file("kits/rock/R.SYX");
    tree.file("kits/jazz/deep/d.syx");
    tree.file("kits/jazz/j.Syx");
    tree.file("kits/top.syx");
    tree.file("kits/notes.txt");
    BatchList list;
    addFolderTree(list, tree.path("kits"), {});

    const auto run = runTool(MORVANE_KIT_PROGRAM, {"find", tree.path("kits")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(lines(run.out), list.entries());
    EXPECT_EQ(list.size(), 5u);

    const auto missing = runTool(MORVANE_KIT_PROGRAM, {"find", tree.path("missing")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("cannot read \"" + tree.path("missing") + "\""), std::string::npos) << missing.err;

#ifndef _WIN32
    // A name cannot break the lines or steer the terminal; with -0 it comes out as it is.
    const auto odd = tree.file("odd/caf\xC3\xA9\n\x1b]0;x\a\xFF.syx");
    EXPECT_EQ(runTool(MORVANE_KIT_PROGRAM, {"find", tree.path("odd")}).out,
              tree.path("odd/caf\xC3\xA9\\n\\x1b]0;x\\x07\\xff.syx") + "\n");
    EXPECT_EQ(runTool(MORVANE_KIT_PROGRAM, {"find", "-0", tree.path("odd")}).out, odd + '\0');
#endif
}

}  // namespace
}  // namespace morvane
