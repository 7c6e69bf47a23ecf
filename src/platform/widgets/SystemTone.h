#pragma once

namespace morvane {

// Plays a sine tone through the machine's audio output without blocking.
// False when there is no audio output to play it on.
bool playSystemTone(int hertz, int milliseconds);

}  // namespace morvane
