#pragma once

#include "base/Result.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

class InputDelivery;

// Every MIDI client of ours is named with this prefix, and ports of such
// clients are left out of the device lists: our own input would otherwise
// show up as an output (and the other way round) once opened.
inline const std::string OwnClientPrefix = "Morvane Editor";
inline bool isOwnPort(std::string_view name) { return name.starts_with(OwnClientPrefix); }

// The bytes that open and close a System Exclusive message.
inline constexpr std::uint8_t SysexStart = 0xF0;
inline constexpr std::uint8_t SysexEnd = 0xF7;

// A channel message with two data bytes: status (kind and channel), then data.
using ChannelMessage = std::array<std::uint8_t, 3>;

// One message from the open input: a complete SysEx message, or a short
// channel/system message.
struct MidiInputEvent {
    enum class Kind { Sysex, Short };
    Kind kind = Kind::Short;
    std::vector<std::uint8_t> bytes;
};

// The machine's MIDI ports by name. Ports are opened by the name the user
// chose, never by a number, as numbers shift when devices come and go. One
// input and one output are open at a time.
class MidiDevices {
public:
    virtual ~MidiDevices() = default;

    // Success when the MIDI service answers; otherwise why there are no
    // devices, in a phrase ("no JACK server is running").
    virtual Status serviceStatus() = 0;
    // Where the lists come from, as the user knows it ("the JACK server").
    virtual std::string serviceName() const = 0;

    virtual std::vector<std::string> inputNames() = 0;
    virtual std::vector<std::string> outputNames() = 0;

    virtual Status openInput(const std::string& name) = 0;
    virtual void resetInput() = 0;
    virtual Status closeInput() = 0;

    virtual Status openOutput(const std::string& name) = 0;
    virtual void resetOutput() = 0;
    virtual void closeOutput() = 0;

    // Sends one complete SysEx message (240 ... 247) whole on the open output
    // and returns once the bytes may be reused. Succeeds only when the whole
    // message was handed to a live connection to the chosen device; a message
    // too large for the transport is refused unsent; a device that refuses,
    // vanishes or came back without our connection fails the send, which ends
    // within a bound set by the message's length.
    virtual Status sendSysex(const std::vector<std::uint8_t>& message) = 0;
    // Sends one channel message without waiting for the device to take it,
    // so the window never stops for a note. Succeeds when the message was
    // queued for a live connection to the chosen device, which it reaches
    // within a period or two; fails at once, unsent, when there is none.
    virtual Status sendChannelMessage(const ChannelMessage& message) = 0;
    // False when the open input no longer hears its device, as for the output.
    virtual bool inputReachable() = 0;
    // False when the open output no longer reaches its device: it vanished,
    // came back without our connection, or the MIDI server stopped. Lets a
    // caller tell a lost device from a message the device refused.
    virtual bool outputReachable() = 0;
    // The open output's name as it was opened; empty when none is open.
    virtual std::string openOutputName() const = 0;

    // Signals, on the window thread, each message the open input receives
    // (a SysEx message is whole, F0 ... F7 with real-time bytes taken out,
    // and holds nothing from before the input was last opened) and each
    // change of the lists a service tells of. Implementations hand these
    // over from their own threads first.
    virtual InputDelivery& delivery() = 0;
};

}  // namespace morvane
