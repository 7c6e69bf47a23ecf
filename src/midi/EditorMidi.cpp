#include "EditorMidi.h"

namespace morvane {

EditorMidi::EditorMidi(MidiDevices& devices, Desktop& desktop, KitHost& host, ReceiveDialog& dialog)
    : receiver(devices, desktop, host, dialog), ports(devices, desktop, receiver), sender(devices, desktop, host, ports)
{
}

void EditorMidi::startUp()
{
    ports.Fill_mnuMIDI_Ports();
    receiver.setReceivingSysex(false);
    ports.restoreSavedPorts();
}

void EditorMidi::shutDown() { ports.closePorts(); }

}  // namespace morvane
