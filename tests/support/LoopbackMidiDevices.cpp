#include "LoopbackMidiDevices.h"

#include <algorithm>

namespace morvane::testing {
namespace {

// Opens the named device of names into opened unless it is absent or unopenable.
Status open(const std::vector<std::string>& names, const std::set<int>& unopenable, std::optional<int>& opened,
            const std::string& name, const std::string& kind)
{
    const auto device = static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
    if (device == static_cast<int>(names.size()) || unopenable.count(device))
        return Status::failure("cannot open " + kind + " " + name);
    opened = device;
    return succeeded();
}

}  // namespace

bool LoopbackMidiDevices::play(MidiInputEvent event)
{
    if (!openInputDevice) return false;
    delivery_.post(std::move(event));
    return true;
}

Status LoopbackMidiDevices::openInput(const std::string& name)
{
    auto opened = open(inputs, unopenableInputs, openInputDevice, name, "input");
    if (opened) delivery_.inputOpened();
    return opened;
}

Status LoopbackMidiDevices::closeInput()
{
    openInputDevice.reset();
    delivery_.inputClosed();
    return succeeded();
}

Status LoopbackMidiDevices::openOutput(const std::string& name)
{
    return open(outputs, unopenableOutputs, openOutputDevice, name, "output");
}

Status LoopbackMidiDevices::sendSysex(const std::vector<std::uint8_t>& message)
{
    if (openOutputDevice && duringSend) duringSend();
    return record(message);
}

Status LoopbackMidiDevices::record(std::vector<std::uint8_t> message)
{
    if (!openOutputDevice) return Status::failure("no output open");
    if (!reachable) return Status::failure("the output is no longer there");
    if (sendRefusal) return Status::failure(*sendRefusal);
    sent.push_back(std::move(message));
    return succeeded();
}

}  // namespace morvane::testing
