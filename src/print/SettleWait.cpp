#include "SettleWait.h"

#include "platform/Desktop.h"

namespace morvane {

void settleBeforeCapture(Desktop& desktop, const MillisecondClock& now)
{
    // Short sleeps between the event runs keep the wait from spinning a core.
    const std::int64_t deadline = now() + SettleMilliseconds;
    for (;;) {
        desktop.processEvents();
        if (now() > deadline) return;
        desktop.sleep(SettleStepMilliseconds);
    }
}

}  // namespace morvane
