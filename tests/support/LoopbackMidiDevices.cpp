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

bool LoopbackMidiDevices::playSysex(std::vector<std::uint8_t> bytes)
{
    return play({MidiInputEvent::Kind::Sysex, std::move(bytes)});
}

bool LoopbackMidiDevices::playNote(std::uint8_t note)
{
    return play({MidiInputEvent::Kind::Short, {0x99, note, 100}});
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

void LoopbackMidiDevices::resetInput() { calls.push_back("resetInput"); }

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

void LoopbackMidiDevices::resetOutput() { calls.push_back("resetOutput"); }

void LoopbackMidiDevices::closeOutput()
{
    calls.push_back("closeOutput");
    openOutputDevice.reset();
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

void LoopbackMidiDevices::setInputHandler(InputHandler handler)
{
    ++handlersAttached;
    delivery_.setHandler(std::move(handler));
}

}  // namespace morvane::testing
