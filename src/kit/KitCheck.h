#pragma once

#include "KitDump.h"
#include "KitRanges.h"

#include <string>
#include <vector>

namespace morvane {

// The questions Check_Sysex asks about a freshly decoded kit, in the order it
// asks them (pad by pad, note before channel). The caller asks them one by
// one and stops at the first No.
std::vector<std::string> checkSysexQuestions(const KitFields& fields);

}  // namespace morvane
