#pragma once

#include <rtmidi/RtMidi.h>

#include <vector>

namespace morvane {

// The RtMidi back ends to try, best first, on this platform.
std::vector<RtMidi::Api> preferredMidiApis();

}  // namespace morvane
