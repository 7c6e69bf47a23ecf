#include "batch/BatchList.h"
#include "kit/KitDump.h"

#include "support/KitFiles.h"
#include "support/ToolRun.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace morvane;
using namespace morvane::testing;
namespace fs = std::filesystem;

namespace {

const fs::path Examples = fs::path(MORVANE_SOURCE_DIR) / "examples";
const std::string DemoKit = (Examples / "demo-kit.syx").string();

ToolRun morvaneKit(const std::vector<std::string>& args) { return runTool(MORVANE_KIT_PROGRAM, args); }

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

class MorvaneKit : public ::testing::Test {
protected:
    MorvaneKit() { qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder.path("data"))); }

    std::string copyOfDemo()
    {
        const auto path = folder.path("kit.syx");
        fs::copy_file(DemoKit, path);
        return path;
    }

    TempFolder folder;
    const std::vector<std::uint8_t> demo = readBytes(DemoKit);
};

}  // namespace

TEST_F(MorvaneKit, ShowPrintsTheKitAsJsonOrAsATableFollowedByTheCheckTexts)
{
    // The pads' values are the demo kit's; here the shape around them.
    const auto json = morvaneKit({"show", "--json", DemoKit});
    EXPECT_EQ(json.out.rfind(R"({"length": 746, "kit": 3, "bank": 0, "name": "Morvane Demo", "pads": [)"
                             R"({"pad": 1, "note": 36, "channel": 10}, {"pad": 2, )", 0), 0u) << json.out + json.err;
    EXPECT_TRUE(json.out.ends_with(R"({"pad": 24, "note": 31, "channel": 2}], "warnings": []})" "\n")) << json.out;

    // Name characters are escaped by their code page meaning.
    auto bytes = demo;
    const std::uint8_t name[] = {'"', '\\', 0x01, 0x80, 0xE9, 'x', 0, 0, 0, 0, 0, 0};
    for (int c = 0; c < KitNameLength; ++c) writeNibblePair(bytes, offsets::nameChar(c), name[c]);
    EXPECT_NE(morvaneKit({"show", "--json", folder.file("odd.syx", bytes)})
                  .out.find(R"("name": "\"\\\u0001\u20ac\u00e9x\u0000\u0000\u0000\u0000\u0000\u0000")"),
              std::string::npos);

    // The check texts themselves are the kit library's; here only where they go.
    const auto shown = lines(morvaneKit({"show", (Examples / "out-of-range.syx").string()}).out);
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 4),
              (std::vector<std::string>{"File:  out-of-range.syx (746 bytes)", "Kit:   24", "Bank:  128",
                                        "Title: \"Out of Range\""}));
    EXPECT_NE(std::find(shown.begin(), shown.end(), "  3   200       17"), shown.end());
    EXPECT_EQ(shown.back().rfind("Midi Note Number for Pad 24 is 255.", 0), 0u);
}

TEST_F(MorvaneKit, EditChangesExactlyTheOwnedBytesAndWritesOutOrInPlace)
{
    const auto in = copyOfDemo();
    const auto out = folder.path("out.syx");
    const auto run = morvaneKit({"edit", in, "-o", out, "--kit", "5", "--bank", "18", "--name", "Caf\xC3\xA9",
                                 "--note", "3=7", "--channel", "4=16", "--note", "24=128"});
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(readBytes(in), demo);
    // Where each field lies is the codec's, proved on it; diff also counts any other byte that changed.
    EXPECT_EQ(morvaneKit({"diff", in, out}).out,
              "kit 3 -> 5\nbank 0 -> 18\ntitle \"Morvane Demo\" -> \"Caf\xC3\xA9        \"\n"
              "pad 3 note 40 -> 7\npad 4 channel 10 -> 16\npad 24 note 31 -> 128\n");

    // In place, the bytes beyond the dump stay.
    const auto path = folder.path("long.syx");
    fs::copy_file(Examples / "long-dump.syx", path);
    auto expected = readBytes(path);
    ASSERT_EQ(morvaneKit({"edit", path, "--channel", "1=1"}).exitCode, 0);
    expected[17] = 0;
    EXPECT_EQ(readBytes(path), expected);
}

// Refusals exit 1 (diff's 2, as diff(1)), usage errors 2; a refusal is one
// line on standard error; nothing on standard output and no file touched.
TEST_F(MorvaneKit, EveryRefusalExitsNonZeroWithOneLineAndTouchesNoFile)
{
    const auto in = copyOfDemo();
    const auto out = folder.path("out.syx");
    auto damaged = demo;
    damaged[10] = 0x40;
    const auto damagedPath = folder.file("damaged.syx", damaged);
    const auto missing = folder.path("missing.syx");
    const std::string notWritten = "morvane-kit: \"" + out + "\" was not written. ";
    const auto cannotOpen = [](const std::string& shown, const std::string& why) {
        return "morvane-kit: Cannot open \"" + shown + "\": " + why;
    };
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        std::string errStart;  // empty: any usage text
    };
    const Row rows[] = {
        {{"edit", in, "-o", out, "--note", "25=5"}, 1,
         notWritten + "--note 25=5: there is no pad \"25\"; pads are numbered 1 to 24."},
        {{"edit", in, "-o", out, "--note", "0=5"}, 1, notWritten + "--note 0=5: there is no pad \"0\""},
        {{"edit", in, "-o", out, "--kit", "x"}, 1, notWritten + "--kit x: \"x\" is not a number."},
        {{"edit", in, "-o", out, "--note", "1=abc"}, 1, notWritten + "--note 1=abc: \"abc\" is not a number."},
        {{"edit", in, "-o", out, "--kit", "4", "--channel", "3=0"}, 1,
         notWritten + "--channel 3=0: Transmit Channel cannot be higher than 16 or lower than 1."},
        {{"edit", in, "-o", out, "--name", "\xE6\x97\xA5"}, 1,
         notWritten + "--name: The character \"\xE6\x97\xA5\" cannot be stored in a kit name."},
        {{"show", "--", missing}, 1, cannotOpen(missing, "the file does not exist.")},
        {{"edit", damagedPath, "--kit", "2"}, 1,
         cannotOpen(damagedPath, "the kit dump is damaged at offset 10, which holds 64; each half of a stored value "
                                 "lies between 0 and 15.")},
        {{"show", folder.path("gone\t\x1b[2J\xC2\x9B\xC3\xA9.syx")}, 1,
         cannotOpen(folder.path("gone\\t\\x1b[2J\\xc2\\x9b\xC3\xA9.syx"), "the file does not exist.")},
        {{"find", missing}, 1, "morvane-kit: cannot read \"" + missing + "\""},
        {{"diff", "--", DemoKit, missing}, 2, cannotOpen(missing, "the file does not exist.")},
        {{"diff", "--json", DemoKit}, 2, ""},
        {{"library", "history", "ffff"}, 1, "morvane-kit: No kit in the library has a hash starting with ffff."},
        {{"library", "export", "zz", "-o", out}, 1, "morvane-kit: \"zz\" is no hash"},
        {{"library", "export", "ffff"}, 2, ""},
        {{"library", "receive", "--timeout", "5"}, 2, ""},
        {{"library", "receive", "--port", "0", "--timeout", "86401"}, 2, ""},
        {{"library", "annotate", "ffff", "a", "note"}, 1,
         "morvane-kit: No kit in the library has a hash starting with ffff."},
        {{"library", "tag", "ffff"}, 2, ""},
        {{"library", "diff", "ffff", "0"}, 2, "morvane-kit: No kit in the library has a hash starting with ffff."},
        {{"library", "diff", "--json", "ffff"}, 2, ""},
        {{"frobnicate"}, 2, ""},
        {{"receive", "--port", "0", "-o", out, "--timeout", "86401"}, 2, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        const auto run = morvaneKit(row.args);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, row.errStart.size()), row.errStart);
        if (!row.errStart.empty()) {
            EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
        }
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(readBytes(in), demo);
    EXPECT_EQ(readBytes(damagedPath), damaged);
}

TEST_F(MorvaneKit, DiffTellsEachDifferingFieldThenTheOtherBytesAndExitsAsDiffDoes)
{
    auto pads = demo;
    writeNibblePair(pads, offsets::padNote(6), 40);
    pads[offsets::padChannel(23)] = 15;
    auto header = demo;
    header[offsets::KitNumber] = 4;
    writeNibblePair(header, offsets::BankLow, 18);
    const std::uint8_t name[] = {'C', 'a', 'f', 0xE9, '\t', 'D', 'e', 'm', 'o', ' ', ' ', ' '};
    for (int c = 0; c < KitNameLength; ++c) writeNibblePair(header, offsets::nameChar(c), name[c]);
    header[600] ^= 1;  // held by no field
    auto longer = demo;
    longer.insert(longer.end(), {0xF0, 0xF7});
    struct Row {
        KitDump second;
        std::string option;
        int exitCode;
        std::string out;
    };
    const Row rows[] = {
        {demo, "", 0, ""},
        {pads, "", 1, "pad 7 note 44 -> 40\npad 24 channel 2 -> 16\n"},
        {header, "", 1, "kit 3 -> 5\nbank 0 -> 18\ntitle \"Morvane Demo\" -> \"Caf\xC3\xA9\\u0009Demo   \"\n"
                        "1 other byte differs\n"},
        {longer, "", 1, "length 746 -> 748\n"},
        {header, "--json", 1,
         R"({"kit": [3, 5], "bank": [0, 18], "name": ["Morvane Demo", "Caf\u00e9\u0009Demo   "], "pads": [], )"
         R"("other_bytes": 1, "length": null})" "\n"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args{"diff", DemoKit, folder.file("second.syx", row.second)};
        if (!row.option.empty()) args.insert(args.begin() + 1, row.option);
        SCOPED_TRACE(::testing::PrintToString(args));
        const auto run = morvaneKit(args);
        EXPECT_EQ(run.out + run.err, row.out);
        EXPECT_EQ(run.exitCode, row.exitCode);
    }
}

// The same search as the batch window's Add Entire Directory.
TEST_F(MorvaneKit, FindPrintsWhatAddEntireDirectoryAddsInTheSameOrder)
{
    for (const char* file : {"kits/Rock/r.syx", "kits/rock/R.SYX", "kits/jazz/deep/d.syx", "kits/jazz/j.Syx",
                             "kits/top.syx", "kits/notes.txt"})
        folder.file(file);
    BatchList list;
    addFolderTree(list, folder.path("kits"), {});
    EXPECT_EQ(list.size(), 5u);
    EXPECT_EQ(lines(morvaneKit({"find", folder.path("kits")}).out), list.entries());

    // A newline in a name is escaped in lines, and written as it is with -0.
    const auto odd = folder.file("odd/a\nb.syx");
    EXPECT_EQ(morvaneKit({"find", folder.path("odd")}).out, folder.path("odd/a\\nb.syx") + "\n");
    EXPECT_EQ(morvaneKit({"find", "-0", folder.path("odd")}).out, odd + std::string(1, '\0'));
}

// Through the library the editor keeps, in its per-user data folder.
TEST_F(MorvaneKit, LibraryImportsThenListsExportsAndTellsAKitsHistory)
{
    const auto batch = Examples / "batch";
    const auto kit2 = (batch / "kit-2.syx").string();
    EXPECT_EQ(morvaneKit({"library", "import", batch.string()}).out, "added 3, already known 0, not kits 0\n");
    EXPECT_TRUE(fs::exists(folder.path("data/VEXO Morvane Editor/kit-library.sqlite")));
    const auto json = lines(morvaneKit({"library", "list", "--json", "two", "note:60"}).out);
    ASSERT_EQ(json.size(), 3u);
    EXPECT_NE(json[1].find(R"("kit": 2, "bank": 0, "title": "Batch Two", "last": {"event": "imported")"),
              std::string::npos);
    const auto hash = json[1].substr(std::string(R"({"hash": ")").size(), 12);
    const auto table = lines(morvaneKit({"library", "list", "two", "note:60"}).out);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[1].substr(0, 47), hash + "   2    0  \"Batch Two\"    imported ");
    EXPECT_EQ(table[1].substr(table[1].size() - kit2.size() - 7), "    0  " + kit2);

    EXPECT_EQ(morvaneKit({"library", "export", hash.substr(0, 6), "-o", folder.path("two.syx")}).exitCode, 0);
    EXPECT_EQ(readBytes(folder.path("two.syx")), readBytes(kit2));
    const auto history = lines(morvaneKit({"library", "history", hash}).out);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].substr(16), "  imported from " + kit2);

    EXPECT_EQ(morvaneKit({"library", "fav", hash}).out, hash + " is a favourite now.\n");
    EXPECT_EQ(morvaneKit({"library", "annotate", hash.substr(0, 6), "for", "the", "gig"}).exitCode, 0);
    EXPECT_EQ(morvaneKit({"library", "tag", hash, "Live"}).exitCode, 0);
    const auto marked = lines(morvaneKit({"library", "list", "fav", "text:GIG", "tag:live"}).out);
    ASSERT_EQ(marked.size(), 3u);
    EXPECT_EQ(marked[2], std::string(13, ' ') + "favourite  tags: live  note: for the gig");
    EXPECT_NE(lines(morvaneKit({"library", "list", "--json", "gig"}).out)[1].find(
                  R"("favourite": true, "note": "for the gig", "tags": ["live"]})"),
              std::string::npos);
    EXPECT_EQ(morvaneKit({"library", "fav", "--off", hash}).exitCode, 0);
    EXPECT_EQ(lines(morvaneKit({"library", "list", "fav"}).out).size(), 1u);
    // library diff prints what diff prints for the kits' files, and exits as it does.
    const auto kit3 = (batch / "kit-3.syx").string();
    const auto bytes = readBytes(kit3);
    const auto hash3 = QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(bytes.data()), 746),
                                                QCryptographicHash::Sha256).toHex().left(5).toStdString();
    const auto run = morvaneKit({"library", "diff", hash, hash3});
    EXPECT_EQ(std::pair(run.out, run.exitCode), std::pair(morvaneKit({"diff", kit2, kit3}).out, 1)) << run.err;
    EXPECT_EQ(morvaneKit({"library", "diff", hash, "--json", hash3}).out, morvaneKit({"diff", "--json", kit2, kit3}).out);
    EXPECT_EQ(morvaneKit({"library", "diff", hash, hash.substr(0, 4)}).exitCode, 0);
}
