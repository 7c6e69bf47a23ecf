#pragma once

#include "base/Result.h"
#include "kit/KitFile.h"

#include <QString>

#include <optional>

namespace morvane {

// The main window's commands on the editor's kit, for the other windows.
class KitCommands {
public:
    virtual ~KitCommands() = default;

    // The kit becomes the editor's kit as File > Open makes one, with the
    // load-time questions; file is its file, empty for none. The reason when
    // it is refused, and then the editor's kit stays as it was.
    virtual Status openKit(const KitDump& dump, const QString& file = {}) = 0;
    // Asks, then sends the kit as "Send Sysex Kit Dump" sends the editor's;
    // true when it was sent.
    virtual bool sendKit(const KitDump& dump, const QString& title) = 0;
    // The editor's kit with a value being typed committed; nothing before
    // the first kit.
    virtual std::optional<LoadedKit> currentKit() = 0;
};

}  // namespace morvane
