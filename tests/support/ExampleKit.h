#pragma once

#include "kit/KitDump.h"

namespace morvane::testing {

// A complete 746-byte kit dump of our own making: kit 5, bank 2, titled
// "ROCK 1", pad p playing note 36 + p on channel 10, other bytes patterned
// so that carrying them through is visible.
KitDump exampleKitDump();

}  // namespace morvane::testing
