#pragma once

#include "ConnectionWatch.h"
#include "base/Result.h"
#include "midi/SysexSender.h"

#include <rtmidi/RtMidi.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace morvane::sim {

inline const std::string VirtualPortName = "Morvane (virtual)";
inline const std::string InClientName = "morvane-sim in";
inline const std::string OutClientName = "morvane-sim out";

// The SysEx messages of a file, or why it holds nothing to send.
Result<std::vector<MidiBytes>> readSysexFile(const std::filesystem::path& path);

// A stand-in for the instrument: one virtual input and one virtual output.
// Every SysEx message arriving on the input is saved byte for byte to the
// next numbered file of the save folder.
class VirtualController {
public:
    // Throws RtMidiError when no MIDI service can be reached.
    VirtualController(std::filesystem::path saveDir, std::ostream& log);
    ~VirtualController();

    RtMidi::Api api() const { return out_->getCurrentApi(); }
    // The output's full name where the MIDI service has one, e.g. JACK's
    // "morvane-sim out-01:Morvane (virtual)" beside another simulator.
    std::optional<std::string> outputPortName() const { return watch_.portName(); }
    // False only when the service says nobody listens on the output.
    bool listenedTo();

    // Sends every complete SysEx message of the file, in order, when
    // someone listens on the output; otherwise nothing is sent.
    Status sendFile(const std::filesystem::path& path);
    // A note on and off on channel 10, as a pad strike sends it, likewise.
    Status playNote(const std::string& noteText);

private:
    static void onMessage(double, std::vector<unsigned char>* message, void* self);
    void save(const std::vector<unsigned char>& message);
    std::filesystem::path nextFreeFile();

    std::filesystem::path saveDir_;
    std::ostream& log_;
    std::mutex logMutex_;
    int lastNumber_ = 0;
    std::string inClientName_;
    std::string outClientName_;
    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<RtMidiOut> out_;
    ConnectionWatch watch_;
    std::mutex watchMutex_;
};

}  // namespace morvane::sim
