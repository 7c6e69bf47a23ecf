#include "MidiFixture.h"

using namespace morvane;
using namespace morvane::testing;

namespace {

class PortSelection : public MidiFixture {};

using Calls = std::vector<std::string>;

TEST_F(PortSelection, NoDevicesAtAllShowsBothMessagesInputsFirstAndStartsAnyway)
{
    devices.inputs.clear();
    devices.outputs.clear();
    midi.startUp();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, "There are no MIDI input devices or drivers on your system.");
    EXPECT_EQ(desktop.messages[1].text, "There are no MIDI output devices or drivers on your system.");
    EXPECT_TRUE(midi.ports.inputMenu().items.empty());
    EXPECT_TRUE(devices.calls.empty());
}

TEST_F(PortSelection, ChosenInputIsCheckedAndRememberedEvenIfItCannotOpen)
{
    midi.ports.Fill_mnuMIDI_Ports();
    midi.ports.mnuMIDI_inputs_Click(1);
    EXPECT_EQ(devices.openInputDevice, 1);
    EXPECT_EQ(setting("Input Name"), "Other In");

    devices.unopenableInputs = {0};
    midi.ports.mnuMIDI_inputs_Click(0);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(midi.ports.inputMenu().checked, 0);
    EXPECT_FALSE(midi.receiver.MidiInIsOpen());
    EXPECT_EQ(setting("Input Index"), "0");
}

TEST_F(PortSelection, ChoosingAnOutputClosesTheOldOneFirstAndOneThatCannotOpenSaysSo)
{
    midi.ports.Fill_mnuMIDI_Ports();
    midi.ports.mnuMIDI_outputs_Click(0);
    midi.ports.mnuMIDI_outputs_Click(1);
    EXPECT_EQ(devices.calls, (Calls{"openOutput Pad Out", "resetOutput", "closeOutput", "openOutput Other Out"}));
    EXPECT_EQ(midi.ports.outputMenu().checked, 1);
    EXPECT_TRUE(midi.ports.MidiOutIsOpen());
    EXPECT_EQ(setting("Output Name"), "Other Out");

    devices.unopenableOutputs = {0};
    midi.ports.mnuMIDI_outputs_Click(0);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "PROBLEM OPENING MIDI OUTPUT DEVICE\n\ncannot open output Pad Out");
    EXPECT_EQ(midi.ports.outputMenu().checked, 0);
    EXPECT_FALSE(midi.ports.MidiOutIsOpen());
    EXPECT_EQ(setting("Output Index"), "0");
}

TEST_F(PortSelection, StartUpRestoresBothRememberedPortsAndShutDownClosesThemOnce)
{
    remember("Input Index", "0");
    remember("Output Index", "1");
    midi.startUp();
    EXPECT_EQ(midi.ports.inputMenu().checked, 0);
    EXPECT_EQ(midi.ports.outputMenu().checked, 1);
    EXPECT_EQ(devices.calls, (Calls{"openInput Pad In", "openOutput Other Out"}));
    EXPECT_EQ(setting("Input Name"), "Pad In");

    devices.calls.clear();
    midi.shutDown();
    midi.shutDown();
    EXPECT_EQ(devices.calls, (Calls{"resetInput", "closeInput", "resetOutput", "closeOutput"}));
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
    EXPECT_FALSE(devices.openOutputDevice);
    EXPECT_EQ(setting("Output Name"), "Unplugged Out");
    EXPECT_EQ(host.statuses, QStringList{"MIDI output \"Unplugged Out\" is not connected."});
}

TEST_F(PortSelection, RememberedNumbersThatAreNoDeviceRestoreNothing)
{
    for (const char* stored : {"2", "-1", "abc", "1.5"}) {
        SCOPED_TRACE(stored);
        remember("Input Index", stored);
        remember("Output Index", stored);
        devices.calls.clear();
        desktop.messages.clear();
        midi.startUp();
        EXPECT_TRUE(devices.calls.empty());
        EXPECT_FALSE(midi.ports.inputMenu().checked);
        EXPECT_FALSE(midi.ports.outputMenu().checked);
        EXPECT_TRUE(desktop.messages.empty());
    }
}

}  // namespace
