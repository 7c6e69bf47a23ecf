#include "ConnectionWatch.h"

namespace morvane::sim {

// No portable way to ask; callers send without waiting for a listener.
class ConnectionWatch::Service {};

std::string unusedClientName(RtMidi::Api, const std::string& wanted) { return wanted; }

ConnectionWatch::ConnectionWatch(RtMidi::Api, std::string, std::string) {}

ConnectionWatch::~ConnectionWatch() = default;

std::optional<bool> ConnectionWatch::connected() { return std::nullopt; }

std::optional<std::string> ConnectionWatch::portName() const { return std::nullopt; }

}  // namespace morvane::sim
