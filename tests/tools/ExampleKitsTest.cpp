#include "kit/KitCheck.h"
#include "kit/KitFile.h"

#include "support/TempFolder.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using namespace morvane;
using namespace morvane::testing;
namespace fs = std::filesystem;

namespace {

const fs::path Examples = fs::path(MORVANE_SOURCE_DIR) / "examples";

std::set<std::string> kitFilesUnder(const fs::path& folder)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".syx") files.insert(fs::relative(entry.path(), folder).generic_string());
    return files;
}

LoadedKit example(const std::string& name)
{
    auto kit = readKitFile((Examples / name).string());
    EXPECT_TRUE(kit) << kit.error();
    return kit ? kit.value() : LoadedKit{};
}

}  // namespace

TEST(ExampleKits, CommittedFilesAreExactlyWhatTheGeneratorWrites)
{
    TempFolder folder;
    const auto run = runTool(MAKE_EXAMPLE_KITS_PROGRAM, {folder.root().string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto generated = kitFilesUnder(folder.root());
    ASSERT_EQ(generated, kitFilesUnder(Examples));
    for (const auto& file : generated)
        EXPECT_EQ(readBytes((folder.root() / file).string()), readBytes((Examples / file).string())) << file;
}

TEST(ExampleKits, DemoKitIsAPlayableDrumKitAndOutOfRangeKitTriggersTheCheck)
{
    const auto demo = example("demo-kit.syx").fields;
    EXPECT_EQ(demo.KitName, "Morvane Demo");
    EXPECT_EQ(demo.KitNumber, 3);
    EXPECT_EQ(demo.BankNumber, 0);
    EXPECT_EQ(demo.PadMNN[0], 36);
    EXPECT_EQ(std::count(demo.PadTCH.begin(), demo.PadTCH.end(), 10), 22);
    EXPECT_TRUE(checkSysexQuestions(demo).empty());

    EXPECT_EQ(checkSysexQuestions(example("out-of-range.syx").fields).size(), 6u);
    EXPECT_EQ(example("long-dump.syx").dump.size(), 1000u);
}
