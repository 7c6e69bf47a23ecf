#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class Desktop;
class MidiDevices;
class SysexReceiver;

// One of the "MIDI Configuration" submenus: item i stands for device i.
struct PortMenu {
    std::vector<QString> items;
    std::optional<int> checked;
};

// Choosing, opening and remembering the one input and the one output.
class MidiPortSelection {
public:
    // menusChanged runs whenever items or check marks change, so the window can redraw.
    MidiPortSelection(MidiDevices& devices, Desktop& desktop, SysexReceiver& receiver,
                      std::function<void()> menusChanged);

    void Fill_mnuMIDI_Ports();
    void mnuMIDI_inputs_Click(int index);
    void mnuMIDI_outputs_Click(int index);
    void OPENMIDIIN(int device);
    void OPENMIDIOUT(int device);

    // Start-up: the remembered input, then the remembered output. A device
    // remembered by name that is absent now stays unchosen (and remembered);
    // the text names such devices, empty when there are none.
    QString restoreSavedPorts();
    // Shutdown: stops listening, then resets and closes the output.
    void closePorts();

    bool MidiOutIsOpen() const { return midiOutIsOpen_; }
    const PortMenu& inputMenu() const { return inputMenu_; }
    const PortMenu& outputMenu() const { return outputMenu_; }

private:
    void fillMenu(PortMenu& menu, const std::vector<std::string>& names, const QString& noDevicesText);
    static std::string nameOf(const PortMenu& menu, int index);
    void closeOutput();
    void remember(const QString& indexKey, const QString& nameKey, const PortMenu& menu, int index);
    void menusChanged();

    MidiDevices& devices_;
    Desktop& desktop_;
    SysexReceiver& receiver_;
    std::function<void()> menusChanged_;
    PortMenu inputMenu_;
    PortMenu outputMenu_;
    bool midiOutIsOpen_ = false;
};

}  // namespace morvane
