#include "KitFile.h"

#include "KitCodec.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace morvane {
namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

template <typename T>
Result<T> refuse(const std::string& path, const std::string& reason)
{
    return Result<T>::failure("Cannot open " + quoted(path) + ": " + reason);
}

bool isPathSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::string temporarySibling(const fs::path& target)
{
    std::random_device entropy;
    return target.string() + ".saving-" + std::to_string(entropy() % 1000000);
}

// Saving through a link replaces the file it points to, not the link.
fs::path followedLink(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    const auto resolved = fs::weakly_canonical(path, ec);
    return ec ? path : resolved;
}

}  // namespace

Result<std::vector<std::uint8_t>> readWholeFile(const std::string& path)
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

Result<LoadedKit> readKitFile(const std::string& path)
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

Status saveWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const auto refused = [&](const std::string& reason) {
        return Status::failure("Cannot save " + quoted(path) + ": " + reason);
    };
    std::error_code ec;
    const fs::path target = followedLink(path);
    const auto status = fs::status(target, ec);
    if (fs::is_directory(status)) return refused("it is a folder, not a file.");
    if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return refused("the file is read-only.");

    const std::string temporary = temporarySibling(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return refused("the folder cannot be written to (" + std::string(std::strerror(errno)) + ").");
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temporary, ec);
            return refused("writing failed (the disk may be full).");
        }
    }
    if (fs::exists(status)) fs::permissions(temporary, status.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return refused(ec.message() + ".");
    }
    return succeeded();
}

std::string shortFileName(const std::string& path, const std::string& programFolder)
{
    if (path.empty()) return "file not saved";
    const fs::path temp = fs::path(programFolder) / "temp.syx";
    if (path == temp.string()) return "file not saved";
    for (std::size_t i = path.size(); i > 0; --i)
        if (isPathSeparator(path[i - 1])) return path.substr(i);
    return path;
}

}  // namespace morvane
