#pragma once

#include "midi/InputDelivery.h"
#include "midi/MidiDevices.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace morvane::testing {

// MIDI devices in memory: the test plays the instrument (play) and reads
// what the editor sent (sent). Received messages reach the handler through
// the same window-thread hand-over as the real devices, so they arrive when
// the test (or the code under test) lets pending events run.
class LoopbackMidiDevices final : public MidiDevices {
public:
    LoopbackMidiDevices(std::vector<std::string> in = {}, std::vector<std::string> out = {})
        : inputs(std::move(in)), outputs(std::move(out)) {}

    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
    std::set<int> unopenableInputs;
    std::set<int> unopenableOutputs;
    std::optional<std::string> sendRefusal;
    bool reachable = true;  // false: the open devices have gone
    std::optional<std::string> serviceDown;  // why no MIDI service answers
    // Runs inside each send, as a click made while a transfer lasts.
    std::function<void()> duringSend;

    // Where the opened device stands in the list now.
    std::optional<int> openInputDevice;
    std::optional<int> openOutputDevice;
    std::vector<std::vector<std::uint8_t>> sent;

    // The instrument sends a message; false when no input is open to hear it.
    bool play(MidiInputEvent event);
    bool playSysex(std::vector<std::uint8_t> bytes) { return play({MidiInputEvent::Kind::Sysex, std::move(bytes)}); }
    bool playNote(std::uint8_t note) { return play({MidiInputEvent::Kind::Short, {0x99, note, 100}}); }

    Status serviceStatus() override { return serviceDown ? Status::failure(*serviceDown) : succeeded(); }
    std::string serviceName() const override { return "the loopback"; }
    std::vector<std::string> inputNames() override { return inputs; }
    std::vector<std::string> outputNames() override { return outputs; }
    Status openInput(const std::string& name) override;
    void resetInput() override {}
    Status closeInput() override;
    Status openOutput(const std::string& name) override;
    void resetOutput() override {}
    void closeOutput() override { openOutputDevice.reset(); }
    Status sendSysex(const std::vector<std::uint8_t>& message) override;
    Status sendChannelMessage(const ChannelMessage& m) override { return record({m.begin(), m.end()}); }
    bool inputReachable() override { return reachable && openInputDevice; }
    bool outputReachable() override { return reachable && openOutputDevice; }
    std::string openOutputName() const override { return openOutputDevice ? outputs[*openOutputDevice] : ""; }
    InputDelivery& delivery() override { return delivery_; }

private:
    Status record(std::vector<std::uint8_t> message);

    InputDelivery delivery_;
};

}  // namespace morvane::testing
