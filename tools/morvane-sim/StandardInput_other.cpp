// Without poll(2) a read of standard input cannot be given a time limit. On
// Windows the console's Ctrl+C, which also stops the program, ends a waiting
// read, and a pipe ends when its writer closes it.
#include "StandardInput.h"

#include <iostream>

namespace morvane::sim {

std::optional<std::string> nextInputLine(const std::atomic<bool>& stop)
{
    std::string line;
    if (stop || !std::getline(std::cin, line)) return std::nullopt;
    return line;
}

}  // namespace morvane::sim
