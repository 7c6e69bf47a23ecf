#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace morvane::testing {

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder tree under the system's temp folder, removed with everything
// in it when the test ends. Files and folders are named by their path
// relative to its root; missing folders on the way are created.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device entropy;
        root_ = std::filesystem::temp_directory_path() /
                ("morvane-test-" + std::to_string(entropy()) + std::to_string(entropy()));
        std::filesystem::create_directories(root_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path(const std::string& relative) const { return (root_ / relative).string(); }

    std::string file(const std::string& relative, const std::vector<std::uint8_t>& bytes = {0xF0, 0xF7}) const
    {
        std::filesystem::create_directories((root_ / relative).parent_path());
        writeBytes(path(relative), bytes);
        return path(relative);
    }
    std::string folder(const std::string& relative) const
    {
        std::filesystem::create_directories(root_ / relative);
        return path(relative);
    }

private:
    std::filesystem::path root_;
};

}  // namespace morvane::testing
