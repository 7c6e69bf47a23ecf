#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace morvane::testing {

// A real folder under the system's temporary folder, removed with everything
// in it when the test ends.
class TempTree {
public:
    TempTree()
    {
        std::random_device entropy;
        root_ = std::filesystem::temp_directory_path() / ("morvane-batch-" + std::to_string(entropy()));
        std::filesystem::create_directories(root_);
    }
    ~TempTree()
    {
        std::error_code ignored;
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path(const std::string& relative) const { return (root_ / relative).string(); }

    // Creates the file and any missing folders on its way.
    std::string file(const std::string& relative, const std::vector<std::uint8_t>& bytes = {0xF0, 0xF7}) const
    {
        const auto full = root_ / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return full.string();
    }
    std::string folder(const std::string& relative) const
    {
        std::filesystem::create_directories(root_ / relative);
        return (root_ / relative).string();
    }

private:
    std::filesystem::path root_;
};

}  // namespace morvane::testing
