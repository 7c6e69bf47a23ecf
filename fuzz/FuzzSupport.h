#pragma once

// What the fuzzers share: stopping on a broken promise, and one scratch file
// per process for readers that take a path.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace morvane::fuzz {

inline void require(bool promise)
{
    if (!promise) std::abort();
}

inline const std::filesystem::path& scratchFile()
{
    static const std::filesystem::path path = [] {
        std::random_device entropy;
        return std::filesystem::temp_directory_path() / ("morvane-fuzz-" + std::to_string(entropy()));
    }();
    return path;
}

inline void removeScratchFile()
{
    std::error_code ignored;
    std::filesystem::remove(scratchFile(), ignored);
}

// Writes the bytes to the scratch file, removed again at exit.
inline const std::filesystem::path& scratchFileWith(const std::uint8_t* data, std::size_t size)
{
    // Registered after the path exists, so it runs before the path is destroyed.
    static const bool removedAtExit = (scratchFile(), std::atexit(removeScratchFile) == 0);
    (void)removedAtExit;
    std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return scratchFile();
}

}  // namespace morvane::fuzz
