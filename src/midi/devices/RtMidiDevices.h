#pragma once

#include "midi/InputDelivery.h"
#include "midi/MidiDevices.h"
#include "midi/SysexFramer.h"

#include <rtmidi/RtMidi.h>

#include <memory>
#include <mutex>
#include <string>

namespace morvane {

// MIDI devices through RtMidi on one of its services (the ALSA sequencer,
// WinMM, CoreMIDI). Create it on the window thread: received messages are
// handed to the input handler there.
class RtMidiDevices final : public MidiDevices {
public:
    // clientName must start with OwnClientPrefix.
    RtMidiDevices(RtMidi::Api api, const std::string& clientName);
    ~RtMidiDevices() override;

    // False when the service could not be reached.
    bool available() const { return lister_ && out_; }

    Status serviceStatus() override;
    std::string serviceName() const override;

    std::vector<std::string> inputNames() override;
    std::vector<std::string> outputNames() override;

    Status openInput(const std::string& name) override;
    void resetInput() override;
    Status closeInput() override;

    Status openOutput(const std::string& name) override;
    void resetOutput() override;
    void closeOutput() override;

    Status sendSysex(const std::vector<std::uint8_t>& message) override;
    Status sendChannelMessage(const ChannelMessage& message) override;
    bool inputReachable() override;
    bool outputReachable() override;
    std::string openOutputName() const override { return openOutputName_; }
    InputDelivery& delivery() override { return delivery_; }

    // RtMidi's error hook; public only so that the C-style callback can reach it.
    void recordError(RtMidiError::Type type, const std::string& text);

private:
    // What RtMidi's input callback needs: it runs on RtMidi's own thread.
    struct Listener {
        SysexFramer framer;
        InputDelivery* delivery;
    };

    static void onMessage(double, std::vector<unsigned char>* message, void* listener);
    std::string takeError();
    Status send(const std::uint8_t* bytes, std::size_t count);

    RtMidi::Api api_;
    std::string clientName_;
    std::unique_ptr<RtMidiIn> lister_;  // lists inputs; never opened
    std::unique_ptr<RtMidiIn> in_;      // a fresh one per opening
    std::unique_ptr<Listener> listener_;
    std::unique_ptr<RtMidiOut> out_;
    InputDelivery delivery_;
    std::string openInputName_;
    std::string openOutputName_;
    std::mutex errorMutex_;  // RtMidi may report from its own thread
    std::string lastError_;
};

}  // namespace morvane
