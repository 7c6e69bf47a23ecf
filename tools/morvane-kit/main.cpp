// morvane-kit: a command-line companion of the editor, built on the same
// kit library, for scripts and for checking kits without the window.
#include "Command.h"
#include "KitText.h"

#include <algorithm>
#include <iostream>

using namespace morvane::tool;

namespace {

// One line per command group; a group's commands come in the order it lists them.
constexpr std::vector<Command> (*CommandGroups[])() = {
    kitFileCommands,
    findCommands,
    midiCommands,
    libraryCommands,
};

std::vector<Command> allCommands()
{
    std::vector<Command> commands;
    for (auto group : CommandGroups) {
        auto more = group();
        commands.insert(commands.end(), more.begin(), more.end());
    }
    return commands;
}

void printOverview(std::ostream& out, const std::vector<Command>& commands)
{
    out << "usage: morvane-kit COMMAND [ARGUMENTS]\n"
           "       morvane-kit COMMAND --help\n"
           "       morvane-kit --help | --version\n\n"
           "Reads, compares, checks and changes kit dumps (.syx files) of the Morvane controller,\n"
           "and looks them up in the kit library the editor keeps.\n"
           "Exit status: 0 done, 1 input or value refused (nothing written), 2 usage error;\n"
           "diff's and library diff's as diff(1): 0 the same, 1 different, 2 trouble.\n"
           "File names in messages show control characters escaped (\\n, \\t, \\x1b).\n\n"
           "Commands:\n";
    for (const auto& command : commands)
        out << "  " << command.name << " " << command.synopsis << "\n      " << command.summary << "\n";
}

void printCommandHelp(std::ostream& out, const Command& command)
{
    out << "usage: morvane-kit " << command.name << " " << command.synopsis << "\n\n"
        << command.summary << "\n";
    if (!command.details.empty()) out << "\n" << command.details;
}

}  // namespace

namespace morvane::tool {

int refuse(Console& console, const std::string& reason, int exitCode)
{
    console.err << "morvane-kit: " << terminalText(reason) << "\n";
    return exitCode;
}

int usageError(Console& console, const Command& command, const std::string& problem)
{
    console.err << "morvane-kit " << command.name << ": " << terminalText(problem) << "\n"
                << "usage: morvane-kit " << command.name << " " << command.synopsis << "\n";
    return ExitUsage;
}

}  // namespace morvane::tool

int main(int argc, char** argv)
{
    Console console{std::cout, std::cerr};
    const Arguments args(argv + std::min(argc, 1), argv + argc);
    const auto commands = allCommands();
    if (args.empty()) {
        printOverview(console.err, commands);
        return ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        printOverview(console.out, commands);
        return ExitSuccess;
    }
    if (args[0] == "--version") {
        console.out << "morvane-kit " << MORVANE_VERSION << "\n";
        return ExitSuccess;
    }
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const Command& c) { return c.name == args[0]; });
    if (command == commands.end()) {
        console.err << "morvane-kit: unknown command \"" << terminalText(args[0]) << "\"; see morvane-kit --help\n";
        return ExitUsage;
    }
    const Arguments rest(args.begin() + 1, args.end());
    if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
        printCommandHelp(console.out, *command);
        return ExitSuccess;
    }
    return command->run(rest, console);
}
