#pragma once

#include <atomic>
#include <optional>
#include <string>

namespace morvane::sim {

// The next line of standard input, without its newline; nothing at the end
// of the input. Where the system can wait with a time limit, a stop request
// ends the wait within a moment even while no line comes, so the reading
// thread can be joined.
std::optional<std::string> nextInputLine(const std::atomic<bool>& stop);

}  // namespace morvane::sim
