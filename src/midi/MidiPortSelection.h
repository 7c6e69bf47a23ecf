#pragma once

#include <QMetaObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class Desktop;
class Settings;
class MidiDevices;
class SysexReceiver;
class WindowShell;

// One of the "MIDI Configuration" submenus: item i stands for device i.
struct PortMenu {
    std::vector<QString> items;
    std::optional<int> checked;
};

// Choosing, opening and remembering the one input and the one output. The
// menus follow the devices present; a chosen device that goes away is named
// on the status line, and taken back when a device of its name returns.
class MidiPortSelection {
public:
    // menusChanged runs whenever items or check marks change, so the window can redraw.
    MidiPortSelection(MidiDevices& devices, Desktop& desktop, Settings& settings, WindowShell& shell,
                      SysexReceiver& receiver, std::function<void()> menusChanged);
    ~MidiPortSelection();
    MidiPortSelection(const MidiPortSelection&) = delete;
    MidiPortSelection& operator=(const MidiPortSelection&) = delete;

    void Fill_mnuMIDI_Ports();
    void mnuMIDI_inputs_Click(int index);
    void mnuMIDI_outputs_Click(int index);
    void OPENMIDIIN(int device);
    void OPENMIDIOUT(int device);
    // Reads the lists again, as when they changed or a menu is about to show.
    void refreshLists();

    // Start-up: the remembered input, then the remembered output. A device
    // remembered by name that is absent now stays unchosen (and remembered);
    // the text names such devices, empty when there are none.
    QString restoreSavedPorts();
    // Shutdown: stops listening, then resets and closes the output.
    void closePorts();

    bool MidiOutIsOpen() const { return midiOutIsOpen_; }
    // Names the chosen output while it is away; empty otherwise.
    QString awayOutputText() const;
    const PortMenu& inputMenu() const { return inputMenu_; }
    const PortMenu& outputMenu() const { return outputMenu_; }

private:
    void fillMenu(PortMenu& menu, const std::vector<std::string>& names, const QString& noDevicesText);
    std::string lookedFor();
    static std::string nameOf(const PortMenu& menu, int index);
    static PortMenu menuOf(const std::vector<std::string>& names, const std::string& chosen);
    QString followInput(const std::vector<std::string>& names);
    QString followOutput(const std::vector<std::string>& names);
    QString goneText(const QString& kind, const std::string& name);
    void closeOutput();
    void remember(const QString& indexKey, const QString& nameKey, const PortMenu& menu, int index);
    void menusChanged();

    MidiDevices& devices_;
    Desktop& desktop_;
    Settings& settings_;
    WindowShell& shell_;
    SysexReceiver& receiver_;
    std::function<void()> menusChanged_;
    PortMenu inputMenu_;
    PortMenu outputMenu_;
    bool midiOutIsOpen_ = false;
    std::string chosenOutput_;
    // A chosen device that went away (or was remembered but absent), to be
    // taken back when it returns.
    bool inputAway_ = false;
    bool outputAway_ = false;
    QMetaObject::Connection listsChanged_;
};

}  // namespace morvane
