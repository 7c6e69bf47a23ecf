#include "EditorMidi.h"

#include "KitHost.h"

namespace morvane {

EditorMidi::EditorMidi(MidiDevices& devices, Desktop& desktop, KitHost& host, ReceiveDialog& dialog)
    : receiver(devices, desktop, host, dialog),
      ports(devices, desktop, receiver),
      sender(devices, desktop, host, ports),
      host_(host)
{
}

void EditorMidi::startUp()
{
    ports.Fill_mnuMIDI_Ports();
    receiver.setReceivingSysex(false);
    if (const auto missing = ports.restoreSavedPorts(); !missing.isEmpty()) host_.Status_Update(missing);
}

void EditorMidi::shutDown() { ports.closePorts(); }

}  // namespace morvane
