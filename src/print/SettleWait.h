#pragma once

#include "base/Clock.h"

namespace morvane {

class Desktop;

inline constexpr int SettleMilliseconds = 1000;
inline constexpr int SettleStepMilliseconds = 10;

// Lets the window process its pending events (the repaints after a dialog
// closed and a selection was hidden) for a second before it is captured.
void settleBeforeCapture(Desktop& desktop, const MillisecondClock& now = steadyMilliseconds);

}  // namespace morvane
