#pragma once

#include "kit/KitDump.h"

namespace morvane::testing {

// A kit from the project's examples folder: by default the demo kit, a
// complete 746-byte dump (kit 3, bank 0, "Morvane Demo").
KitDump exampleKitDump(const char* relativePath = "examples/demo-kit.syx");

}  // namespace morvane::testing
