#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace morvane {

// Milliseconds from any fixed start; only differences are read. Waits take
// one, so a test can let time pass only while the code under test sleeps.
using MillisecondClock = std::function<std::int64_t()>;

// A monotonic clock, so a wall-clock change cannot stretch or skip a wait.
inline std::int64_t steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace morvane
