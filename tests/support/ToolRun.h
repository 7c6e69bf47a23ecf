#pragma once

#include <string>
#include <vector>

namespace morvane::testing {

// What a command-line program printed and how it ended.
struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs program with args (no shell), waits for it and collects its output.
ToolRun runTool(const std::string& program, const std::vector<std::string>& args);

}  // namespace morvane::testing
