// Feeds arbitrary bytes through the SysEx framer, once whole and once cut into
// the pieces the first bytes choose, as drivers cut a stream. The messages
// must not depend on the cuts, and each must be whole as MIDI defines it.
#include "FuzzSupport.h"

#include "midi/SysexFramer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace morvane;
using fuzz::require;

namespace {

bool isStatus(std::uint8_t byte) { return byte >= 0x80; }

// A SysEx message runs from F0 to F7 with only data bytes between; a short
// message is one status byte (never real-time, never F0 or F7) and data.
void checkWhole(const MidiInputEvent& event)
{
    const auto& bytes = event.bytes;
    require(!bytes.empty() && isStatus(bytes.front()) && bytes.front() < 0xF8);
    if (event.kind == MidiInputEvent::Kind::Sysex) {
        require(bytes.size() >= 2 && bytes.size() <= LargestReceivedSysex);
        require(bytes.front() == SysexStart && bytes.back() == SysexEnd);
        for (std::size_t i = 1; i + 1 < bytes.size(); ++i) require(!isStatus(bytes[i]));
        return;
    }
    require(bytes.front() != SysexStart && bytes.front() != SysexEnd && bytes.size() <= 3);
    for (std::size_t i = 1; i < bytes.size(); ++i) require(!isStatus(bytes[i]));
}

bool same(const MidiInputEvent& a, const MidiInputEvent& b) { return a.kind == b.kind && a.bytes == b.bytes; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    // The first byte sets the piece length (1 to 16); the rest is the stream.
    const std::size_t pieceLength = data[0] % 16 + 1;
    const std::uint8_t* stream = data + 1;
    const std::size_t length = size - 1;

    SysexFramer whole;
    const auto expected = whole.take(stream, length);
    for (const auto& event : expected) checkWhole(event);

    // A framer reset half-way through anything behaves as a new one.
    SysexFramer cut;
    (void)cut.take(stream, length / 2);
    cut.reset();
    std::vector<MidiInputEvent> events;
    for (std::size_t at = 0; at < length; at += pieceLength) {
        auto more = cut.take(stream + at, std::min(pieceLength, length - at));
        events.insert(events.end(), more.begin(), more.end());
    }
    require(std::equal(events.begin(), events.end(), expected.begin(), expected.end(), same));
    return 0;
}
