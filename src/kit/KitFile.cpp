#include "KitFile.h"

#include "FileReplace.h"
#include "KitCodec.h"
#include "base/Text.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace morvane {
namespace {

template <typename T>
Result<T> refuse(const fs::path& path, const std::string& reason)
{
    return Result<T>::failure("Cannot open " + inQuotes(pathToUtf8(path)) + ": " + reason);
}

// As many hops as a POSIX system follows before it calls the chain a loop.
constexpr int MaxLinkHops = 40;

// Saving through a link replaces the file at the end of its chain and keeps
// every link; the end of a dangling chain is created.
Result<fs::path> endOfLinkChain(fs::path path)
{
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return Result<fs::path>::failure("its link cannot be read (" + ec.message() + ").");
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return Result<fs::path>::failure("its links lead round in a circle.");
}

// Only an ordinary file may be replaced: renaming over a device or a pipe
// would take it away from whatever else uses it.
std::optional<std::string> whyNotReplaceable(const fs::file_status& status)
{
    switch (status.type()) {
    case fs::file_type::not_found: return std::nullopt;
    case fs::file_type::regular: break;
    case fs::file_type::directory: return "it is a folder, not a file.";
    case fs::file_type::block:
    case fs::file_type::character: return "it is a device, not a file.";
    case fs::file_type::fifo: return "it is a named pipe (FIFO), not a file.";
    case fs::file_type::socket: return "it is a socket, not a file.";
    default: return "it is not an ordinary file.";
    }
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) return "the file is read-only.";
    return std::nullopt;
}

}  // namespace

Result<std::vector<std::uint8_t>> readWholeFile(const fs::path& path)
{
    using Bytes = std::vector<std::uint8_t>;
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) return refuse<Bytes>(path, ec.message() + ".");
    if (!fs::exists(status)) return refuse<Bytes>(path, "the file does not exist.");
    if (fs::is_directory(status)) return refuse<Bytes>(path, "it is a folder, not a file.");
    if (!fs::is_regular_file(status)) return refuse<Bytes>(path, "it is not an ordinary file.");
    const auto size = fs::file_size(path, ec);
    if (ec) return refuse<Bytes>(path, ec.message() + ".");
    if (size == 0) return refuse<Bytes>(path, "the file is empty.");
    if (size > MaxKitFileSize)
        return refuse<Bytes>(path, "the file has " + std::to_string(size) +
                                       " bytes; a kit file is never larger than 1 MiB.");

    std::ifstream in(path, std::ios::binary);
    if (!in) return refuse<Bytes>(path, "the file cannot be read (" + std::string(std::strerror(errno)) + ").");
    Bytes bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size()))
        return refuse<Bytes>(path, "the file could not be read to its end.");
    return bytes;
}

Result<LoadedKit> readKitFile(const fs::path& path)
{
    auto bytes = readWholeFile(path);
    if (!bytes) return Result<LoadedKit>::failure(bytes.error());
    auto fields = decodeKit(bytes.value());
    if (!fields) {
        // The codec's reason is a sentence of its own; here it follows the file name.
        std::string reason = fields.error();
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
        return refuse<LoadedKit>(path, reason);
    }
    return LoadedKit{std::move(bytes).value(), std::move(fields).value()};
}

Status saveWholeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    const auto refused = [&](const std::string& reason) {
        return Status::failure("Cannot save " + inQuotes(pathToUtf8(path)) + ": " + reason);
    };
    const auto target = endOfLinkChain(path);
    if (!target) return refused(target.error());
    std::error_code ec;
    const auto status = fs::symlink_status(target.value(), ec);
    if (status.type() == fs::file_type::none) return refused(ec.message() + ".");
    if (const auto why = whyNotReplaceable(status)) return refused(*why);
    const auto kept = fs::exists(status) ? std::optional(status.permissions()) : std::nullopt;
    if (auto replaced = replaceFileWith(target.value(), bytes, kept); !replaced) return refused(replaced.error());
    return succeeded();
}

std::string shortFileName(const fs::path& path, const fs::path& programFolder)
{
    if (path.empty() || path.native() == (programFolder / "temp.syx").native()) return "file not saved";
    return pathToUtf8(path.filename());
}

}  // namespace morvane
