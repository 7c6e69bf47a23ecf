#pragma once

namespace morvane {

// SIGTERM, SIGINT (Ctrl+C in a terminal) and SIGHUP end the program as
// closing its windows does, through the event loop: the MIDI client leaves
// the server, and the kit library writes what is queued. A client that just
// vanishes stalls a JACK server, and every other program on it, for a while.
// A second signal ends the program at once. Call once, just before the main
// event loop runs: until then a signal ends the program at once.
void quitOnTerminationSignals();

}  // namespace morvane
