// morvane-sim: a virtual Morvane for trying the editor without the
// instrument, and for the end-to-end tests.
#include "StandardInput.h"
#include "VirtualController.h"
#include "base/Text.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>

using namespace morvane::sim;
using morvane::utf8ToPath;
using namespace std::chrono_literals;

namespace {

std::atomic<bool> stopRequested{false};

void requestStop(int) { stopRequested = true; }

struct Options {
    std::optional<std::filesystem::path> sendFile;
    std::filesystem::path saveDir = ".";
};

const char* const Usage =
    "usage: morvane-sim [--send FILE] [--save-dir DIR]\n"
    "       morvane-sim --help | --version\n";

void printHelp()
{
    std::cout << Usage
              << "\nOpens a virtual MIDI input and output named \"" << VirtualPortName
              << "\" (ALSA sequencer, or JACK when there is none)\n"
                 "and plays the instrument for the editor:\n"
                 "  --send FILE    send the SysEx messages of FILE once something listens on the output\n"
                 "  --save-dir DIR write every SysEx message received to DIR/received-NNNN.syx (default: .)\n"
                 "On standard input: \"send FILE\" sends a file at once, \"note N\" strikes note N on channel 10,\n"
                 "\"quit\" ends the program.\n";
}

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--send" && hasValue)
            options.sendFile = utf8ToPath(argv[++i]);
        else if (arg == "--save-dir" && hasValue)
            options.saveDir = utf8ToPath(argv[++i]);
        else
            return std::nullopt;
    }
    return options;
}

void report(const morvane::Status& status)
{
    if (!status) std::cerr << "morvane-sim: " << status.error() << std::endl;
}

// Waits until the editor listens, so that the dump is not sent into nothing.
void sendWhenListenedTo(VirtualController& controller, const std::filesystem::path& file)
{
    while (!stopRequested && !controller.listenedTo()) std::this_thread::sleep_for(50ms);
    std::this_thread::sleep_for(300ms);  // let the listener finish opening
    if (!stopRequested) report(controller.sendFile(file));
}

void readCommands(VirtualController& controller)
{
    while (const auto line = nextInputLine(stopRequested)) {
        if (*line == "quit") {
            stopRequested = true;
            break;
        }
        if (line->rfind("send ", 0) == 0)
            report(controller.sendFile(utf8ToPath(line->substr(5))));
        else if (line->rfind("note ", 0) == 0)
            report(controller.playNote(line->substr(5)));
        else if (!line->empty())
            std::cerr << "morvane-sim: unknown command \"" << *line << "\" (send FILE, note N, quit)" << std::endl;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--help") {
        printHelp();
        return 0;
    }
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << "morvane-sim " << MORVANE_VERSION << "\n";
        return 0;
    }
    const auto options = parse(argc, argv);
    if (!options) {
        std::cerr << Usage;
        return 2;
    }
    // A file that cannot be sent is said now, not once someone listens.
    if (options->sendFile)
        if (const auto messages = readSysexFile(*options->sendFile); !messages) {
            std::cerr << "morvane-sim: " << messages.error() << std::endl;
            return 1;
        }
    if (std::error_code error; !std::filesystem::create_directories(options->saveDir, error) && error) {
        std::cerr << "morvane-sim: cannot make the save folder " << options->saveDir << ": " << error.message()
                  << std::endl;
        return 1;
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    try {
        VirtualController controller(options->saveDir, std::cout);
        std::cout << "ready: " << RtMidi::getApiDisplayName(controller.api()) << ", ports \"" << VirtualPortName
                  << "\"";
        if (const auto output = controller.outputPortName()) std::cout << ", output \"" << *output << "\"";
        std::cout << std::endl;
        // Both threads use the controller, so both are joined before it goes.
        std::jthread sender;
        if (options->sendFile) sender = std::jthread(sendWhenListenedTo, std::ref(controller), *options->sendFile);
        // Standard input may end at once (a background job); the ports stay
        // open until quit or a signal.
        const std::jthread commands(readCommands, std::ref(controller));
        while (!stopRequested) std::this_thread::sleep_for(50ms);
    } catch (const RtMidiError& error) {
        std::cerr << "morvane-sim: " << error.getMessage() << std::endl;
        return 1;
    }
    return 0;
}
