// ports, send and receive: the editor's MIDI devices and rules for scripts.
// Device numbers are the ones the editor's menus show.
#include "Command.h"
#include "KitText.h"
#include "MidiInput.h"

#include "base/Text.h"
#include "kit/KitFile.h"
#include "midi/InputDelivery.h"
#include "midi/SysexSender.h"
#include "midi/devices/SystemMidiDevices.h"

#include <QCoreApplication>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

namespace morvane::tool {
namespace {

int runPorts(const Arguments& args, Console& console);
int runSend(const Arguments& args, Console& console);
int runReceive(const Arguments& args, Console& console);

const Command Ports{"ports", "", "Lists the MIDI devices, one \"in N NAME\" or \"out N NAME\" line each.",
                    "N is the number the editor's MIDI Configuration menus use.\n", runPorts};

const Command Send{"send", "FILE... --port PORT [--delay MS]",
                   "Sends each file's SysEx messages, whole and in order, to an output device.",
                   "  --port PORT  the output's number (see ports) or its exact name\n"
                   "  --delay MS   pause after each file, in milliseconds (default 0)\n"
                   "Every file is checked first: bytes outside complete F0...F7 messages are\n"
                   "refused before anything is sent.\n",
                   runSend};

const Command Receive{"receive", "--port PORT -o FILE [--timeout S]",
                      "Writes the first SysEx message arriving on an input device to FILE, byte for byte.",
                      "  --port PORT   the input's number (see ports) or its exact name\n"
                      "  -o FILE       where the message goes (written atomically)\n"
                      "  --timeout S   give up after S seconds (at most 86400) with exit status 1\n"
                      "                (default: wait)\n",
                      runReceive};

int runPorts(const Arguments& args, Console& console)
{
    if (!args.empty()) return usageError(console, Ports, "no arguments are taken");
    const auto devices = systemMidiDevices(ClientName);
    if (auto service = devices->serviceStatus(); !service) return refuse(console, service.error());
    const auto inputs = devices->inputNames();
    for (std::size_t i = 0; i < inputs.size(); ++i)
        console.out << "in " << i << " " << terminalText(inputs[i]) << "\n";
    const auto outputs = devices->outputNames();
    for (std::size_t i = 0; i < outputs.size(); ++i)
        console.out << "out " << i << " " << terminalText(outputs[i]) << "\n";
    return ExitSuccess;
}

struct KitFileToSend {
    std::filesystem::path path;
    std::size_t length;
    std::vector<MidiBytes> messages;
};

int runSend(const Arguments& args, Console& console)
{
    const auto parsed = parse(args, {"--port", "--delay"});
    if (parsed.problem) return usageError(console, Send, *parsed.problem);
    const auto port = parsed.option("--port");
    if (!port) return usageError(console, Send, "--port is missing");
    if (parsed.positional.empty()) return usageError(console, Send, "FILE is missing");
    const auto delay = wholeNumber(parsed.option("--delay").value_or("0"));
    if (!delay) return usageError(console, Send, "--delay takes a whole number of milliseconds");

    std::vector<KitFileToSend> files;
    for (const auto& arg : parsed.positional) {
        const auto path = utf8ToPath(arg);
        auto bytes = readWholeFile(path);
        if (!bytes) return refuse(console, bytes.error());
        auto messages = splitSysexMessages(bytes.value());
        if (!messages) return refuse(console, pathToUtf8(path) + ": " + messages.error());
        files.push_back({path, bytes.value().size(), std::move(messages).value()});
    }

    const auto devices = systemMidiDevices(ClientName);
    if (auto service = devices->serviceStatus(); !service) return refuse(console, service.error());
    const auto device = findDevice(devices->outputNames(), *port);
    if (!device) return refuse(console, "there is no MIDI output " + inQuotes(*port) + " (see morvane-kit ports)");
    if (auto opened = devices->openOutput(*device); !opened) return refuse(console, opened.error());
    for (const auto& file : files) {
        if (auto sent = sendSysexMessages(*devices, file.messages); !sent)
            return refuse(console, pathToUtf8(file.path) + ": " + sent.error());
        console.out << "sent " << terminalText(pathToUtf8(file.path)) << " (" << file.length << " bytes)\n";
        std::this_thread::sleep_for(std::chrono::milliseconds(*delay));
    }
    devices->closeOutput();
    return ExitSuccess;
}

int runReceive(const Arguments& args, Console& console)
{
    const auto parsed = parse(args, {"--port", "-o", "--timeout"});
    if (parsed.problem) return usageError(console, Receive, *parsed.problem);
    if (!parsed.positional.empty()) return usageError(console, Receive, "unexpected " + parsed.positional.front());
    const auto port = parsed.option("--port");
    const auto output = parsed.option("-o");
    if (!port || !output) return usageError(console, Receive, "--port and -o are needed");
    const auto timeout = parsed.timeout();
    if (!timeout) return usageError(console, Receive, timeout.error());

    // Received messages reach the handler through the event loop.
    int argc = 1;
    char name[] = "morvane-kit";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const auto devices = systemMidiDevices(ClientName);
    if (auto service = devices->serviceStatus(); !service) return refuse(console, service.error());
    const auto device = findDevice(devices->inputNames(), *port);
    if (!device) return refuse(console, "there is no MIDI input " + inQuotes(*port) + " (see morvane-kit ports)");
    std::optional<MidiBytes> received;
    const auto end = listenOnInput(*devices, *device, timeout.value(), [&](const MidiInputEvent& event) {
        if (event.kind == MidiInputEvent::Kind::Sysex) received = event.bytes;
        return !received;
    });
    if (!end) return refuse(console, end.error());
    if (!received) {
        if (end.value().timedOut)
            return refuse(console, "no SysEx message arrived within " + std::to_string(*timeout.value()) + " s");
        return refuse(console, end.value().why.empty() ? "interrupted before a SysEx message arrived" : end.value().why);
    }
    if (auto saved = saveWholeFile(utf8ToPath(*output), *received); !saved) return refuse(console, saved.error());
    console.out << "received " << received->size() << " bytes into " << terminalText(*output) << "\n";
    return ExitSuccess;
}

}  // namespace

std::vector<Command> midiCommands() { return {Ports, Send, Receive}; }

}  // namespace morvane::tool
