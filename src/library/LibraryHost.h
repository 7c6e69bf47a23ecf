#pragma once

#include "editor/KitCommands.h"
#include "midi/SysexReceiver.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace morvane::library {

// What the library window asks of the main window and the batch window.
class LibraryHost : public KitCommands {
public:
    // Appends the files to the batch window's list; returns how many were
    // not listed already.
    virtual std::size_t addToBatchList(const std::vector<QString>& paths) = 0;
    // The editor's chosen MIDI input, listening; why none is, otherwise.
    virtual Result<ListeningInput> listeningInput() = 0;
};

}  // namespace morvane::library
