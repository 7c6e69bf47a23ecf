#pragma once

#include "KitDump.h"
#include "base/Result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane {

// No kit is anywhere near this large; bigger files are refused unread.
inline constexpr std::uintmax_t MaxKitFileSize = 1024 * 1024;

// The whole-file read used for kit files and batch files alike. Never creates
// a file. Refuses a missing path, a folder, an unreadable file, an empty file
// and a file over 1 MiB; the reason names the file.
Result<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path);

// A kit file read and decoded: the dump keeps the file's length.
struct LoadedKit {
    KitDump dump;
    KitFields fields;
};

// The whole-file read followed by the decode. On refusal nothing is returned
// but the reason, which names the file, so the caller's kit stays as it was.
Result<LoadedKit> readKitFile(const std::filesystem::path& path);

// Writes exactly these bytes to path through a temporary file in the same
// folder and a rename, so a failed save leaves the old file whole and a
// longer old file keeps no tail; the old file's permissions stay. A link is
// saved through to the end of its chain. A read-only file, a folder, a device,
// a named pipe or a socket is refused without being opened.
Status saveWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// The name the caption shows for a kit's file, in UTF-8: the last path
// component, or "file not saved" for no path or for temp.syx in the
// program's own folder.
std::string shortFileName(const std::filesystem::path& path, const std::filesystem::path& programFolder);

}  // namespace morvane
