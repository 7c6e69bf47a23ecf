#include "BatchSet.h"

#include "base/Text.h"
#include "kit/KitFile.h"

#include <algorithm>
#include <cstdio>
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

bool isControlCode(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

// A line break in a path would split it in two on reading, and the other
// control codes mark a file that is no list of paths at all.
bool holdsControlCode(const std::string& text) { return std::any_of(text.begin(), text.end(), isControlCode); }

// The path as a message can show it: a control code as \xNN.
std::string withVisibleControlCodes(const std::string& text)
{
    std::string shown;
    for (const char c : text) {
        if (!isControlCode(c)) {
            shown += c;
            continue;
        }
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        shown += escape;
    }
    return shown;
}

// A relative path is where the set file's folder says, wherever the editor runs.
std::string entryOf(const fs::path& setFile, const std::string& line)
{
    const fs::path entry = utf8ToPath(line);
    return entry.is_absolute() ? line : pathToUtf8((setFile.parent_path() / entry).lexically_normal());
}

Result<Entries> entriesOf(const fs::path& path, const std::string& text)
{
    Entries entries;
    std::istringstream lines(text);
    std::size_t number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto where = "line " + std::to_string(number);
        if (line.size() > MaxPathLength) return refused(path, where + " is longer than any path can be.");
        if (holdsControlCode(line))
            return refused(path, where + " holds a control code; a batch set is a text file of paths, one per line.");
        if (!line.empty()) entries.push_back(entryOf(path, line));
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
        if (holdsControlCode(entry))
            return Status::failure("Cannot save " + inQuotes(pathToUtf8(path)) + ": the path " +
                                   inQuotes(withVisibleControlCodes(entry)) +
                                   " holds a line break or another control code, which a batch set cannot hold.");
        bytes.insert(bytes.end(), entry.begin(), entry.end());
        bytes.push_back('\n');
    }
    return saveWholeFile(path, bytes);
}

}  // namespace morvane
