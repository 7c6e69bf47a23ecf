#pragma once

#include "kit/KitDump.h"
#include "base/Result.h"

namespace morvane {

// The current kit as the MIDI commands see it.
class KitHost {
public:
    virtual ~KitHost() = default;

    // False before the first kit was opened or received.
    virtual bool kitLoaded() const = 0;

    // Update_Buffer: writes the kit fields into KitDump; refuses, writing
    // nothing, values a dump cannot carry.
    virtual Status Update_Buffer() = 0;
    virtual const KitDump& kitDump() const = 0;

    // The received dump becomes the current kit: KitDump holds exactly these
    // bytes, the kit has no file any more, and Interpret_Buffer shows it.
    virtual void takeReceivedDump(const KitDump& dump) = 0;
};

}  // namespace morvane
