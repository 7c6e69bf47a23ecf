#pragma once

#include "kit/Result.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvane {

// One message from the open input: a complete SysEx message, or a short
// channel/system message.
struct MidiInputEvent {
    enum class Kind { Sysex, Short };
    Kind kind = Kind::Short;
    std::vector<std::uint8_t> bytes;
};

// The machine's MIDI ports, numbered as the menus show them (0 to count - 1).
// One input and one output are open at a time.
class MidiDevices {
public:
    virtual ~MidiDevices() = default;

    virtual std::vector<std::string> inputNames() = 0;
    virtual std::vector<std::string> outputNames() = 0;

    virtual Status openInput(int device) = 0;
    virtual void resetInput() = 0;
    virtual Status closeInput() = 0;

    virtual Status openOutput(int device) = 0;
    virtual void resetOutput() = 0;
    virtual void closeOutput() = 0;

    // Sends one complete SysEx message (240 ... 247) whole on the open output
    // and returns once the bytes may be reused. A device that refuses or
    // vanishes fails the send; it never waits for ever.
    virtual Status sendSysex(const std::vector<std::uint8_t>& message) = 0;
    // False when the open output no longer reaches its device: it vanished,
    // came back without our connection, or the MIDI server stopped. Lets a
    // caller tell a lost device from a message the device refused.
    virtual bool outputReachable() = 0;
    // The open output's name as it was opened; empty when none is open.
    virtual std::string openOutputName() const = 0;

    // Runs on the window thread for each message the open input receives;
    // implementations hand messages over from their own threads first.
    using InputHandler = std::function<void(const MidiInputEvent&)>;
    virtual void setInputHandler(InputHandler handler) = 0;
};

}  // namespace morvane
