#include "MidiFixture.h"

#include "support/KitFiles.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

namespace {

class Receiving : public MidiFixture {
protected:
    Receiving()
    {
        midi.ports.Fill_mnuMIDI_Ports();
        midi.ports.mnuMIDI_inputs_Click(0);
        deliverPending();
    }

    void startReceive()
    {
        midi.receiver.MnuSysex_ReceiveSysex_Click();
        host.statuses.clear();
        desktop.beeps.clear();
    }

    void expectKitUntouched(const KitDump& before)
    {
        EXPECT_EQ(host.dump, before);
        EXPECT_EQ(host.currentFile, "/kits/old.syx");
        EXPECT_FALSE(host.steps.contains("take"));
    }

    int progress() const { return dialog.findChild<QProgressBar*>("SysexPBar")->value(); }
};

TEST_F(Receiving, CommandWithoutAListeningInputAdvisesChoosingOneOrSaysItVanished)
{
    devices.unopenableInputs = {0};
    midi.receiver.MnuSysex_ReceiveSysex_Click();  // the chosen input vanished since
    midi.ports.mnuMIDI_inputs_Click(1);
    devices.unopenableInputs = {1};
    midi.ports.mnuMIDI_inputs_Click(1);
    midi.receiver.MnuSysex_ReceiveSysex_Click();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text, "No Midi Input selected. Click on MIDI Configuration, Input, then select a "
                                        "MIDI Input device from the list.");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(midi.receiver.ReceivingSysex());
}

TEST_F(Receiving, CommandWaitsInTheDialogAndTheArrivingKitBecomesTheCurrentKitWithoutAFile)
{
    midi.receiver.MnuSysex_ReceiveSysex_Click();
    EXPECT_EQ(desktop.beeps, (std::vector<Beep>{{2000, 30}}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(progress(), 0);

    host.statuses.clear();
    const auto kit = exampleKitDump();
    ASSERT_TRUE(devices.playSysex(kit));
    deliverPending();
    EXPECT_EQ(progress(), ReceiveProgressMaximum);
    EXPECT_EQ(desktop.beeps, (std::vector<Beep>{{2000, 30}, {500, 100}}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(host.statuses, (QStringList{"Sysex receive aborted.", "Sysex succesfully received."}));
    EXPECT_EQ(host.dump, kit);
    EXPECT_EQ(host.currentFile, "");
}

TEST_F(Receiving, NotesEmptyBuffersAndDumpsSentBeforeTheCommandOrAfterCancelChangeNothing)
{
    const auto before = host.dump;
    devices.playSysex(exampleKitDump());
    deliverPending();
    devices.playSysex(exampleKitDump());  // sent before the command, not yet handled
    startReceive();
    devices.playNote(38);
    devices.playSysex({});
    deliverPending();
    EXPECT_TRUE(midi.receiver.ReceivingSysex());
    EXPECT_TRUE(desktop.beeps.empty());

    QTest::mouseClick(dialog.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
    EXPECT_EQ(host.statuses, QStringList{"Sysex receive aborted."});
    devices.playSysex(exampleKitDump());
    deliverPending();
    expectKitUntouched(before);
    EXPECT_TRUE(midi.receiver.MidiInIsOpen());
}

// However often the input is reopened, one handler hears it; a message
// that is no kit is refused.
TEST_F(Receiving, MessageThatIsNoKitIsReportedAndTheKitStays)
{
    devices.unopenableInputs = {1};
    for (int i = 0; i < 3; ++i) {
        midi.ports.mnuMIDI_inputs_Click(1);
        midi.ports.mnuMIDI_inputs_Click(0);
    }
    EXPECT_EQ(devices.handlersAttached, 1);
    // A message longer than any kit is refused by its size over the MIDI server.
    const auto before = host.dump;
    startReceive();
    devices.playSysex({0xF0, 0x7D, 0x01, 0xF7});
    deliverPending();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.startsWith("The received Sysex message is not a kit the editor can read. "
                                                    "The kit dump is too short (4 bytes)"));
    EXPECT_EQ(host.statuses.last(), "Sysex receive failed: the message is not a kit dump.");
    EXPECT_FALSE(dialog.isVisible());
    expectKitUntouched(before);
}

TEST_F(Receiving, InputThatWillNotCloseShowsWhyAndStaysOpen)
{
    devices.closeInputRefusal = "the driver is busy";
    midi.receiver.Listen_For_Midi_Input(false);
    EXPECT_EQ(desktop.messageTexts(), QStringList{"the driver is busy"});
    EXPECT_TRUE(midi.receiver.MidiInIsOpen());
}

}  // namespace
