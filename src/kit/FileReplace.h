#pragma once

#include "base/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#ifndef _WIN32
#include <cstdio>
#include <unistd.h>
#endif

namespace morvane {

// Puts bytes at target in one step: a new file in target's folder, created
// exclusively and never through a link, written whole and synced, is renamed
// over it. keptPermissions are the old file's; a new file gets the user's
// usual mode. On failure the temporary file is gone and target untouched; the
// reason is a sentence that follows the file's name.
#ifdef _WIN32
Status replaceFileWith(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes,
                       std::optional<std::filesystem::perms> keptPermissions);
#else
// The calls that can fail once the temporary file is open: the system's,
// unless a test passes failing ones to see that promise kept.
struct FileCalls {
    decltype(&::write) write = &::write;
    decltype(&::fsync) fsync = &::fsync;
    decltype(&::rename) rename = &::rename;
};

Status replaceFileWith(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes,
                       std::optional<std::filesystem::perms> keptPermissions, const FileCalls& calls = {});
#endif

}  // namespace morvane
