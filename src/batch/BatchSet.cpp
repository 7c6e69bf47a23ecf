#include "BatchSet.h"

#include "kit/KitFile.h"

#include <filesystem>
#include <fstream>

namespace morvane {

Result<std::vector<std::string>> readBatchSet(const std::string& path)
{
    using Entries = std::vector<std::string>;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return Result<Entries>::failure("Cannot open \"" + path + "\": it is not a file.");
    std::ifstream in(path, std::ios::binary);
    if (!in) return Result<Entries>::failure("Cannot open \"" + path + "\": the file cannot be read.");
    Entries entries;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) entries.push_back(std::move(line));
    }
    if (in.bad()) return Result<Entries>::failure("Cannot open \"" + path + "\": reading failed.");
    return entries;
}

Status saveBatchSet(const std::string& path, const std::vector<std::string>& entries)
{
    std::vector<std::uint8_t> bytes;
    for (const auto& entry : entries) {
        bytes.insert(bytes.end(), entry.begin(), entry.end());
        bytes.push_back('\n');
    }
    return saveWholeFile(path, bytes);
}

}  // namespace morvane
