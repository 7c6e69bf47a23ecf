#pragma once

#include <rtmidi/RtMidi.h>

#include <memory>
#include <optional>
#include <string>

namespace morvane::sim {

// Tells whether anyone listens on one of our output ports. RtMidi cannot
// say, so this asks the MIDI service itself where we know how.
class ConnectionWatch {
public:
    ConnectionWatch(RtMidi::Api api, std::string clientName, std::string portName);
    ~ConnectionWatch();

    // Empty when this service cannot be asked.
    std::optional<bool> connected();

    class Service;

private:
    std::unique_ptr<Service> service_;
};

}  // namespace morvane::sim
