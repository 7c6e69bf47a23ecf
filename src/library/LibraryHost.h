#pragma once

#include "editor/KitCommands.h"
#include "midi/SysexReceiver.h"

#include <QString>

namespace morvane::library {

// What the library window asks of the main window and the batch window.
class LibraryHost : public KitCommands {
public:
    // Appends the file to the batch window's list; false when it is listed already.
    virtual bool addToBatchList(const QString& path) = 0;
    // The editor's chosen MIDI input, listening; why none is, otherwise.
    virtual Result<ListeningInput> listeningInput() = 0;
};

}  // namespace morvane::library
