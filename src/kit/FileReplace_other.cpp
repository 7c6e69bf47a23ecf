// Saving where the POSIX calls are missing (Windows): the C library's "x"
// mode creates the temporary file exclusively and std::filesystem::rename
// replaces the target.
#include "FileReplace.h"

#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#endif

namespace fs = std::filesystem;

namespace morvane {
namespace {

constexpr int NameAttempts = 100;

std::FILE* openExclusively(const fs::path& path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

// Without a sync call in the C library the bytes reach the system's cache only.
bool flushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return true;
#endif
}

bool fill(std::FILE* file, const std::vector<std::uint8_t>& bytes)
{
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && flushToDisk(file);
    return std::fclose(file) == 0 && written;
}

}  // namespace

Status replaceFileWith(const fs::path& target, const std::vector<std::uint8_t>& bytes,
                       std::optional<fs::perms> keptPermissions)
{
    std::random_device entropy;
    fs::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < NameAttempts && !file; ++attempt) {
        temporary = target.parent_path() / (".morvane-" + std::to_string(entropy()) + ".saving");
        file = openExclusively(temporary);
    }
    if (!file) return Status::failure("the folder cannot be written to.");
    const auto givenUp = [&](const std::string& reason) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Status::failure(reason);
    };
    if (!fill(file, bytes)) return givenUp("writing failed (the disk may be full).");
    std::error_code ec;
    if (keptPermissions) fs::permissions(temporary, *keptPermissions, ec);
    if (!ec) fs::rename(temporary, target, ec);
    if (ec) return givenUp("the file cannot be replaced (" + ec.message() + ").");
    return succeeded();
}

}  // namespace morvane
