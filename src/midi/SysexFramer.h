#pragma once

#include "MidiDevices.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvane {

// The largest SysEx message kept whole; anything longer is dropped, as no
// file of ours may be larger either.
inline constexpr std::size_t LargestReceivedSysex = 1024 * 1024;

// Turns the bytes an input delivers, in whatever pieces a driver cuts them,
// into whole messages as MIDI defines them: a SysEx message runs from F0 to
// F7 with real-time bytes (F8-FF) taken out; any other status byte, a new F0
// included, drops an unfinished one. Channel and system common messages come
// out whole too (running status included); real-time bytes are left out.
class SysexFramer {
public:
    std::vector<MidiInputEvent> take(const std::uint8_t* bytes, std::size_t count);
    // Forgets any unfinished message, as when an input is (re)opened.
    void reset();

private:
    void startStatus(std::uint8_t status, std::vector<MidiInputEvent>& out);
    void addData(std::uint8_t byte, std::vector<MidiInputEvent>& out);

    bool inSysex_ = false;
    bool sysexTooLong_ = false;
    std::vector<std::uint8_t> sysex_;
    std::vector<std::uint8_t> shortMessage_;  // status first, then its data
    std::size_t shortLength_ = 0;             // 0: no status to run on
};

}  // namespace morvane
