#pragma once

#include "kit/KitDump.h"
#include "base/Result.h"

#include <QString>

namespace morvane {

// What the MIDI commands ask of the main window, which owns the kit.
class KitHost {
public:
    virtual ~KitHost() = default;

    virtual void Status_Update(const QString& text) = 0;

    // False before the first kit was opened or received.
    virtual bool kitLoaded() const = 0;

    // Pad_Clicked(-1, false): a pad value being typed is committed (or
    // refused with its own message) and the pad selection is cleared.
    virtual void commitPendingPadEdit() = 0;

    // Update_Buffer: writes the kit fields into KitDump; refuses, writing
    // nothing, values a dump cannot carry.
    virtual Status Update_Buffer() = 0;
    virtual const KitDump& kitDump() const = 0;

    // The received dump becomes the current kit: KitDump holds exactly these
    // bytes, the kit has no file any more, and Interpret_Buffer shows it.
    virtual void takeReceivedDump(const KitDump& dump) = 0;
};

}  // namespace morvane
