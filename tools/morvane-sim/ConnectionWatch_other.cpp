#include "ConnectionWatch.h"

namespace morvane::sim {

// No portable way to ask; callers send without waiting for a listener.
class ConnectionWatch::Service {};

ConnectionWatch::ConnectionWatch(RtMidi::Api, std::string, std::string) {}

ConnectionWatch::~ConnectionWatch() = default;

std::optional<bool> ConnectionWatch::connected() { return std::nullopt; }

}  // namespace morvane::sim
