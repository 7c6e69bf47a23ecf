#pragma once

#include <rtmidi/RtMidi.h>

#include <memory>
#include <optional>
#include <string>

namespace morvane::sim {

// The client name to ask the service for: the one wanted when it is free.
// JACK would give a second client of a taken name a new one on its own
// ("morvane-sim out-01"), and nobody could tell whose port is whose.
std::string unusedClientName(RtMidi::Api api, const std::string& wanted);

// Tells whether anyone listens on one of our output ports. RtMidi cannot
// say, so this asks the MIDI service itself where we know how.
class ConnectionWatch {
public:
    ConnectionWatch(RtMidi::Api api, std::string clientName, std::string portName);
    ~ConnectionWatch();

    // Empty when this service cannot be asked.
    std::optional<bool> connected();
    // The port's full name, where the service has one.
    std::optional<std::string> portName() const;

    class Service;

private:
    std::unique_ptr<Service> service_;
};

}  // namespace morvane::sim
