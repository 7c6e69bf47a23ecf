#include "kit/KitFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace morvane;
using namespace morvane::testing;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> countingBytes(std::size_t length)
{
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i % 16);
    return bytes;
}

template <typename T>
void expectRefusal(const Result<T>& read, const std::string& path, const std::string& why)
{
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error(), "Cannot open \"" + path + "\": " + why);
}

}  // namespace

TEST(ReadWholeFile, RefusesMissingFoldersEmptyAndOversizedFilesNamingThem)
{
    TempFolder folder;
    const auto missing = folder.path("missing.syx");
    expectRefusal(readWholeFile(missing), missing, "the file does not exist.");
    EXPECT_FALSE(fs::exists(missing));

    expectRefusal(readWholeFile(folder.root().string()), folder.root().string(), "it is a folder, not a file.");

    folder.file("empty.syx", {});
    expectRefusal(readWholeFile(folder.path("empty.syx")), folder.path("empty.syx"), "the file is empty.");

    const auto huge = folder.path("huge.syx");
    writeBytes(huge, {0xF0});
    fs::resize_file(huge, MaxKitFileSize + 1);
    expectRefusal(readWholeFile(huge), huge, "the file has 1048577 bytes; a kit file is never larger than 1 MiB.");
    fs::resize_file(huge, MaxKitFileSize);
    EXPECT_TRUE(readWholeFile(huge));
}

TEST(ReadKitFile, KeepsTheFileLengthAndRefusesADamagedDumpNamingFileAndOffset)
{
    TempFolder folder;
    auto bytes = countingBytes(1000);
    bytes[offsets::KitNumber] = 4;
    const auto kit = readKitFile(folder.file("long.syx", bytes));
    ASSERT_TRUE(kit) << kit.error();
    EXPECT_EQ(kit.value().dump, bytes);
    EXPECT_EQ(kit.value().fields.KitNumber, 5);

    bytes[offsets::padChannel(2)] = 200;
    const auto damagedFile = folder.file("damaged.syx", bytes);
    expectRefusal(readKitFile(damagedFile), damagedFile,
                  "the kit dump is damaged at offset 65, which holds 200; MIDI data bytes lie between 0 and 127.");
}

TEST(SaveWholeFile, WritesExactlyTheBytesCutsALongerOldFileRefusesAReadOnlyOneAndFollowsLinks)
{
    TempFolder folder;
    const auto path = folder.path("kit.syx");
    const std::vector<std::uint8_t> old(1000, 0x55);
    writeBytes(path, old);
    const auto bytes = countingBytes(KitDumpLength);
    ASSERT_TRUE(saveWholeFile(path, bytes));
    EXPECT_EQ(readBytes(path), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.root()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";

    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto saved = saveWholeFile(path, old);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error(), "Cannot save \"" + path + "\": the file is read-only.");
    EXPECT_EQ(readBytes(path), bytes);

    // Through a link, the linked file is replaced and the link stays.
    const auto target = folder.path("target.syx");
    const auto link = folder.path("link.syx");
    writeBytes(target, {1, 2, 3});
    std::error_code ec;
    fs::create_symlink(target, link, ec);
    if (ec) GTEST_SKIP() << "this system cannot make links here: " << ec.message();
    ASSERT_TRUE(saveWholeFile(link, countingBytes(5)));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(target), countingBytes(5));
}

TEST(ShortFileName, ShowsTheLastPathComponentOrFileNotSaved)
{
    const fs::path program = fs::path("opt") / "morvane";
    EXPECT_EQ(shortFileName("", program.string()), "file not saved");
    EXPECT_EQ(shortFileName((program / "temp.syx").string(), program.string()), "file not saved");
    EXPECT_EQ(shortFileName((fs::path("home") / "temp.syx").string(), program.string()), "temp.syx");
    EXPECT_EQ(shortFileName((fs::path("kits") / "rock.syx").string(), program.string()), "rock.syx");
    EXPECT_EQ(shortFileName("rock.syx", program.string()), "rock.syx");
    EXPECT_EQ(shortFileName((fs::path("kits") / "").string(), program.string()), "");
}
