#include "LoopbackMidiDevices.h"

#include <algorithm>

namespace morvane::testing {
namespace {

std::optional<int> numberOf(const std::vector<std::string>& names, const std::string& name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) return std::nullopt;
    return static_cast<int>(found - names.begin());
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
    calls.push_back("openInput " + name);
    const auto device = numberOf(inputs, name);
    if (!device || unopenableInputs.count(*device)) return Status::failure("cannot open input " + name);
    openInputDevice = device;
    delivery_.inputOpened();
    return succeeded();
}

Status LoopbackMidiDevices::closeInput()
{
    calls.push_back("closeInput");
    if (closeInputRefusal) return Status::failure(*closeInputRefusal);
    openInputDevice.reset();
    delivery_.inputClosed();
    return succeeded();
}

Status LoopbackMidiDevices::openOutput(const std::string& name)
{
    calls.push_back("openOutput " + name);
    const auto device = numberOf(outputs, name);
    if (!device || unopenableOutputs.count(*device)) return Status::failure("cannot open output " + name);
    openOutputDevice = device;
    return succeeded();
}

Status LoopbackMidiDevices::sendSysex(const std::vector<std::uint8_t>& message)
{
    if (!openOutputDevice) return Status::failure("no output open");
    if (duringSend) duringSend();
    if (!reachable) return Status::failure("the output is no longer there");
    if (sendRefusal) return Status::failure(*sendRefusal);
    sent.push_back(message);
    return succeeded();
}

}  // namespace morvane::testing
