#include "EditorMidi.h"

#include "platform/WindowShell.h"

namespace morvane {

EditorMidi::EditorMidi(MidiDevices& devices, Desktop& desktop, Settings& settings, WindowShell& shell, KitHost& kit,
                       ReceiveDialog& dialog, KitHistory& history, std::function<void()> menusChanged)
    : shell_(shell),
      receiver_(devices, desktop, shell, kit, dialog, history),
      ports_(devices, desktop, settings, shell, receiver_, std::move(menusChanged)),
      sender_(devices, desktop, shell, kit, ports_, history),
      player_(devices, shell, ports_)
{
}

void EditorMidi::startUp()
{
    ports_.Fill_mnuMIDI_Ports();
    receiver_.setReceivingSysex(false);
    if (const auto missing = ports_.restoreSavedPorts(); !missing.isEmpty()) shell_.Status_Update(missing);
}

void EditorMidi::shutDown()
{
    player_.releaseAll();
    ports_.closePorts();
}

}  // namespace morvane
