#pragma once

// What the MIDI commands share: devices by number or name, their options,
// and listening on an input.

#include "Command.h"

#include "base/Result.h"
#include "midi/MidiDevices.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morvane::tool {

// The client name starts with the editor's, so the lists match its menus.
inline const std::string ClientName = OwnClientPrefix + " (morvane-kit)";

std::optional<int> wholeNumber(const std::string& text);

// PORT is an exact device name or a device number; the device is then
// opened by the name the number stands for.
std::optional<std::string> findDevice(const std::vector<std::string>& names, const std::string& port);

// Options of the form "--name VALUE"; everything else is positional.
struct ParsedArguments {
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> positional;
    std::optional<std::string> problem;

    std::optional<std::string> option(const std::string& name) const;
    // --timeout S: none when not given; the problem when S is no whole
    // number of seconds up to a day.
    Result<std::optional<int>> timeout() const;
};

ParsedArguments parse(const Arguments& args, const std::vector<std::string>& known);

// Why listening ended, when nothing asked it to: the time ran out, or the
// input went away (the server stopped, the device left); Ctrl+C or another
// termination signal ends it too, with why empty.
struct ListenEnd {
    bool timedOut = false;
    std::string why;
};

// Opens the input named device and hands each message to heard, which
// returns false to stop, until then or until timeout seconds pass (none:
// no limit). Run within a QCoreApplication; a termination signal then quits
// its loop, and the input is closed all the same. The reason when the input
// does not open.
Result<ListenEnd> listenOnInput(MidiDevices& devices, const std::string& device, std::optional<int> timeout,
                                const std::function<bool(const MidiInputEvent&)>& heard);

}  // namespace morvane::tool
