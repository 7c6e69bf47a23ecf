// Saving on POSIX systems (Linux, macOS), where open(2) can refuse to reuse
// or follow anything already at the temporary name, and fsync(2) makes the
// bytes durable before the rename publishes them.
#include "FileReplace.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace morvane {
namespace {

// Names are random; a taken one is only ever skipped, never reused.
constexpr int NameAttempts = 100;

Status failed(const std::string& what) { return Status::failure(what + " (" + std::strerror(errno) + ")."); }

struct Temporary {
    int fd;
    fs::path path;
};

Result<Temporary> createTemporaryBeside(const fs::path& target)
{
    std::random_device entropy;
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const fs::path path = target.parent_path() / (".morvane-" + std::to_string(entropy()) + ".saving");
        // 0666 leaves the mode of a new file to the user's umask, as any other program's.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return Temporary{fd, path};
        if (errno != EEXIST) return Result<Temporary>::failure(failed("the folder cannot be written to").error());
    }
    return Result<Temporary>::failure("no free temporary name was found in its folder.");
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes, const FileCalls& calls)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = calls.write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = ENOSPC;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

Status fill(int fd, const std::vector<std::uint8_t>& bytes, std::optional<fs::perms> keptPermissions,
            const FileCalls& calls)
{
    if (!writeAll(fd, bytes, calls)) return failed("writing failed");
    if (keptPermissions && ::fchmod(fd, static_cast<mode_t>(*keptPermissions)) != 0)
        return failed("the file's permissions cannot be kept");
    if (calls.fsync(fd) != 0) return failed("writing failed");
    return succeeded();
}

// The rename itself survives a power cut only once the folder is synced too.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

Status replaceFileWith(const fs::path& target, const std::vector<std::uint8_t>& bytes,
                       std::optional<fs::perms> keptPermissions, const FileCalls& calls)
{
    const auto temporary = createTemporaryBeside(target);
    if (!temporary) return Status::failure(temporary.error());
    const auto& [fd, path] = temporary.value();
    Status done = fill(fd, bytes, keptPermissions, calls);
    if (::close(fd) != 0 && done) done = failed("writing failed");
    if (done && calls.rename(path.c_str(), target.c_str()) != 0) done = failed("the file cannot be replaced");
    if (!done) {
        ::unlink(path.c_str());
        return done;
    }
    syncFolder(target.parent_path());
    return succeeded();
}

}  // namespace morvane
