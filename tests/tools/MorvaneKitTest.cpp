#include "kit/KitDump.h"

#include "support/KitFiles.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace morvane;
using namespace morvane::testing;
namespace fs = std::filesystem;

namespace {

const std::string DemoKit = (fs::path(MORVANE_SOURCE_DIR) / "examples" / "demo-kit.syx").string();

ToolRun morvaneKit(const std::vector<std::string>& args) { return runTool(MORVANE_KIT_PROGRAM, args); }

class MorvaneKit : public ::testing::Test {
protected:
    // A copy of the demo kit to change, and its bytes as they were.
    std::string copyOfDemo(const std::string& name = "kit.syx")
    {
        const auto path = folder.path(name);
        fs::copy_file(DemoKit, path);
        return path;
    }

    TempFolder folder;
    const std::vector<std::uint8_t> demo = readBytes(DemoKit);
};

std::size_t lineCount(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

TEST_F(MorvaneKit, ShowJsonPrintsTheDemoKitAsOneObject)
{
    const int notes[] = {36, 38, 40, 37, 42, 46, 44, 49, 57, 51, 53, 55, 41, 43, 45, 47, 48, 50, 39, 54, 56, 52, 35, 31};
    std::string expected = R"({"length": 746, "kit": 3, "bank": 0, "name": "Morvane Demo", "pads": [)";
    for (int p = 0; p < 24; ++p)
        expected += (p ? ", " : "") + std::string(R"({"pad": )") + std::to_string(p + 1) + R"(, "note": )" +
                    std::to_string(notes[p]) + R"(, "channel": )" + (p < 22 ? "10" : "2") + "}";
    expected += R"(], "warnings": []})" "\n";

    const auto run = morvaneKit({"show", "--json", DemoKit});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");

    // Name characters are escaped by their code page meaning.
    auto bytes = demo;
    const std::uint8_t name[] = {'"', '\\', 0x01, 0x80, 0xE9, 'x', 0, 0, 0, 0, 0, 0};
    for (int c = 0; c < KitNameLength; ++c) writeNibblePair(bytes, offsets::nameChar(c), name[c]);
    const auto odd = morvaneKit({"show", "--json", folder.file("odd.syx", bytes)});
    EXPECT_NE(odd.out.find(R"("name": "\"\\\u0001\u20ac\u00e9x\u0000\u0000\u0000\u0000\u0000\u0000")"),
              std::string::npos)
        << odd.out;
}

TEST_F(MorvaneKit, ShowPrintsTheTableThenTheCheckTextsInOrder)
{
    const auto run = morvaneKit({"show", (fs::path(MORVANE_SOURCE_DIR) / "examples" / "out-of-range.syx").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("Pad  Note")),
              "File:  out-of-range.syx (746 bytes)\nKit:   24\nBank:  128\nTitle: \"Out of Range\"\n\n");
    EXPECT_NE(run.out.find("\n  3   200       17\n"), std::string::npos) << run.out;
    const std::string warnings = run.out.substr(run.out.find("\n\nMidi") + 2);
    EXPECT_EQ(lineCount(warnings), 6u);
    EXPECT_EQ(warnings.substr(0, warnings.find('\n')),
              "Midi Note Number for Pad 3 is 200. Valid Midi Note Numbers are between 0 and 128. "
              "Do you wish to continue to be alerted of these errors?");
    EXPECT_EQ(warnings.substr(warnings.rfind('\n', warnings.size() - 2) + 1),
              "Midi Note Number for Pad 24 is 255. Valid Midi Note Numbers are between 0 and 128. "
              "Do you wish to continue to be alerted of these errors?\n");
}

TEST_F(MorvaneKit, EditChangesExactlyTheOwnedBytesAndWritesOutOrInPlace)
{
    const auto in = copyOfDemo();
    const auto out = folder.path("out.syx");
    const auto run = morvaneKit({"edit", in, "-o", out, "--kit", "5", "--bank", "18", "--name", "Caf\xC3\xA9",
                                 "--note", "3=7", "--channel", "4=16", "--note", "24=128"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");

    auto expected = demo;
    expected[8] = 4;
    writeNibblePair(expected, 715, 18);
    const int name[] = {'C', 'a', 'f', 0xE9, ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    for (int c = 0; c < 12; ++c) writeNibblePair(expected, 721 + 2 * c, name[c]);
    writeNibblePair(expected, 9 + 24 * 2, 7);
    expected[9 + 24 * 3 + 8] = 15;
    writeNibblePair(expected, 9 + 24 * 23, 128);
    EXPECT_EQ(readBytes(out), expected);
    EXPECT_EQ(readBytes(in), demo);

    // In place, the bytes beyond the dump stay.
    const auto path = folder.path("long.syx");
    fs::copy_file(fs::path(MORVANE_SOURCE_DIR) / "examples" / "long-dump.syx", path);
    expected = readBytes(path);
    ASSERT_EQ(morvaneKit({"edit", path, "--channel", "1=1"}).exitCode, 0);
    expected[17] = 0;
    EXPECT_EQ(readBytes(path), expected);
}

TEST_F(MorvaneKit, EveryRefusalExitsOneWithOneLineAndTouchesNoFile)
{
    const auto in = copyOfDemo();
    const auto out = folder.path("out.syx");
    auto damaged = demo;
    damaged[10] = 0x40;
    folder.file("damaged.syx", damaged);
    const std::string wasNotWritten = "morvane-kit: \"" + out + "\" was not written. ";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--kit", "25"}, wasNotWritten + "--kit 25: Kit Number cannot be higher than 24 or lower than 1."},
        {{"--note", "25=5"}, wasNotWritten + "--note 25=5: there is no pad \"25\"; pads are numbered 1 to 24."},
        {{"--kit", "4", "--channel", "3=0"},
         wasNotWritten + "The transmit channel 0 of pad 3 cannot be stored in a kit dump (it must lie between 1 and 128)."},
        {{"--name", "\xE6\x97\xA5"},
         wasNotWritten + "--name: The character \"\xE6\x97\xA5\" cannot be stored in a kit name."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"edit", in, "-o", out};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto run = morvaneKit(args);
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_EQ(run.err, c.message + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(fs::exists(out)) << c.message;
        EXPECT_EQ(readBytes(in), demo) << c.message;
    }

    struct BadInput {
        std::string path, shown, why;
    };
    const BadInput badInputs[] = {
        {folder.path("missing.syx"), folder.path("missing.syx"), "the file does not exist."},
        {folder.path("damaged.syx"), folder.path("damaged.syx"),
         "the kit dump is damaged at offset 10, which holds 64; each half of a stored value lies between 0 and 15."},
        {folder.path("gone\t\x1b[2J\xC2\x9B\xC3\xA9.syx"), folder.path("gone\\t\\x1b[2J\\xc2\\x9b\xC3\xA9.syx"),
         "the file does not exist."},
    };
    for (const auto& [path, shown, why] : badInputs) {
        const std::string message = "morvane-kit: Cannot open \"" + shown + "\": " + why + "\n";
        for (const auto& command : {std::vector<std::string>{"show", path},
                                    std::vector<std::string>{"edit", path, "--kit", "2"}}) {
            const auto run = morvaneKit(command);
            EXPECT_EQ(run.exitCode, 1) << path;
            EXPECT_EQ(run.err, message);
        }
    }
    EXPECT_FALSE(fs::exists(folder.path("missing.syx")));
    EXPECT_EQ(readBytes(folder.path("damaged.syx")), damaged);
}

// The version is checked on the installed program.
TEST_F(MorvaneKit, UsageErrorsExitTwoAndTouchNothingWhileHelpGoesToStandardOutput)
{
    const auto in = copyOfDemo();
    const std::vector<std::string> usages[] = {
        {},
        {"frobnicate"},
        {"show"},
        {"show", "--yaml", in},
        {"edit", in, "--kit"},
        {"edit", in, "--note", "3"},
        {"receive", "--port", "0", "-o", in, "--timeout", "86401"},
    };
    for (const auto& args : usages) {
        const auto run = morvaneKit(args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(run.err, "");
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(readBytes(in), demo);

    const auto help = morvaneKit({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("  show [--json] FILE"), std::string::npos);
    EXPECT_NE(help.out.find("  edit FILE [-o OUT]"), std::string::npos);
}
