#pragma once

#include "KitSender.h"
#include "MidiPortSelection.h"
#include "PadNotes.h"
#include "SysexReceiver.h"

#include <functional>

namespace morvane {

// The main window's MIDI side, wired in the one order that works: the
// receiver (which listens to the input) before the port selection that
// opens inputs, and the sender and pad player beside them.
class EditorMidi {
public:
    // menusChanged runs whenever the port menus' items or check marks change.
    EditorMidi(MidiDevices& devices, Desktop& desktop, Settings& settings, WindowShell& shell, KitHost& kit,
               ReceiveDialog& dialog, KitHistory& history, std::function<void()> menusChanged);

    // Form_Load's MIDI steps: fill the menus, not receiving, restore the ports.
    void startUp();
    // Form_Unload's MIDI steps, after the other windows are closed.
    void shutDown();

    SysexReceiver& receiver() { return receiver_; }
    MidiPortSelection& ports() { return ports_; }
    KitSender& sender() { return sender_; }
    PadPlayer& player() { return player_; }

private:
    WindowShell& shell_;
    SysexReceiver receiver_;
    MidiPortSelection ports_;
    KitSender sender_;
    PadPlayer player_;
};

}  // namespace morvane
