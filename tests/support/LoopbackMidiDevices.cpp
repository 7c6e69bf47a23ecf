#include "LoopbackMidiDevices.h"

namespace morvane::testing {
namespace {

bool exists(const std::vector<std::string>& names, int device)
{
    return device >= 0 && device < static_cast<int>(names.size());
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

Status LoopbackMidiDevices::openInput(int device)
{
    calls.push_back("openInput " + std::to_string(device));
    if (!exists(inputs, device) || unopenableInputs.count(device))
        return Status::failure("cannot open input " + std::to_string(device));
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

Status LoopbackMidiDevices::openOutput(int device)
{
    calls.push_back("openOutput " + std::to_string(device));
    if (!exists(outputs, device) || unopenableOutputs.count(device))
        return Status::failure("cannot open output " + std::to_string(device));
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
    if (!outputReachable()) return Status::failure("no output reachable");
    if (duringSend) duringSend();
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
