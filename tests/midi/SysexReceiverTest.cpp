#include "MidiFixture.h"

#include "support/KitFiles.h"

#include <QPushButton>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

namespace {

class Receiving : public MidiFixture {
protected:
    Receiving()
    {
        midi.ports().Fill_mnuMIDI_Ports();
        midi.ports().mnuMIDI_inputs_Click(0);
        deliverPending();
    }

    void startReceive()
    {
        midi.receiver().MnuSysex_ReceiveSysex_Click();
        host.statuses.clear();
        desktop.beeps.clear();
    }

    void expectKitUntouched(const KitDump& before)
    {
        EXPECT_EQ(host.dump, before);
        EXPECT_EQ(host.currentFile, "/kits/old.syx");
        EXPECT_FALSE(host.steps.contains("take"));
    }
};

TEST_F(Receiving, CommandWaitsInTheDialogAndTheArrivingKitBecomesTheCurrentKitWithoutAFile)
{
    midi.receiver().MnuSysex_ReceiveSysex_Click();
    EXPECT_TRUE(dialog.isVisible());

    host.statuses.clear();
    const auto kit = exampleKitDump();
    ASSERT_TRUE(devices.playSysex(kit));
    deliverPending();
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
    EXPECT_TRUE(midi.receiver().ReceivingSysex());
    EXPECT_TRUE(desktop.beeps.empty());

    QTest::mouseClick(dialog.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
    EXPECT_EQ(host.statuses, QStringList{"Sysex receive aborted."});
    devices.playSysex(exampleKitDump());
    deliverPending();
    expectKitUntouched(before);
    EXPECT_TRUE(midi.receiver().MidiInIsOpen());
}

// A message longer than any kit is refused by its size, never cut into one.
TEST_F(Receiving, MessageThatIsNoKitIsReportedAndTheKitStays)
{
    auto tooLong = exampleKitDump();
    tooLong.insert(tooLong.end() - 1, 400, 0);
    const std::pair<KitDump, QString> rows[] = {
        {{0xF0, 0x7D, 0x01, 0xF7},
         "The received Sysex message is not a kit the editor can read. The kit dump is too short (4 bytes)"},
        {tooLong, "The received Sysex message has 1146 bytes; a kit dump has at most 1000."},
    };
    const auto before = host.dump;
    for (const auto& [bytes, told] : rows) {
        desktop.messages.clear();
        startReceive();
        devices.playSysex(bytes);
        deliverPending();
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_TRUE(desktop.messages[0].text.startsWith(told)) << desktop.messages[0].text.toStdString();
        EXPECT_EQ(host.statuses.last(), "Sysex receive failed: the message is not a kit dump.");
        EXPECT_FALSE(dialog.isVisible());
        expectKitUntouched(before);
    }
}

}  // namespace
