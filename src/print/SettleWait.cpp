#include "SettleWait.h"

#include "platform/Desktop.h"

#include <chrono>

namespace morvane {

std::int64_t steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void settleBeforeCapture(Desktop& desktop, const MillisecondClock& now)
{
    // A monotonic clock, so a wall-clock change cannot stretch or skip the wait;
    // short sleeps between the event runs keep the wait from spinning a core.
    const std::int64_t deadline = now() + SettleMilliseconds;
    for (;;) {
        desktop.processEvents();
        if (now() > deadline) return;
        desktop.sleep(SettleStepMilliseconds);
    }
}

}  // namespace morvane
