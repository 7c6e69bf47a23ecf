#pragma once

#include "KitSender.h"
#include "MidiPortSelection.h"
#include "SysexReceiver.h"

namespace morvane {

// The main window's MIDI side, wired in the one order that works: the
// receiver (which attaches the input handler) before the port selection
// that opens inputs, and the sender beside them.
class EditorMidi {
public:
    EditorMidi(MidiDevices& devices, Desktop& desktop, KitHost& host, ReceiveDialog& dialog);

    // Form_Load's MIDI steps: fill the menus, not receiving, restore the ports.
    void startUp();
    // Form_Unload's MIDI steps, after the other windows are closed.
    void shutDown();

    SysexReceiver receiver;
    MidiPortSelection ports;
    KitSender sender;

private:
    KitHost& host_;
};

}  // namespace morvane
