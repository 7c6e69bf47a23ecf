#pragma once

#include "midi/MidiDevices.h"

#include <memory>
#include <string>

namespace morvane {

// The machine's MIDI service, best first: the ALSA sequencer through RtMidi
// when the machine has one, a JACK server through libjack otherwise, and the
// platform's own service elsewhere. clientName must start with OwnClientPrefix.
// Never null: with no service at all, the devices list nothing.
std::unique_ptr<MidiDevices> systemMidiDevices(const std::string& clientName);

}  // namespace morvane
