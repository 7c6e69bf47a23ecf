// ports, send and receive: the editor's MIDI devices and rules for scripts.
// Device numbers are the ones the editor's menus show.
#include "Command.h"
#include "KitText.h"

#include "base/Text.h"
#include "kit/KitFile.h"
#include "midi/InputDelivery.h"
#include "midi/SysexSender.h"
#include "midi/devices/SystemMidiDevices.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <charconv>
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

// A day; longer waits overflow the timer and are surely a typo.
constexpr int LongestTimeout = 86400;
// How often a receive looks whether its server still answers: a stalled
// server tells nothing.
constexpr auto ServerCheckInterval = std::chrono::milliseconds(500);

// The client name starts with the editor's, so the lists match its menus.
const std::string ClientName = OwnClientPrefix + " (morvane-kit)";

std::optional<int> wholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// PORT is an exact device name or a device number; the device is then
// opened by the name the number stands for.
std::optional<std::string> findDevice(const std::vector<std::string>& names, const std::string& port)
{
    if (std::find(names.begin(), names.end(), port) != names.end()) return port;
    if (auto number = wholeNumber(port); number && *number < static_cast<int>(names.size()))
        return names[static_cast<std::size_t>(*number)];
    return std::nullopt;
}

// Options of the form "--name VALUE"; everything else is positional.
struct ParsedArguments {
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> positional;
    std::optional<std::string> problem;

    std::optional<std::string> option(const std::string& name) const
    {
        for (const auto& [key, value] : options)
            if (key == name) return value;
        return std::nullopt;
    }
};

ParsedArguments parse(const Arguments& args, const std::vector<std::string>& known)
{
    ParsedArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto& arg = args[i];
        if (arg.empty() || arg[0] != '-') {
            parsed.positional.push_back(arg);
        } else if (std::find(known.begin(), known.end(), arg) == known.end()) {
            parsed.problem = "unknown option " + arg;
        } else if (i + 1 == args.size()) {
            parsed.problem = arg + " needs a value";
        } else {
            parsed.options.emplace_back(arg, args[++i]);
        }
    }
    return parsed;
}

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
    std::optional<int> timeout;
    if (auto text = parsed.option("--timeout")) {
        timeout = wholeNumber(*text);
        if (!timeout || *timeout > LongestTimeout)
            return usageError(console, Receive, "--timeout takes a whole number of seconds up to 86400");
    }

    // Received messages reach the handler through the event loop.
    int argc = 1;
    char name[] = "morvane-kit";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const auto devices = systemMidiDevices(ClientName);
    if (auto service = devices->serviceStatus(); !service) return refuse(console, service.error());
    const auto device = findDevice(devices->inputNames(), *port);
    if (!device) return refuse(console, "there is no MIDI input " + inQuotes(*port) + " (see morvane-kit ports)");
    QEventLoop waiting;
    std::optional<MidiBytes> received;
    std::string problem = "no SysEx message arrived within " + std::to_string(timeout.value_or(0)) + " s";
    QObject::connect(&devices->delivery(), &InputDelivery::received, &waiting, [&](const MidiInputEvent& event) {
        if (event.kind != MidiInputEvent::Kind::Sysex || received) return;
        received = event.bytes;
        waiting.quit();
    });
    // Waiting ends when the server stops or the device goes away.
    const auto checkInput = [&] {
        if (auto service = devices->serviceStatus(); !service)
            problem = service.error();
        else if (!devices->inputReachable())
            problem = "the MIDI input " + inQuotes(*device) + " is no longer there";
        else
            return;
        waiting.quit();
    };
    QObject::connect(&devices->delivery(), &InputDelivery::devicesChanged, &waiting, checkInput);
    QTimer serverCheck;
    QObject::connect(&serverCheck, &QTimer::timeout, &waiting, checkInput);
    serverCheck.start(ServerCheckInterval);
    if (auto opened = devices->openInput(*device); !opened) return refuse(console, opened.error());
    if (timeout) QTimer::singleShot(std::chrono::seconds(*timeout), &waiting, &QEventLoop::quit);
    waiting.exec();
    (void)devices->closeInput();
    if (!received) return refuse(console, problem);
    if (auto saved = saveWholeFile(utf8ToPath(*output), *received); !saved) return refuse(console, saved.error());
    console.out << "received " << received->size() << " bytes into " << terminalText(*output) << "\n";
    return ExitSuccess;
}

}  // namespace

std::vector<Command> midiCommands() { return {Ports, Send, Receive}; }

}  // namespace morvane::tool
