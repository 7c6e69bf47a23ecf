// Systems without POSIX signals end a program through its windows only.
#include "TerminationSignals.h"

namespace morvane {

void quitOnTerminationSignals() {}

}  // namespace morvane
