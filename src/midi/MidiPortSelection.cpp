#include "MidiPortSelection.h"

#include "MidiDevices.h"
#include "MidiSettings.h"
#include "SysexReceiver.h"
#include "platform/Desktop.h"

namespace morvane {
namespace {

// The device to restore: the remembered name wins where such a device
// exists, because numbers shift when devices come and go; otherwise the
// remembered number, when it is a number and such a device exists.
std::optional<int> rememberedDevice(Desktop& desktop, const QString& indexKey, const QString& nameKey,
                                    const std::vector<std::string>& names)
{
    using namespace midisettings;
    const auto name = desktop.readSetting(Application, Section, nameKey).toStdString();
    if (!name.empty())
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i);
    bool isNumber = false;
    const int index = desktop.readSetting(Application, Section, indexKey, QStringLiteral("-1")).toShort(&isNumber);
    if (!isNumber || index < 0 || index >= static_cast<int>(names.size())) return std::nullopt;
    return index;
}

}  // namespace

MidiPortSelection::MidiPortSelection(MidiDevices& devices, Desktop& desktop, SysexReceiver& receiver)
    : devices_(devices), desktop_(desktop), receiver_(receiver)
{
}

void MidiPortSelection::Fill_mnuMIDI_Ports()
{
    midiOutIsOpen_ = false;
    fillMenu(inputMenu_, devices_.inputNames(),
             QStringLiteral("There are no MIDI input devices or drivers on your system."));
    fillMenu(outputMenu_, devices_.outputNames(),
             QStringLiteral("There are no MIDI output devices or drivers on your system."));
    menusChanged();
}

void MidiPortSelection::fillMenu(PortMenu& menu, const std::vector<std::string>& names,
                                 const QString& noDevicesText)
{
    menu = {};
    if (names.empty()) {
        desktop_.messageBox(noDevicesText, MessageStyle::Critical);
        return;
    }
    for (const auto& name : names) menu.items.push_back(QString::fromStdString(name));
}

void MidiPortSelection::mnuMIDI_inputs_Click(int index)
{
    if (receiver_.MidiInIsOpen()) {
        receiver_.Listen_For_Midi_Input(false);
        OPENMIDIIN(index);
        // Lets the closed input's last messages arrive before listening again.
        desktop_.processEvents();
    } else {
        OPENMIDIIN(index);
    }
    receiver_.Listen_For_Midi_Input(true);
    remember(midisettings::InputIndex, midisettings::InputName, inputMenu_, index);
}

void MidiPortSelection::OPENMIDIIN(int device)
{
    receiver_.resetAndCloseInput();
    inputMenu_.checked = device;
    receiver_.setMidiInDevice(device);
    menusChanged();
}

void MidiPortSelection::mnuMIDI_outputs_Click(int index)
{
    OPENMIDIOUT(index);
    remember(midisettings::OutputIndex, midisettings::OutputName, outputMenu_, index);
}

void MidiPortSelection::OPENMIDIOUT(int device)
{
    closeOutput();
    outputMenu_.checked = device;
    menusChanged();
    if (!devices_.openOutput(device)) {
        desktop_.messageBox(QStringLiteral("PROBLEM OPENING MIDI OUTPUT DEVICE"), MessageStyle::Plain);
        return;
    }
    midiOutIsOpen_ = true;
}

void MidiPortSelection::remember(const QString& indexKey, const QString& nameKey, const PortMenu& menu, int index)
{
    using namespace midisettings;
    desktop_.writeSetting(Application, Section, indexKey, QString::number(index));
    const bool listed = index >= 0 && index < static_cast<int>(menu.items.size());
    const QString name = listed ? menu.items[static_cast<std::size_t>(index)] : QString();
    desktop_.writeSetting(Application, Section, nameKey, name);
}

void MidiPortSelection::restoreSavedPorts()
{
    if (auto input = rememberedDevice(desktop_, midisettings::InputIndex, midisettings::InputName,
                                      devices_.inputNames()))
        mnuMIDI_inputs_Click(*input);
    if (auto output = rememberedDevice(desktop_, midisettings::OutputIndex, midisettings::OutputName,
                                       devices_.outputNames()))
        mnuMIDI_outputs_Click(*output);
}

void MidiPortSelection::closePorts()
{
    if (receiver_.MidiInIsOpen()) receiver_.Listen_For_Midi_Input(false);
    closeOutput();
}

void MidiPortSelection::closeOutput()
{
    if (!midiOutIsOpen_) return;
    devices_.resetOutput();
    devices_.closeOutput();
    midiOutIsOpen_ = false;
}

void MidiPortSelection::menusChanged()
{
    if (onMenusChanged) onMenusChanged();
}

}  // namespace morvane
