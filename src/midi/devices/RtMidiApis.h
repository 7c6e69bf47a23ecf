#pragma once

#include <rtmidi/RtMidi.h>

#include <string>
#include <vector>

namespace morvane {

// The RtMidi back ends to try, best first, on this platform.
std::vector<RtMidi::Api> preferredMidiApis();

// Why there are no devices when none of them answers, in a phrase.
std::string noMidiServiceText();

}  // namespace morvane
