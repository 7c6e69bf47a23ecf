#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <fstream>
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
    QTemporaryDir dir_{QDir::tempPath() + "/morvane-test-XXXXXX"};
    std::filesystem::path root_{dir_.path().toStdString()};
};

}  // namespace morvane::testing
