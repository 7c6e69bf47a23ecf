#include "MidiPortSelection.h"

#include "InputDelivery.h"
#include "MidiDevices.h"
#include "MidiSettings.h"
#include "SysexReceiver.h"
#include "SysexSender.h"
#include "platform/Desktop.h"
#include "platform/Settings.h"
#include "platform/WindowShell.h"

#include <algorithm>

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
RememberedDevice rememberedDevice(Settings& settings, const QString& indexKey, const QString& nameKey,
                                  const std::vector<QString>& names)
{
    using namespace midisettings;
    const auto name = settings.read(Application, Section, nameKey);
    if (!name.isEmpty()) {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return {static_cast<int>(i), {}};
        return {std::nullopt, name};
    }
    bool isNumber = false;
    const int index = settings.read(Application, Section, indexKey, QStringLiteral("-1")).toShort(&isNumber);
    if (!isNumber || index < 0 || index >= static_cast<int>(names.size())) return {};
    return {index, {}};
}

bool listed(const std::vector<std::string>& names, const std::string& name)
{
    return !name.empty() && std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

MidiPortSelection::MidiPortSelection(MidiDevices& devices, Desktop& desktop, Settings& settings, WindowShell& shell,
                                     SysexReceiver& receiver, std::function<void()> menusChanged)
    : devices_(devices),
      desktop_(desktop),
      settings_(settings),
      shell_(shell),
      receiver_(receiver),
      menusChanged_(std::move(menusChanged))
{
    listsChanged_ = QObject::connect(&devices_.delivery(), &InputDelivery::devicesChanged, [this] { refreshLists(); });
}

// The devices may outlive the selection.
MidiPortSelection::~MidiPortSelection() { QObject::disconnect(listsChanged_); }

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
        desktop_.messageBox(withReason(noDevicesText, lookedFor()), MessageStyle::Critical);
        return;
    }
    for (const auto& name : names) menu.items.push_back(QString::fromStdString(name));
}

std::string MidiPortSelection::lookedFor()
{
    if (auto service = devices_.serviceStatus(); !service) return "Looked for MIDI devices: " + service.error() + ".";
    return "Looked for MIDI devices on " + devices_.serviceName() + ": it lists none.";
}

// Check marks follow the chosen device's name, as numbers shift.
PortMenu MidiPortSelection::menuOf(const std::vector<std::string>& names, const std::string& chosen)
{
    PortMenu menu;
    for (std::size_t i = 0; i < names.size(); ++i) {
        menu.items.push_back(QString::fromStdString(names[i]));
        if (names[i] == chosen) menu.checked = static_cast<int>(i);
    }
    return menu;
}

void MidiPortSelection::refreshLists()
{
    const auto inputs = devices_.inputNames();
    const auto outputs = devices_.outputNames();
    inputMenu_ = menuOf(inputs, receiver_.midiInDevice());
    outputMenu_ = menuOf(outputs, chosenOutput_);
    menusChanged();
    QStringList told;
    for (const auto& text : {followInput(inputs), followOutput(outputs)})
        if (!text.isEmpty()) told << text;
    if (!told.isEmpty()) shell_.Status_Update(told.join(QLatin1Char(' ')));
}

QString MidiPortSelection::goneText(const QString& kind, const std::string& name)
{
    const auto service = devices_.serviceStatus();
    return QStringLiteral("MIDI %1 \"%2\" has gone%3.")
        .arg(kind, QString::fromStdString(name),
             service ? QString() : QStringLiteral(": ") + QString::fromStdString(service.error()));
}

QString MidiPortSelection::awayOutputText() const
{
    if (!outputAway_) return {};
    return QStringLiteral("MIDI output \"%1\" has gone; it is taken back when it returns.")
        .arg(QString::fromStdString(chosenOutput_));
}

QString MidiPortSelection::followInput(const std::vector<std::string>& names)
{
    const auto& chosen = receiver_.midiInDevice();
    QString told;
    if (receiver_.MidiInIsOpen() && !devices_.inputReachable()) {
        const bool receiveEnded = receiver_.inputLost();
        inputAway_ = true;
        told = goneText(QStringLiteral("input"), chosen);
        if (receiveEnded) told.prepend(QStringLiteral("Sysex receive failed: "));
    }
    if (!inputAway_ || !listed(names, chosen)) return told;
    receiver_.Listen_For_Midi_Input(true);
    if (!receiver_.MidiInIsOpen()) return QString::fromStdString(receiver_.openFailure());
    inputAway_ = false;
    return QStringLiteral("MIDI input \"%1\" is back.").arg(QString::fromStdString(chosen));
}

QString MidiPortSelection::followOutput(const std::vector<std::string>& names)
{
    QString told;
    if (midiOutIsOpen_ && !devices_.outputReachable()) {
        closeOutput();
        outputAway_ = true;
        told = goneText(QStringLiteral("output"), chosenOutput_);
    }
    if (!outputAway_ || !listed(names, chosenOutput_)) return told;
    if (auto opened = devices_.openOutput(chosenOutput_); !opened) return QString::fromStdString(opened.error());
    midiOutIsOpen_ = true;
    outputAway_ = false;
    return QStringLiteral("MIDI output \"%1\" is back.").arg(QString::fromStdString(chosenOutput_));
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
    inputAway_ = false;
    if (!receiver_.MidiInIsOpen())
        shell_.Status_Update(QString::fromStdString(receiver_.openFailure()));
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
    chosenOutput_ = nameOf(outputMenu_, device);
    outputAway_ = false;
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
    settings_.write(Application, Section, indexKey, QString::number(index));
    settings_.write(Application, Section, nameKey, QString::fromStdString(nameOf(menu, index)));
}

QString MidiPortSelection::restoreSavedPorts()
{
    using namespace midisettings;
    QStringList missing;
    const auto input = rememberedDevice(settings_, InputIndex, InputName, inputMenu_.items);
    if (input.index) mnuMIDI_inputs_Click(*input.index);
    if (!input.missingName.isEmpty()) {
        missing << QStringLiteral("MIDI input \"%1\" is not connected.").arg(input.missingName);
        receiver_.setMidiInDevice(input.missingName.toStdString());
        inputAway_ = true;
    }
    const auto output = rememberedDevice(settings_, OutputIndex, OutputName, outputMenu_.items);
    if (output.index) mnuMIDI_outputs_Click(*output.index);
    if (!output.missingName.isEmpty()) {
        missing << QStringLiteral("MIDI output \"%1\" is not connected.").arg(output.missingName);
        chosenOutput_ = output.missingName.toStdString();
        outputAway_ = true;
    }
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
