#pragma once

#include <cstdint>
#include <functional>

namespace morvane {

class Desktop;

// Milliseconds from any fixed start; only differences are read.
using MillisecondClock = std::function<std::int64_t()>;

std::int64_t steadyMilliseconds();

inline constexpr int SettleMilliseconds = 1000;
inline constexpr int SettleStepMilliseconds = 10;

// Lets the window process its pending events (the repaints after a dialog
// closed and a selection was hidden) for a second before it is captured.
void settleBeforeCapture(Desktop& desktop, const MillisecondClock& now = steadyMilliseconds);

}  // namespace morvane
