#include "MidiFixture.h"

using namespace morvane;
using namespace morvane::testing;

namespace {

class PortSelection : public MidiFixture {};

TEST_F(PortSelection, ChosenPortsAreCheckedAndRememberedAndAnOutputThatCannotOpenSaysSo)
{
    midi.ports().Fill_mnuMIDI_Ports();
    devices.unopenableInputs = {0};
    midi.ports().mnuMIDI_inputs_Click(0);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(midi.ports().inputMenu().checked, 0);
    EXPECT_FALSE(midi.receiver().MidiInIsOpen());
    EXPECT_EQ(setting("Input Name"), "Pad In");

    devices.unopenableOutputs = {0};
    midi.ports().mnuMIDI_outputs_Click(0);
    EXPECT_EQ(desktop.messageTexts(), QStringList{"PROBLEM OPENING MIDI OUTPUT DEVICE\n\ncannot open output Pad Out"});
    EXPECT_EQ(midi.ports().outputMenu().checked, 0);
    EXPECT_FALSE(midi.ports().MidiOutIsOpen());
    EXPECT_EQ(setting("Output Index"), "0");
}

// Numbers shift as devices come and go: a remembered name wins over its
// number, and an absent one is not stood in for by whatever holds that number.
TEST_F(PortSelection, RememberedNameWinsWhenTheDeviceMovedAndAnAbsentOneStaysUnchosen)
{
    remember("Input Index", "0");
    remember("Input Name", "Pad In");
    remember("Output Index", "1");
    remember("Output Name", "Unplugged Out");
    devices.inputs = {"New In", "Pad In"};
    midi.startUp();
    EXPECT_EQ(devices.openInputDevice, 1);
    EXPECT_EQ(midi.ports().inputMenu().checked, 1);
    EXPECT_FALSE(devices.openOutputDevice);
    EXPECT_EQ(setting("Output Name"), "Unplugged Out");
    EXPECT_EQ(host.statuses, QStringList{"MIDI output \"Unplugged Out\" is not connected."});
}

// Devices come and go while the editor runs: the menus follow, a chosen one
// that goes is named at once (and ends a receive waiting on it), and it is
// taken back when a device of its name returns.
TEST_F(PortSelection, AChosenDeviceThatGoesIsNamedAndTakenBackWhenItReturns)
{
    midi.ports().Fill_mnuMIDI_Ports();
    midi.ports().mnuMIDI_inputs_Click(1);
    midi.ports().mnuMIDI_outputs_Click(0);
    midi.receiver().MnuSysex_ReceiveSysex_Click();
    const auto devicesChange = [&](std::vector<std::string> in, std::vector<std::string> out, bool there) {
        devices.inputs = std::move(in);
        devices.outputs = std::move(out);
        devices.reachable = there;
        devices.delivery().postDevicesChanged();
        deliverPending();
    };
    devicesChange({"Pad In"}, {"Other Out"}, false);
    EXPECT_EQ(host.statuses.last(),
              "Sysex receive failed: MIDI input \"Other In\" has gone. MIDI output \"Pad Out\" has gone.");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(midi.ports().outputMenu().items, std::vector<QString>{"Other Out"});
    EXPECT_FALSE(midi.ports().outputMenu().checked);

    devicesChange({"Pad In", "Other In"}, {"Other Out", "Pad Out"}, true);
    EXPECT_EQ(host.statuses.last(), "MIDI input \"Other In\" is back. MIDI output \"Pad Out\" is back.");
    EXPECT_EQ(midi.ports().outputMenu().checked, 1);
    EXPECT_EQ(devices.openOutputDevice, 1);
    host.statuses.clear();
    devicesChange(devices.inputs, devices.outputs, true);
    EXPECT_TRUE(host.statuses.isEmpty());
}

// Below the designed text, each box says what was looked for.
TEST_F(PortSelection, WithoutDevicesTheBoxesSayWhatWasLookedFor)
{
    devices.inputs.clear();
    devices.outputs.clear();
    devices.serviceDown = "no JACK server is running and there is no ALSA sequencer";
    midi.ports().Fill_mnuMIDI_Ports();
    const QString why = " devices or drivers on your system.\n\nLooked for MIDI devices: " +
                        QString::fromStdString(*devices.serviceDown) + ".";
    EXPECT_EQ(desktop.messageTexts(), (QStringList{"There are no MIDI input" + why, "There are no MIDI output" + why}));
}

}  // namespace
