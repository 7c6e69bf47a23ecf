#include "RtMidiApis.h"

namespace morvane {

// RtMidi picks the platform's own MIDI service (WinMM, CoreMIDI).
std::vector<RtMidi::Api> preferredMidiApis() { return {RtMidi::UNSPECIFIED}; }

std::string noMidiServiceText() { return "the system's MIDI service does not answer"; }

}  // namespace morvane
