#include "kit/FileReplace.h"
#include "kit/KitFile.h"

#include "support/KitFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace morvane;
using namespace morvane::testing;
namespace fs = std::filesystem;

namespace {

// Each entry's type and, for a file, its bytes: what a failed save must leave as it was.
std::map<std::string, std::pair<fs::file_type, std::vector<std::uint8_t>>> snapshot(const TempFolder& folder)
{
    std::map<std::string, std::pair<fs::file_type, std::vector<std::uint8_t>>> entries;
    for (const auto& entry : fs::directory_iterator(folder.root())) {
        const auto type = entry.symlink_status().type();
        entries[entry.path().string()] = {type, type == fs::file_type::regular ? readBytes(entry.path().string())
                                                                               : std::vector<std::uint8_t>{}};
    }
    return entries;
}

}  // namespace

TEST(ReadWholeFile, RefusesMissingFoldersEmptyAndOversizedFilesNamingThem)
{
    TempFolder folder;
    folder.folder("folder.syx");
    folder.file("empty.syx", {});
    fs::resize_file(folder.file("huge.syx"), MaxKitFileSize + 1);
    const std::pair<std::string, std::string> rows[] = {
        {"missing.syx", "the file does not exist."},
        {"folder.syx", "it is a folder, not a file."},
        {"empty.syx", "the file is empty."},
        {"huge.syx", "the file has 1048577 bytes; a kit file is never larger than 1 MiB."},
    };
    for (const auto& [name, why] : rows) {
        const auto read = readWholeFile(folder.path(name));
        EXPECT_EQ(read ? "" : read.error(), "Cannot open \"" + folder.path(name) + "\": " + why);
    }
}

TEST(SaveWholeFile, WritesExactlyTheBytesKeepsTheModeAndSavesThroughLinks)
{
    TempFolder folder;
    const auto path = folder.file("kit.syx", KitDump(1000, 0x55));
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    const auto bytes = makeKitDump();
    ASSERT_TRUE(saveWholeFile(path, bytes));
    EXPECT_EQ(readBytes(path), bytes);
    EXPECT_EQ(fs::status(path).permissions(), mode);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.root()), fs::directory_iterator()), 1);  // no temporary left
    ASSERT_TRUE(saveWholeFile(folder.path("new.syx"), bytes));
    EXPECT_EQ(fs::status(folder.path("new.syx")).permissions(), fs::status(folder.file("usual")).permissions());

    // Through a link, the linked file is replaced and the link stays.
    const auto target = folder.file("target.syx", {1, 2, 3});
    const auto link = folder.path("link.syx");
    std::error_code ec;
    fs::create_symlink(target, link, ec);
    if (ec) GTEST_SKIP() << "this system cannot make links here: " << ec.message();
    ASSERT_TRUE(saveWholeFile(link, bytes));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(target), bytes);
}

TEST(SaveWholeFile, RefusesWhatIsNotAnOrdinaryWritableFileWithoutOpeningIt)
{
    TempFolder folder;
    fs::permissions(folder.file("locked.syx"), fs::perms::owner_read);
    folder.folder("folder.syx");
    std::error_code unsupported;  // a row this system cannot set up is left out
    fs::create_symlink("loop-b.syx", folder.path("loop-a.syx"), unsupported);
    fs::create_symlink("loop-a.syx", folder.path("loop-b.syx"), unsupported);
    fs::create_symlink("fifo.syx", folder.path("to-fifo.syx"), unsupported);
#ifndef _WIN32
    ::mkfifo(folder.path("fifo.syx").c_str(), 0644);
    ::mknod(folder.path("null.syx").c_str(), S_IFCHR | 0666, 0);  // as root only
#endif
    const std::pair<std::string, std::string> rows[] = {
        {"locked.syx", "the file is read-only."},
        {"folder.syx", "it is a folder, not a file."},
        {"loop-a.syx", "its links lead round in a circle."},
        {"fifo.syx", "it is a named pipe (FIFO), not a file."},
        {"to-fifo.syx", "it is a named pipe (FIFO), not a file."},
        {"null.syx", "it is a device, not a file."},
    };
    const auto before = snapshot(folder);
    for (const auto& [name, why] : rows) {
        if (!fs::exists(fs::symlink_status(folder.path(name)))) continue;
        const auto saved = saveWholeFile(folder.path(name), makeKitDump());
        ASSERT_FALSE(saved) << name;
        EXPECT_EQ(saved.error(), "Cannot save \"" + folder.path(name) + "\": " + why);
    }
    EXPECT_EQ(snapshot(folder), before);
}

#ifndef _WIN32
// Once the temporary file is open, a failing write, sync or rename is named and
// leaves the old file whole with no temporary beside it.
TEST(ReplaceFile, AFailedWriteSyncOrRenameKeepsTheOldFileAndLeavesNoTemporary)
{
    FileCalls write, sync, rename;
    write.write = [](int, const void*, std::size_t) -> ssize_t { return errno = ENOSPC, -1; };
    sync.fsync = [](int) { return errno = EIO, -1; };
    rename.rename = [](const char*, const char*) noexcept { return errno = EACCES, -1; };
    const std::pair<FileCalls, std::string> rows[] = {
        {write, "writing failed (No space left on device)."},
        {sync, "writing failed (Input/output error)."},
        {rename, "the file cannot be replaced (Permission denied)."},
    };
    TempFolder folder;
    folder.file("kit.syx", KitDump(7, 7));
    const auto before = snapshot(folder);
    for (const auto& [calls, why] : rows) {
        EXPECT_EQ(replaceFileWith(folder.path("kit.syx"), makeKitDump(), {}, calls).error(), why);
        EXPECT_EQ(snapshot(folder), before);
    }
}
#endif
