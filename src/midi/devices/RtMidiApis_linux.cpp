// Linux only: the ALSA sequencer when the machine has one, JACK otherwise.
#include "RtMidiApis.h"

#include <filesystem>

namespace morvane {

std::vector<RtMidi::Api> preferredMidiApis()
{
    // Asking ALSA for a client on a machine without the sequencer device
    // prints driver noise, so look for the device first.
    if (std::filesystem::exists("/dev/snd/seq")) return {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK};
    return {RtMidi::UNIX_JACK};
}

std::string noMidiServiceText() { return "no JACK server is running and there is no ALSA sequencer"; }

}  // namespace morvane
