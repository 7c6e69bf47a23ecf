#pragma once

#include "base/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace morvane {

// Puts bytes at target in one step: a new file in target's folder, created
// exclusively and never through a link, written whole and synced, is renamed
// over it. keptPermissions are the old file's; a new file gets the user's
// usual mode. On failure the temporary file is gone and target untouched; the
// reason is a sentence that follows the file's name.
Status replaceFileWith(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes,
                       std::optional<std::filesystem::perms> keptPermissions);

}  // namespace morvane
