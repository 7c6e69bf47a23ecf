#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::tool {

enum ExitCode : int { ExitSuccess = 0, ExitRefused = 1, ExitUsage = 2 };
// diff and library diff answer as diff(1) does, so scripts can test them the same way.
enum DiffExit : int { DiffSame = 0, DiffDifferent = 1, DiffTrouble = 2 };

struct Console {
    std::ostream& out;
    std::ostream& err;
};

// The arguments as UTF-8 text, file names included (see utf8ToPath).
using Arguments = std::vector<std::string>;

// One subcommand of morvane-kit. run gets the arguments after its name.
struct Command {
    std::string_view name;
    std::string_view synopsis;  // the arguments, as the usage line shows them
    std::string_view summary;   // one line for --help
    std::string_view details;   // further lines for "morvane-kit NAME --help"
    int (*run)(const Arguments& args, Console& console);
};

// Each command group lives in a source file of its own and lists its
// commands here; main.cpp's table names every group once.
std::vector<Command> kitFileCommands();
std::vector<Command> findCommands();
std::vector<Command> midiCommands();
std::vector<Command> libraryCommands();

// One line on stderr naming the file and the reason; exit status 1 unless
// the command's own statuses say otherwise.
// Both write their texts with control characters escaped.
int refuse(Console& console, const std::string& reason, int exitCode = ExitRefused);
// The problem and the command's usage line on stderr; exit status 2.
int usageError(Console& console, const Command& command, const std::string& problem);

}  // namespace morvane::tool
