#include "SystemTone.h"

namespace morvane {

// Elsewhere the system beep stands in for the tone.
bool playSystemTone(int, int) { return false; }

}  // namespace morvane
