#pragma once

#include "base/Result.h"

#include <rtmidi/RtMidi.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

namespace morvane::sim {

inline const std::string VirtualPortName = "Morvane (virtual)";
inline const std::string InClientName = "morvane-sim in";
inline const std::string OutClientName = "morvane-sim out";

// A stand-in for the instrument: one virtual input and one virtual output.
// Every SysEx message arriving on the input is saved byte for byte to the
// next numbered file of the save folder.
class VirtualController {
public:
    // Throws RtMidiError when no MIDI service can be reached.
    VirtualController(std::filesystem::path saveDir, std::ostream& log);
    ~VirtualController();

    RtMidi::Api api() const { return out_->getCurrentApi(); }

    // Sends every complete SysEx message of the file, in order.
    Status sendFile(const std::filesystem::path& path);
    // A note on and off on channel 10, as a pad strike sends it.
    Status playNote(const std::string& noteText);

private:
    static void onMessage(double, std::vector<unsigned char>* message, void* self);
    void save(const std::vector<unsigned char>& message);
    std::filesystem::path nextFreeFile();

    std::filesystem::path saveDir_;
    std::ostream& log_;
    std::mutex logMutex_;
    int lastNumber_ = 0;
    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<RtMidiOut> out_;
};

}  // namespace morvane::sim
