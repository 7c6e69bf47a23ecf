#include "MidiPortSelection.h"

#include "MidiDevices.h"
#include "MidiSettings.h"
#include "SysexReceiver.h"
#include "SysexSender.h"
#include "platform/Desktop.h"

#include <QStringList>

namespace morvane {
namespace {

// The device to restore. A remembered name is looked for by name only: when
// that device is absent, whatever now holds its old number is another device.
// Settings that hold only a number keep the number rule.
struct RememberedDevice {
    std::optional<int> index;
    QString missingName;
};

// Looked up in the menu as filled, the list the numbers refer to.
RememberedDevice rememberedDevice(Desktop& desktop, const QString& indexKey, const QString& nameKey,
                                  const std::vector<QString>& names)
{
    using namespace midisettings;
    const auto name = desktop.readSetting(Application, Section, nameKey);
    if (!name.isEmpty()) {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return {static_cast<int>(i), {}};
        return {std::nullopt, name};
    }
    bool isNumber = false;
    const int index = desktop.readSetting(Application, Section, indexKey, QStringLiteral("-1")).toShort(&isNumber);
    if (!isNumber || index < 0 || index >= static_cast<int>(names.size())) return {};
    return {index, {}};
}

}  // namespace

MidiPortSelection::MidiPortSelection(MidiDevices& devices, Desktop& desktop, SysexReceiver& receiver,
                                     std::function<void()> menusChanged)
    : devices_(devices), desktop_(desktop), receiver_(receiver), menusChanged_(std::move(menusChanged))
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
    receiver_.setMidiInDevice(nameOf(inputMenu_, device));
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
    if (auto opened = devices_.openOutput(nameOf(outputMenu_, device)); !opened) {
        desktop_.messageBox(withReason(QStringLiteral("PROBLEM OPENING MIDI OUTPUT DEVICE"), opened.error()),
                            MessageStyle::Plain);
        return;
    }
    midiOutIsOpen_ = true;
}

// Menu item i stands for the device of that name in the list the user was shown.
std::string MidiPortSelection::nameOf(const PortMenu& menu, int index)
{
    const bool listed = index >= 0 && index < static_cast<int>(menu.items.size());
    return listed ? menu.items[static_cast<std::size_t>(index)].toStdString() : std::string();
}

void MidiPortSelection::remember(const QString& indexKey, const QString& nameKey, const PortMenu& menu, int index)
{
    using namespace midisettings;
    desktop_.writeSetting(Application, Section, indexKey, QString::number(index));
    desktop_.writeSetting(Application, Section, nameKey, QString::fromStdString(nameOf(menu, index)));
}

QString MidiPortSelection::restoreSavedPorts()
{
    using namespace midisettings;
    QStringList missing;
    const auto input = rememberedDevice(desktop_, InputIndex, InputName, inputMenu_.items);
    if (input.index) mnuMIDI_inputs_Click(*input.index);
    if (!input.missingName.isEmpty())
        missing << QStringLiteral("MIDI input \"%1\" is not connected.").arg(input.missingName);
    const auto output = rememberedDevice(desktop_, OutputIndex, OutputName, outputMenu_.items);
    if (output.index) mnuMIDI_outputs_Click(*output.index);
    if (!output.missingName.isEmpty())
        missing << QStringLiteral("MIDI output \"%1\" is not connected.").arg(output.missingName);
    return missing.join(QLatin1Char(' '));
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
    if (menusChanged_) menusChanged_();
}

}  // namespace morvane
