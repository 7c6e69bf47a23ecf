#pragma once

#include "InputDelivery.h"
#include "MidiDevices.h"

#include <memory>
#include <mutex>
#include <string>

class RtMidiIn;
class RtMidiOut;

namespace morvane {

// Every MIDI client of ours is named with this prefix, and ports of such
// clients are left out of the device lists: our own input would otherwise
// show up as an output (and the other way round) once opened, shifting the
// numbers of the real devices behind it.
inline const std::string OwnClientPrefix = "Morvane Editor";

// The real MIDI devices through RtMidi: on Linux the ALSA sequencer, or JACK
// when the machine has no sequencer; elsewhere the platform's own service.
// Create it on the window thread: received messages are handed to the
// input handler there.
class RtMidiDevices final : public MidiDevices {
public:
    // clientName must start with OwnClientPrefix.
    explicit RtMidiDevices(const std::string& clientName = OwnClientPrefix);
    ~RtMidiDevices() override;

    // "ALSA", "Jack", ...; empty when no MIDI service could be reached.
    std::string apiName() const;

    std::vector<std::string> inputNames() override;
    std::vector<std::string> outputNames() override;

    Status openInput(int device) override;
    void resetInput() override;
    Status closeInput() override;

    Status openOutput(int device) override;
    void resetOutput() override;
    void closeOutput() override;

    Status sendSysex(const std::vector<std::uint8_t>& message) override;
    bool outputReachable() override;
    std::string openOutputName() const override { return openOutputName_; }
    void setInputHandler(InputHandler handler) override;

    // RtMidi's error hook; public only so that the C-style callback can reach it.
    void recordError(const std::string& text);

private:
    std::string takeError();
    bool outputStillPresent();

    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<RtMidiOut> out_;
    InputDelivery delivery_;
    std::string openOutputName_;
    std::mutex errorMutex_;  // RtMidi may report from its own thread
    std::string lastError_;
};

}  // namespace morvane
