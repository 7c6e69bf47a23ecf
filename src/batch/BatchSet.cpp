#include "BatchSet.h"

#include "base/Text.h"
#include "kit/KitFile.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace morvane {
namespace {

using Entries = std::vector<std::string>;

// Ten thousand kits' paths fit in 1 MiB; a bigger file is something else, and
// reading it whole would stall the window.
constexpr std::uintmax_t MaxBatchSetSize = 1024 * 1024;
// No system takes a longer path, so a longer line means the file is no batch set.
constexpr std::size_t MaxPathLength = 4096;

Result<Entries> refused(const fs::path& path, const std::string& reason)
{
    return Result<Entries>::failure("Cannot open " + inQuotes(pathToUtf8(path)) + ": " + reason);
}

Result<Entries> entriesOf(const fs::path& path, const std::string& text)
{
    Entries entries;
    std::istringstream lines(text);
    std::size_t number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > MaxPathLength)
            return refused(path, "line " + std::to_string(number) + " is longer than any path can be.");
        if (!line.empty()) entries.push_back(std::move(line));
    }
    return entries;
}

}  // namespace

Result<Entries> readBatchSet(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return refused(path, "it is not a file.");
    const auto size = fs::file_size(path, ec);
    if (ec) return refused(path, ec.message() + ".");
    if (size > MaxBatchSetSize)
        return refused(path, "the file has " + std::to_string(size) +
                                 " bytes; a batch set is never larger than 1 MiB.");
    std::ifstream in(path, std::ios::binary);
    if (!in) return refused(path, "the file cannot be read.");
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return refused(path, "reading failed.");
    text.resize(static_cast<std::size_t>(in.gcount()));
    return entriesOf(path, text);
}

Status saveBatchSet(const fs::path& path, const std::vector<std::string>& entries)
{
    std::vector<std::uint8_t> bytes;
    for (const auto& entry : entries) {
        bytes.insert(bytes.end(), entry.begin(), entry.end());
        bytes.push_back('\n');
    }
    return saveWholeFile(path, bytes);
}

}  // namespace morvane
