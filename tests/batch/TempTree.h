#pragma once

#include "support/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::testing {

// A temporary folder tree: files and folders are named by their path
// relative to its root, and missing folders on the way are created.
class TempTree {
public:
    const std::filesystem::path& root() const { return folder_.path(); }
    std::string path(const std::string& relative) const { return (root() / relative).string(); }

    std::string file(const std::string& relative, const std::vector<std::uint8_t>& bytes = {0xF0, 0xF7}) const
    {
        std::filesystem::create_directories((root() / relative).parent_path());
        test::writeBytes(path(relative), bytes);
        return path(relative);
    }
    std::string folder(const std::string& relative) const
    {
        std::filesystem::create_directories(root() / relative);
        return path(relative);
    }

private:
    test::TempFolder folder_;
};

}  // namespace morvane::testing
