// Waiting for standard input with poll(2), so that a stop request is looked
// at every few milliseconds.
#include "StandardInput.h"

#include <cerrno>

#include <poll.h>
#include <unistd.h>

namespace morvane::sim {
namespace {

constexpr int WaitMilliseconds = 50;

}  // namespace

// A byte at a time: nothing read stays buffered between calls, and a command
// is a few bytes long.
std::optional<std::string> nextInputLine(const std::atomic<bool>& stop)
{
    std::string line;
    while (!stop) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = ::poll(&input, 1, WaitMilliseconds);
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
        char byte = 0;
        const ssize_t got = ready < 0 ? -1 : ::read(STDIN_FILENO, &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return line.empty() ? std::nullopt : std::optional(line);
        if (byte == '\n') return line;
        line += byte;
    }
    return std::nullopt;
}

}  // namespace morvane::sim
