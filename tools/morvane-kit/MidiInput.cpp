#include "MidiInput.h"

#include "base/Text.h"
#include "midi/InputDelivery.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <chrono>

namespace morvane::tool {
namespace {

// A day; longer waits overflow the timer and are surely a typo.
constexpr int LongestTimeout = 86400;
// How often a listen looks whether its server still answers: a stalled
// server tells nothing.
constexpr auto ServerCheckInterval = std::chrono::milliseconds(500);

}  // namespace

std::optional<int> wholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

std::optional<std::string> findDevice(const std::vector<std::string>& names, const std::string& port)
{
    if (std::find(names.begin(), names.end(), port) != names.end()) return port;
    if (auto number = wholeNumber(port); number && *number < static_cast<int>(names.size()))
        return names[static_cast<std::size_t>(*number)];
    return std::nullopt;
}

std::optional<std::string> ParsedArguments::option(const std::string& name) const
{
    for (const auto& [key, value] : options)
        if (key == name) return value;
    return std::nullopt;
}

Result<std::optional<int>> ParsedArguments::timeout() const
{
    const auto text = option("--timeout");
    if (!text) return std::optional<int>();
    const auto seconds = wholeNumber(*text);
    if (!seconds || *seconds > LongestTimeout)
        return Result<std::optional<int>>::failure("--timeout takes a whole number of seconds up to 86400");
    return std::optional<int>(seconds);
}

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

// The application's own loop, not a nested one: a termination signal quits
// only that.
Result<ListenEnd> listenOnInput(MidiDevices& devices, const std::string& device, std::optional<int> timeout,
                                const std::function<bool(const MidiInputEvent&)>& heard)
{
    ListenEnd end;
    QObject listening;
    QObject::connect(&devices.delivery(), &InputDelivery::received, &listening, [&](const MidiInputEvent& event) {
        if (!heard(event)) QCoreApplication::exit();
    });
    const auto checkInput = [&] {
        if (auto service = devices.serviceStatus(); !service)
            end.why = service.error();
        else if (!devices.inputReachable())
            end.why = "the MIDI input " + inQuotes(device) + " is no longer there";
        else
            return;
        QCoreApplication::exit();
    };
    QObject::connect(&devices.delivery(), &InputDelivery::devicesChanged, &listening, checkInput);
    QTimer serverCheck;
    QObject::connect(&serverCheck, &QTimer::timeout, &listening, checkInput);
    serverCheck.start(ServerCheckInterval);
    if (auto opened = devices.openInput(device); !opened) return Result<ListenEnd>::failure(opened.error());
    if (timeout)
        QTimer::singleShot(std::chrono::seconds(*timeout), &listening, [&] {
            end.timedOut = true;
            QCoreApplication::exit();
        });
    quitOnTerminationSignals();
    QCoreApplication::exec();
    (void)devices.closeInput();
    return end;
}

}  // namespace morvane::tool
