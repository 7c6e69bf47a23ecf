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

}  // namespace
