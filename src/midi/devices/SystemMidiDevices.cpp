#include "SystemMidiDevices.h"

#include "RtMidiApis.h"
#include "RtMidiDevices.h"

#ifdef MORVANE_HAVE_JACK
#include "JackMidiDevices.h"
#endif

namespace morvane {

std::unique_ptr<MidiDevices> systemMidiDevices(const std::string& clientName)
{
    const auto apis = preferredMidiApis();
    for (auto api : apis) {
#ifdef MORVANE_HAVE_JACK
        // The last resort: its client opens on a thread of its own, so a
        // server that is not there or does not answer holds nothing up.
        if (api == RtMidi::UNIX_JACK) return std::make_unique<JackMidiDevices>(clientName, noMidiServiceText());
#endif
        auto devices = std::make_unique<RtMidiDevices>(api, clientName);
        if (devices->available()) return devices;
    }
    return std::make_unique<RtMidiDevices>(apis.front(), clientName);
}

}  // namespace morvane
